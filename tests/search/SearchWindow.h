#pragma once
// A main window in its own start directory with its search dialog opened the
// way the user opens it, both shown, for tests of the dialog's commands.
#include "WindowFixture.h"
#include "search/SearchFrm.h"
#include "ui/EditBox.h"
#include "ui/LineBox.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QTest>

class SearchWindow
{
  public:
    SearchWindow() : frm(fixture.create()) {}

    // Shows the main window, opens the dialog through the main window's
    // command and makes the dialog the active window. False when the window
    // system did not activate the windows.
    [[nodiscard]] bool open()
    {
        frm.show();
        frm.activateWindow();
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == &frm; }))
            return false;
        frm.SearchCmd_Click();
        dlg = frm.searchFrm();
        if (!dlg)
            return false;
        return activateDialog();
    }

    [[nodiscard]] bool activateDialog()
    {
        dlg->activateWindow();
        // The dialog's own activation: its platform window counts as active
        // already while the main window, its transient parent, is.
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == dlg; }))
            return false;
        dlg->SearchTxt->setFocus();
        return QApplication::focusWidget() == dlg->SearchTxt;
    }

    // The edit text with the caret at caret and length characters selected.
    void setDocument(const QString &text, qsizetype caret = 0, qsizetype length = 0)
    {
        frm.EditTxt->setText(text);
        frm.EditTxt->setSelStart(caret);
        frm.EditTxt->setSelLength(length);
    }

    bool editTxtHasFocus() const
    {
        return QApplication::focusWidget() == frm.EditTxt && QApplication::activeWindow() == &frm;
    }
    bool dialogHasFocus() const
    {
        QWidget *w = QApplication::focusWidget();
        return w && w->window() == dlg && QApplication::activeWindow() == dlg;
    }

    WindowFixture fixture;
    TesselFrm &frm;
    SearchFrm *dlg = nullptr;
};

// The dialog's message boxes, spelled out.
namespace searchboxes
{
inline MsgBox emptyWord(const QString &title)
{
    return {QStringLiteral("検索語句を入力してください。"), title, MsgButtons::Ok, MsgIcon::Exclamation,
            MsgAnswer::Ok};
}
inline MsgBox notFound(const QString &title)
{
    return {QStringLiteral("検索語句が見つかりません。"), title, MsgButtons::Ok, MsgIcon::Information,
            MsgAnswer::Ok};
}
inline MsgBox replaceAllQuestion()
{
    return {QStringLiteral("全置換を実行します。\r\nアンドゥはできませんがよろしいですか？"),
            QStringLiteral("全置換"), MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes};
}
} // namespace searchboxes
