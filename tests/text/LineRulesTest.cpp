// How the program's files are cut into lines and put together again.
#include "TestRegistry.h"
#include "text/TextFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

class LineRulesTest : public QObject {
    Q_OBJECT

private slots:
    void splitsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("CR LF after the last line") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("no break after the last line") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty file") << QString() << QStringList{};
        QTest::newRow("one empty line") << u"\r\n"_s << QStringList{QString()};
        QTest::newRow("lone LF stays in the line") << u"a\nb"_s << QStringList{u"a\nb"_s};
        QTest::newRow("LF at the end stays") << u"a\n"_s << QStringList{u"a\n"_s};
        QTest::newRow("lone LF alone") << u"\n"_s << QStringList{u"\n"_s};
        QTest::newRow("lone CR ends a line") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("lone CR at the end") << u"a\r"_s << QStringList{u"a"_s};
        QTest::newRow("CR then CR LF") << u"a\r\r\n"_s << QStringList{u"a"_s, QString()};
        QTest::newRow("two lone CRs") << u"\r\r"_s << QStringList{QString(), QString()};
        QTest::newRow("LF CR: LF kept, CR ends") << u"\n\r"_s << QStringList{u"\n"_s};
        QTest::newRow("CR LF LF") << u"\r\n\n"_s << QStringList{QString(), u"\n"_s};
        QTest::newRow("empty lines inside")
            << u"a\r\n\r\n\r\nb"_s << QStringList{u"a"_s, QString(), QString(), u"b"_s};
        QTest::newRow("Japanese text")
            << u"暗くする\r\n元に戻す\r\n"_s << QStringList{u"暗くする"_s, u"元に戻す"_s};
    }

    void splitsLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::splitLines(text), lines);
    }

    void joinsLinesEachWithCrLf_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");

        QTest::newRow("two lines") << QStringList{u"a"_s, u"b"_s} << u"a\r\nb\r\n"_s;
        QTest::newRow("no lines") << QStringList{} << QString();
        QTest::newRow("one empty line") << QStringList{QString()} << u"\r\n"_s;
        QTest::newRow("LF inside a value") << QStringList{u"a\nb"_s, u"c"_s} << u"a\nb\r\nc\r\n"_s;
    }

    void joinsLinesEachWithCrLf()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QCOMPARE(TextFile::joinLines(lines), text);
        QCOMPARE(TextFile::splitLines(TextFile::joinLines(lines)), lines);
    }
};

TESSARA_TEST_CLASS(LineRulesTest)
#include "LineRulesTest.moc"
