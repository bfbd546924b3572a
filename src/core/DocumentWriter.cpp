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

// The system's words for an error, as Qt and the C library give them.
int errorOf(const QString &systemReason)
{
    // QSaveFile's own refusals first: they quote the file name.
    if (systemReason.contains(u"is not writable"_s))
        return EACCES;
    if (systemReason.contains(u"refers to a directory"_s))
        return EISDIR;
    static const int known[] = {EACCES, EPERM,   EROFS,  ENOSPC, EDQUOT, EFBIG, ENAMETOOLONG,
                                EISDIR, ENOTDIR, ENOENT, EINVAL, EILSEQ, EIO};
    for (int e : known)
        if (systemReason.contains(QString::fromLocal8Bit(std::strerror(e)), Qt::CaseInsensitive))
            return e;
    return 0;
}

// Why a write failed, in words the user can act on. Looks at the place again
// for what the system's message leaves vague.
QString writeFailureReason(const QString &path, const QString &systemReason)
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
    switch (errorOf(systemReason)) {
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
        return u"書き込めませんでした（"_s + systemReason + u"）。"_s;
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
        QString why;
        if (written.failIndex >= 0)
            why = Cp932::describeChar(written.failChar) + u" は Shift_JIS で保存できない文字です（"_s +
                  QString::number(written.failAt.line) + u" 行 "_s + QString::number(written.failAt.column) +
                  u" 列）。"_s;
        else
            why = writeFailureReason(FileName, written.reason);
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
