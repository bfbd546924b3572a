// Start-up and shutdown of the real main window in a temporary start directory:
// the files it reads and writes byte for byte, its place, and its questions.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/FilePane.h"
#include "core/TesselFrm.h"
#include "tags/Catalogue.h"
#include "text/Cp932.h"
#include "ui/Button.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/CheckBox.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray sjis(const QString &s) { return Cp932::encode(s).bytes; }

QByteArray lines(const QStringList &l)
{
    QByteArray out;
    for (const QString &s : l)
        out += sjis(s) + "\r\n";
    return out;
}

const QByteArray twelveEmptyLines = QByteArray("\r\n").repeated(12);

MsgBox closingQuestion()
{
    return {u"内容が変更されています。\r\n保存しますか？"_s, u"確認"_s, MsgButtons::YesNoCancel, MsgIcon::None,
            MsgAnswer::Yes};
}
} // namespace

class StartupShutdownTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartInAnEmptyDirectory()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), QByteArray("1\r\n1\r\n300\r\n300\r\n"));
        QCOMPARE(f.bytes(u"htmllist.lst"_s), lines(catalogue::builtIn()));
        QCOMPARE(frm.pos(), QPoint(20, 20));
        QCOMPARE(frm.HTMLLst->listCount(), 71);
        QCOMPARE(frm.HTMLLst->listIndex(), -1);
        QCOMPARE(frm.Dir1->path(), f.startDir());
        QCOMPARE(frm.EditTxt->text(), QString());
        QCOMPARE(frm.values().SavedText, QString());
        QCOMPARE(frm.values().QuitAfterSave, qint16(0));
        QCOMPARE(frm.FilenameLbl->caption(), QString());
        QCOMPARE(frm.ByteLbl->caption(), u"0 KB"_s);
        QCOMPARE(frm.ColorCmd->caption(), u"暗くする"_s);
        QCOMPARE(frm.PresetChk->value(), 0);
        QCOMPARE(frm.DescriptionLbl->caption(),
                 u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"_s);
        // Nothing else is written before shutdown.
        QCOMPARE(QDir(f.startDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{u"Tessara.tmp"_s, u"htmllist.lst"_s}));
        VERIFY_BOXES(f.boxes);
    }

    void closingAnUnmodifiedDocumentWritesTheShutdownFiles()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(cancel, qint16(0));
        QVERIFY(f.end.ended());
        QVERIFY(!f.exists(u"Tessara.tmp"_s));
        QCOMPARE(f.bytes(u"Tessel.conf"_s), lines({f.startDir(), u"暗くする"_s}));
        QCOMPARE(f.bytes(u"TagsShortCuts.dat"_s), twelveEmptyLines);
        VERIFY_BOXES(f.boxes);
    }

    void closingTheWindowRunsTheShutdown()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.close();
        QVERIFY(f.end.ended());
        QVERIFY(f.exists(u"Tessel.conf"_s));
    }

    void answeringNoLosesTheEditsAndCloses()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.EditTxt->setText(u"<p>draft</p>"_s);
        f.boxes.expect(closingQuestion(), MsgAnswer::No);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(cancel, qint16(0));
        QVERIFY(f.end.ended());
        QCOMPARE(f.bytes(u"TagsShortCuts.dat"_s), twelveEmptyLines);
        VERIFY_BOXES(f.boxes);
    }

    void answeringCancelKeepsTheWindowAndWritesNothing()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        const QByteArray work = f.bytes(u"Tessara.tmp"_s);
        frm.EditTxt->setText(u"draft"_s);
        f.boxes.expect(closingQuestion(), MsgAnswer::Cancel);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(cancel, qint16(1));
        QVERIFY(!f.end.ended());
        QCOMPARE(frm.values().QuitAfterSave, qint16(0));
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), work);
        QVERIFY(!f.exists(u"Tessel.conf"_s));
        QVERIFY(!f.exists(u"TagsShortCuts.dat"_s));
        QCOMPARE(frm.EditTxt->text(), u"draft"_s);
        VERIFY_BOXES(f.boxes);
    }

    void closeEventThatIsCancelledKeepsTheWindowOpen()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.EditTxt->setText(u"draft"_s);
        f.boxes.expect(closingQuestion(), MsgAnswer::Cancel);
        QVERIFY(!frm.close());
        QVERIFY(frm.isVisible());
        QVERIFY(!f.end.ended());
        VERIFY_BOXES(f.boxes);
    }

    void twoCopiesCascadeAndTheLastOneRemovesTheWorkFile()
    {
        WindowFixture f;
        TesselFrm &first = f.load();
        ValueDesc secondValues;
        TesselFrm second(f.platform, secondValues);
        second.Form_Load();
        QCOMPARE(second.pos(), QPoint(40, 40));
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), QByteArray("2\r\n2\r\n600\r\n600\r\n"));
        qint16 cancel = 0;
        first.Form_Unload(cancel);
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), QByteArray("2\r\n1\r\n600\r\n600\r\n"));
        second.Form_Unload(cancel);
        QVERIFY(!f.exists(u"Tessara.tmp"_s));
        QCOMPARE(f.end.calls(), 2);
    }

    void damagedWorkFileStartsLikeAMissingOne_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << QByteArray("4\r\n2\r\n");
        QTest::newRow("not a number") << QByteArray("four\r\n2\r\n900\r\n900\r\n");
        QTest::newRow("out of range") << QByteArray("4\r\n2\r\n99999\r\n900\r\n");
        QTest::newRow("invalid bytes") << QByteArray("\x81\x20\r\n2\r\n900\r\n900\r\n");
    }
    void damagedWorkFileStartsLikeAMissingOne()
    {
        QFETCH(QByteArray, content);
        WindowFixture f;
        f.write(u"Tessara.tmp"_s, content);
        TesselFrm &frm = f.load();
        QCOMPARE(frm.pos(), QPoint(20, 20));
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), QByteArray("1\r\n1\r\n300\r\n300\r\n"));
    }

    void vanishedWorkFileStillLetsTheShutdownFinish()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QVERIFY(QFile::remove(f.path(u"Tessara.tmp"_s)));
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QVERIFY(f.end.ended());
        QVERIFY(!f.exists(u"Tessara.tmp"_s));
        QCOMPARE(f.bytes(u"TagsShortCuts.dat"_s), twelveEmptyLines);
        QVERIFY(f.exists(u"Tessel.conf"_s));
        VERIFY_BOXES(f.boxes);
    }

    void unwritableFileAtShutdownIsReportedThenTheProgramEnds()
    {
        WindowFixture f;
        TesselFrm &frm = f.load();
        QVERIFY(QDir(f.startDir()).mkdir(u"Tessel.conf"_s)); // a directory stands where the file goes
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(f.boxes.shown(), 1);
        const MsgBox box = f.boxes.shownBoxes().first();
        QCOMPARE(box.title, u"エラー"_s);
        QCOMPARE(box.icon, MsgIcon::Exclamation);
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QVERIFY2(box.text.startsWith(u"次のファイルを書き込めませんでした。\r\n"_s + f.path(u"Tessel.conf"_s)),
                 qPrintable(box.text));
        QVERIFY(f.end.ended());
        QCOMPARE(f.bytes(u"TagsShortCuts.dat"_s), twelveEmptyLines);
    }

    void storedDirectoryIsShownAgainWhenItStillExists()
    {
        WindowFixture f;
        QVERIFY(QDir(f.startDir()).mkpath(u"site/pages"_s));
        const QString stored = f.path(u"site/pages"_s);
        f.write(u"Tessel.conf"_s, lines({stored, u"暗くする"_s}));
        TesselFrm &frm = f.load();
        QCOMPARE(frm.Dir1->path(), stored);
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        QCOMPARE(f.bytes(u"Tessel.conf"_s), lines({stored, u"暗くする"_s}));
    }

    // A folder Shift_JIS cannot name is stored as the nearest one it can, and
    // the colour scheme is kept, without a word to the user.
    void unnamableFolderIsStoredAsItsNearestEnclosingOne()
    {
        WindowFixture f;
        QVERIFY(QDir(f.startDir()).mkpath(u"site/café/img"_s));
        TesselFrm &frm = f.load();
        QVERIFY(frm.filePane()->showDirectory(f.path(u"site/café/img"_s)));
        frm.ColorCmd_Click();
        qint16 cancel = 0;
        frm.Form_Unload(cancel);
        VERIFY_BOXES(f.boxes);
        QVERIFY(f.end.ended());
        QCOMPARE(f.bytes(u"Tessel.conf"_s), lines({f.path(u"site"_s), u"元に戻す"_s}));
    }

    // The work, settings and slot files are tiny by design: start-up reads no
    // more of them than their format holds, whatever follows.
    void startUpReadsNoMoreOfItsSmallFilesThanTheyHold()
    {
        WindowFixture f;
        const auto grown = [&](const QString &name, const QByteArray &head) {
            QFile file(f.path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(head), head.size());
            QVERIFY(file.resize(qint64(3) << 30)); // 3 GiB, sparse
        };
        grown(u"Tessara.tmp"_s, "1\r\n1\r\n300\r\n300\r\n");
        grown(u"Tessel.conf"_s, lines({f.startDir(), u"元に戻す"_s}));
        grown(u"TagsShortCuts.dat"_s, "\r\n29\r\n");
        TesselFrm &frm = f.load();
        QCOMPARE(f.bytes(u"Tessara.tmp"_s), lines({u"2"_s, u"2"_s, u"600"_s, u"600"_s}));
        QCOMPARE(frm.ColorCmd->caption(), u"元に戻す"_s);
        QVERIFY(frm.ShortCutsLbl->caption().startsWith(u" F1:NONE F2:<pre "_s));
        VERIFY_BOXES(f.boxes);
    }

    void storedDirectoryThatIsGoneFallsBackToTheStartDirectory()
    {
        WindowFixture f;
        f.write(u"Tessel.conf"_s, lines({f.path(u"deleted"_s), u"暗くする"_s}));
        TesselFrm &frm = f.load();
        QCOMPARE(frm.Dir1->path(), f.startDir());
        VERIFY_BOXES(f.boxes);
    }

    void storedDarkSchemeIsSwitchedOnAgain_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("caption");
        QTest::newRow("dark") << lines({u"/"_s, u"元に戻す"_s}) << u"元に戻す"_s;
        QTest::newRow("normal") << lines({u"/"_s, u"暗くする"_s}) << u"暗くする"_s;
        QTest::newRow("empty line") << lines({u"/"_s, QString()}) << u"暗くする"_s;
        QTest::newRow("other text") << lines({u"/"_s, u"元に戻す "_s}) << u"暗くする"_s;
        QTest::newRow("one line") << lines({u"/"_s}) << u"暗くする"_s;
        QTest::newRow("empty file") << QByteArray("") << u"暗くする"_s;
    }
    void storedDarkSchemeIsSwitchedOnAgain()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, caption);
        WindowFixture f;
        f.write(u"Tessel.conf"_s, settings);
        TesselFrm &frm = f.load();
        QCOMPARE(frm.ColorCmd->caption(), caption);
    }
};

TESSARA_TEST_CLASS(StartupShutdownTest)
#include "StartupShutdownTest.moc"
