// Writing what browsers read back: EUC-JP writes the two-byte codes browsers
// write where glibc writes three bytes browsers do not read, and no encoding
// writes a look-alike with a code browsers read as another character.
#include "TestRegistry.h"
#include "text/Encoding.h"
#include "text/EucJpLayout.h"

#include <QTest>

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

DocumentEncoding fresh(Encoding e)
{
    DocumentEncoding d;
    d.encoding = e;
    return d;
}

// The characters glibc's EUC-JP-MS writes with three bytes that browsers do
// not read as them, with the two-byte code the WHATWG Encoding Standard's
// euc-jp encoder writes (the first pointer of index-jis0208.txt) and the
// three-byte code, still read. U+FFE4's three-byte code 8FA2C3 is BROKEN
// BAR to browsers (index-jis0212.txt).
struct EucJpTwoByteCode
{
    char16_t ch;
    std::uint16_t browsersWrite;
    std::uint16_t threeByte; // after 8F; 0 for none
};
constexpr EucJpTwoByteCode kEucJpTwoByteCodes[] = {
    {0x2170, 0xFCF1, 0xF3F3}, {0x2171, 0xFCF2, 0xF3F4}, {0x2172, 0xFCF3, 0xF3F5}, {0x2173, 0xFCF4, 0xF3F6}, {0x2174, 0xFCF5, 0xF3F7},
    {0x2175, 0xFCF6, 0xF3F8}, {0x2176, 0xFCF7, 0xF3F9}, {0x2177, 0xFCF8, 0xF3FA}, {0x2178, 0xFCF9, 0xF3FB}, {0x2179, 0xFCFA, 0xF3FC},
    {0x4EFC, 0xF9AF, 0xF4AF}, {0x50F4, 0xF9C1, 0xF4B0}, {0x51EC, 0xF9C7, 0xF4B1}, {0x5307, 0xF9CE, 0xF4B2}, {0x5324, 0xF9CF, 0xF4B3},
    {0x548A, 0xF9D6, 0xF4B5}, {0x5759, 0xF9DA, 0xF4B6}, {0x589E, 0xF9E1, 0xF4B9}, {0x5BEC, 0xF9EE, 0xF4BA}, {0x5CF5, 0xF9F2, 0xF4BB},
    {0x5D53, 0xF9F4, 0xF4BC}, {0x5FB7, 0xF9FE, 0xF4BE}, {0x6085, 0xFAA3, 0xF4BF}, {0x6120, 0xFAA7, 0xF4C0}, {0x654E, 0xFAB3, 0xF4C1},
    {0x663B, 0xFAB6, 0xF4C2}, {0x6665, 0xFABB, 0xF4C3}, {0x6801, 0xFACB, 0xF4C6}, {0x6A6B, 0xFAD4, 0xF4C9}, {0x6AE2, 0xFAD8, 0xF4CA},
    {0x6DF2, 0xFAE7, 0xF4CC}, {0x6DF8, 0xFAE6, 0xF4CB}, {0x7028, 0xFAF3, 0xF4CD}, {0x70BB, 0xF9A7, 0xF4AE}, {0x7501, 0xFBB3, 0xF4D0},
    {0x7682, 0xFBB5, 0xF4D1}, {0x769E, 0xFBB7, 0xF4D2}, {0x7930, 0xFBC1, 0xF4D4}, {0x7AE7, 0xFBC9, 0xF4D9}, {0x7DA0, 0xFBD1, 0xF4DC},
    {0x7DD6, 0xFBD2, 0xF4DD}, {0x8362, 0xFBD8, 0xF4DF}, {0x85B0, 0xFBE2, 0xF4E1}, {0x8807, 0xFBE5, 0xF4E4}, {0x8B7F, 0xFBF0, 0xF4E6},
    {0x8CF4, 0xFBF2, 0xF4E7}, {0x8D76, 0xFBF4, 0xF4E8}, {0x90DE, 0xFBFA, 0xF4EC}, {0x9115, 0xFBFC, 0xF4EE}, {0x9592, 0xFCCE, 0xF4F1},
    {0x973B, 0xFCD4, 0xF4F4}, {0x974D, 0xFCD6, 0xF4F5}, {0x9751, 0xFCD8, 0xF4F6}, {0x999E, 0xFCE0, 0xF4FA}, {0x9AD9, 0xFCE2, 0xF4FB},
    {0x9B72, 0xFCE5, 0xF4FC}, {0x9ED1, 0xFCEE, 0xF4FE}, {0xF929, 0xFAC6, 0xF4C5}, {0xF9DC, 0xFCCF, 0xF4F2}, {0xFA0E, 0xF9D4, 0xF4B4},
    {0xFA0F, 0xF9DF, 0xF4B7}, {0xFA10, 0xF9E0, 0xF4B8}, {0xFA11, 0xF9F5, 0xF4BD}, {0xFA12, 0xFABE, 0xF4C4}, {0xFA13, 0xFACE, 0xF4C7},
    {0xFA14, 0xFAD0, 0xF4C8}, {0xFA15, 0xFAFB, 0xF4CE}, {0xFA16, 0xFBA3, 0xF4CF}, {0xFA17, 0xFBBA, 0xF4D3}, {0xFA18, 0xFBC2, 0xF4D5},
    {0xFA19, 0xFBC3, 0xF4D6}, {0xFA1A, 0xFBC4, 0xF4D7}, {0xFA1B, 0xFBC6, 0xF4D8}, {0xFA1C, 0xFBCA, 0xF4DA}, {0xFA1D, 0xFBCD, 0xF4DB},
    {0xFA1E, 0xFBD6, 0xF4DE}, {0xFA1F, 0xFBE1, 0xF4E0}, {0xFA20, 0xFBE3, 0xF4E2}, {0xFA21, 0xFBE4, 0xF4E3}, {0xFA22, 0xFBED, 0xF4E5},
    {0xFA23, 0xFBF5, 0xF4E9}, {0xFA24, 0xFBF7, 0xF4EA}, {0xFA25, 0xFBF8, 0xF4EB}, {0xFA26, 0xFBFB, 0xF4ED}, {0xFA27, 0xFCB9, 0xF4EF},
    {0xFA28, 0xFCC0, 0xF4F0}, {0xFA29, 0xFCD0, 0xF4F3}, {0xFA2A, 0xFCDC, 0xF4F7}, {0xFA2B, 0xFCDD, 0xF4F8}, {0xFA2C, 0xFCDF, 0xF4F9},
    {0xFA2D, 0xFCEC, 0xF4FD}, {0xFF02, 0xFCFE, 0xF4AA}, {0xFF07, 0xFCFD, 0xF4A9}, {0xFFE4, 0xFCFC, 0},
};

QByteArray pair(std::uint16_t code)
{
    return QByteArray(1, char(code >> 8)) + char(code & 0xFF);
}

// What browsers read for the codes glibc also writes a look-alike with
// (index-jis0208.txt): as Shift_JIS, as EUC-JP, the look-alike refused.
struct BrowserReading
{
    const char *sjis;
    const char *euc;
    char16_t reading;
    char16_t lookAlike;
};
constexpr BrowserReading kLookAlikes[] = {
    {"\x81\x5C", "\xA1\xBD", 0x2015, 0x2014}, {"\x81\x60", "\xA1\xC1", 0xFF5E, 0x301C},
    {"\x81\x61", "\xA1\xC2", 0x2225, 0x2016}, {"\x81\x7C", "\xA1\xDD", 0xFF0D, 0x2212},
    {"\x81\x91", "\xA1\xF1", 0xFFE0, 0x00A2}, {"\x81\x92", "\xA1\xF2", 0xFFE1, 0x00A3},
    {"\x81\xCA", "\xA2\xCC", 0xFFE2, 0x00AC},
};

} // namespace

class BrowserCodesTest : public QObject {
    Q_OBJECT

private slots:
    // EUC-JP writes what browsers write, and reads the three-byte copies too.
    void eucJpWritesTheCodesBrowsersRead()
    {
        QCOMPARE(std::size(kEucJpTwoByteCodes), size_t(94));
        for (const EucJpTwoByteCode &c : kEucJpTwoByteCodes) {
            const QString ch(QChar(c.ch));
            const QByteArray two = pair(c.browsersWrite);
            QCOMPARE(encoding::encode(fresh(Encoding::EucJp), ch).bytes.toHex(), two.toHex());
            QCOMPARE(encoding::decode(Encoding::EucJp, two).text, ch);
            const QByteArray iso = "\x1B$B" + pair(c.browsersWrite & 0x7F7F) + "\x1B(B";
            QCOMPARE(encoding::encode(fresh(Encoding::Iso2022Jp), ch).bytes.toHex(), iso.toHex());
            if (!c.threeByte)
                continue;
            const QByteArray three = "\x8F" + pair(c.threeByte);
            const encoding::Decoded d = encoding::decode(Encoding::EucJp, QByteArray(three + two));
            QCOMPARE(d.text, ch + ch);
            // Unchanged, the line keeps both forms; a new line of a page that
            // used both as often takes the usual one.
            QCOMPARE(encoding::encode(d.encoding, d.text).bytes.toHex(), QByteArray(three + two).toHex());
            QCOMPARE(encoding::encode(d.encoding, QString(d.text + QStringLiteral("\r\n") + ch)).bytes.toHex(),
                     QByteArray(three + two + "\r\n" + two).toHex());
            QCOMPARE(encoding::encode(encoding::decode(Encoding::EucJp, three).encoding, ch).bytes.toHex(),
                     three.toHex());
        }
    }

    // A look-alike is written only where browsers read its code back as it:
    // they read these codes as another character, so it is refused.
    void refusesLookAlikesBrowsersReadOtherwise()
    {
        for (const BrowserReading &r : kLookAlikes) {
            QCOMPARE(encoding::decode(Encoding::ShiftJis, r.sjis).text, QString(QChar(r.reading)));
            QCOMPARE(encoding::decode(Encoding::EucJp, r.euc).text, QString(QChar(r.reading)));
            const QByteArray jis = QByteArray("\x1B$B") + char(r.euc[0] & 0x7F) + char(r.euc[1] & 0x7F) + "\x1B(B";
            QCOMPARE(encoding::decode(Encoding::Iso2022Jp, jis).text, QString(QChar(r.reading)));
            const bool listed = std::any_of(std::begin(EucJpLayout::kBrowserReadsJis0208),
                                            std::end(EucJpLayout::kBrowserReadsJis0208), [&](const auto &b) {
                                                return b.jis == ((uchar(r.euc[0]) << 8 | uchar(r.euc[1])) - 0x8080) &&
                                                       b.ch == r.reading;
                                            });
            QVERIFY2(listed, r.euc);
            for (Encoding e : {Encoding::ShiftJis, Encoding::EucJp, Encoding::Iso2022Jp}) {
                QVERIFY2(!encoding::canWrite(e, r.lookAlike), qPrintable(encoding::name(e)));
                QVERIFY(!encoding::encode(fresh(e), QString(QChar(r.lookAlike))).ok);
                QVERIFY(encoding::canWrite(e, r.reading));
            }
        }
    }
};

TESSARA_TEST_CLASS(BrowserCodesTest)
#include "BrowserCodesTest.moc"
