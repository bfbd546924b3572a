// Reading and writing Shift_JIS: the bytes Windows reads on its own, bytes
// kept as they are, characters refused and where they are reported.
#include "TestRegistry.h"
#include "text/Cp932.h"
#include "text/TextPlace.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString kept(QByteArrayView bytes)
{
    QString s;
    for (char c : bytes)
        s += QChar(0xDC00 + uchar(c));
    return s;
}

QString ch(char16_t u) { return QString(QChar(u)); }

} // namespace

class Cp932RulesTest : public QObject {
    Q_OBJECT

private slots:
    void readsAndKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("firstKept");
        QTest::addColumn<qsizetype>("keptCount");

        QTest::newRow("bytes only Windows reads")
            << QByteArray("\x80\xA0\xFD\xFE\xFF") << u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"_s
            << qsizetype(-1) << qsizetype(0);
        QTest::newRow("backslash and tilde stay ASCII")
            << QByteArray("\\~") << u"\\~"_s << qsizetype(-1) << qsizetype(0);
        QTest::newRow("half-width katakana") << QByteArray("\xB1\xDF") << u"ｱﾟ"_s
                                             << qsizetype(-1) << qsizetype(0);
        QTest::newRow("JIS kanji and IBM kanji")
            << QByteArray("\x93\xFA\xFA\x5C") << u"日纊"_s << qsizetype(-1) << qsizetype(0);
        QTest::newRow("user-defined area") << QByteArray("\xF0\x40\xF9\xFC") << u"\uE000\uE757"_s
                                           << qsizetype(-1) << qsizetype(0);
        QTest::newRow("first byte before a space keeps only itself")
            << QByteArray("\x81 ") << kept("\x81") + u" "_s << qsizetype(0) << qsizetype(1);
        QTest::newRow("first byte before LF") << QByteArray("A\x82\nB")
                                              << u"A"_s + kept("\x82") + u"\nB"_s
                                              << qsizetype(1) << qsizetype(1);
        QTest::newRow("first byte before DEL") << QByteArray("\x81\x7F")
                                               << kept("\x81") + u"\u007F"_s << qsizetype(0)
                                               << qsizetype(1);
        QTest::newRow("first byte before 0xFD") << QByteArray("\x81\xFD")
                                                << kept("\x81") + u"\uF8F1"_s << qsizetype(0)
                                                << qsizetype(1);
        QTest::newRow("first byte cut off at the end")
            << QByteArray("ab\x88") << u"ab"_s + kept("\x88") << qsizetype(2) << qsizetype(1);
        QTest::newRow("unassigned pair") << QByteArray("\x85\x80") << kept("\x85\x80")
                                         << qsizetype(0) << qsizetype(2);
        QTest::newRow("unassigned pair with an ASCII second byte")
            << QByteArray("\x85\x40") << kept("\x85\x40") << qsizetype(0) << qsizetype(2);
        QTest::newRow("NEC copy of an IBM kanji (Windows writes FA5C)")
            << QByteArray("\xED\x40") << u"纊"_s << qsizetype(-1) << qsizetype(0);
        QTest::newRow("NEC copy of a JIS symbol (Windows writes 81E0)")
            << QByteArray("\x87\x90") << u"≒"_s << qsizetype(-1) << qsizetype(0);
        QTest::newRow("IBM copy of a NEC numeral (Windows writes 8754)")
            << QByteArray("\xFA\x4A") << u"Ⅰ"_s << qsizetype(-1) << qsizetype(0);
        QTest::newRow("offset counts bytes, not characters")
            << QByteArray("\x93\xFA\x96\x7B" "abcdefghij\x85\x40\x81")
            << u"日本abcdefghij"_s + kept("\x85\x40\x81") << qsizetype(14) << qsizetype(3);
        QTest::newRow("second byte that is itself a first byte")
            << QByteArray("\x81\x81\x81") << u"＝"_s + kept("\x81") << qsizetype(2)
            << qsizetype(1);
        QTest::newRow("empty") << QByteArray() << QString() << qsizetype(-1) << qsizetype(0);
    }

    void readsAndKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(qsizetype, firstKept);
        QFETCH(qsizetype, keptCount);

        const Cp932::DecodeResult r = Cp932::decode(bytes);
        QCOMPARE(r.text, text);
        QCOMPARE(r.firstKeptByte, firstKept);
        QCOMPARE(r.keptByteCount, keptCount);

        const Cp932::EncodeResult back = Cp932::encode(r.text, r.altCodes);
        QVERIFY(back.ok);
        QCOMPARE(back.bytes, bytes);
    }

    // A character with copies is written as the text mostly had it, the code
    // Windows writes on a tie; characters added later follow the same choice.
    void copiesFollowTheTextsHabit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("written");

        QTest::newRow("only the NEC copy") << QByteArray("\xEE\xE0" "a") << u"髙"_s
                                           << QByteArray("\xEE\xE0" "a\xEE\xE0");
        QTest::newRow("mostly the NEC copy") << QByteArray("\xEE\xE0\xFB\xFC\xEE\xE0") << QString()
                                             << QByteArray("\xEE\xE0\xEE\xE0\xEE\xE0");
        QTest::newRow("a tie goes to the code Windows writes")
            << QByteArray("\xEE\xE0\xFB\xFC") << QString() << QByteArray("\xFB\xFC\xFB\xFC");
        QTest::newRow("three codes of one symbol")
            << QByteArray("\x87\x9A\xFA\x5B\xFA\x5B\x81\xE6") << QString()
            << QByteArray("\xFA\x5B\xFA\x5B\xFA\x5B\xFA\x5B");
        QTest::newRow("each character its own habit")
            << QByteArray("\x87\x90\xFB\xFC") << u"≒髙"_s
            << QByteArray("\x87\x90\xFB\xFC\x87\x90\xFB\xFC");
        QTest::newRow("a text without copies writes Windows' codes")
            << QByteArray("abc") << u"≒髙"_s << QByteArray("abc\x81\xE0\xFB\xFC");
    }

    void copiesFollowTheTextsHabit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, added);
        QFETCH(QByteArray, written);
        const Cp932::DecodeResult r = Cp932::decode(bytes);
        QCOMPARE(r.keptByteCount, qsizetype(0));
        const Cp932::EncodeResult back = Cp932::encode(QString(r.text + added), r.altCodes);
        QVERIFY(back.ok);
        QCOMPARE(back.bytes, written);
    }

    void writes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("FULLWIDTH TILDE, PARALLEL TO, FULLWIDTH HYPHEN-MINUS")
            << u"\uFF5E\u2225\uFF0D"_s << QByteArray("\x81\x60\x81\x61\x81\x7C");
        QTest::newRow("fullwidth cent, pound, not signs")
            << u"\uFFE0\uFFE1\uFFE2"_s << QByteArray("\x81\x91\x81\x92\x81\xCA");
        QTest::newRow("HORIZONTAL BAR") << u"\u2015"_s << QByteArray("\x81\x5C");
        QTest::newRow("IBM extensions at FA-FC")
            << u"\u2170\u7E8A\uFFE4\u9ED1"_s << QByteArray("\xFA\x40\xFA\x5C\xFA\x55\xFC\x4B");
        QTest::newRow("characters with two codes take the JIS or NEC one")
            << u"\u2252\u2160\uFFE2\u3231"_s << QByteArray("\x81\xE0\x87\x54\x81\xCA\x87\x8A");
        QTest::newRow("characters only Windows reads")
            << u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"_s << QByteArray("\x80\xA0\xFD\xFE\xFF");
        QTest::newRow("kept bytes") << kept("\x80\xFF\x85\x40") << QByteArray("\x80\xFF\x85\x40");
        QTest::newRow("after a long ASCII run")
            << u"0123456789abcdefghij日本\r\nｶﾅ"_s
            << QByteArray("0123456789abcdefghij\x93\xFA\x96\x7B\r\n\xB6\xC5");
        QTest::newRow("NUL") << ch(0) + u"a"_s << QByteArray("\0a", 2);
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void writes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const Cp932::EncodeResult r = Cp932::encode(text);
        QVERIFY(r.ok);
        QCOMPARE(r.bytes, bytes);
        QCOMPARE(r.failIndex, qsizetype(-1));
    }

    void refusesWhatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("index");
        QTest::addColumn<uint>("character");
        QTest::addColumn<qsizetype>("line");
        QTest::addColumn<qsizetype>("column");

        QTest::newRow("YEN SIGN") << u"abc\u00A5"_s << qsizetype(3) << 0xA5u << qsizetype(1)
                                  << qsizetype(4);
        QTest::newRow("OVERLINE") << u"\u203E"_s << qsizetype(0) << 0x203Eu << qsizetype(1)
                                  << qsizetype(1);
        QTest::newRow("WAVE DASH, whose look-alike's code reads back as FULLWIDTH TILDE")
            << u"～\u301C"_s << qsizetype(1) << 0x301Cu << qsizetype(1) << qsizetype(2);
        QTest::newRow("accented letter after a long ASCII run")
            << u"aaaaaaaaaaaaaaaaaaaa\u00E9"_s << qsizetype(20) << 0xE9u << qsizetype(1)
            << qsizetype(21);
        QTest::newRow("Hangul on the third line")
            << u"一\r\n二\r\nab한"_s << qsizetype(8) << 0xD55Cu << qsizetype(3) << qsizetype(3);
        QTest::newRow("emoji, a surrogate pair, joined")
            << u"日本\r\nx\U0001F600y"_s << qsizetype(5) << 0x1F600u << qsizetype(2)
            << qsizetype(2);
        QTest::newRow("lone high surrogate")
            << u"a"_s + ch(0xD83D) + u"b"_s << qsizetype(1) << 0xD83Du << qsizetype(1)
            << qsizetype(2);
        QTest::newRow("high surrogate at the end")
            << u"ab"_s + ch(0xD83D) << qsizetype(2) << 0xD83Du << qsizetype(1) << qsizetype(3);
        QTest::newRow("low surrogate that is no kept byte")
            << ch(0xDC10) << qsizetype(0) << 0xDC10u << qsizetype(1) << qsizetype(1);
        QTest::newRow("DEL is never kept as a second byte")
            << ch(0xDC7F) << qsizetype(0) << 0xDC7Fu << qsizetype(1) << qsizetype(1);
        QTest::newRow("lone CR and LF stay in the line")
            << u"a\rb\nc\u00A5"_s << qsizetype(5) << 0xA5u << qsizetype(1) << qsizetype(6);
        QTest::newRow("right after CR LF")
            << u"\r\n\r\n\u00A5"_s << qsizetype(4) << 0xA5u << qsizetype(3) << qsizetype(1);
    }

    void refusesWhatCannotBeWritten()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, index);
        QFETCH(uint, character);
        QFETCH(qsizetype, line);
        QFETCH(qsizetype, column);

        const Cp932::EncodeResult r = Cp932::encode(text);
        QVERIFY(!r.ok);
        QVERIFY(r.bytes.isEmpty());
        QCOMPARE(r.failIndex, index);
        QCOMPARE(uint(r.failChar), character);
        const textplace::LineColumn at = textplace::lineColumnAt(text, r.failIndex);
        QCOMPARE(at.line, line);
        QCOMPARE(at.column, column);
    }

    void linesAndColumns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("index");
        QTest::addColumn<qsizetype>("line");
        QTest::addColumn<qsizetype>("column");

        QTest::newRow("start") << u"abc"_s << qsizetype(0) << qsizetype(1) << qsizetype(1);
        QTest::newRow("end of text") << u"ab\r\ncd"_s << qsizetype(6) << qsizetype(2)
                                     << qsizetype(3);
        QTest::newRow("on the CR of a break") << u"ab\r\ncd"_s << qsizetype(2) << qsizetype(1)
                                              << qsizetype(3);
        QTest::newRow("after an emoji") << u"\U0001F600\U0001F600x"_s << qsizetype(4)
                                        << qsizetype(1) << qsizetype(3);
        QTest::newRow("empty lines") << u"\r\n\r\n\r\n"_s << qsizetype(6) << qsizetype(4)
                                     << qsizetype(1);
        QTest::newRow("LF CR is no break") << u"\n\rx"_s << qsizetype(2) << qsizetype(1)
                                           << qsizetype(3);
    }

    void linesAndColumns()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, index);
        QFETCH(qsizetype, line);
        QFETCH(qsizetype, column);
        const textplace::LineColumn at = textplace::lineColumnAt(text, index);
        QCOMPARE(at.line, line);
        QCOMPARE(at.column, column);
    }

    void keptBytesAreRecognised()
    {
        QVERIFY(Cp932::isKeptByte(QChar(0xDC80)));
        QVERIFY(Cp932::isKeptByte(QChar(0xDCFF)));
        QVERIFY(Cp932::isKeptByte(QChar(0xDC40)));
        QVERIFY(!Cp932::isKeptByte(QChar(0xDC7F)));
        QVERIFY(!Cp932::isKeptByte(QChar(0xDC3F)));
        QVERIFY(!Cp932::isKeptByte(QChar(0xDD00)));
        QVERIFY(!Cp932::isKeptByte(QChar(0xD800)));
        QCOMPARE(Cp932::keptByteValue(QChar(0xDC85)), uchar(0x85));
    }

    void describesCharactersForMessages_data()
    {
        QTest::addColumn<uint>("character");
        QTest::addColumn<QString>("text");
        QTest::newRow("Hangul") << 0xD55Cu << u"「한」(U+D55C)"_s;
        QTest::newRow("emoji") << 0x1F600u << u"「\U0001F600」(U+1F600)"_s;
        QTest::newRow("control code, shown by its code") << 0x7u << u"U+0007"_s;
        QTest::newRow("lone surrogate, shown by its code") << 0xD83Du << u"U+D83D"_s;
    }

    void describesCharactersForMessages()
    {
        QFETCH(uint, character);
        QFETCH(QString, text);
        QCOMPARE(textplace::describeChar(char32_t(character)), text);
    }
};

TESSARA_TEST_CLASS(Cp932RulesTest)
#include "Cp932RulesTest.moc"
