#include "look/HelpTexts.h"

#include <array>

using namespace Qt::StringLiterals;

namespace helptexts {
namespace {
struct Entry {
    const char16_t *control;
    const char16_t *text;
};

// "ＨＴＭＬ" and the parentheses of Dir1's text are full-width; "Ctrl+" and the
// key letters half-width. ShortCutsLbl's text is built in text() below.
constexpr std::array<Entry, Count> Entries{{
    {u"TesselFrm",
     u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"},
    {u"EditTxt", u"ここに内容を記入してください。ＨＴＭＬタグリストからタグを選択することでタグを貼り付けることができます。指定した行へ移動します。Ctrl+G"},
    {u"NewBtn", u"新規ＨＴＭＬの編集を開始します。保存していない編集内容は破棄されます。Ctrl+N"},
    {u"OpenBtn", u"選択されたファイルを開きます。保存していない編集内容は破棄されます。Ctrl+O"},
    {u"CancelBtn", u"編集内容を破棄し初期状態に戻します。Ctrl+D"},
    {u"SaveBtn", u"編集内容を保存します。同名のファイルが存在するときは上書きします。Ctrl+S"},
    {u"SaveasBtn", u"名前を指定して保存します。同名のファイルが存在するときは上書きされます。Ctrl+R"},
    {u"Dir1", u"選択されているディレクトリを変更します。ディスクドライバを変更したいときは、上のディスクドライブを変更してください。（空のドライブは選択しないでください。強制終了します）"},
    {u"File", u"ファイルを選択し、開くボタンを押すことでそのファイルを開くことができます。"},
    {u"HTMLLst", u"タグを選択しダブルクリックすることでタグを編集テキストの末尾に貼り付けることができます。"},
    {u"PresetChk", u"ここをチェックしておくことで、新規作成時にプリセット登録されている文書を出力できます。"},
    {u"ColorCmd", u"全体的な色を変更します。Ctrl+B"},
    {u"SearchCmd", u"編集内容から指定した語句を検索・置換します。Ctrl+F"},
    {u"ShortCutsLbl", nullptr},
}};

// U+FF5E (full-width tilde) between F1 and F12.
const QString ShortCutsText = u"タグリストでF1～F12を押すことでショートカットに登録できます。"_s + u"\r\n"_s +
                              u"編集ボックス内でF1～F12を押すことで貼り付けられます。"_s + u"\r\n"_s +
                              u"解除はShift+F1～F12。"_s;
} // namespace

QString text(int hoverId)
{
    if (hoverId < 0 || hoverId >= Count)
        hoverId = Default;
    const Entry &e = Entries[size_t(hoverId)];
    return e.text ? QString::fromUtf16(e.text) : ShortCutsText;
}

QString defaultText() { return text(Default); }

int idOf(QStringView control)
{
    if (control == u"DescriptionLbl")
        return Default;
    for (size_t i = 0; i < Entries.size(); ++i)
        if (control == QStringView(Entries[i].control))
            return int(i);
    return -1;
}
} // namespace helptexts
