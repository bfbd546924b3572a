// What reading a file reads.
#include "TestRegistry.h"
#include "text/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class FileAccessTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void readsOnlyWholeLinesOfTheHead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QStringList>("lines");
        const QByteArray file("F1\r\n\x93\xFA\x96\x7B\r\nlast");
        QTest::newRow("the whole file within the limit") << file << 14 << QStringList{u"F1"_s, u"日本"_s, u"last"_s};
        QTest::newRow("the limit cuts the last line") << file << 13 << QStringList{u"F1"_s, u"日本"_s};
        QTest::newRow("the limit right after a line end") << file << 10 << QStringList{u"F1"_s, u"日本"_s};
        QTest::newRow("the limit between CR and LF") << file << 9 << QStringList{u"F1"_s, u"日本"_s};
        QTest::newRow("the limit cuts a character") << file << 5 << QStringList{u"F1"_s};
        QTest::newRow("the limit cuts the first line") << file << 1 << QStringList{};
        QTest::newRow("a lone LF ends no line") << QByteArray("a\nb\r\nc") << 3 << QStringList{};
        QTest::newRow("a lone CR ends a line") << QByteArray("a\rbc") << 3 << QStringList{u"a"_s};
    }

    void readsOnlyWholeLinesOfTheHead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxBytes);
        QFETCH(QStringList, lines);
        putFile(path(u"TagsShortCuts.dat"_s), bytes);
        const TextFile::LinesRead r = TextFile::readLines(path(u"TagsShortCuts.dat"_s), maxBytes);
        QVERIFY(r.ok);
        QCOMPARE(r.lines, lines);
    }
};

TESSARA_TEST_CLASS(FileAccessTest)
#include "FileAccessTest.moc"
