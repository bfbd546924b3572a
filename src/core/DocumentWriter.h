#pragma once
// The one document writer: writes the edit text plus one CR LF in the
// document's encoding (Shift_JIS unless the file was read as another), makes
// it the saved text, shows the file in FilenameLbl and its size in ByteLbl,
// and brings the file pane up to date.
//
// A save that cannot be completed (no permission, a directory of that name, a
// full disk, a name the file system refuses) writes nothing, tells the user
// why and changes nothing else: the file on disk, SavedText, the labels and
// the pane stay as they were and the document still counts as modified. For
// characters the encoding cannot hold the user may instead have them written
// as character references.
#include "text/TextFile.h"

#include <QObject>

#include <optional>

class TesselFrm;

class DocumentWriter : public QObject
{
    Q_OBJECT
  public:
    explicit DocumentWriter(TesselFrm &frm);
    // FileName: the full path to write. FilePath: the directory the pane is to
    // show afterwards, or empty to leave it where it is. False when nothing
    // was written (the user has been told); a caller that would end the
    // program after the save must not then.
    bool SaveTextFile(const QString &FileName, const QString &FilePath);

  private:
    // The encoding to write the text in: the document's, unless the text
    // declares another and the user chooses that one (the question); nothing
    // when the user chooses not to write.
    std::optional<DocumentEncoding> encodingToWrite(QStringView text);
    // Characters the encoding cannot hold: asks whether to write each of them
    // as a character reference (&#x1F600;). Yes replaces them in the edit
    // text as one undoable edit and returns true; No writes nothing.
    bool offerCharacterReferences(const QString &FileName, QStringView text, Encoding encoding,
                                  const TextFile::WriteResult &written);
    TesselFrm &m_frm;
};
