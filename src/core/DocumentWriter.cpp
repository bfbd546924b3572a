#include "core/DocumentWriter.h"
#include "browse/FilePane.h"
#include "core/SizeText.h"
#include "core/TesselFrm.h"
#include "text/CharRefs.h"
#include "text/Declaration.h"
#include "text/TextFile.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "text/SystemError.h"
#include "ui/MessageBoxes.h"

#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace
{

// Why a write failed, in words the user can act on. Looks at the place again
// for what the system's message leaves vague.
QString writeFailureReason(const QString &path, const TextFile::WriteResult &written)
{
    const QFileInfo info(path);
    if (info.isDir())
        return u"同じ名前のフォルダーがあります。"_s;
    const QString dir = info.absolutePath();
    struct stat st {
    };
    if (::stat(QFile::encodeName(dir).constData(), &st) != 0)
        return u"保存先のフォルダー「"_s + dir + u"」がありません。"_s;
    if (!S_ISDIR(st.st_mode))
        return u"保存先「"_s + dir + u"」はフォルダーではありません。"_s;
    if (QFile::encodeName(info.fileName()).size() > NAME_MAX)
        return u"ファイル名が長すぎます。"_s;
    switch (written.systemError) {
    case 0:
        return written.reason;
    case ENOTDIR:
    case ENOENT:
        return u"保存先のフォルダーがありません。"_s;
    default:
        return syserror::reason(written.systemError, syserror::Action::Write);
    }
}

} // namespace

DocumentWriter::DocumentWriter(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

std::optional<DocumentEncoding> DocumentWriter::encodingToWrite(QStringView text)
{
    const ValueDesc &v = m_frm.values();
    const DocumentEncoding &current = v.DocEncoding;
    const PageDeclaration declared = declaration::of(text, current);
    if (declaration::agrees(declared, current.encoding) || declared.label == current.keptAgainst)
        return current;
    DocumentEncoding kept = current;
    kept.keptAgainst = declared.label;
    const QString now = encoding::name(current.encoding);
    if (!declared.encoding) {
        // Browsers read the page as the encoding it names, which the program
        // cannot write: only an unedited page is written without a word.
        if (text == v.SavedText)
            return current;
        const QString label = QString::fromLatin1(declared.label);
        MsgBox ask{u"このページは "_s + label + u" と宣言されていますが、"_s + label +
                       u" では保存できません。"_s + now + u" で保存すると、ブラウザーはページを "_s + label +
                       u" として読むため、正しく表示されません。\r\nこのまま "_s + now + u" で保存しますか？"_s,
                   u"確認"_s, MsgButtons::YesNo, MsgIcon::Exclamation, MsgAnswer::No};
        if (m_frm.platform().boxes->ask(ask) != MsgAnswer::Yes)
            return std::nullopt;
        return kept;
    }
    const QString wanted = encoding::name(*declared.encoding);
    MsgBox ask{u"このページは "_s + wanted + u" と宣言されていますが、"_s + now + u" で保存しようとしています。"_s +
                   u"宣言どおり "_s + wanted + u" で保存しますか？"_s,
               u"確認"_s, MsgButtons::YesNoCancel, MsgIcon::None, MsgAnswer::Yes};
    switch (m_frm.platform().boxes->ask(ask)) {
    case MsgAnswer::Yes: {
        // The page becomes one of the declared encoding, with its line end.
        DocumentEncoding converted;
        converted.encoding = *declared.encoding;
        converted.lineEnd = current.lineEnd;
        return converted;
    }
    case MsgAnswer::No:
        return kept;
    default:
        return std::nullopt;
    }
}

bool DocumentWriter::SaveTextFile(const QString &FileName, const QString &FilePath)
{
    // The text plus the final CR LF in one string, without copying the document
    // twice: the CR LF is added for the write and taken off again.
    QString text = m_frm.EditTxt->text();
    const std::optional<DocumentEncoding> chosen = encodingToWrite(text);
    if (!chosen)
        return false; // the user chose not to write: nothing changes
    const DocumentEncoding &encoding = *chosen;
    text += u"\r\n"_s;
    const QString &backupDir = m_frm.platform().startDir;
    TextFile::WriteResult written = TextFile::writeDocument(FileName, text, encoding, backupDir);
    text.chop(2);
    if (!written.ok && written.failIndex >= 0 &&
        offerCharacterReferences(FileName, text, encoding.encoding, written)) {
        text = m_frm.EditTxt->text();
        text += u"\r\n"_s;
        written = TextFile::writeDocument(FileName, text, encoding, backupDir);
        text.chop(2);
    } else if (!written.ok && written.failIndex >= 0) {
        return false; // the user chose to keep the characters: nothing written
    }
    if (!written.ok) {
        // The text module words an unwritable character with its line and
        // column, and a file it could not put back with where the old text is.
        const QString why = written.failIndex >= 0 || !written.untouched
                                ? written.reason
                                : writeFailureReason(FileName, written);
        m_frm.platform().boxes->ask(MsgBox::warning(
            u"ファイル「"_s + FileName + u"」を保存できませんでした。\r\n"_s + why +
                (written.untouched ? u"\r\nディスク上のファイルは元のままです。"_s : QString()),
            u"エラー"_s));
        return false;
    }
    // Only a file that is really on disk becomes the saved text, in the
    // encoding it was written in.
    m_frm.values().SavedText = text;
    m_frm.values().DocEncoding = encoding;
    m_frm.FilenameLbl->setCaption(FileName);
    m_frm.ByteLbl->setCaption(sizetext::forDocument(FileName, encoding));
    if (!FilePath.isEmpty())
        m_frm.filePane()->showDirectory(FilePath);
    m_frm.filePane()->refreshFiles();
    return true;
}

bool DocumentWriter::offerCharacterReferences(const QString &FileName, QStringView text, Encoding encoding,
                                              const TextFile::WriteResult &written)
{
    const QList<TextReplacement> refs = charref::unwritable(text, encoding);
    const QString name = encoding::name(encoding);
    MsgBox ask{u"ファイル「"_s + FileName + u"」を保存できませんでした。\r\n"_s + written.reason +
                   u"\r\nディスク上のファイルは元のままです。\r\n"_s + name + u" で保存できない文字 "_s +
                   QString::number(refs.size()) + u" 個をすべて文字参照（"_s +
                   charref::reference(written.failChar) + u" の形）に置き換えて保存しますか？\r\n"_s +
                   u"文字参照は <script> と <style> の中では文字として読まれません。"_s,
               u"確認"_s, MsgButtons::YesNo, MsgIcon::Exclamation, MsgAnswer::No};
    if (m_frm.platform().boxes->ask(ask) != MsgAnswer::Yes)
        return false;
    // One edit, so that one undo brings every character back.
    m_frm.EditTxt->replaceRanges(refs);
    return true;
}
