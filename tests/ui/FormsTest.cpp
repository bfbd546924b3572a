// The three windows as designed: captions, client areas, every control's place
// and size (twips / 15), tab order, names for tests and screen readers.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/SaveasFrm.h"
#include "browse/SaveasFrmDesign.h"
#include "core/TesselFrm.h"
#include "core/TesselFrmDesign.h"
#include "search/SearchFrm.h"
#include "search/SearchFrmDesign.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/LineBox.h"

#include <QAbstractButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
void checkDesign(QWidget *form, std::span<const ControlPlace> table)
{
    for (const ControlPlace &c : table) {
        const QString name = QString::fromUtf16(c.name);
        auto *w = form->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->geometry(), QRect(qRound(c.left / 15.0), qRound(c.top / 15.0), qRound(c.width / 15.0),
                                      qRound(c.height / 15.0)));
        QVERIFY2(!w->accessibleName().isEmpty() || !w->accessibleDescription().isEmpty() ||
                     !w->property("text").toString().isEmpty(),
                 qPrintable(name));
    }
    // Tab goes through the focusable controls in the designed order.
    std::vector<const ControlPlace *> order;
    for (const ControlPlace &c : table)
        order.push_back(&c);
    std::sort(order.begin(), order.end(), [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    QStringList expected;
    for (const ControlPlace *c : order) {
        auto *w = form->findChild<QWidget *>(QString::fromUtf16(c->name), Qt::FindDirectChildrenOnly);
        if (w->focusPolicy() & Qt::TabFocus)
            expected << w->objectName();
    }
    QStringList chain;
    QWidget *first = form->findChild<QWidget *>(expected.first(), Qt::FindDirectChildrenOnly);
    QWidget *w = first;
    do {
        QWidget *control = w;
        while (control && control->parentWidget() != form)
            control = control->parentWidget();
        if (control && (w->focusPolicy() & Qt::TabFocus) && (chain.isEmpty() || chain.last() != control->objectName()))
            chain << control->objectName();
        w = w->nextInFocusChain();
    } while (w != first && chain.size() < 100);
    chain.removeDuplicates();
    QCOMPARE(chain, expected);
}
} // namespace

class FormsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowAsDesigned()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        QCOMPARE(frm.windowTitle(), u"Tessara"_s);
        QCOMPARE(frm.size(), QSize(653, 604));
        checkDesign(&frm, tesselfrm::Design);
        QCOMPARE(frm.NewBtn->caption(), u"新規作成"_s);
        QCOMPARE(frm.OpenBtn->caption(), u"開く"_s);
        QCOMPARE(frm.CancelBtn->caption(), u"編集内容の破棄"_s);
        QCOMPARE(frm.SaveBtn->caption(), u"保存"_s);
        QCOMPARE(frm.SaveasBtn->caption(), u"名前を変えて保存"_s);
        QCOMPARE(frm.SearchCmd->caption(), u"検索・置換"_s);
        QCOMPARE(frm.ColorCmd->caption(), u"暗くする"_s);
        QCOMPARE(frm.ByteLbl->caption(), u"0 KB"_s);
        QCOMPARE(frm.FilenameLbl->caption(), QString());
        QCOMPARE(frm.TailCmb->text(), u"html"_s);
        QCOMPARE(frm.TailCmb->listIndex(), -1);
        QCOMPARE(frm.TailCmb->listCount(), 3);
        QCOMPARE(frm.TailCmb->list(2), u"(その他)"_s);
        QCOMPARE(frm.EditTxt->font().pointSizeF(), 11.25);
        QVERIFY(frm.EditTxt->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
    }

    void editBoxHasTheFocusFirst()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.show();
        QApplication::setActiveWindow(&frm);
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frm.EditTxt));
    }

    void saveAsDialogAsDesigned()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        SaveasFrm *dlg = frm.saveasFrm();
        QCOMPARE(dlg->windowTitle(), u"名前を変えて保存"_s);
        QCOMPARE(dlg->size(), QSize(276, 171));
        checkDesign(dlg, saveasfrm::Design);
        QCOMPARE(dlg->TailCmb->list(0), u".html"_s);
        QCOMPARE(dlg->SaveCmd->caption(), u"保存"_s);
        QCOMPARE(dlg->CancelCmd->caption(), u"キャンセル"_s);
        QVERIFY(!dlg->SaveCmd->isDefault() && !dlg->SaveCmd->autoDefault());
    }

    void searchDialogAsDesigned()
    {
        WindowFixture f;
        TesselFrm &frm = f.create();
        frm.SearchCmd_Click();
        SearchFrm *dlg = frm.searchFrm();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), u"検索・置換"_s);
        QCOMPARE(dlg->size(), QSize(352, 92));
        checkDesign(dlg, searchfrm::Design);
        QCOMPARE(dlg->SearchLbl->caption(), u"検索語句："_s);
        QCOMPARE(dlg->ReplaceLbl->caption(), u"置換語句："_s);
        for (const char16_t *n : {u"SearchCmd", u"ReSearchCmd", u"ReplaceCmd", u"AllReplaceCmd", u"CancelCmd"}) {
            auto *b = dlg->findChild<QPushButton *>(QString::fromUtf16(n));
            QVERIFY(b && !b->isDefault() && !b->autoDefault());
        }
    }
};

TESSARA_TEST_CLASS(FormsTest)
#include "FormsTest.moc"
