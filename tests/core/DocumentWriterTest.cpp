// The document writer on a real window: the bytes written, the labels and the
// pane afterwards, and saves that fail without losing anything.
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/FilePane.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "text/Cp932.h"
#include "text/TextFile.h"
#include "ui/Label.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace
{

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

// A window browsing docs/ (holding old.html) with a file clicked, a titled
// document and edits not yet saved.
struct Editing : WindowFixture {
    const QByteArray oldBytes = QByteArray("\x8B\x8C\x82\xA2\x95\xB6\x8F\x91\r\n", 10); // 古い文書
    Editing()
    {
        QDir().mkpath(docs());
        QDir().mkpath(docs(u"other"_s));
        put(docs(u"old.html"_s), oldBytes);
        TesselFrm &frm = create();
        frm.filePane()->startUp(docs());
        frm.File->setListIndex(0);
        values.SavedText = u"古い文書"_s;
        frm.FilenameLbl->setCaption(docs(u"old.html"_s));
        frm.ByteLbl->setCaption(u"0 KB"_s);
        frm.EditTxt->setText(u"新しい文書"_s);
    }
    QString docs(const QString &name = {}) const
    {
        return name.isEmpty() ? path(u"docs"_s) : path(u"docs/"_s + name);
    }

    // Everything a failed save must leave as it was.
    void verifyUnchanged(const QString &editText, const QStringList &docsEntries)
    {
        TesselFrm &w = frm();
        QCOMPARE(bytesOf(docs(u"old.html"_s)), oldBytes);
        QCOMPARE(entries(docs()), docsEntries); // no temporary file left behind
        QCOMPARE(values.SavedText, u"古い文書"_s);
        QCOMPARE(w.EditTxt->text(), editText);
        QVERIFY(w.EditTxt->text() != values.SavedText); // still modified
        QCOMPARE(w.FilenameLbl->caption(), docs(u"old.html"_s));
        QCOMPARE(w.ByteLbl->caption(), u"0 KB"_s);
        QCOMPARE(w.Dir1->path(), docs());
        QCOMPARE(w.filePane()->fileChosen(), qint16(1));
    }
};

QString refusal(const QString &file, const QString &reason)
{
    return u"ファイル「"_s + file + u"」を保存できませんでした。\r\n"_s + reason +
           u"\r\nディスク上のファイルは元のままです。"_s;
}

enum class Place { DirectoryOfThatName, UnderARegularFile, MissingFolder, NameTooLong, Unencodable, Fifo };

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Encoding)

class DocumentWriterTest : public QObject
{
    Q_OBJECT

  private slots:
    void writesTheTextAndOneCrLfInShiftJis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("size");
        QTest::newRow("empty document") << QString() << QByteArray("\r\n") << u"0 KB"_s;
        QTest::newRow("ASCII") << u"<p>abc</p>"_s << QByteArray("<p>abc</p>\r\n") << u"0 KB"_s;
        QTest::newRow("Japanese lines")
            << u"日本語\r\n２行目"_s << QByteArray("\x93\xFA\x96\x7B\x8C\xEA\r\n\x82\x51\x8D\x73\x96\xDA\r\n")
            << u"0 KB"_s;
        QTest::newRow("a final CR LF gets one more") << u"x\r\n"_s << QByteArray("x\r\n\r\n") << u"0 KB"_s;
        QTest::newRow("a lone LF stays") << u"a\nb"_s << QByteArray("a\nb\r\n") << u"0 KB"_s;
        QTest::newRow("the fullwidth tilde") << u"～ｱ"_s << QByteArray("\x81\x60\xB1\r\n") << u"0 KB"_s;
        QTest::newRow("1535 bytes of text make 1537 bytes, 2 KB")
            << QString(1535, u'a') << QByteArray(1535, 'a') + "\r\n"
            << u"2 KB"_s;
        QTest::newRow("767 two-byte characters and a blank make 1537 bytes")
            << QString(767, u'あ') + u' ' << QByteArray("\x82\xA0").repeated(767) + " \r\n"
            << u"2 KB"_s;
    }
    void writesTheTextAndOneCrLfInShiftJis()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        Editing f;
        TesselFrm &frm = f.frm();
        frm.EditTxt->setText(text);
        const QString target = f.docs(u"old.html"_s);

        QVERIFY(frm.SaveTextFile(target, QString()));

        QCOMPARE(bytesOf(target), bytes);
        QCOMPARE(f.values.SavedText, text);
        QCOMPARE(frm.EditTxt->text(), text); // not modified now
        QCOMPARE(frm.FilenameLbl->caption(), target);
        QTEST(frm.ByteLbl->caption(), "size");
        VERIFY_BOXES(f.boxes);
    }

    void saveWithoutDirectoryLeavesThePaneAndListsTheNewFile()
    {
        Editing f;
        TesselFrm &frm = f.frm();
        QVERIFY(frm.SaveTextFile(f.docs(u"new.html"_s), QString()));
        QCOMPARE(frm.Dir1->path(), f.docs());
        QCOMPARE(frm.File->path(), f.docs());
        QCOMPARE(frm.filePane()->fileChosen(), qint16(1));
        QCOMPARE(frm.File->listCount(), 2);
        QCOMPARE(frm.File->list(0), u"new.html"_s);
        VERIFY_BOXES(f.boxes);
    }

    void saveWithDirectoryMovesThePaneThere()
    {
        Editing f;
        TesselFrm &frm = f.frm();
        const QString other = f.docs(u"other"_s);
        QVERIFY(frm.SaveTextFile(other + u"/new.html"_s, other));
        QCOMPARE(frm.Dir1->path(), other);
        QCOMPARE(frm.File->path(), other);
        QCOMPARE(frm.filePane()->fileChosen(), qint16(0));
        QCOMPARE(frm.File->listCount(), 1);
        QCOMPARE(frm.File->list(0), u"new.html"_s);
        QCOMPARE(frm.FilenameLbl->caption(), other + u"/new.html"_s);
        VERIFY_BOXES(f.boxes);
    }

    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<Place>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target"); // in docs/
        QTest::addColumn<QString>("reason"); // "%1" stands for the docs directory

        const QString text = u"新しい文書"_s;
        QTest::newRow("a directory of that name")
            << Place::DirectoryOfThatName << text << u"dir.html"_s << u"同じ名前のフォルダーがあります。"_s;
        QTest::newRow("a path under a regular file")
            << Place::UnderARegularFile << text << u"old.html/x.html"_s
            << u"保存先「%1/old.html」はフォルダーではありません。"_s;
        QTest::newRow("a folder that does not exist") << Place::MissingFolder << text << u"none/x.html"_s
                                                      << u"保存先のフォルダー「%1/none」がありません。"_s;
        QTest::newRow("a name the file system refuses as too long")
            << Place::NameTooLong << text << QString(300, u'a') + u".html"_s << u"ファイル名が長すぎます。"_s;
        QTest::newRow("a named pipe, refused at once") << Place::Fifo << text << u"pipe.html"_s
                                                       << u"名前付きパイプ（FIFO）には保存できません。"_s;
        QTest::newRow("a character Shift_JIS cannot hold")
            << Place::Unencodable << u"abc\r\nde\U0002000Bf"_s << u"old.html"_s
            << u"「\U0002000B」(U+2000B) は Shift_JIS で保存できない文字です（2 行 3 列）。"_s;
        QTest::newRow("an emoji on the third line")
            << Place::Unencodable << u"<p>\r\n\r\nＡ\U0001F600한</p>"_s << u"old.html"_s
            << u"「\U0001F600」(U+1F600) は Shift_JIS で保存できない文字です（3 行 2 列）。"_s;
        QTest::newRow("Hangul in the first line")
            << Place::Unencodable << u"ＡB한"_s << u"old.html"_s
            << u"「한」(U+D55C) は Shift_JIS で保存できない文字です（1 行 3 列）。"_s;
    }
    void failedSaveChangesNothing()
    {
        QFETCH(Place, place);
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        Editing f;
        TesselFrm &frm = f.frm();
        frm.EditTxt->setText(text);
        if (place == Place::DirectoryOfThatName) {
            QVERIFY(QDir().mkpath(f.docs(u"dir.html"_s)));
            put(f.docs(u"dir.html/inside.txt"_s), "kept");
        }
        if (place == Place::Fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(f.docs(target)).constData(), 0644), 0);
        const QStringList before = entries(f.docs());
        const QString file = f.docs(target);
        const QString why = refusal(file, QString(reason).replace(u"%1"_s, f.docs()));
        if (place == Place::Unencodable)
            f.boxes.expectStartingWith({why + u"\r\nShift_JIS で保存できない文字 "_s, u"確認"_s, MsgButtons::YesNo,
                                        MsgIcon::Exclamation, MsgAnswer::No},
                                       MsgAnswer::No);
        else
            f.boxes.expect(MsgBox::warning(why, u"エラー"_s), MsgAnswer::Ok);

        QVERIFY(!frm.SaveTextFile(file, f.docs(u"other"_s)));

        VERIFY_BOXES(f.boxes);
        f.verifyUnchanged(text, before);
        if (place == Place::DirectoryOfThatName)
            QCOMPARE(bytesOf(f.docs(u"dir.html/inside.txt"_s)), QByteArray("kept"));
    }

    // The characters the encoding cannot hold, written as references when the
    // user says so: one edit in the text, which one undo takes back.
    void unwritableCharactersBecomeReferencesOnYes_data()
    {
        QTest::addColumn<Encoding>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("question"); // the part after the refusal

        QTest::newRow("Shift_JIS: an emoji and Hangul on two lines")
            << Encoding::ShiftJis << u"A\U0001F600B\r\n한C"_s
            << QByteArray("A&#x1F600;B\r\n&#xD55C;C\r\n")
            << u"Shift_JIS で保存できない文字 2 個をすべて文字参照（&#x1F600; の形）に置き換えて保存しますか？\r\n"
               u"文字参照は <script> と <style> の中では文字として読まれません。"_s;
        QTest::newRow("Shift_JIS: a wave dash, never the fullwidth tilde's code")
            << Encoding::ShiftJis << u"〜ｱ"_s << QByteArray("&#x301C;\xB1\r\n")
            << u"Shift_JIS で保存できない文字 1 個をすべて文字参照（&#x301C; の形）に置き換えて保存しますか？\r\n"
               u"文字参照は <script> と <style> の中では文字として読まれません。"_s;
        QTest::newRow("EUC-JP: the yen sign, never a backslash")
            << Encoding::EucJp << u"\u00A5100 あ"_s << QByteArray("&#xA5;100 \xA4\xA2\r\n")
            << u"EUC-JP で保存できない文字 1 個をすべて文字参照（&#xA5; の形）に置き換えて保存しますか？\r\n"
               u"文字参照は <script> と <style> の中では文字として読まれません。"_s;
    }
    void unwritableCharactersBecomeReferencesOnYes()
    {
        QFETCH(Encoding, encoding);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(QString, question);
        Editing f;
        TesselFrm &frm = f.frm();
        f.values.DocEncoding.encoding = encoding;
        frm.EditTxt->setText(text);
        const QString file = f.docs(u"old.html"_s);
        const Cp932::EncodeResult first = Cp932::encode(text);
        const QString reason = TextFile::unwritableReason(
            encoding, QChar::isHighSurrogate(text[first.failIndex].unicode())
                          ? QChar::surrogateToUcs4(text[first.failIndex], text[first.failIndex + 1])
                          : char32_t(text[first.failIndex].unicode()),
            textplace::lineColumnAt(text, first.failIndex));
        f.boxes.expect({refusal(file, reason) + u"\r\n"_s + question, u"確認"_s, MsgButtons::YesNo,
                        MsgIcon::Exclamation, MsgAnswer::No},
                       MsgAnswer::Yes);

        QVERIFY(frm.SaveTextFile(file, QString()));
        VERIFY_BOXES(f.boxes);
        QCOMPARE(bytesOf(file), written);
        QVERIFY(frm.EditTxt->text().contains(u"&#x"_s));
        QCOMPARE(f.values.SavedText, frm.EditTxt->text());
        frm.EditTxt->undo();
        QCOMPARE(frm.EditTxt->text(), text);
        QVERIFY(frm.EditTxt->text() != f.values.SavedText);
    }

    void saveWithoutPermissionChangesNothing()
    {
        Editing f;
        TesselFrm &frm = f.frm();
        // Readable for everyone, writable for its owner only.
        for (const QString &d : {f.startDir(), f.docs()})
            QVERIFY(QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                 QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                 QFile::ExeOther));
        const QStringList before = entries(f.docs());
        for (const QString &name : {u"old.html"_s, u"new.html"_s}) {
            const QString file = f.docs(name);
            f.boxes.expect(MsgBox::warning(refusal(file, u"書き込む権限がありません。"_s), u"エラー"_s),
                           MsgAnswer::Ok);
            bool saved = true;
            {
                // Root may write anywhere: the save runs as an unprivileged user.
                const bool root = ::geteuid() == 0;
                if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) {
                    ::setegid(0);
                    QSKIP("cannot run as an unprivileged user here");
                }
                saved = frm.SaveTextFile(file, QString());
                if (root && (::seteuid(0) != 0 || ::setegid(0) != 0))
                    qFatal("cannot return to the test's own user");
            }
            QVERIFY(!saved);
            VERIFY_BOXES(f.boxes);
            f.verifyUnchanged(u"新しい文書"_s, before);
        }
    }

    // A full disk, stood in for by a limit on file size in a child process:
    // the write fails part way and the old file must survive whole.
    void saveOnAFullDiskChangesNothing()
    {
        Editing f;
        TesselFrm &frm = f.frm();
        const QString text = QString(10000, u'あ');
        frm.EditTxt->setText(text);
        const QString file = f.docs(u"old.html"_s);
        const QStringList before = entries(f.docs());
        f.boxes.expect(
            MsgBox::warning(
                refusal(file, u"ファイルが大きすぎて書き込めません（ファイルサイズの上限を超えます）。"_s),
                u"エラー"_s),
            MsgAnswer::Ok);

        int report[2];
        QCOMPARE(::pipe(report), 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(report[0]);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 4096;
            std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG instead of ending the process
            QByteArray out = "setrlimit failed";
            if (::setrlimit(RLIMIT_FSIZE, &limit) == 0) {
                const bool saved = frm.SaveTextFile(file, QString());
                out = QByteArray(saved ? "saved" : "refused") + '\n' + f.boxes.problems().toUtf8();
                // The state the child's window is left in, as the parent sees it for itself.
                if (f.values.SavedText != u"古い文書"_s || frm.EditTxt->text() != text ||
                    frm.FilenameLbl->caption() != file || frm.ByteLbl->caption() != u"0 KB"_s)
                    out += "\nwindow state changed";
            }
            const ssize_t n = ::write(report[1], out.constData(), size_t(out.size()));
            ::_exit(n == out.size() ? 0 : 1);
        }
        ::close(report[1]);
        QByteArray got;
        char buf[4096];
        for (ssize_t n; (n = ::read(report[0], buf, sizeof buf)) > 0;)
            got.append(buf, n);
        ::close(report[0]);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        QCOMPARE(QString::fromUtf8(got), u"refused\n"_s);
        QCOMPARE(bytesOf(file), f.oldBytes);
        QCOMPARE(entries(f.docs()), before);
        f.boxes.reset(); // the box was shown in the child
    }

    void fileOf33553920BytesShowsItsTrueSize()
    {
        Editing f;
        TesselFrm &frm = f.frm();
        // 32767 lines of 1024 bytes with their CR LF, and 512 bytes more: 32767.5 KB.
        QString text;
        text.reserve(33553920);
        const QString line(1022, u'a');
        for (int i = 0; i < 32767; ++i)
            text += line + u"\r\n"_s;
        text.chop(2);
        text += QString(512, u'b');
        frm.EditTxt->setText(text);
        const QString file = f.docs(u"large.html"_s);
        QVERIFY(frm.SaveTextFile(file, QString()));
        QCOMPARE(QFileInfo(file).size(), qint64(33553920));
        QCOMPARE(frm.ByteLbl->caption(), u"32768 KB"_s);
        VERIFY_BOXES(f.boxes);
    }
};

TESSARA_TEST_CLASS(DocumentWriterTest)
#include "DocumentWriterTest.moc"
