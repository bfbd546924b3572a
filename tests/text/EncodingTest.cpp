// Documents in their own encoding: which encoding reading decides on, what
// the bytes read as, and that an unedited document writes back byte for byte
// in every encoding, invalid bytes, escape sequences and line ends included.
#include "TestRegistry.h"
#include "text/Detect.h"
#include "text/Encoding.h"
#include "text/LineEnds.h"
#include "text/TextFile.h"

#include <QHash>
#include <QSet>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString kept(QByteArrayView bytes)
{
    QString s;
    for (char c : bytes)
        s += QChar(0xDC00 + uchar(c));
    return s;
}

// ISO-2022-JP written readably: {K} ESC $ B, {@} ESC $ @, {A} ESC ( B, {R} ESC ( J, {I} ESC ( I.
QByteArray jis(QByteArray s)
{
    return s.replace("{K}", "\x1B$B").replace("{@}", "\x1B$@").replace("{A}", "\x1B(B")
        .replace("{R}", "\x1B(J").replace("{I}", "\x1B(I");
}

// A new document in the encoding, without habits of its own.
DocumentEncoding fresh(Encoding e)
{
    DocumentEncoding d;
    d.encoding = e;
    return d;
}

// Every code of more than one byte an encoding has room for, each as the
// bytes of a whole document.
QList<QByteArray> everyCode(Encoding e)
{
    QList<QByteArray> codes;
    for (int b1 = 0xA1; b1 <= 0xFE; ++b1)
        for (int b2 = 0xA1; b2 <= 0xFE; ++b2) {
            const QByteArray pair = QByteArray(1, char(b1)) + char(b2);
            if (e == Encoding::Iso2022Jp) {
                codes << jis("{K}" + QByteArray(1, char(b1 - 0x80)) + char(b2 - 0x80) + "{A}");
                continue;
            }
            codes << pair << "\x8F" + pair;
            if (b1 == 0xA1)
                codes << "\x8E" + pair.sliced(1); // half-width katakana
        }
    return codes;
}

// The characters an encoding writes, and those it has several codes for.
struct Repertoire
{
    QList<QChar> chars;
    QSet<QChar> severalCodes;
};

Repertoire repertoireOf(Encoding e)
{
    Repertoire r;
    if (e == Encoding::Utf8)
        return r;
    QHash<QChar, int> codes;
    for (const QByteArray &code : everyCode(e)) {
        const QString text = encoding::decode(e, code).text;
        if (text.size() == 1 && !QChar::isSurrogate(text[0].unicode()) && ++codes[text[0]] == 1)
            r.chars << text[0];
    }
    for (auto it = codes.cbegin(); it != codes.cend(); ++it)
        if (*it > 1)
            r.severalCodes << it.key();
    return r;
}

// A document of random characters of the encoding, line ends of every kind,
// and bytes that are invalid where they stand or anywhere.
QByteArray randomDocument(QRandomGenerator &rng, Encoding e, const Repertoire &rep, qsizetype size)
{
    static const char *const invalid[] = {"\x80", "\xFF", "\xA0", "\x8E", "\x8F\xA1", "\xE3\x81", "\xC0\xAF",
                                          "\xED\xA0\x80", "\x1B", "\x1B$", "\x1B$(D", "\x1B(B", "\x1B$@",
                                          "\x1B(J", "\x1B(I", "\x1B$B", "\x1B(((((((((B", "\xFE\xFE"};
    static const char *const ascii[] = {"\r\n", "\r", "\n", " ", "<p>", "\\~", "abcdefghijklmnopq"};
    QByteArray bytes;
    QString text;
    while (bytes.size() < size) {
        const quint32 pick = rng.bounded(100);
        if (pick < 60) {
            if (e == Encoding::Utf8) {
                char32_t u = rng.bounded(2) ? rng.bounded(0x3000u, 0xA000u) : rng.bounded(0x80u, 0x110000u);
                if (u >= 0xD800 && u < 0xE000)
                    u -= 0x800; // no surrogates
                text += QString::fromUcs4(&u, 1);
            } else {
                text += rep.chars[rng.bounded(int(rep.chars.size()))];
            }
            continue;
        }
        bytes += encoding::encode(fresh(e), text).bytes;
        text.clear();
        if (pick < 80)
            bytes += ascii[rng.bounded(int(std::size(ascii)))];
        else if (pick < 95)
            bytes += invalid[rng.bounded(int(std::size(invalid)))];
        else
            bytes += char(rng.bounded(256));
    }
    return bytes;
}

} // namespace

class EncodingTest : public QObject {
    Q_OBJECT

private slots:
    void decidesTheEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Encoding>("expected");

        const QByteArray utf8("<p>\xE6\x97\xA5\xE6\x9C\xAC</p>"); // 日本, valid UTF-8
        const QByteArray sjis("<p>\x93\xFA\x96\x7B</p>");           // 日本, not UTF-8
        const QByteArray bom("\xEF\xBB\xBF");
        QTest::newRow("UTF-8 byte order mark") << bom + sjis << Encoding::Utf8;
        QTest::newRow("byte order mark before a Shift_JIS declaration")
            << bom + "<meta charset=\"shift_jis\">" << Encoding::Utf8;
        QTest::newRow("UTF-16LE byte order mark") << QByteArray("\xFF\xFE<\0p\0", 6) << Encoding::Utf16Le;
        QTest::newRow("UTF-16BE byte order mark") << QByteArray("\xFE\xFF\0<\0p", 6) << Encoding::Utf16Be;
        QTest::newRow("UTF-16 byte order mark before a UTF-8 declaration")
            << QByteArray("\xFF\xFE<\0m\0e\0t\0a\0 \0c\0h\0a\0r\0s\0e\0t\0=\0u\0t\0f\0-\08\0>\0", 34)
            << Encoding::Utf16Le;

        // Every label: the declaration wins over what the bytes look like.
        const QList<std::pair<const char *, Encoding>> labels{
            {"utf-8", Encoding::Utf8}, {"UTF8", Encoding::Utf8}, {"unicode-1-1-utf-8", Encoding::Utf8},
            {"unicode11utf8", Encoding::Utf8}, {"unicode20utf8", Encoding::Utf8},
            {"x-unicode20utf8", Encoding::Utf8}, {"Shift_JIS", Encoding::ShiftJis},
            {"shift-jis", Encoding::ShiftJis}, {"sjis", Encoding::ShiftJis}, {"x-sjis", Encoding::ShiftJis},
            {"windows-31j", Encoding::ShiftJis}, {"cp932", Encoding::ShiftJis}, {"ms932", Encoding::ShiftJis},
            {"ms_kanji", Encoding::ShiftJis}, {"csshiftjis", Encoding::ShiftJis}, {"EUC-JP", Encoding::EucJp},
            {"x-euc-jp", Encoding::EucJp}, {"cseucpkdfmtjapanese", Encoding::EucJp},
            {"iso-2022-jp", Encoding::Iso2022Jp}, {"csISO2022JP", Encoding::Iso2022Jp}};
        for (const auto &[label, e] : labels)
            QTest::addRow("<meta charset=\"%s\">", label)
                << "<meta charset=\"" + QByteArray(label) + "\">" + (e == Encoding::Utf8 ? sjis : utf8) << e;

        QTest::newRow("unquoted, upper case") << "<HTML><META CHARSET=EUC-JP>" + utf8 << Encoding::EucJp;
        QTest::newRow("single quotes, blanks round the label")
            << "<meta charset=' iso-2022-jp\t'>" + utf8 << Encoding::Iso2022Jp;
        QTest::newRow("slash before the attribute") << "<meta/charset=euc-jp>" + utf8 << Encoding::EucJp;
        QTest::newRow("http-equiv then content")
            << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">" + utf8
            << Encoding::EucJp;
        QTest::newRow("content then http-equiv, no blank, quoted label")
            << "<meta content='text/html;charset=\"x-sjis\"' HTTP-EQUIV=content-type>" + utf8
            << Encoding::ShiftJis;
        QTest::newRow("after a doctype, a comment and other tags")
            << "<!DOCTYPE html><!-- x --><html lang=ja><head><title>t</title><meta charset=euc-jp>" + utf8
            << Encoding::EucJp;
        QTest::newRow("the first declaration counts")
            << "<meta charset=euc-jp><meta charset=utf-8>" + utf8 << Encoding::EucJp;
        QTest::newRow("declaration closed on byte 1024")
            << QByteArray(1024 - 23, ' ') + "<meta charset=\"euc-jp\">" + utf8 << Encoding::EucJp;
        QTest::newRow("declaration cut by byte 1024")
            << QByteArray(1024 - 19, ' ') + "<meta charset=\"euc-jp\">" + utf8 << Encoding::Utf8;
        QTest::newRow("declaration after byte 1024")
            << QByteArray(1100, ' ') + "<meta charset=\"euc-jp\">" + utf8 << Encoding::Utf8;
        QTest::newRow("misspelt charaset")
            << "<meta charaset=\"euc-jp\">" + utf8 << Encoding::Utf8;
        QTest::newRow("label this program does not write")
            << "<meta charset=iso-8859-1>" + sjis << Encoding::ShiftJis;
        QTest::newRow("utf-16 label") << "<meta charset=utf-16>" + utf8 << Encoding::Utf8;
        QTest::newRow("content without http-equiv")
            << "<meta content=\"text/html; charset=euc-jp\">" + utf8 << Encoding::Utf8;
        QTest::newRow("http-equiv of another kind")
            << "<meta http-equiv=refresh content=\"0; charset=euc-jp\">" + utf8 << Encoding::Utf8;
        QTest::newRow("declaration inside a comment")
            << "<!-- <meta charset=euc-jp> -->" + sjis << Encoding::ShiftJis;
        QTest::newRow("declaration inside another tag's attribute")
            << "<img alt=\"<meta charset=euc-jp>\">" + utf8 << Encoding::Utf8;
        QTest::newRow("<metadata> is not <meta>") << "<metadata charset=euc-jp>" + sjis << Encoding::ShiftJis;

        // As browsers have read them since 2021: an XML declaration at the
        // very start counts when no meta declares an encoding.
        QTest::newRow("XML declaration")
            << "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>\r\n<html>" + utf8 << Encoding::EucJp;
        QTest::newRow("XML declaration, single quotes, blanks round =")
            << "<?xml version='1.0' encoding = 'iso-2022-jp'?>" + utf8 << Encoding::Iso2022Jp;
        QTest::newRow("XML declaration not at the very start")
            << " <?xml version=\"1.0\" encoding=\"EUC-JP\"?>" + utf8 << Encoding::Utf8;
        QTest::newRow("a meta wins over the XML declaration")
            << "<?xml version=\"1.0\" encoding=\"EUC-JP\"?><meta charset=utf-8>" + sjis << Encoding::Utf8;
        QTest::newRow("charset after content wins")
            << "<meta content=\"text/html; charset=euc-jp\" http-equiv=content-type charset=iso-2022-jp>" + utf8
            << Encoding::Iso2022Jp;
        QTest::newRow("content after charset counts for nothing")
            << "<meta charset=utf-8 content=\"text/html; charset=euc-jp\" http-equiv=content-type>" + sjis
            << Encoding::Utf8;
        QTest::newRow("an encoding this program does not write ends the scan")
            << "<meta charset=windows-1252><meta charset=euc-jp>" + utf8 << Encoding::Utf8;
        QTest::newRow("x-user-defined ends the scan")
            << "<meta charset=x-user-defined><meta charset=euc-jp>" + utf8 << Encoding::Utf8;
        QTest::newRow("a label of no encoding does not")
            << "<meta charset=foo><meta charset=euc-jp>" + utf8 << Encoding::EucJp;
        QTest::newRow("declaration whose > is past byte 1024")
            << QByteArray(1024 - 22, ' ') + "<meta charset=\"euc-jp\">" + utf8 << Encoding::Utf8;

        // With no declaration, the bytes decide.
        const QByteArray euc("<p>\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xDA\xA1\xBC\xA5\xB8\xA4\xC7\xA4\xB9\xA1\xA3</p>");
        QTest::newRow("ISO-2022-JP escapes in 7-bit text") << jis("<p>{K}F|K\\{A}</p>") << Encoding::Iso2022Jp;
        QTest::newRow("ESC ( J alone") << jis("{R}\\{A}") << Encoding::Iso2022Jp;
        QTest::newRow("an escape beside an 8-bit byte") << jis("{K}$\"{A}\x93\xFA") << Encoding::ShiftJis;
        QTest::newRow("an escape of another set") << QByteArray("\x1B$(D0!") << Encoding::ShiftJis;
        QTest::newRow("EUC-JP sentence") << euc << Encoding::EucJp;
        QTest::newRow("EUC-JP hiragana, Shift_JIS half-width katakana")
            << QByteArray("\xA4\xB3\xA4\xEC\xA4\xCF\xC3\xBB\xA4\xA4") << Encoding::EucJp;
        QTest::newRow("EUC-JP kanji Shift_JIS reads as a user-defined character")
            << QByteArray("<p>\xF4\xA1</p>") << Encoding::EucJp;
        QTest::newRow("short text both read cleanly")
            << QByteArray("\xA5\xC6\xA5\xB9\xA5\xC8") << Encoding::ShiftJis;
        QTest::newRow("Shift_JIS half-width katakana that is valid EUC-JP")
            << QByteArray("\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0") << Encoding::ShiftJis;
        QTest::newRow("EUC-JP broken at the end") << euc + "\xA4" << Encoding::ShiftJis;
        QTest::newRow("no declaration, valid UTF-8") << utf8 << Encoding::Utf8;
        QTest::newRow("no declaration, ASCII only") << QByteArray("<p>abc</p>\r\n") << Encoding::ShiftJis;
        QTest::newRow("empty file") << QByteArray() << Encoding::ShiftJis;
        QTest::newRow("no declaration, Shift_JIS") << sjis << Encoding::ShiftJis;
        // ﾃｩ in Shift_JIS is é in UTF-8. Shift_JIS that is valid UTF-8 is
        // nearly always mojibake like this, which nobody writes; text people
        // write in Shift_JIS breaks UTF-8 within a few characters.
        QTest::newRow("Shift_JIS bytes that happen to be UTF-8") << QByteArray("\xC3\xA9") << Encoding::Utf8;
        QTest::newRow("UTF-8 broken at the end") << utf8 + "\xE6\x97" << Encoding::ShiftJis;
    }

    void decidesTheEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Encoding, expected);
        QCOMPARE(encoding::name(detect::encodingOf(bytes)), encoding::name(expected));
    }

    void reportsWhatThePageDeclares_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<detect::Source>("source");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("encoding"); // -1: one this program does not write
        using S = detect::Source;
        QTest::newRow("nothing") << QByteArray("<p>") << S::None << QByteArray() << QByteArray() << -1;
        QTest::newRow("no encoding") << QByteArray("<meta charset=foo>") << S::None << QByteArray() << QByteArray()
                                     << -1;
        QTest::newRow("meta charset") << QByteArray("<meta charset=\" GB2312 \">") << S::MetaCharset
                                      << QByteArray("gb2312") << QByteArray("GBK") << -1;
        QTest::newRow("http-equiv")
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">")
            << S::HttpEquiv << QByteArray("windows-1252") << QByteArray("windows-1252") << -1;
        QTest::newRow("XML declaration") << QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>")
                                         << S::XmlDeclaration << QByteArray("Shift_JIS") << QByteArray("Shift_JIS")
                                         << int(Encoding::ShiftJis);
        QTest::newRow("UTF-16 means UTF-8") << QByteArray("<meta charset=utf-16le>") << S::MetaCharset
                                            << QByteArray("utf-16le") << QByteArray("UTF-8") << int(Encoding::Utf8);
        QTest::newRow("x-user-defined means windows-1252")
            << QByteArray("<meta charset=x-user-defined>") << S::MetaCharset << QByteArray("x-user-defined")
            << QByteArray("windows-1252") << -1;
        QTest::newRow("replacement") << QByteArray("<meta charset=iso-2022-kr>") << S::MetaCharset
                                     << QByteArray("iso-2022-kr") << QByteArray("replacement") << -1;
    }

    void reportsWhatThePageDeclares()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(detect::Source, source);
        QFETCH(QByteArray, label);
        QFETCH(QByteArray, name);
        QFETCH(int, encoding);
        const detect::Declaration d = detect::declaration(bytes);
        QCOMPARE(d.source, source);
        QCOMPARE(d.label, label);
        QCOMPARE(d.standardName, name);
        QCOMPARE(d.encoding ? int(*d.encoding) : -1, encoding);
        QCOMPARE(detect::declared(bytes), d.encoding);
    }

    void readsCharactersAsBrowsersDo_data()
    {
        QTest::addColumn<Encoding>("e");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("firstInvalid");
        QTest::addColumn<qsizetype>("invalid");

        const Encoding euc = Encoding::EucJp, iso = Encoding::Iso2022Jp, utf8 = Encoding::Utf8;
        auto row = [](const char *what, Encoding e, const QByteArray &bytes, const QString &text,
                      qsizetype first = -1, qsizetype count = 0) {
            QTest::addRow("%s: %s", qPrintable(encoding::name(e)), what)
                << e << bytes << text << first << count;
        };
        row("NEC-selected IBM kanji ED40", Encoding::ShiftJis, "\xED\x40", u"纊"_s);
        row("hiragana A4A2", euc, "\xA4\xA2", u"あ"_s);
        row("half-width katakana 8EB1", euc, "\x8E\xB1", u"ｱ"_s);
        row("NEC circled digit ADA1", euc, "\xAD\xA1", u"①"_s);
        row("A1C1 is the fullwidth tilde", euc, "\xA1\xC1", u"\uFF5E"_s);
        row("NEC-selected IBM kanji F9A1", euc, "\xF9\xA1", u"纊"_s);
        row("NEC-selected IBM symbol FCFE", euc, "\xFC\xFE", u"\uFF02"_s);
        row("JIS X 0212 kanji 8FB0A1", euc, "\x8F\xB0\xA1", u"丂"_s);
        row("JIS X 0212 8FA2C3 is the broken bar", euc, "\x8F\xA2\xC3", u"\u00A6"_s);
        row("ASCII after kanji", euc, "\xA4\xA2" "a\r\n", u"あa\r\n"_s);
        row("unassigned code", euc, "a\xA9\xA1", u"a"_s + kept("\xA9\xA1"), 1, 2);
        row("8E before ASCII", euc, "\x8E" "A", kept("\x8E") + u"A"_s, 0, 1);
        row("three-byte code cut off", euc, "\xA4\xA2\x8F\xB0", u"あ"_s + kept("\x8F\xB0"), 2, 2);
        row("ESC $ B 2422", iso, jis("{K}$\"{A}"), u"あ"_s);
        row("ESC $ @, the older two-byte set", iso, jis("{@}$\"{A}"), kept("\x1B$@") + u"あ"_s);
        row("ESC ( J: yen sign and overline", iso, jis("{R}\\~{A}"), u"\u00A5\u203E"_s);
        row("ESC ( I: half-width katakana", iso, jis("{I}1_{A}"), u"ｱﾟ"_s);
        row("NEC circled digit 2D21", iso, jis("{K}-!{A}"), u"①"_s);
        row("NEC-selected IBM kanji 7921", iso, jis("{K}y!{A}"), u"纊"_s);
        row("another set's escape and its bytes", iso, "\x1B$(D0!", kept("\x1B$(D") + u"0!"_s, 0, 4);
        row("8-bit byte", iso, "a\x80", u"a"_s + kept("\x80"), 1, 1);
        row("hiragana E38182", utf8, "\xE3\x81\x82", u"あ"_s);
        row("four bytes", utf8, "\xF0\x9F\x98\x80", u"\U0001F600"_s);
        row("overlong slash", utf8, "\xC0\xAF", kept("\xC0\xAF"), 0, 2);
        row("overlong three bytes", utf8, "\xE0\x80\xAF", kept("\xE0\x80\xAF"), 0, 3);
        row("encoded surrogate", utf8, "\xED\xA0\x80", kept("\xED\xA0\x80"), 0, 3);
        row("above U+10FFFF", utf8, "\xF4\x90\x80\x80", kept("\xF4\x90\x80\x80"), 0, 4);
        row("cut off at the end", utf8, "a\xE3\x81", u"a"_s + kept("\xE3\x81"), 1, 2);
        row("cut off by ASCII", utf8, "\xE3\x81" "a", kept("\xE3\x81") + u"a"_s, 0, 2);
        row("stray continuation byte", utf8, "\x80\xE3\x81\x82", kept("\x80") + u"あ"_s, 0, 1);
        row("invalid byte after a byte order mark", utf8,
            "\xEF\xBB\xBF"
            "a\xFF",
            u"a"_s + kept("\xFF"), 4, 1);
        row("a second byte order mark is a character", utf8, "\xEF\xBB\xBF\xEF\xBB\xBF" "a", u"\uFEFFa"_s);
        // UTF-16: the line rules see characters, so CR and LF bytes inside units stay.
        const Encoding le = Encoding::Utf16Le, be = Encoding::Utf16Be;
        row("a pair, a lone surrogate kept as its bytes, CR LF", le,
            QByteArray("\xFF\xFE" "a\0\x3D\xD8\x00\xDE\x00\xD8\r\0\n\0\x0D\x0A", 16),
            u"a\U0001F600"_s + kept(QByteArray("\x00\xD8", 2)) + u"\r\n\u0A0D"_s, 8, 2);
        row("an odd last byte", be, QByteArray("\xFE\xFF\0a\x30", 5), u"a"_s + kept("\x30"), 4, 1);
        row("a lone low surrogate", be, QByteArray("\xFE\xFF\xDC\x80\0a", 6),
            kept(QByteArray("\xDC\x80", 2)) + u"a"_s, 2, 2);
    }

    void readsCharactersAsBrowsersDo()
    {
        QFETCH(Encoding, e);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(qsizetype, firstInvalid);
        QFETCH(qsizetype, invalid);
        const encoding::Decoded d = encoding::decode(e, bytes);
        QCOMPARE(d.text, text);
        QCOMPARE(d.firstKeptByte, firstInvalid);
        QCOMPARE(d.keptByteCount, invalid);
        QCOMPARE(encoding::encode(d.encoding, d.text).bytes, bytes);
    }

    // A line read from the file keeps the codes it was read with; a new line
    // writes a character of several codes with the code the document used
    // most, the usual code on a tie.
    void writesCopiesAsTheDocumentDid_data()
    {
        QTest::addColumn<Encoding>("e");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("written");

        const Encoding euc = Encoding::EucJp, iso = Encoding::Iso2022Jp, sjis = Encoding::ShiftJis;
        QTest::newRow("EUC-JP: only the NEC-selected code") << euc << QByteArray("\xF9\xA1") << u"纊"_s
                                                            << QByteArray("\xF9\xA1");
        QTest::newRow("EUC-JP: mostly the NEC-selected code")
            << euc << QByteArray("\xF9\xA1\x8F\xD4\xE3\xF9\xA1") << u"纊"_s << QByteArray("\xF9\xA1");
        QTest::newRow("EUC-JP: a tie goes to the usual code")
            << euc << QByteArray("\xF9\xA1\x8F\xD4\xE3") << u"纊"_s << QByteArray("\x8F\xD4\xE3");
        QTest::newRow("EUC-JP: a JIS X 0212 copy") << euc << QByteArray("\x8F\xA2\xB7") << u"\uFF5E"_s
                                                   << QByteArray("\x8F\xA2\xB7");
        QTest::newRow("EUC-JP: each character its own habit")
            << euc << QByteArray("\xAD\xF0\xA2\xE8") << u"≒∵"_s << QByteArray("\xAD\xF0\xA2\xE8");
        // Written with two bytes, 纊 would be read together with the stray A4.
        QTest::newRow("EUC-JP: a character right after a stray byte keeps its three bytes")
            << euc << QByteArray("\xA4\x8F\xD4\xE3\xF9\xA1\xF9\xA1") << u"纊"_s << QByteArray("\x8F\xD4\xE3");
        QTest::newRow("EUC-JP: two codes of one kanji, one line each")
            << euc << QByteArray("\xFA\xBF\r\n\x8F\xC2\xC4\r\n\xFA\xBF") << u"\u6673"_s << QByteArray("\xFA\xBF");
        QTest::newRow("ISO-2022-JP: NEC's copy of a JIS symbol")
            << iso << jis("{K}-p{A}") << u"≒"_s << jis("{K}-p{A}");
        QTest::newRow("ISO-2022-JP: a tie goes to the usual code")
            << iso << jis("{K}-p\"b{A}") << u"≒"_s << jis("{K}\"b{A}");
        QTest::newRow("Shift_JIS: ≒ in both codes, one line each")
            << sjis << QByteArray("\x87\x90\r\n\x81\xE0\r\n\x87\x90") << u"≒"_s << QByteArray("\x87\x90");
        QTest::newRow("Shift_JIS: 髙 in both codes on one line, twice")
            << sjis << QByteArray("\xEE\xE0\xFB\xFC\r\n\xEE\xE0\xFB\xFC") << u"髙"_s << QByteArray("\xFB\xFC");
        QTest::newRow("Shift_JIS: the same line in another code")
            << sjis << QByteArray("a\x87\x90\r\na\x81\xE0\r\na\x87\x90") << u"≒"_s << QByteArray("\x87\x90");
    }

    void writesCopiesAsTheDocumentDid()
    {
        QFETCH(Encoding, e);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, added);
        QFETCH(QByteArray, written);
        const encoding::Decoded d = encoding::decode(e, bytes);
        const QString edited = d.text + u"\r\n"_s + added;
        const QByteArray expected = bytes + "\r\n" + written;
        QCOMPARE(encoding::encode(d.encoding, d.text).bytes, bytes);
        QCOMPARE(encoding::encode(d.encoding, edited).bytes, expected);
        QCOMPARE(encoding::decode(e, expected).text, edited);
        // A line moved or changed takes the habit; the others keep their codes.
        const QString firstLineChanged = u"x"_s + d.text;
        const EncodedText changed = encoding::encode(d.encoding, firstLineChanged);
        QCOMPARE(encoding::decode(e, changed.bytes).text, firstLineChanged);
    }

    void writesBackUneditedDocumentsByteForByte_data()
    {
        QTest::addColumn<Encoding>("e");
        QTest::addColumn<QByteArray>("bytes");

        const QString page = u"<html lang=\"ja\">\r\n<p>日本語のページ、ｶﾀｶﾅ ①～\uFFE2\r\n"
                             u"lone CR\rlone LF\n\\~</p>\r\n"_s;
        for (Encoding e : {Encoding::ShiftJis, Encoding::Utf8, Encoding::EucJp, Encoding::Iso2022Jp}) {
            const EncodedText written = encoding::encode(fresh(e), page);
            QVERIFY(written.ok);
            QTest::addRow("%s page", qPrintable(encoding::name(e))) << e << written.bytes;
        }
        const Encoding iso = Encoding::Iso2022Jp;
        QTest::newRow("UTF-8 with a byte order mark")
            << Encoding::Utf8 << QByteArray("\xEF\xBB\xBF<p>\xE2\x91\xA0");
        QTest::newRow("UTF-8 with invalid bytes") << Encoding::Utf8 << QByteArray("\xFF\xE3\x81\xC0\r\n\x80");
        QTest::newRow("EUC-JP with invalid bytes")
            << Encoding::EucJp << QByteArray("\x8E\xE0\xA9\xA1\x8F\xA1\x80\xFF");
        QTest::newRow("ISO-2022-JP: every set in turn") << iso << jis("{K}$\"{R}\\a{I}1{A}b{K}!!{A}\r\n");
        QTest::newRow("ISO-2022-JP: redundant escapes") << iso << jis("{A}a{K}{K}$\"{A}{A}{R}a{A}{K}");
        QTest::newRow("ISO-2022-JP: ESC $ @ and ESC ( J for ASCII") << iso << jis("{@}$\"{R}abc{A}{R}\r\n");
        QTest::newRow("ISO-2022-JP: unknown and broken escapes")
            << iso << jis("\x1B$(D0!{A}\x1B,\x1B\x80\x1B(((((((((B{K}\x1B") + "z\x1B";
        QTest::newRow("ISO-2022-JP: line ends in the two-byte set") << iso << jis("{K}$\"\r\n$$\r\n{A}");
        QTest::newRow("ISO-2022-JP: line ends in the two-byte set once")
            << iso << jis("{K}$\"{A}\r\n{K}$$\r\n$&{A}\r\n");
        QTest::newRow("ISO-2022-JP: ends in the two-byte set") << iso << jis("a{K}$\"");
        QTest::newRow("ISO-2022-JP: ends in Roman") << iso << jis("{R}\\\r\n");
        QTest::newRow("ISO-2022-JP: escape at the very end") << iso << jis("a{I}");
        QTest::newRow("ISO-2022-JP: invalid bytes in every set")
            << iso << jis("{K}$\x80$\"\x7F!{I}`\xFF{R}\x8E{A}\xA4\xA2");
    }

    void writesBackUneditedDocumentsByteForByte()
    {
        QFETCH(Encoding, e);
        QFETCH(QByteArray, bytes);
        const encoding::Decoded d = encoding::decode(e, bytes);
        const EncodedText back = encoding::encode(d.encoding, d.text);
        QVERIFY(back.ok);
        QCOMPARE(back.bytes, bytes);
        QCOMPARE(encoding::decode(e, back.bytes).text, d.text);
    }

    // New text, written as short as it can be, reads back as it was.
    void writesNewIso2022JpTextInTheShortestForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII needs no escape") << u"a\\~\r\n"_s << QByteArray("a\\~\r\n");
        QTest::newRow("back to ASCII before a letter") << u"あa"_s << jis("{K}$\"{A}a");
        QTest::newRow("back to ASCII before a line end") << u"あ\r\nい"_s << jis("{K}$\"{A}\r\n{K}$${A}");
        QTest::newRow("back to ASCII from Roman before a line end") << u"\u00A5\r\n"_s << jis("{R}\\{A}\r\n");
        QTest::newRow("Roman holds letters, not the backslash")
            << u"\u00A5a\\\u203E"_s << jis("{R}\\a{A}\\{R}~{A}");
        QTest::newRow("one escape per run") << u"ｱｲ漢字ｳ"_s << jis("{I}12{K}4A;z{I}3{A}");
        QTest::newRow("blank inside two-byte text") << u"あ い"_s << jis("{K}$\"{A} {K}$${A}");
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void writesNewIso2022JpTextInTheShortestForm()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encoding::encode(fresh(Encoding::Iso2022Jp), text).bytes, bytes);
        const encoding::Decoded d = encoding::decode(Encoding::Iso2022Jp, bytes);
        QCOMPARE(d.text, text);
        QVERIFY(d.encoding == fresh(Encoding::Iso2022Jp));
    }

    // Every code decodes to a character that is written back as the same
    // code (with the habit decoding noted), or its bytes are kept.
    void everyCodeWritesBackAsItself_data()
    {
        QTest::addColumn<Encoding>("e");
        QTest::addColumn<int>("characters");
        QTest::newRow("EUC-JP: two and three bytes") << Encoding::EucJp << 13000;
        QTest::newRow("ISO-2022-JP: two bytes") << Encoding::Iso2022Jp << 7000;
    }

    void everyCodeWritesBackAsItself()
    {
        QFETCH(Encoding, e);
        QFETCH(int, characters);
        int read = 0;
        for (const QByteArray &code : everyCode(e)) {
            const encoding::Decoded d = encoding::decode(e, code);
            if (d.keptByteCount == 0) {
                QVERIFY2(d.text.size() == 1, code.toHex().constData());
                ++read;
            }
            QVERIFY2(encoding::encode(d.encoding, d.text).bytes == code, code.toHex().constData());
        }
        QVERIFY(read > characters);
    }

    void randomDocumentsWriteBackByteForByte_data()
    {
        QTest::addColumn<Encoding>("e");
        for (Encoding e : {Encoding::Utf8, Encoding::EucJp, Encoding::Iso2022Jp})
            QTest::addRow("%s", qPrintable(encoding::name(e))) << e;
    }

    // Documents where one character appears with several of its codes write
    // each of them with one code: those settle after one more round.
    void randomDocumentsWriteBackByteForByte()
    {
        QFETCH(Encoding, e);
        const Repertoire rep = repertoireOf(e);
        QRandomGenerator rng(20240601 + uint(e));
        int rounds = 0, exact = 0;
        for (qsizetype total = 0; total < 1000 * 1000; ++rounds) {
            const QByteArray bytes = randomDocument(rng, e, rep, rng.bounded(1, 30000));
            total += bytes.size();
            const encoding::Decoded d = encoding::decode(e, bytes);
            qsizetype keptChars = 0;
            for (qsizetype i = 0; i < d.text.size(); ++i) // a low surrogate after a high one is half a pair
                keptChars += d.text[i].unicode() >= 0xDC80 && d.text[i].unicode() <= 0xDCFF &&
                             (i == 0 || !d.text[i - 1].isHighSurrogate());
            if (e != Encoding::Iso2022Jp) // which also keeps escape sequences that are not invalid
                QCOMPARE(d.keptByteCount, keptChars);
            const EncodedText back = encoding::encode(d.encoding, d.text);
            QVERIFY(back.ok);
            if (back.bytes == bytes) {
                ++exact;
                continue;
            }
            QVERIFY2(std::any_of(d.text.cbegin(), d.text.cend(),
                                 [&](QChar c) { return rep.severalCodes.contains(c); }),
                     qPrintable(u"round %1 changed the bytes"_s.arg(rounds)));
            const encoding::Decoded again = encoding::decode(e, back.bytes);
            QCOMPARE(again.text, d.text);
            QVERIFY2(encoding::encode(again.encoding, again.text).bytes == back.bytes,
                     qPrintable(u"round %1 did not settle"_s.arg(rounds)));
        }
        QVERIFY(exact > rounds / 2);
    }

    void lineEndsFollowTheLineRules()
    {
        QRandomGenerator rng(13);
        const QString alphabet = u"\r\n\r\na日"_s;
        for (int round = 0; round < 20000; ++round) {
            QString text;
            for (int n = rng.bounded(12); n > 0; --n)
                text += alphabet[rng.bounded(int(alphabet.size()))];
            const QStringList lines = TextFile::splitLines(text);
            QCOMPARE(lineends::joined(text), lines.join(u"\r\n"_s));
            QCOMPARE(lineends::terminated(text), TextFile::joinLines(lines));
        }
    }
};

TESSARA_TEST_CLASS(EncodingTest)
#include "EncodingTest.moc"
