#include "text/SystemError.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace syserror {

QString reason(int error, Action action)
{
    const bool folder = action == Action::Folder;
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
    case ENAMETOOLONG:
        return folder ? u"パスが長すぎます。"_s : u"ファイル名が長すぎます。"_s;
    case EINVAL:
    case EILSEQ:
        return u"このドライブでは使えないファイル名です。"_s;
    case EIO:
        return folder ? u"ドライブを読み取れません（入出力エラー）。"_s : u"ディスクの入出力エラーです。"_s;
    case ENOMEDIUM:
        return u"ドライブにメディアが入っていません。"_s;
    case ELOOP:
        return u"シンボリックリンクが循環しています。"_s;
    case EBUSY:
    case ETXTBSY:
        return u"ほかのプログラムが使用中です。"_s;
    case EMFILE:
    case ENFILE:
        return u"開いているファイルが多すぎます。"_s;
    case ENOMEM:
        return u"メモリが足りません。"_s;
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case ETIMEDOUT:
        return u"ネットワーク上のドライブに接続できません。"_s;
    case EXDEV:
        return u"別のドライブをまたいで置き換えることはできません。"_s;
    default:
        break;
    }
    return u"システムのエラーです（エラー番号 "_s + QString::number(error) + u"）。"_s;
}

} // namespace syserror
