// Reading and writing the program's files in a temporary directory, byte for
// byte, and failed writes that leave the old file as it was.
#include "TestRegistry.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

} // namespace

class TextFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup()
    {
        // Each test starts from an empty directory.
        for (const QString &name : entries(m_dir.path())) {
            QFileInfo info(path(name));
            if (info.isDir() && !info.isSymLink())
                QDir(path(name)).removeRecursively();
            else
                QFile::remove(path(name));
        }
    }

    void writesLinesAsShiftJisWithCrLf()
    {
        const QStringList lines{u"日本語"_s, u"abc"_s, QString(), u"ｱｲｳ\uFF5E"_s};
        const TextFile::WriteResult w = TextFile::writeLines(path(u"htmllist.lst"_s), lines);
        QVERIFY2(w.ok, qPrintable(w.reason));
        const QByteArray expected("\x93\xFA\x96\x7B\x8C\xEA\r\nabc\r\n\r\n\xB1\xB2\xB3\x81\x60\r\n");
        QCOMPARE(fileBytes(path(u"htmllist.lst"_s)), expected);
        QCOMPARE(w.bytesWritten, qint64(expected.size()));

        // WAVE DASH would read back as FULLWIDTH TILDE, whose code it is: refused.
        const TextFile::WriteResult wave = TextFile::writeLines(path(u"wave.lst"_s), {u"\u301C"_s});
        QVERIFY(!wave.ok);
        QVERIFY2(wave.reason.contains(u"U+301C"_s), qPrintable(wave.reason));
        QVERIFY(!QFile::exists(path(u"wave.lst"_s)));

        const TextFile::LinesRead r = TextFile::readLines(path(u"htmllist.lst"_s));
        QVERIFY(r.ok);
        QCOMPARE(r.lines, lines);
        QCOMPARE(r.firstKeptByte, qsizetype(-1));
        QCOMPARE(r.keptByteCount, qsizetype(0));
    }

    void writesTextAsItIs()
    {
        const TextFile::WriteResult w =
            TextFile::writeText(path(u"a.html"_s), u"<p>\r\n漢字\nx"_s);
        QVERIFY2(w.ok, qPrintable(w.reason));
        QCOMPARE(fileBytes(path(u"a.html"_s)), QByteArray("<p>\r\n\x8A\xBF\x8E\x9A\nx"));
        QCOMPARE(w.bytesWritten, qint64(11));
    }

    void replacesAnExistingFileWhole()
    {
        putFile(path(u"Tessara.tmp"_s), QByteArray(5000, 'x'));
        const TextFile::WriteResult w =
            TextFile::writeLines(path(u"Tessara.tmp"_s), {u"1"_s, u"2"_s});
        QVERIFY(w.ok);
        QCOMPARE(fileBytes(path(u"Tessara.tmp"_s)), QByteArray("1\r\n2\r\n"));
        QCOMPARE(entries(m_dir.path()), QStringList{u"Tessara.tmp"_s});
    }

    void readsLinesByTheLineRules()
    {
        putFile(path(u"preset.lst"_s), QByteArray("a\r\nb\rc\nd\r\n"));
        const TextFile::LinesRead r = TextFile::readLines(path(u"preset.lst"_s));
        QVERIFY(r.ok);
        QCOMPARE(r.lines, (QStringList{u"a"_s, u"b"_s, u"c\nd"_s}));
    }

    void keepsInvalidBytesAndSavesThemBack()
    {
        // 8540 and a lone 81 are kept; ED40 (NEC's copy of 纊) is read as the
        // character and written back with its own code.
        const QByteArray bytes("<p>\x93\xFA\x85\x40\r\n\x81 \xED\x40\x80\xA0\r\n");
        putFile(path(u"old.html"_s), bytes);
        const TextFile::DocumentRead r = TextFile::readDocument(path(u"old.html"_s));
        QVERIFY(r.ok);
        QCOMPARE(r.encoding.encoding, Encoding::ShiftJis);
        QCOMPARE(r.firstKeptByte, qsizetype(5));
        QCOMPARE(r.keptByteCount, qsizetype(3));
        QVERIFY(r.text.contains(u'纊'));

        const TextFile::WriteResult w = TextFile::writeDocument(path(u"copy.html"_s), r.text, r.encoding);
        QVERIFY2(w.ok, qPrintable(w.reason));
        QCOMPARE(fileBytes(path(u"copy.html"_s)), bytes);
    }

    void unwritableCharacterWritesNothing_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("over an existing file") << true;
        QTest::newRow("new file") << false;
    }

    void unwritableCharacterWritesNothing()
    {
        QFETCH(bool, existing);
        const QByteArray old("old\r\n");
        if (existing)
            putFile(path(u"doc.html"_s), old);

        const TextFile::WriteResult w = TextFile::writeLines(
            path(u"doc.html"_s), {u"一行目"_s, u"bad\U0001F600"_s, u"\u00A5"_s});
        QVERIFY(!w.ok);
        QCOMPARE(w.failIndex, qsizetype(8));
        QCOMPARE(uint(w.failChar), 0x1F600u);
        QCOMPARE(w.failAt.line, qsizetype(2));
        QCOMPARE(w.failAt.column, qsizetype(4));
        QCOMPARE(w.bytesWritten, qint64(0));
        QVERIFY(w.reason.contains(u"U+1F600"_s));
        QVERIFY(w.reason.contains(u"2 行 4 列"_s));

        if (existing) {
            QCOMPARE(fileBytes(path(u"doc.html"_s)), old);
            QCOMPARE(entries(m_dir.path()), QStringList{u"doc.html"_s});
        } else {
            QCOMPARE(entries(m_dir.path()), QStringList{});
        }
    }

    void existsOnlyForARegularFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("regular file") << u"Tessel.conf"_s << true;
        QTest::newRow("empty file") << u"empty.lst"_s << true;
        QTest::newRow("directory of that name") << u"TagsShortCuts.dat"_s << false;
        QTest::newRow("missing") << u"preset.lst"_s << false;
        QTest::newRow("name differing in case") << u"tessel.conf"_s << false;
        QTest::newRow("link to a file") << u"link.lst"_s << true;
        QTest::newRow("link to nothing") << u"dangling.lst"_s << false;
        QTest::newRow("empty name") << QString() << false;
    }

    void existsOnlyForARegularFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        putFile(path(u"Tessel.conf"_s), "c:\\\r\n");
        putFile(path(u"empty.lst"_s), QByteArray());
        QVERIFY(QDir(m_dir.path()).mkdir(u"TagsShortCuts.dat"_s));
        QVERIFY(QFile::link(path(u"Tessel.conf"_s), path(u"link.lst"_s)));
        QVERIFY(QFile::link(path(u"gone"_s), path(u"dangling.lst"_s)));
        QCOMPARE(TextFile::fileExists(m_dir.path(), name), exists);
    }

    void readFailsWithAReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << u"missing.lst"_s;
        QTest::newRow("a directory") << u"folder"_s;
        QTest::newRow("no permission") << u"secret.lst"_s;
    }

    void readFailsWithAReason()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(m_dir.path()).mkdir(u"folder"_s));
        putFile(path(u"secret.lst"_s), "x\r\n");
        QFile::setPermissions(path(u"secret.lst"_s), QFileDevice::Permissions{});
        if (name == u"secret.lst"_s && geteuid() == 0)
            QSKIP("root reads files without permission");

        const TextFile::TextRead t = TextFile::readText(path(name));
        QVERIFY(!t.ok);
        QVERIFY(!t.reason.isEmpty());
        QVERIFY(t.text.isEmpty());
        const TextFile::LinesRead l = TextFile::readLines(path(name));
        QVERIFY(!l.ok);
        QCOMPARE(l.reason, t.reason);
        QVERIFY(l.lines.isEmpty());
    }

    // Run as root, permission bits stop nothing; these failures stop root too.
    void failedWriteLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("a directory in the file's place") << u"place"_s;
        QTest::newRow("path under a regular file") << u"old.lst/new.lst"_s;
        QTest::newRow("missing directory") << u"nowhere/new.lst"_s;
        QTest::newRow("read-only directory") << u"locked/new.lst"_s;
    }

    void failedWriteLeavesTheOldFile()
    {
        QFETCH(QString, target);
        const QByteArray old("old\r\ncontent\r\n");
        putFile(path(u"old.lst"_s), old);
        QVERIFY(QDir(m_dir.path()).mkdir(u"place"_s));
        putFile(path(u"place/inside.txt"_s), old);
        QVERIFY(QDir(m_dir.path()).mkdir(u"locked"_s));
        QFile::setPermissions(path(u"locked"_s), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (target.startsWith(u"locked/"_s) && geteuid() == 0)
            QSKIP("root writes into read-only directories");
        const QStringList before = entries(m_dir.path());

        const TextFile::WriteResult w = TextFile::writeLines(path(target), {u"新しい"_s});
        QVERIFY(!w.ok);
        QVERIFY(!w.reason.isEmpty());
        QCOMPARE(w.failIndex, qsizetype(-1)); // not a character problem
        QCOMPARE(fileBytes(path(u"old.lst"_s)), old);
        QVERIFY(QFileInfo(path(u"place"_s)).isDir());
        QCOMPARE(fileBytes(path(u"place/inside.txt"_s)), old);
        QCOMPARE(entries(m_dir.path()), before);
        QCOMPARE(entries(path(u"place"_s)), QStringList{u"inside.txt"_s});
        QFile::setPermissions(path(u"locked"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                     | QFileDevice::ExeOwner);
    }

    // The helper may write only 4096 bytes to any file, as on a full disk.
    void fullDiskLeavesTheOldFile_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<bool>("fits");
        QTest::newRow("fits under the limit") << 1000 << true;
        QTest::newRow("larger than the limit") << 30000 << false;
        // Fits in Qt's write buffer: fails only when the buffer is flushed.
        QTest::newRow("over the limit, within one buffer") << 3000 << false;
    }

    void fullDiskLeavesTheOldFile()
    {
        QFETCH(int, characters);
        QFETCH(bool, fits);
        const QByteArray old("keep me\r\n");
        putFile(path(u"doc.html"_s), old);

        QProcess helper;
        helper.start(QStringLiteral(TEXT_WRITE_LIMITED),
                     {path(u"doc.html"_s), u"4096"_s, QString::number(characters)});
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(helper.readAllStandardOutput()).trimmed();

        if (fits) {
            QCOMPARE(out, u"ok %1"_s.arg(characters * 2));
            QCOMPARE(fileBytes(path(u"doc.html"_s)), QByteArray("\x82\xA0").repeated(characters));
        } else {
            QVERIFY2(out.startsWith(u"fail "_s) && out.size() > 5, qPrintable(out));
            QCOMPARE(helper.exitCode(), 1);
            QCOMPARE(fileBytes(path(u"doc.html"_s)), old);
        }
        QCOMPARE(entries(m_dir.path()), QStringList{u"doc.html"_s});
    }
};

TESSARA_TEST_CLASS(TextFileTest)
#include "TextFileTest.moc"
