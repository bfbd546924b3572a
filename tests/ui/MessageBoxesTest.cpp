// The real message box: Japanese button texts, the default and the Escape
// button set explicitly, the answer returned.
#include "TestRegistry.h"
#include "ui/QtInputBoxes.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

// Types into the input box once it is up, then presses the key.
void whenAsked(const QString &typed, Qt::Key key, QStringList *seen)
{
    QTimer::singleShot(0, [=] {
        QDialog *dlg = nullptr;
        for (int i = 0; i < 200 && !dlg; ++i) {
            dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dlg)
                QTest::qWait(10);
        }
        QVERIFY(dlg);
        auto *answer = dlg->findChild<QLineEdit *>(u"AnswerTxt"_s);
        QVERIFY(answer);
        *seen << dlg->windowTitle() << dlg->findChild<QLabel *>(u"PromptLbl"_s)->text();
        for (QPushButton *b : dlg->findChildren<QPushButton *>())
            *seen << b->text();
        for (const QChar c : typed) { // full-width digits too, as an input method gives them
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(answer, &press);
        }
        *seen << answer->text();
        QTest::keyClick(answer, key);
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

    void inputBoxTakesDigitsOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("answer"); // what the box holds; null for Cancel
        QTest::newRow("letters and signs refused, Enter") << u"1a-2 3"_s << int(Qt::Key_Return) << u"123"_s;
        QTest::newRow("full-width digits") << u"４２"_s << int(Qt::Key_Return) << u"４２"_s;
        QTest::newRow("Esc cancels") << u"7"_s << int(Qt::Key_Escape) << QString();
    }

    void inputBoxTakesDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, answer);
        QStringList seen;
        whenAsked(typed, Qt::Key(key), &seen);
        const std::optional<QString> got = QtInputBoxes().ask({u"行番号（1 ～ 40）："_s, u"行へ移動"_s, true});
        QCOMPARE(seen.mid(0, 4), (QStringList{u"行へ移動"_s, u"行番号（1 ～ 40）："_s, u"OK"_s, u"キャンセル"_s}));
        QCOMPARE(got.value_or(QString()), answer);
        QCOMPARE(got.has_value(), !answer.isNull());
    }
};

TESSARA_TEST_CLASS(MessageBoxesTest)
#include "MessageBoxesTest.moc"
