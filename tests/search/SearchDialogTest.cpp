// Opening, hiding and unloading the dialog, what its edits leave behind
// (undo, the saved state), and searching a text with line breaks of every kind.
#include "SearchWindow.h"
#include "TestRegistry.h"
#include "search/SearchRules.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/LineBox.h"

#include <QRandomGenerator>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;
using namespace searchboxes;

class SearchDialogTest : public QObject
{
    Q_OBJECT

  private slots:
    void opensModelessWithEmptyWords()
    {
        SearchWindow w;
        QVERIFY(!w.frm.searchFrm());
        QVERIFY(w.open());
        QVERIFY(w.dlg->isVisible());
        QVERIFY(w.dlg->isEnabled());
        QVERIFY(w.dlg->isWindow());
        QCOMPARE(w.dlg->windowTitle(), u"検索・置換"_s);
        QVERIFY(w.frm.isEnabled());
        QVERIFY(w.frm.EditTxt->isEnabled());
        QCOMPARE(w.dlg->SearchTxt->text(), QString());
        QCOMPARE(w.dlg->ReplaceTxt->text(), QString());
        QCOMPARE(w.dlg->HitSelected(), qint16(0));
    }

    void openingAgainWhileShownChangesNothing()
    {
        SearchWindow w;
        QVERIFY(w.open());
        w.setDocument(u"ab ab"_s);
        w.dlg->SearchTxt->setText(u"ab"_s);
        w.dlg->ReplaceTxt->setText(u"X"_s);
        w.dlg->SearchCmd->click();
        SearchFrm *first = w.dlg;

        w.frm.SearchCmd_Click();
        QCOMPARE(w.frm.searchFrm(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->SearchTxt->text(), u"ab"_s);
        QCOMPARE(first->ReplaceTxt->text(), u"X"_s);
        QCOMPARE(first->HitSelected(), qint16(1));
        QCOMPARE(w.frm.EditTxt->selStart(), qsizetype(0));
        QCOMPARE(w.frm.EditTxt->selLength(), qsizetype(2));
        VERIFY_BOXES(w.fixture.boxes);
    }

    void cancelHidesAndKeepsTheWords()
    {
        SearchWindow w;
        QVERIFY(w.open());
        w.setDocument(u"ab ab"_s);
        w.dlg->SearchTxt->setText(u"ab"_s);
        w.dlg->ReplaceTxt->setText(u"X"_s);
        w.dlg->SearchCmd->click();
        SearchFrm *first = w.dlg;

        first->CancelCmd->click();
        QVERIFY(!first->isVisible());
        QVERIFY(!first->isEnabled());
        QCOMPARE(first->HitSelected(), qint16(0));
        QVERIFY(w.frm.isEnabled());

        w.frm.SearchCmd_Click();
        QCOMPARE(w.frm.searchFrm(), first);
        QVERIFY(first->isVisible());
        QVERIFY(first->isEnabled());
        QCOMPARE(first->SearchTxt->text(), u"ab"_s);
        QCOMPARE(first->ReplaceTxt->text(), u"X"_s);
        // With no hit the search starts at the caret and finds the same occurrence.
        first->SearchCmd->click();
        QCOMPARE(w.frm.EditTxt->selStart(), qsizetype(0));
        QCOMPARE(w.frm.EditTxt->selLength(), qsizetype(2));
        VERIFY_BOXES(w.fixture.boxes);
    }

    void closeBoxUnloadsTheDialog()
    {
        SearchWindow w;
        QVERIFY(w.open());
        w.setDocument(u"ab ab"_s);
        w.dlg->SearchTxt->setText(u"ab"_s);
        w.dlg->ReplaceTxt->setText(u"X"_s);
        w.dlg->SearchCmd->click();
        QCOMPARE(w.dlg->HitSelected(), qint16(1));

        QVERIFY(w.dlg->windowHandle());
        w.dlg->windowHandle()->close(); // what the frame's close box does
        QTRY_VERIFY(!w.frm.searchFrm());
        QVERIFY(w.frm.isVisible());
        QCOMPARE(w.frm.EditTxt->text(), u"ab ab"_s);

        w.frm.SearchCmd_Click();
        SearchFrm *again = w.frm.searchFrm();
        QVERIFY(again);
        QVERIFY(again->isVisible());
        QCOMPARE(again->SearchTxt->text(), QString());
        QCOMPARE(again->ReplaceTxt->text(), QString());
        QCOMPARE(again->HitSelected(), qint16(0));
        // The reloaded dialog works on the same edit box.
        again->SearchTxt->setText(u"ab"_s);
        again->SearchCmd->click();
        again->SearchCmd->click();
        QCOMPARE(w.frm.EditTxt->selStart(), qsizetype(3));
        VERIFY_BOXES(w.fixture.boxes);
    }

    void replacementsLeaveSavedStateAlone_data()
    {
        QTest::addColumn<QChar>("press");
        QTest::newRow("置換") << QChar(u'R');
        QTest::newRow("全て置換") << QChar(u'A');
    }

    void replacementsLeaveSavedStateAlone()
    {
        QFETCH(QChar, press);
        SearchWindow w;
        QVERIFY(w.open());
        w.setDocument(u"ab ab"_s);
        w.fixture.values.SavedText = u"ab ab"_s;
        w.frm.ByteLbl->setCaption(u"1 KB"_s);
        w.frm.FilenameLbl->setCaption(u"/tmp/a.html"_s);
        w.dlg->SearchTxt->setText(u"ab"_s);
        w.dlg->ReplaceTxt->setText(u"X"_s);
        if (press == u'A') {
            w.fixture.boxes.expect(replaceAllQuestion(), MsgAnswer::Yes);
            w.dlg->AllReplaceCmd->click();
        } else {
            w.dlg->ReplaceCmd->click();
        }
        VERIFY_BOXES(w.fixture.boxes);
        QVERIFY(w.frm.EditTxt->text() != u"ab ab"_s);
        QCOMPARE(w.fixture.values.SavedText, u"ab ab"_s);
        QCOMPARE(w.frm.ByteLbl->caption(), u"1 KB"_s);
        QCOMPARE(w.frm.FilenameLbl->caption(), u"/tmp/a.html"_s);
    }

    // Replacements are edits of the document: one undo takes one back, and
    // what was typed before stays in the history.
    void undoTakesBackTheReplacement_data()
    {
        QTest::addColumn<QChar>("press");
        QTest::addColumn<QString>("replaced");
        QTest::newRow("置換") << QChar(u'R') << u"X\r\nab ab!"_s;
        QTest::newRow("全て置換") << QChar(u'A') << u"X\r\nX X!"_s;
    }

    void undoTakesBackTheReplacement()
    {
        QFETCH(QChar, press);
        QFETCH(QString, replaced);
        SearchWindow w;
        QVERIFY(w.open());
        EditBox *edit = w.frm.EditTxt;
        w.setDocument(u"ab\r\nab ab"_s, 9);
        QTest::keyClicks(edit, u"!"_s);
        QCOMPARE(edit->text(), u"ab\r\nab ab!"_s);
        edit->setSelStart(0);
        w.dlg->SearchTxt->setText(u"ab"_s);
        w.dlg->ReplaceTxt->setText(u"X"_s);
        if (press == u'A')
            w.fixture.boxes.expect(replaceAllQuestion(), MsgAnswer::Yes);
        (press == u'A' ? w.dlg->AllReplaceCmd : w.dlg->ReplaceCmd)->click();
        VERIFY_BOXES(w.fixture.boxes);
        QCOMPARE(edit->text(), replaced);

        edit->undo();
        QCOMPARE(edit->text(), u"ab\r\nab ab!"_s);
        edit->undo();
        QCOMPARE(edit->text(), u"ab\r\nab ab"_s);
        edit->redo();
        edit->redo();
        QCOMPARE(edit->text(), replaced);
    }

    // Each command searches the document as it is when the command runs,
    // however it was changed since the last one.
    void searchesTheDocumentAsItIsNow_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("now");
        QTest::addColumn<qsizetype>("found");
        QTest::newRow("typed by hand") << u"type"_s << u"abxx ab"_s << qsizetype(0);
        QTest::newRow("typing undone") << u"undo"_s << u"xx ab"_s << qsizetype(3);
        QTest::newRow("pasted") << u"paste"_s << u"abxx ab"_s << qsizetype(0);
        QTest::newRow("a new document") << u"load"_s << u"yy yy ab"_s << qsizetype(6);
    }

    void searchesTheDocumentAsItIsNow()
    {
        QFETCH(QString, change);
        QFETCH(QString, now);
        QFETCH(qsizetype, found);
        SearchWindow w;
        w.frm.SearchCmd_Click();
        SearchFrm *dlg = w.frm.searchFrm();
        EditBox *edit = w.frm.EditTxt;
        w.setDocument(u"xx ab"_s);
        if (change == u"undo"_s)
            QTest::keyClicks(edit, u"ab"_s);
        edit->setSelStart(0);
        dlg->SearchTxt->setText(u"ab"_s);
        dlg->SearchCmd_Click();
        QCOMPARE(edit->selStart(), change == u"undo"_s ? qsizetype(0) : qsizetype(3));

        edit->setSelStart(0);
        if (change == u"type"_s)
            QTest::keyClicks(edit, u"ab"_s);
        else if (change == u"undo"_s)
            edit->undo();
        else if (change == u"paste"_s)
            edit->insertPlainText(u"ab"_s);
        else
            edit->setText(u"yy yy ab"_s);
        QCOMPARE(edit->text(), now);
        edit->setSelStart(0);
        dlg->SearchTxt->clear();
        dlg->SearchTxt->setText(u"ab"_s);
        dlg->SearchCmd_Click();
        QCOMPARE(edit->selStart(), found);
        QCOMPARE(edit->selLength(), qsizetype(2));
        VERIFY_BOXES(w.fixture.boxes);
    }

    // The edit box keeps its lines apart from its characters; the dialog must
    // find and replace exactly what it would find in the text with CR LF.
    void matchesTheTextWithItsLineBreaks()
    {
        SearchWindow w;
        w.frm.SearchCmd_Click();
        SearchFrm *dlg = w.frm.searchFrm();
        QVERIFY(dlg);
        EditBox *edit = w.frm.EditTxt;
        QRandomGenerator gen(20240607);
        const QStringList pieces{u"a"_s, u"b"_s, u"あ"_s, u"\r\n"_s, u"\r"_s, u"\n"_s, u"\r\n"_s};
        const QStringList words{u"a"_s, u"b"_s, u"ab"_s, u"ba"_s, u"aa"_s, u"あa"_s, u"bあb"_s, u"aba"_s};
        const QStringList withs{QString(), u"x"_s, u"aab"_s, u"\u3042\u3044"_s};

        for (int round = 0; round < 400; ++round) {
            QString text;
            const int n = gen.bounded(30);
            for (int i = 0; i < n; ++i)
                text += pieces[gen.bounded(int(pieces.size()))];
            const QString word = words[gen.bounded(int(words.size()))];
            const QString with = withs[gen.bounded(int(withs.size()))];
            edit->setText(text);
            QCOMPARE(edit->text(), text);
            // A caret position the edit box can hold: never inside a CR LF.
            qsizetype s = gen.bounded(int(text.size() + 1));
            if (s > 0 && s < text.size() && text[s - 1] == u'\r' && text[s] == u'\n')
                --s;
            dlg->SearchTxt->clear();
            dlg->SearchTxt->setText(word);
            dlg->ReplaceTxt->setText(with);
            const QString where = u"text "_s +
                                  QString::fromLatin1(QByteArray(text.toUtf8()).toPercentEncoding()) +
                                  u" word "_s + word + u" caret "_s + QString::number(s);

            const int command = gen.bounded(3);
            edit->setSelStart(s);
            QCOMPARE(edit->selStart(), s);
            if (command == 0) {
                const qsizetype q = searchrules::findFrom(text, word, s);
                if (q < 0)
                    w.fixture.boxes.expect(notFound(u"検索"_s), MsgAnswer::Ok);
                dlg->SearchCmd_Click();
                VERIFY_BOXES(w.fixture.boxes);
                QVERIFY2(edit->selStart() == (q < 0 ? s : q), qPrintable(where));
                QVERIFY2(edit->selLength() == (q < 0 ? 0 : word.size()), qPrintable(where));
                // And once more from one past that hit.
                if (q >= 0) {
                    const qsizetype next = searchrules::findFrom(text, word, q + 1);
                    if (next < 0)
                        w.fixture.boxes.expect(notFound(u"検索"_s), MsgAnswer::Ok);
                    dlg->SearchCmd_Click();
                    VERIFY_BOXES(w.fixture.boxes);
                    if (next >= 0)
                        QVERIFY2(edit->selStart() == next, qPrintable(where));
                }
            } else if (command == 1) {
                const qsizetype q = s == 0 ? -1 : searchrules::findBefore(text, word, s);
                if (q < 0)
                    w.fixture.boxes.expect(notFound(u"逆検索"_s), MsgAnswer::Ok);
                dlg->ReSearchCmd_Click();
                VERIFY_BOXES(w.fixture.boxes);
                QVERIFY2(edit->selStart() == (q < 0 ? s : q), qPrintable(where));
                QVERIFY2(edit->selLength() == (q < 0 ? 0 : word.size()), qPrintable(where));
            } else {
                const bool occurs = searchrules::findFrom(text, word, 0) >= 0;
                if (occurs)
                    w.fixture.boxes.expect(replaceAllQuestion(), MsgAnswer::Yes);
                else
                    w.fixture.boxes.expect(notFound(u"全置換"_s), MsgAnswer::Ok);
                dlg->AllReplaceCmd_Click();
                VERIFY_BOXES(w.fixture.boxes);
                QVERIFY2(edit->text() == searchrules::replaceAll(text, word, with), qPrintable(where));
                if (occurs)
                    QCOMPARE(edit->selStart(), qsizetype(0));
            }
        }
    }
};

TESSARA_TEST_CLASS(SearchDialogTest)
#include "SearchDialogTest.moc"
