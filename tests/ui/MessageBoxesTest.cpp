// The real message box: Japanese button texts, the default and the Escape
// button set explicitly, the answer returned.
#include "TestRegistry.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// Runs check() on the box once it is up, then presses the key.
void whenShown(std::function<void(QMessageBox *)> check, Qt::Key key)
{
    QTimer::singleShot(0, [check, key] {
        QMessageBox *box = nullptr;
        for (int i = 0; i < 200 && !box; ++i) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *mb = qobject_cast<QMessageBox *>(w); mb && mb->isVisible())
                    box = mb;
            if (!box)
                QTest::qWait(10);
        }
        QVERIFY(box);
        check(box);
        QTest::keyClick(box, key);
    });
}

QStringList buttonTexts(QMessageBox *box)
{
    QStringList out;
    for (QAbstractButton *b : box->buttons())
        out << b->text();
    out.sort();
    return out;
}
} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT
private slots:
    void questionWithCancelAnswersCancelOnEscape()
    {
        QtMessageBoxes boxes;
        bool checked = false;
        whenShown(
            [&](QMessageBox *box) {
                QCOMPARE(box->windowTitle(), u"確認"_s);
                QCOMPARE(box->text(), u"内容が変更されています。\n保存しますか？"_s);
                QCOMPARE(box->icon(), QMessageBox::NoIcon);
                QCOMPARE(buttonTexts(box), (QStringList{u"いいえ(&N)"_s, u"はい(&Y)"_s, u"キャンセル"_s}));
                QCOMPARE(box->defaultButton()->text(), u"はい(&Y)"_s);
                QCOMPARE(box->escapeButton()->text(), u"キャンセル"_s);
                checked = true;
            },
            Qt::Key_Escape);
        const MsgAnswer a = boxes.ask({u"内容が変更されています。\r\n保存しますか？"_s, u"確認"_s,
                                       MsgButtons::YesNoCancel, MsgIcon::None, MsgAnswer::Yes});
        QVERIFY(checked);
        QCOMPARE(a, MsgAnswer::Cancel);
    }

    void questionAnswersYesOnEnter()
    {
        QtMessageBoxes boxes;
        whenShown([](QMessageBox *box) { QCOMPARE(buttonTexts(box).size(), 2); }, Qt::Key_Return);
        QCOMPARE(boxes.ask(MsgBox::question(u"編集内容を保存します。\r\nよろしいですか？"_s, u"確認"_s)),
                 MsgAnswer::Yes);
    }

    void questionAnswersNoOnEscape()
    {
        QtMessageBoxes boxes;
        whenShown([](QMessageBox *box) { QCOMPARE(box->escapeButton()->text(), u"いいえ(&N)"_s); }, Qt::Key_Escape);
        QCOMPARE(boxes.ask(MsgBox::question(u"x"_s, u"確認"_s)), MsgAnswer::No);
    }

    void noticesCarryTheirIcon()
    {
        QtMessageBoxes boxes;
        whenShown(
            [](QMessageBox *box) {
                QCOMPARE(box->icon(), QMessageBox::Warning);
                QCOMPARE(buttonTexts(box), QStringList{u"OK"_s});
            },
            Qt::Key_Return);
        QCOMPARE(boxes.ask(MsgBox::warning(u"ファイルを選択してください。"_s, u"確認"_s)), MsgAnswer::Ok);
        whenShown([](QMessageBox *box) { QCOMPARE(box->icon(), QMessageBox::Information); }, Qt::Key_Escape);
        QCOMPARE(boxes.ask(MsgBox::information(u"検索語句が見つかりません。"_s, u"検索"_s)), MsgAnswer::Ok);
    }
};

TESSARA_TEST_CLASS(MessageBoxesTest)
#include "MessageBoxesTest.moc"
