#include "core/DocumentWriter.h"
#include "browse/FilePane.h"
#include "core/SizeText.h"
#include "core/TesselFrm.h"
#include "text/TextFile.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
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
    // An existing file that may not be written is refused by Qt before the
    // system is asked, so there is no error number for it.
    const int error = written.systemError != 0                  ? written.systemError
                      : info.exists() && !info.isWritable() ? EACCES
                                                              : 0;
    switch (error) {
    case EACCES:
    case EPERM:
        return u"書き込む権限がありません。"_s;
    case EROFS:
        return u"読み取り専用のドライブです。"_s;
    case ENOSPC:
        return u"ディスクの空き容量が足りません。"_s;
    case EDQUOT:
        return u"ディスクの使用量の上限を超えます。"_s;
    case EFBIG:
        return u"ファイルが大きすぎて書き込めません（ファイルサイズの上限を超えます）。"_s;
    case ENAMETOOLONG:
        return u"ファイル名が長すぎます。"_s;
    case EISDIR:
        return u"同じ名前のフォルダーがあります。"_s;
    case ENOTDIR:
    case ENOENT:
        return u"保存先のフォルダーがありません。"_s;
    case EINVAL:
    case EILSEQ:
        return u"このドライブでは使えないファイル名です。"_s;
    case EIO:
        return u"ディスクの入出力エラーです。"_s;
    default:
        return u"書き込めませんでした（"_s + written.reason + u"）。"_s;
    }
}

} // namespace

DocumentWriter::DocumentWriter(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

bool DocumentWriter::SaveTextFile(const QString &FileName, const QString &FilePath)
{
    // The text plus the final CR LF in one string, without copying the document
    // twice: the CR LF is added for the write and taken off again.
    QString text = m_frm.EditTxt->text();
    text += u"\r\n"_s;
    const TextFile::WriteResult written = TextFile::writeText(FileName, text);
    text.chop(2);
    if (!written.ok) {
        // The text module words an unwritable character with its line and column.
        const QString why = written.failIndex >= 0 ? written.reason : writeFailureReason(FileName, written);
        m_frm.platform().boxes->ask(MsgBox::warning(u"ファイル「"_s + FileName +
                                                        u"」を保存できませんでした。\r\n"_s + why +
                                                        u"\r\nディスク上のファイルは元のままです。"_s,
                                                    u"エラー"_s));
        return false;
    }
    // Only a file that is really on disk becomes the saved text.
    m_frm.values().SavedText = text;
    m_frm.FilenameLbl->setCaption(FileName);
    m_frm.ByteLbl->setCaption(sizetext::forFile(FileName));
    if (!FilePath.isEmpty())
        m_frm.filePane()->showDirectory(FilePath);
    m_frm.filePane()->refreshFiles();
    return true;
}
