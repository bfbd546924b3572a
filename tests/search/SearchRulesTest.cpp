// Where a word is found in a text and what replace all makes of the text.
#include "search/SearchRules.h"
#include "TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

class SearchRulesTest : public QObject
{
    Q_OBJECT

  private slots:
    void findsFirstOccurrenceAtOrAfterPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<qsizetype>("from");
        QTest::addColumn<qsizetype>("found");

        QTest::newRow("at the very start") << u"abcabc"_s << u"ab"_s << qsizetype(0) << qsizetype(0);
        QTest::newRow("starting exactly at the position")
            << u"abcabc"_s << u"ca"_s << qsizetype(2) << qsizetype(2);
        QTest::newRow("one past a start skips it") << u"abcabc"_s << u"ab"_s << qsizetype(1) << qsizetype(3);
        QTest::newRow("overlapping: from 0") << u"aaaa"_s << u"aa"_s << qsizetype(0) << qsizetype(0);
        QTest::newRow("overlapping: from 1") << u"aaaa"_s << u"aa"_s << qsizetype(1) << qsizetype(1);
        QTest::newRow("overlapping: from 2") << u"aaaa"_s << u"aa"_s << qsizetype(2) << qsizetype(2);
        QTest::newRow("overlapping: from 3, none") << u"aaaa"_s << u"aa"_s << qsizetype(3) << qsizetype(-1);
        QTest::newRow("no wrap to the start") << u"abcxx"_s << u"abc"_s << qsizetype(1) << qsizetype(-1);
        QTest::newRow("at the end of the text") << u"abc"_s << u"c"_s << qsizetype(3) << qsizetype(-1);
        QTest::newRow("past the end") << u"abc"_s << u"c"_s << qsizetype(9) << qsizetype(-1);
        QTest::newRow("negative position counts as the start")
            << u"abc"_s << u"a"_s << qsizetype(-2) << qsizetype(0);
        QTest::newRow("ending at the last character")
            << u"xxabc"_s << u"abc"_s << qsizetype(0) << qsizetype(2);
        QTest::newRow("word longer than the text") << u"ab"_s << u"abc"_s << qsizetype(0) << qsizetype(-1);
        QTest::newRow("empty word occurs nowhere") << u"abc"_s << QString() << qsizetype(0) << qsizetype(-1);
        QTest::newRow("empty text") << QString() << u"a"_s << qsizetype(0) << qsizetype(-1);
        QTest::newRow("upper case differs") << u"ABC abc"_s << u"abc"_s << qsizetype(0) << qsizetype(4);
        QTest::newRow("lower case differs") << u"abc ABC"_s << u"ABC"_s << qsizetype(0) << qsizetype(4);
        QTest::newRow("full-width differs") << u"ａｂｃ abc"_s << u"abc"_s << qsizetype(0) << qsizetype(4);
        QTest::newRow("half-width katakana differs")
            << u"ｶﾀ カタ"_s << u"カタ"_s << qsizetype(0) << qsizetype(3);
        QTest::newRow("katakana does not match hiragana")
            << u"か"_s << u"カ"_s << qsizetype(0) << qsizetype(-1);
        QTest::newRow("hiragana does not match katakana")
            << u"カか"_s << u"か"_s << qsizetype(0) << qsizetype(1);
        QTest::newRow("voiced mark composed only")
            << u"か\u3099が"_s << u"が"_s << qsizetype(0) << qsizetype(2);
        QTest::newRow("CR LF counts two") << u"ab\r\ncd\r\ncd"_s << u"cd"_s << qsizetype(0) << qsizetype(4);
        QTest::newRow("after a CR LF") << u"ab\r\ncd\r\ncd"_s << u"cd"_s << qsizetype(5) << qsizetype(8);
        QTest::newRow("from between CR and LF") << u"ab\r\ncd"_s << u"cd"_s << qsizetype(3) << qsizetype(4);
        QTest::newRow("surrogate pair as two units")
            << u"a\U00020BB7b\U00020BB7"_s << u"\U00020BB7"_s << qsizetype(2) << qsizetype(4);
        QTest::newRow("a matching beginning is not enough")
            << u"日本人 日本語"_s << u"日本語"_s << qsizetype(0) << qsizetype(4);
        QTest::newRow("first character everywhere")
            << QString(300, u'あ') + u"いあ"_s << u"あい"_s << qsizetype(0) << qsizetype(299);
        QTest::newRow("first character everywhere, word right after the 65th miss")
            << QString(66, u'あ') + u"い"_s << u"あい"_s << qsizetype(0) << qsizetype(65);
        QTest::newRow("first character everywhere, word absent")
            << QString(300, u'あ') + u"う"_s << u"あい"_s << qsizetype(0) << qsizetype(-1);
        QTest::newRow("first character everywhere, word at the end")
            << QString(300, u'あ') + u"い"_s << u"あい"_s << qsizetype(5) << qsizetype(299);
        QTest::newRow("long word") << u"にほんご日本語の文章、日本語の文章です"_s << u"日本語の文章です"_s
                                   << qsizetype(0) << qsizetype(11);
    }

    void findsFirstOccurrenceAtOrAfterPosition()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(qsizetype, from);
        QFETCH(qsizetype, found);
        QCOMPARE(searchrules::findFrom(text, word, from), found);
    }

    void findsLastOccurrenceWhollyBeforePosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<qsizetype>("end");
        QTest::addColumn<qsizetype>("found");

        QTest::newRow("occurrence holding the caret is skipped")
            << u"abcabc"_s << u"bc"_s << qsizetype(5) << qsizetype(1);
        QTest::newRow("occurrence ending at the caret")
            << u"abcabc"_s << u"bc"_s << qsizetype(6) << qsizetype(4);
        QTest::newRow("occurrence starting at the caret")
            << u"abcabc"_s << u"ab"_s << qsizetype(3) << qsizetype(0);
        QTest::newRow("last of several") << u"ab ab ab x"_s << u"ab"_s << qsizetype(9) << qsizetype(6);
        QTest::newRow("overlapping, largest start") << u"aaaa"_s << u"aa"_s << qsizetype(4) << qsizetype(2);
        QTest::newRow("overlapping, before 3") << u"aaaa"_s << u"aa"_s << qsizetype(3) << qsizetype(1);
        QTest::newRow("caret at the start") << u"abc"_s << u"a"_s << qsizetype(0) << qsizetype(-1);
        QTest::newRow("no wrap to the end") << u"xabc"_s << u"abc"_s << qsizetype(3) << qsizetype(-1);
        QTest::newRow("position past the end") << u"abc"_s << u"bc"_s << qsizetype(9) << qsizetype(1);
        QTest::newRow("empty word occurs nowhere") << u"abc"_s << QString() << qsizetype(3) << qsizetype(-1);
        QTest::newRow("case differs") << u"abc ABC"_s << u"abc"_s << qsizetype(7) << qsizetype(0);
        QTest::newRow("full-width differs") << u"ABC ＡＢＣ"_s << u"ABC"_s << qsizetype(7) << qsizetype(0);
        QTest::newRow("kana differs") << u"かきカキ"_s << u"かき"_s << qsizetype(4) << qsizetype(0);
        QTest::newRow("CR LF counts two") << u"cd\r\ncd\r\nx"_s << u"cd"_s << qsizetype(7) << qsizetype(4);
        QTest::newRow("occurrence holding the caret on the next line")
            << u"cd\r\ncd\r\nx"_s << u"cd"_s << qsizetype(5) << qsizetype(0);
    }

    void findsLastOccurrenceWhollyBeforePosition()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(qsizetype, end);
        QFETCH(qsizetype, found);
        QCOMPARE(searchrules::findBefore(text, word, end), found);
    }

    void replacesAllLeftToRightWithoutOverlap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("result");

        QTest::newRow("taken left to right") << u"aaaaa"_s << u"aa"_s << u"b"_s << u"bba"_s;
        QTest::newRow("replacement holding the word is not searched again")
            << u"a-a"_s << u"a"_s << u"aa"_s << u"aa-aa"_s;
        QTest::newRow("replacement forming a new occurrence stays")
            << u"xaab"_s << u"ab"_s << u"a"_s << u"xaa"_s;
        QTest::newRow("empty replacement deletes")
            << u"<b>x</b><b>y</b>"_s << u"<b>"_s << QString() << u"x</b>y</b>"_s;
        QTest::newRow("whole text") << u"abc"_s << u"abc"_s << u"z"_s << u"z"_s;
        QTest::newRow("at both ends") << u"abxab"_s << u"ab"_s << u"[]"_s << u"[]x[]"_s;
        QTest::newRow("absent word leaves the text") << u"abc"_s << u"d"_s << u"z"_s << u"abc"_s;
        QTest::newRow("empty word leaves the text") << u"abc"_s << QString() << u"z"_s << u"abc"_s;
        QTest::newRow("case, width and kana differ")
            << u"abc ABC ａｂｃ かな カナ"_s << u"abc"_s << u"x"_s << u"x ABC ａｂｃ かな カナ"_s;
        QTest::newRow("kana differ") << u"かな カナ かな"_s << u"かな"_s << u"仮名"_s << u"仮名 カナ 仮名"_s;
        QTest::newRow("lines keep their CR LF")
            << u"大阪\r\n大阪\r\n"_s << u"大阪"_s << u"京都府"_s << u"京都府\r\n京都府\r\n"_s;
        QTest::newRow("longer replacement") << u"a,b,c"_s << u","_s << u", "_s << u"a, b, c"_s;
    }

    void replacesAllLeftToRightWithoutOverlap()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(QString, with);
        QFETCH(QString, result);
        QCOMPARE(searchrules::replaceAll(text, word, with), result);
    }
};

TESSARA_TEST_CLASS(SearchRulesTest)
#include "SearchRulesTest.moc"
