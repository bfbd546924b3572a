#pragma once
// New, Open, Save, Save as and Discard edits on the document as a whole, with
// their questions and notices, and the preset page New starts from.
//
// Reads and writes EditTxt, SavedText, FilenameLbl, ByteLbl and QuitAfterSave;
// reads the file pane (FileChosen, the selected file, Dir1) and PresetChk;
// opens the save-as dialog. A file that cannot be read is reported and
// changes nothing; a save that fails never ends the program.
#include "text/TextFile.h"

#include <QObject>
#include <optional>

class LongWork;
class TesselFrm;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    explicit DocumentCommands(TesselFrm &frm);
    void NewBtn_Click();
    void OpenBtn_Click();
    void SaveBtn_Click();
    void SaveasBtn_Click();
    void CancelBtn_Click();

    // Sets SavedText to the built-in preset and writes it to "preset.lst".
    void WriteDefaultPreset();

    // A file given on the command line: the pane moves to its directory and
    // the file is chosen and opened as Open does. A file that does not exist
    // yet gives an empty document under its name, which the first save
    // creates; a directory is only shown in the pane.
    void openGiven(const QString &path);

    // Ctrl+P: shows the document's file in the desktop's browser. An untitled
    // document, or one with unsaved edits, is saved first the way Save saves
    // it (its question, the save-as dialog for an untitled one); declining
    // shows a titled page as it is on disk.
    void ShowInBrowser();
    // The save-as dialog is done: saved, or cancelled or closed.
    void saveasDone(bool saved);

private:
    bool confirm(const QString &sentence);
    void notice(const QString &text, const QString &title);
    // The file's text in its encoding, or nothing when it cannot be read (the
    // work ends and the user is told). Bytes that are not valid in the
    // encoding are kept; tellHowItWasRead tells the user so, once the page is
    // in, and names the encodings when the page declares another.
    std::optional<TextFile::DocumentRead> readDocument(const QString &path, LongWork &work);
    void tellHowItWasRead(const TextFile::DocumentRead &read);
    // The page's text by the line rules (as Open reads it, or every line
    // ended as Discard reads it), given to the edit box. When memory runs out
    // on the way, the box gets back what it held, the user is told and
    // nothing comes back.
    std::optional<QString> givePage(TextFile::DocumentRead &read, bool everyLineEnded, const QString &path,
                                    LongWork &work);
    enum class SaveOutcome { Declined, Saved, Failed, InDialog };
    SaveOutcome save();
    void showPage(const QString &file);
    void presetStep();
    // Open from step 4 on: the document becomes the file at path.
    void openPath(const QString &path);
    void openSaveasDialog();

    TesselFrm &m_frm;
    bool m_showAfterDialog = false; // Ctrl+P waits for the save-as dialog
};
