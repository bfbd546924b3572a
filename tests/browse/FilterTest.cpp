// The extension filter: the table from item text to pattern, and the combo
// that cannot be typed into.
#include "PaneFixture.h"
#include "TestRegistry.h"
#include "browse/FilePane.h"
#include "browse/FilterTable.h"
#include "ui/ComboBox.h"
#include "ui/FileList.h"

#include <QTest>

using namespace Qt::StringLiterals;

class FilterTest : public QObject
{
    Q_OBJECT

  private slots:
    void itemTextGivesPattern_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("html") << u"html"_s << u"*.html"_s;
        QTest::newRow("txt") << u"txt"_s << u"*.txt"_s;
        QTest::newRow("(その他)") << u"(その他)"_s << u"*.*"_s;
        QTest::newRow("save-as .html") << u".html"_s << u"*.html"_s;
        QTest::newRow("save-as .txt") << u".txt"_s << u"*.txt"_s;
        QTest::newRow("capitals are another text") << u"HTML"_s << u"*.*"_s;
        QTest::newRow("a blank around is another text") << u"html "_s << u"*.*"_s;
        QTest::newRow("htm is another text") << u"htm"_s << u"*.*"_s;
        QTest::newRow("empty") << QString() << u"*.*"_s;
    }
    void itemTextGivesPattern()
    {
        QFETCH(QString, item);
        QTEST(filtertable::patternFor(item), "pattern");
    }

    void typingIntoTheFilterSnapsBack_data()
    {
        QTest::addColumn<int>("chosen"); // item chosen before typing, -1 for none
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("files");

        const QStringList html{u"a.html"_s, u"b.html"_s};
        QTest::newRow("a letter before any choice gives html")
            << -1 << QList<int>{Qt::Key_X} << u"html"_s << u"*.html"_s << html;
        QTest::newRow("a word after txt gives txt") << 1 << QList<int>{Qt::Key_A, Qt::Key_B, Qt::Key_C}
                                                    << u"txt"_s << u"*.txt"_s << QStringList{u"c.txt"_s};
        QTest::newRow("Backspace after (その他) gives (その他)")
            << 2 << QList<int>{Qt::Key_Backspace} << u"(その他)"_s << u"*.*"_s
            << QStringList{u"a.html"_s, u"b.html"_s, u"c.txt"_s, u"d.dat"_s};
        QTest::newRow("Home then Delete after html gives html")
            << 0 << QList<int>{Qt::Key_Home, Qt::Key_Delete} << u"html"_s << u"*.html"_s << html;
    }
    void typingIntoTheFilterSnapsBack()
    {
        QFETCH(int, chosen);
        QFETCH(QList<int>, keys);
        PaneFixture f;
        TesselFrm &frm = f.open();
        if (chosen >= 0) {
            frm.TailCmb->setCurrentIndex(chosen);
            emit frm.TailCmb->activated(chosen);
        }
        f.click(frm.File, 0);
        const qint16 remembered = f.pane().tailIndex();

        for (int key : keys)
            QTest::keyClick(frm.TailCmb, Qt::Key(key));

        QTEST(frm.TailCmb->text(), "text");
        QCOMPARE(frm.TailCmb->listIndex(), int(remembered));
        QCOMPARE(f.pane().tailIndex(), remembered);
        QTEST(frm.File->pattern(), "pattern");
        QTEST(f.fileNames(), "files");
        QCOMPARE(f.pane().fileChosen(), qint16(1)); // the same filter: the choice stands
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(FilterTest)
#include "FilterTest.moc"
