// The pane as start-up sets it up, with the machine's own drives.
#include "PaneFixture.h"
#include "TestRegistry.h"
#include "browse/FilePane.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"

#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class FilePaneStartUpTest : public QObject
{
    Q_OBJECT

  private slots:
    void startUpShowsTheStoredOrTheStartDirectory_data()
    {
        QTest::addColumn<QString>("stored"); // relative to the start directory; "-" for none stored
        QTest::addColumn<QString>("shown");
        QTest::newRow("first start") << u"-"_s << QString();
        QTest::newRow("stored directory") << u"tree"_s << u"tree"_s;
        QTest::newRow("stored directory with a trailing separator") << u"tree/sub1/"_s << u"tree/sub1"_s;
        QTest::newRow("stored directory gone") << u"gone"_s << QString();
        QTest::newRow("stored name is a file") << u"tree/a.html"_s << QString();
    }
    void startUpShowsTheStoredOrTheStartDirectory()
    {
        QFETCH(QString, stored);
        PaneFixture f;
        f.makeFile(f.dir(u"page.html"_s));
        f.makeFile(f.dir(u"notes.txt"_s));
        TesselFrm &frm = f.create();
        frm.filePane()->startUp(stored == u"-"_s ? QString() : f.dir(stored));

        QFETCH(QString, shown);
        QCOMPARE(frm.Drive->drive(), u"c:"_s);
        QCOMPARE(frm.Drive->currentIndex(), 0);
        QCOMPARE(frm.Dir1->path(), f.dir(shown));
        QCOMPARE(frm.File->path(), f.dir(shown));
        QCOMPARE(frm.File->pattern(), u"*.html"_s);
        if (shown.isEmpty())
            QCOMPARE(f.fileNames(), QStringList{u"page.html"_s});
        QCOMPARE(frm.TailCmb->text(), u"html"_s);
        QCOMPARE(frm.TailCmb->listIndex(), -1);
        QCOMPARE(frm.filePane()->fileChosen(), qint16(0));
        QCOMPARE(frm.filePane()->tailIndex(), qint16(0));
        VERIFY_BOXES(f.boxes); // a stored directory that is gone is skipped silently
    }

    void everyDriveNamesADirectoryTheListAccepts()
    {
        PaneFixture f;
        TesselFrm &frm = f.create();
        frm.filePane()->startUp(QString());
        const QList<Drive> &drives = frm.drives().list();
        QVERIFY(!drives.isEmpty());
        QCOMPARE(drives.first().name, u"c:"_s);
        for (int i = drives.size() - 1; i >= 0; --i) {
            frm.Drive->setCurrentIndex(i);
            emit frm.Drive->activated(i);
            QCOMPARE(frm.Drive->drive(), drives[i].name);
            const QString expected = i == 0 ? f.startDir() : drives[i].root;
            QCOMPARE(frm.Dir1->path(), expected);
            QCOMPARE(frm.File->path(), expected);
            QVERIFY2(!drives[i].root.startsWith(u"/proc"_s) && !drives[i].root.startsWith(u"/sys"_s) &&
                         !drives[i].root.startsWith(u"/dev"_s),
                     qPrintable(drives[i].root));
        }
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(FilePaneStartUpTest)
#include "FilePaneStartUpTest.moc"
