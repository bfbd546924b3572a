// The edit box as the program sees it: CR LF text and positions that count a
// line break as two characters, lone CR and LF kept, key and mouse events.
#include "AddressSpaceLimit.h"
#include "TestRegistry.h"
#include "ui/EditBox.h"

#include <QKeyEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QPlainTextDocumentLayout>

using namespace Qt::StringLiterals;

class EditBoxTest : public QObject {
    Q_OBJECT
private slots:
    void textComesBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("one line") << u"<p>段落</p>"_s;
        QTest::newRow("CR LF lines") << u"a\r\nb\r\nc"_s;
        QTest::newRow("final CR LF") << u"a\r\n"_s;
        QTest::newRow("only breaks") << u"\r\n\r\n"_s;
        QTest::newRow("lone LF") << u"a\nb"_s;
        QTest::newRow("lone CR") << u"a\rb"_s;
        QTest::newRow("LF CR is not a break pair") << u"a\n\rb"_s;
        QTest::newRow("CR CR LF") << u"a\r\r\nb"_s;
        QTest::newRow("kept invalid byte") << (u"x"_s + QChar(0xDC81) + u"y"_s);
        QTest::newRow("tab and ideographic space") << u"\t\u3000x"_s;
        // Characters a page may hold that the document keeps as stand-ins,
        // next to the lone line ends those stand-ins also serve.
        QTest::newRow("line separator beside a lone LF") << u"a\u2028b\nc"_s;
        QTest::newRow("paragraph separator beside a break") << u"a\u2029b\r\nc"_s;
        QTest::newRow("private character beside a lone CR") << u"\uF8FE\r\uF8FE"_s;
        QTest::newRow("noncharacters the document takes for frames") << u"\uFDD0x\uFDD1"_s;
    }
    void textComesBackExactly()
    {
        QFETCH(QString, text);
        EditBox box;
        box.setText(text);
        QCOMPARE(box.text(), text);
        QCOMPARE(box.textLength(), text.size());
        QVERIFY(box.textEquals(text));
    }

    // The comparison in place tells the texts apart that text() tells apart:
    // texts of the same length whose line ends or stand-ins differ.
    void comparisonInPlaceSeesEveryDifference_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("other");
        QTest::newRow("lone CR, lone LF") << u"a\rb"_s << u"a\nb"_s;
        QTest::newRow("lone LF, line separator") << u"a\nb"_s << u"a\u2028b"_s;
        QTest::newRow("lone CR, private character") << u"a\rb"_s << u"a\uF8FEb"_s;
        QTest::newRow("paragraph separator, lone CR") << u"a\u2029b"_s << u"a\rb"_s;
        QTest::newRow("CR LF, LF CR") << u"a\r\nb"_s << u"a\n\rb"_s;
        QTest::newRow("CR LF, two characters") << u"a\r\nb"_s << u"axyb"_s;
        QTest::newRow("a final CR LF") << u"a\r\n"_s << u"a"_s;
        QTest::newRow("one character in the last line") << u"x\r\nabc"_s << u"x\r\nabd"_s;
        QTest::newRow("empty, one character") << QString() << u"x"_s;
        QTest::newRow("empty line, empty") << u"\r\n"_s << QString();
    }
    void comparisonInPlaceSeesEveryDifference()
    {
        QFETCH(QString, held);
        QFETCH(QString, other);
        EditBox box;
        box.setText(held);
        QVERIFY(!box.textEquals(other));
        box.setText(other);
        QVERIFY(!box.textEquals(held));
        // Put in a character at a time (fragments of their own), the text still equals itself.
        box.setText(QString());
        for (const QChar ch : other)
            box.replaceRange(box.textLength(), 0, QString(ch));
        QCOMPARE(box.text(), other);
        QVERIFY(box.textEquals(other));
        QVERIFY(!box.textEquals(held));
    }

    // A large text goes in in pieces, with progress, and comes back exactly:
    // no piece ends between a CR and its LF, none breaks a line.
    void largeTextLoadsInPiecesExactly_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::newRow("CR LF lines") << (QString(1000, u'行') + u"\r\n"_s);
        QTest::newRow("lone line ends, converted first") << (QString(1000, u'a') + u"\nb\rc\r\n"_s);
        QTest::newRow("a piece ends between CR and LF")
            << (QString(EditBox::LoadPiece - 1, u'x') + u"\r\n"_s);
    }
    void largeTextLoadsInPiecesExactly()
    {
        QFETCH(QString, unit);
        const QString text = unit.repeated((EditBox::LoadInPiecesFrom + 2 * EditBox::LoadPiece) / unit.size());
        EditBox box;
        QList<qsizetype> steps;
        box.setText(text, [&](qsizetype done, qsizetype total) {
            QVERIFY(done <= total && total <= text.size()); // the document's text, breaks counted once
            steps << done;
        });
        QVERIFY(steps.size() >= 4);
        QVERIFY(std::is_sorted(steps.cbegin(), steps.cend()));
        QVERIFY(box.text() == text);
        QVERIFY(box.textEquals(text));
        QVERIFY(!box.document()->isUndoAvailable());
    }

    void lineBreakCountsTwoInPositions()
    {
        EditBox box;
        box.setText(u"ab\r\ncd\r\n\r\nef"_s);
        // Every position of the text maps to a place in the document and back.
        const QString t = box.text();
        for (qsizetype p = 0; p <= t.size(); ++p) {
            const bool insideBreak = p > 0 && t[p - 1] == u'\r' && p < t.size() && t[p] == u'\n';
            box.setSelStart(p);
            QCOMPARE(box.selStart(), insideBreak ? p - 1 : p);
        }
        box.setSelStart(4);
        box.setSelLength(6);
        QCOMPARE(box.selStart(), qsizetype(4));
        QCOMPARE(box.selLength(), qsizetype(6));
        QCOMPARE(box.textCursor().selectedText(), u"cd\u2029\u2029"_s);
    }

    void positionsMatchTheTextOnRandomDocuments()
    {
        QRandomGenerator rng(42);
        const QString alphabet = u"ab\r\n\r\nあ\n\r"_s;
        for (int round = 0; round < 30; ++round) {
            QString text;
            const int len = rng.bounded(0, 200);
            for (int i = 0; i < len; ++i)
                text += alphabet[rng.bounded(alphabet.size())];
            EditBox box;
            box.setText(text);
            QCOMPARE(box.text(), text);
            for (int k = 0; k < 20; ++k) {
                const qsizetype p = rng.bounded(int(text.size()) + 1);
                const qsizetype d = box.toDocumentPosition(p);
                const bool insideBreak = p > 0 && p < text.size() && text[p - 1] == u'\r' && text[p] == u'\n';
                QCOMPARE(box.fromDocumentPosition(d), insideBreak ? p - 1 : p);
            }
        }
    }

    void positionsPastTheEndGoToTheEnd()
    {
        EditBox box;
        box.setText(u"ab\r\ncd"_s);
        box.setSelStart(100);
        QCOMPARE(box.selStart(), qsizetype(6));
        box.setSelStart(1);
        box.setSelLength(100);
        QCOMPARE(box.selLength(), qsizetype(5));
    }

    void replaceRangeIsAnUndoableEdit()
    {
        EditBox box;
        box.setText(u"one\r\ntwo\r\nthree"_s);
        box.replaceRange(5, 3, u"2\r\n2"_s);
        QCOMPARE(box.text(), u"one\r\n2\r\n2\r\nthree"_s);
        box.undo();
        QCOMPARE(box.text(), u"one\r\ntwo\r\nthree"_s);
        box.replaceAllText(u"x\ny"_s);
        QCOMPARE(box.text(), u"x\ny"_s);
        QCOMPARE(box.selStart(), qsizetype(0));
        box.undo();
        QCOMPARE(box.text(), u"one\r\ntwo\r\nthree"_s);
    }

    void typedLineBreaksAreCrLf()
    {
        EditBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClicks(&box, u"a"_s);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, u"b"_s);
        QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(&box, u"c"_s);
        QCOMPARE(box.text(), u"a\r\nb\r\nc"_s);
    }

    void keyEventsCarryTheCodeAndTheModifierMask()
    {
        EditBox box;
        QSignalSpy down(&box, &EditBox::KeyDown);
        QSignalSpy up(&box, &EditBox::KeyUp);
        QTest::keyPress(&box, Qt::Key_S, Qt::ControlModifier);
        QTest::keyRelease(&box, Qt::Key_S, Qt::ControlModifier);
        QTest::keyPress(&box, Qt::Key_F5, Qt::ShiftModifier | Qt::AltModifier);
        // The modifier keys themselves are keys too (Ctrl 17, Shift 16, Alt 18).
        QCOMPARE(down.size(), 5);
        QCOMPARE(down[0], (QVariantList{17, 2}));
        QCOMPARE(down[1], (QVariantList{83, 2}));
        QCOMPARE(down[4], (QVariantList{116, 5}));
        QCOMPARE(up.first(), (QVariantList{83, 2}));
    }

    void autoRepeatedReleaseIsNoKeyUp()
    {
        EditBox box;
        QSignalSpy down(&box, &EditBox::KeyDown);
        QSignalSpy up(&box, &EditBox::KeyUp);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, QString(), i > 0);
            QCoreApplication::sendEvent(&box, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier, QString(), i < 2);
            QCoreApplication::sendEvent(&box, &release);
        }
        QCOMPARE(down.size(), 3); // auto-repeated presses are key-downs
        QCOMPARE(up.size(), 1);   // only the real release
    }

    void unmarkedRepeatOfAHeldKeyIsNoKeyUp()
    {
        // X sends a held key as release/press pairs with one time stamp; the
        // release may come without Qt's auto-repeat mark.
        EditBox box;
        QSignalSpy up(&box, &EditBox::KeyUp);
        auto send = [&](QEvent::Type type, quint64 time) {
            QKeyEvent e(type, Qt::Key_S, Qt::ControlModifier, 39, 115, 4, u"s"_s, false);
            e.setTimestamp(time);
            QCoreApplication::sendEvent(&box, &e);
        };
        send(QEvent::KeyPress, 1000);
        for (quint64 t = 1500; t < 1800; t += 100) {
            send(QEvent::KeyRelease, t);
            send(QEvent::KeyPress, t);
        }
        QTest::qWait(100);
        QCOMPARE(up.size(), 0);
        send(QEvent::KeyRelease, 2000); // the real release
        QTRY_COMPARE(up.size(), 1);
        QCOMPARE(up[0], (QVariantList{83, 2}));
        // A release is raised before any later key goes down.
        send(QEvent::KeyPress, 3000);
        send(QEvent::KeyRelease, 3100);
        QSignalSpy down(&box, &EditBox::KeyDown);
        connect(&box, &EditBox::KeyDown, &box, [&] { QCOMPARE(up.size(), 2); });
        QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 97, 0, u"a"_s, false);
        other.setTimestamp(3150);
        QCoreApplication::sendEvent(&box, &other);
        QCOMPARE(down.size(), 1);
    }

    // Keys struck by a program (xdotool, macro tools) arrive as one burst, the
    // modifier often let go before the letter: such a key keeps the modifiers
    // it went down with. A person who lets go of Ctrl first runs nothing.
    void instantChordKeepsItsModifiers_data()
    {
        QTest::addColumn<quint64>("held"); // ms between the letter's press and release
        QTest::addColumn<int>("expectedMask");
        QTest::newRow("one time stamp") << quint64(0) << 2;
        QTest::newRow("a burst") << quint64(12) << 2;
        QTest::newRow("a finger") << quint64(90) << 0;
    }
    void instantChordKeepsItsModifiers()
    {
        QFETCH(quint64, held);
        QFETCH(int, expectedMask);
        EditBox box;
        QSignalSpy up(&box, &EditBox::KeyUp);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, 39, 115, 4, u"s"_s, false);
        press.setTimestamp(5000);
        QCoreApplication::sendEvent(&box, &press);
        QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 37, 0, 0, QString(), false);
        ctrlUp.setTimestamp(5000 + held / 2);
        QCoreApplication::sendEvent(&box, &ctrlUp);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_S, Qt::NoModifier, 39, 115, 0, u"s"_s, false);
        release.setTimestamp(5000 + held);
        QCoreApplication::sendEvent(&box, &release);
        QTRY_COMPARE(up.size(), 2);
        QCOMPARE(up[1], (QVariantList{83, expectedMask}));
    }

    // Inside the program a copy keeps lone line ends and separators exactly;
    // text from elsewhere has its lines end in CR LF and keeps its separators.
    void pastedAndTypedTextKeepsItsCharacters()
    {
        EditBox box;
        box.setText(u"a\nb\rc\u2028d"_s);
        box.selectAll();
        box.copy();
        box.setSelStart(box.textLength());
        box.paste();
        QCOMPARE(box.text(), u"a\nb\rc\u2028da\nb\rc\u2028d"_s);

        box.setText(QString());
        QGuiApplication::clipboard()->setText(u"x\ny\u2028z\r\n"_s);
        box.paste();
        QCOMPARE(box.text(), u"x\r\ny\u2028z\r\n"_s);

        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, u"\u2028"_s);
        QCoreApplication::sendEvent(&box, &typed);
        QCOMPARE(box.text(), u"x\r\ny\u2028z\r\n\u2028"_s);
        box.undo();
        QCOMPARE(box.text(), u"x\r\ny\u2028z\r\n"_s);
    }

    // A paste that memory cannot hold pastes nothing and says so; the box goes on.
    void pasteWithoutTheMemoryPastesNothing()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer's allocator ends the program where an allocation would fail");
#endif
        EditBox box;
        box.setText(u"kept\r\ntext"_s);
        QSignalSpy failed(&box, &EditBox::outOfMemory);
        QGuiApplication::clipboard()->setText(u"line\n"_s.repeated(16 << 20)); // 160 MB
        {
            const AddressSpaceLimit limit(64 << 20);
            QVERIFY(limit.ok());
            box.paste();
        }
        QGuiApplication::clipboard()->clear();
        QCOMPARE(failed.size(), 1);
        QCOMPARE(box.text(), u"kept\r\ntext"_s);
    }

    void replacementsAreOneEdit()
    {
        EditBox box;
        box.setText(u"A\U0001F600B\r\nC\u2028"_s);
        box.replaceRanges({{1, 2, u"&#x1F600;"_s}, {7, 1, u"&#x2028;"_s}});
        QCOMPARE(box.text(), u"A&#x1F600;B\r\nC&#x2028;"_s);
        box.undo();
        QCOMPARE(box.text(), u"A\U0001F600B\r\nC\u2028"_s);
    }

    // Long lines wrap at the box's width, inside a word longer than a line
    // too, with no horizontal scroll bar; positions do not change.
    void longLinesWrapAtTheBoxsWidth()
    {
        EditBox box;
        const QString word(300, u'w');
        box.setText(u"short\r\n"_s + word + u" and more words"_s);
        box.resize(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTRY_VERIFY(box.document()->findBlockByNumber(1).layout()->lineCount() > 2);
        QVERIFY(!box.horizontalScrollBar()->isVisible());
        QCOMPARE(box.horizontalScrollBar()->maximum(), 0);
        box.setSelStart(7 + 300);
        QCOMPARE(box.selStart(), qsizetype(307));
        QCOMPARE(box.textCursor().positionInBlock(), 300);
    }

    // Wrapping follows a new width: at once for a page of a few lines, once
    // the resizing has stopped for a page of many.
    void wrappingFollowsANewWidth_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("a few lines") << 2;
        QTest::newRow("many lines") << 30000;
    }
    void wrappingFollowsANewWidth()
    {
        QFETCH(int, lines);
        EditBox box;
        box.setText(QString(300, u'w') + u"\r\nb"_s.repeated(lines - 1));
        box.resize(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTextLayout *first = box.document()->firstBlock().layout();
        QTRY_VERIFY(first->lineCount() > 1);
        const int narrow = first->lineCount();
        box.resize(420, 100);
        QTRY_VERIFY(first->lineCount() > 0 && first->lineCount() < narrow);
        QCOMPARE(box.text().left(300), QString(300, u'w'));
    }

    void mouseMoveIsRaisedOverTheText()
    {
        EditBox box;
        box.resize(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy move(&box, &EditBox::MouseMove);
        QTest::mouseMove(box.viewport(), QPoint(20, 20));
        QTest::mouseMove(box.viewport(), QPoint(40, 30));
        QVERIFY(move.size() >= 1);
    }
};

TESSARA_TEST_CLASS(EditBoxTest)
#include "EditBoxTest.moc"
