#include "text/SystemError.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace syserror {

QString reason(int error, Action action)
{
    const bool folder = action == Action::Folder;
    const bool write = action == Action::Write;
    switch (error) {
    case EACCES:
    case EPERM:
        switch (action) {
        case Action::Read: return u"読み込む権限がありません。"_s;
        case Action::Write: return u"書き込む権限がありません。"_s;
        case Action::Remove: return u"削除する権限がありません。"_s;
        case Action::Folder: return u"フォルダーを読み取る権限がありません。"_s;
        }
        break;
    case ENOENT:
        return folder ? u"フォルダーが見つかりません。"_s : u"ファイルが見つかりません。"_s;
    case ENOTDIR:
        return folder ? u"フォルダーが見つかりません。"_s : u"パスの途中にフォルダーではないものがあります。"_s;
    case EISDIR:
        return u"同じ名前のフォルダーがあります。"_s;
    case EROFS:
        return u"読み取り専用のドライブです。"_s;
    case ENOSPC:
        return u"ディスクの空き容量が足りません。"_s;
    case EDQUOT:
        return u"ディスクの使用量の上限を超えます。"_s;
    case EFBIG:
        return action == Action::Read ? u"ファイルが大きすぎて読み込めません。"_s
                                      : u"ファイルが大きすぎて書き込めません（ファイルサイズの上限を超えます）。"_s;
    case EOVERFLOW:
        return u"ファイルが大きすぎてこのシステムでは扱えません。"_s;
    case ENAMETOOLONG:
        return folder ? u"パスが長すぎます。"_s : u"ファイル名が長すぎます。"_s;
    case EINVAL:
    case EILSEQ:
        return u"このドライブでは使えないファイル名です。"_s;
    case EIO:
    case EREMOTEIO:
        return folder ? u"ドライブを読み取れません（入出力エラー）。"_s : u"ディスクの入出力エラーです。"_s;
    case EUCLEAN:
    case EBADMSG:
        return u"ドライブのファイルシステムが壊れています（ファイルシステムの検査が必要です）。"_s;
    case ENOMEDIUM:
        return u"ドライブにメディアが入っていません。"_s;
    case ELOOP:
        return u"シンボリックリンクが循環しています。"_s;
    case EBUSY:
    case ETXTBSY:
        return u"ほかのプログラムが使用中です。"_s;
    case EAGAIN:
    case ENOLCK:
    case EDEADLK:
        return u"ほかのプログラムがファイルを使用中です（ロックされています）。"_s;
    case EMFILE:
    case ENFILE:
        return u"開いているファイルが多すぎます。"_s;
    case ENOMEM:
    case ENOBUFS:
        return u"メモリが足りません。"_s;
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ENETRESET:
    case ECONNABORTED:
    case ECONNRESET:
    case ECONNREFUSED:
    case ETIMEDOUT:
    case ENOLINK:
    case ECOMM:
        return u"ネットワーク上のドライブに接続できません。"_s;
    case EXDEV:
        return u"別のドライブをまたいで置き換えることはできません。"_s;
    case ENXIO:
    case ENODEV:
        return u"ファイルではなく、デバイスかソケットです（相手のいないデバイスやソケットは開けません）。"_s;
    case ESPIPE:
    case EPIPE:
        return u"ファイルではなく、パイプかソケットです。"_s;
    case EEXIST:
        return u"同じ名前のファイルがすでにあります。"_s;
    case ENOTEMPTY:
        return u"フォルダーが空ではありません。"_s;
    case EMLINK:
        return u"ファイルへのリンクが多すぎます。"_s;
    case EINTR:
    case ECANCELED:
        return u"操作が中断されました。"_s;
    case EOPNOTSUPP:
    case ENOSYS:
    case ENOTTY:
        return write ? u"このドライブではこの方法で書き込めません。"_s : u"このドライブではこの方法で読み込めません。"_s;
    case ENOKEY:
    case EKEYEXPIRED:
    case EKEYREVOKED:
    case EKEYREJECTED:
        return u"暗号化されたフォルダーの鍵がありません（ロックが解除されていません）。"_s;
    case ENODATA:
        return u"ファイルのデータを読み取れません。"_s;
    case EBADF:
    case EFAULT:
        return u"プログラムの内部のエラーです。"_s;
    default:
        break;
    }
    // A number this table does not know: the system's own name for it
    // (EPROTO, ...) tells a maintainer what happened; the user reads Japanese.
    const char *name = ::strerrorname_np(error);
    return name ? u"システムがこの操作を受け付けませんでした（"_s + QString::fromLatin1(name) + u"）。"_s
                : u"システムがこの操作を受け付けませんでした（原因は不明です）。"_s;
}

QString notAFile(unsigned fileType, Action action)
{
    if (action == Action::Write) {
        switch (fileType) {
        case S_IFDIR: return u"同じ名前のフォルダーがあります。"_s;
        case S_IFIFO: return u"名前付きパイプ（FIFO）には保存できません。"_s;
        case S_IFSOCK: return u"ソケットには保存できません。"_s;
        case S_IFCHR: return u"デバイス（キャラクタデバイス）には保存できません。"_s;
        case S_IFBLK: return u"デバイス（ブロックデバイス）には保存できません。"_s;
        default: return u"通常のファイルではないため保存できません。"_s;
        }
    }
    switch (fileType) {
    case S_IFDIR: return u"ファイルではなくフォルダーです。"_s;
    case S_IFIFO: return u"ファイルではなく名前付きパイプ（FIFO）です。"_s;
    case S_IFSOCK: return u"ファイルではなくソケットです。"_s;
    case S_IFCHR:
    case S_IFBLK: return u"ファイルではなくデバイスです。"_s;
    default: return u"通常のファイルではありません。"_s;
    }
}

} // namespace syserror
