// The help label's texts, character for character.
#include "look/HelpTexts.h"
#include "TestRegistry.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class HelpTextsTest : public QObject
{
    Q_OBJECT
  private slots:
    void eachControlHasItsText_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        const QString def =
            u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"_s;
        QTest::newRow("window") << u"TesselFrm"_s << 0 << def;
        QTest::newRow("help label") << u"DescriptionLbl"_s << 0 << def;
        QTest::newRow("EditTxt")
            << u"EditTxt"_s << 1
            << u"ここに内容を記入してください。ＨＴＭＬタグリストからタグを選択することでタグを貼り付けることができます。指定した行へ移動します。Ctrl+G"_s;
        QTest::newRow("NewBtn")
            << u"NewBtn"_s << 2
            << u"新規ＨＴＭＬの編集を開始します。保存していない編集内容は破棄されます。Ctrl+N"_s;
        QTest::newRow("OpenBtn")
            << u"OpenBtn"_s << 3
            << u"選択されたファイルを開きます。保存していない編集内容は破棄されます。Ctrl+O"_s;
        QTest::newRow("CancelBtn") << u"CancelBtn"_s << 4 << u"編集内容を破棄し初期状態に戻します。Ctrl+D"_s;
        QTest::newRow("SaveBtn")
            << u"SaveBtn"_s << 5
            << u"編集内容を保存します。同名のファイルが存在するときは上書きします。Ctrl+S"_s;
        QTest::newRow("SaveasBtn")
            << u"SaveasBtn"_s << 6
            << u"名前を指定して保存します。同名のファイルが存在するときは上書きされます。Ctrl+R"_s;
        QTest::newRow("Dir1")
            << u"Dir1"_s << 7
            << u"選択されているディレクトリを変更します。ディスクドライバを変更したいときは、上のディスクドライブを変更してください。（空のドライブは選択しないでください。強制終了します）"_s;
        QTest::newRow("File")
            << u"File"_s << 8
            << u"ファイルを選択し、開くボタンを押すことでそのファイルを開くことができます。"_s;
        QTest::newRow("HTMLLst")
            << u"HTMLLst"_s << 9
            << u"タグを選択しダブルクリックすることでタグを編集テキストの末尾に貼り付けることができます。"_s;
        QTest::newRow("PresetChk")
            << u"PresetChk"_s << 10
            << u"ここをチェックしておくことで、新規作成時にプリセット登録されている文書を出力できます。"_s;
        QTest::newRow("ColorCmd") << u"ColorCmd"_s << 11 << u"全体的な色を変更します。Ctrl+B"_s;
        QTest::newRow("SearchCmd") << u"SearchCmd"_s << 12
                                   << u"編集内容から指定した語句を検索・置換します。Ctrl+F"_s;
        QTest::newRow("ShortCutsLbl")
            << u"ShortCutsLbl"_s << 13
            << u"タグリストでF1～F12を押すことでショートカットに登録できます。\r\n編集ボックス内でF1～F12を押すことで貼り付けられます。\r\n解除はShift+F1～F12。"_s;
    }

    void eachControlHasItsText()
    {
        QFETCH(QString, control);
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(helptexts::idOf(control), id);
        const QString got = helptexts::text(id);
        // Compared code unit by code unit so that a look-alike character is named.
        for (qsizetype i = 0; i < std::min(got.size(), text.size()); ++i)
            QVERIFY2(got[i] == text[i], qPrintable(u"position %1: U+%2 instead of U+%3"_s.arg(i)
                                                       .arg(uint(got[i].unicode()), 4, 16, QChar(u'0'))
                                                       .arg(uint(text[i].unicode()), 4, 16, QChar(u'0'))));
        QCOMPARE(got, text);
    }

    void widthsOfLettersAndSymbols()
    {
        // "ＨＴＭＬ" is full-width, "Ctrl+" and the key letter half-width.
        for (int id : {1, 2}) {
            const QString t = helptexts::text(id);
            QVERIFY(t.contains(QString(QChar(0xFF28)) + QChar(0xFF34) + QChar(0xFF2D) + QChar(0xFF2C)));
            QVERIFY(!t.contains(u"HTML"_s));
        }
        for (int id = 2; id <= 12; ++id) {
            if (id >= 7 && id <= 10)
                continue;
            QVERIFY2(helptexts::text(id).contains(QRegularExpression(u"Ctrl\\+[NODSRBF]$"_s)),
                     qPrintable(QString::number(id)));
        }
        // The directory list's note is in full-width parentheses.
        const QString dir = helptexts::text(7);
        QCOMPARE(dir.count(QChar(0xFF08)), 1);
        QCOMPARE(dir.count(QChar(0xFF09)), 1);
        QVERIFY(dir.endsWith(QChar(0xFF09)));
        QVERIFY(!dir.contains(u'(') && !dir.contains(u')'));
    }

    void shortcutHelpIsThreeLinesWithFullWidthTildes()
    {
        const QString t = helptexts::text(13);
        const QStringList lines = t.split(u"\r\n"_s);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[2], u"解除はShift+F1～F12。"_s);
        QVERIFY(!t.endsWith(u'\n') && !t.endsWith(u'\r'));
        QCOMPARE(t.count(u'\r'), 2);
        QCOMPARE(t.count(u'\n'), 2);
        // FULLWIDTH TILDE, not WAVE DASH or a half-width tilde.
        QCOMPARE(t.count(QChar(0xFF5E)), 3);
        QVERIFY(!t.contains(QChar(0x301C)) && !t.contains(u'~'));
        for (const QString &line : lines)
            QVERIFY(line.contains(u"F1\uFF5EF12"_s));
    }

    void otherNumbersGiveTheDefaultText_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("-1") << -1;
        QTest::newRow("14") << 14;
    }

    void otherNumbersGiveTheDefaultText()
    {
        QFETCH(int, id);
        QCOMPARE(helptexts::text(id), helptexts::defaultText());
        QVERIFY(helptexts::defaultText().startsWith(u"ここに各機能の説明が現れます。"_s));
    }

    void controlsWithoutHelp_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *c : {"Drive", "TailCmb", "ByteLbl", "FilenameLbl"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }

    void controlsWithoutHelp()
    {
        QFETCH(QString, control);
        QCOMPARE(helptexts::idOf(control), -1);
    }
};

TESSARA_TEST_CLASS(HelpTextsTest)
#include "HelpTextsTest.moc"
