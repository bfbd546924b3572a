// The size text of ByteLbl: whole kilobytes, ties to the even count.
#include "core/SizeText.h"
#include "TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class SizeTextTest : public QObject
{
    Q_OBJECT

  private slots:
    void lengthGivesKilobytes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty file") << qint64(0) << u"0 KB"_s;
        QTest::newRow("511 rounds down") << qint64(511) << u"0 KB"_s;
        QTest::newRow("512 is a tie, to even 0") << qint64(512) << u"0 KB"_s;
        QTest::newRow("513 rounds up") << qint64(513) << u"1 KB"_s;
        QTest::newRow("1024") << qint64(1024) << u"1 KB"_s;
        QTest::newRow("1536 is a tie, to even 2") << qint64(1536) << u"2 KB"_s;
        QTest::newRow("1537: 1535 bytes of text and CR LF") << qint64(1537) << u"2 KB"_s;
        QTest::newRow("2560 is a tie, to even 2") << qint64(2560) << u"2 KB"_s;
        QTest::newRow("3584 is a tie, to even 4") << qint64(3584) << u"4 KB"_s;
        QTest::newRow("last below the 16-bit limit") << qint64(33553919) << u"32767 KB"_s;
        QTest::newRow("33,553,920 bytes: no 16-bit wrap") << qint64(33553920) << u"32768 KB"_s;
        QTest::newRow("10 GB") << qint64(10) * 1024 * 1024 * 1024 << u"10485760 KB"_s;
        QTest::newRow("a tie far above double's integers")
            << (qint64(1) << 62) + 512 << u"4503599627370496 KB"_s;
    }
    void lengthGivesKilobytes()
    {
        QFETCH(qint64, bytes);
        QTEST(sizetext::forLength(bytes), "text");
    }

    void fileIsMeasuredOnDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"page.html"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(QByteArray(1537, 'a')), qint64(1537));
        f.close();
        QCOMPARE(sizetext::forFile(path), u"2 KB"_s);
        QCOMPARE(sizetext::forFile(dir.filePath(u"missing.html"_s)), u"0 KB"_s);
    }
};

TESSARA_TEST_CLASS(SizeTextTest)
#include "SizeTextTest.moc"
