// Random data: any bytes read and written back unchanged (but for characters
// the bytes wrote with more than one of their codes), any text of Shift_JIS
// characters written and read back unchanged.
#include "TestRegistry.h"
#include "text/Cp932.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Bytes weighted towards what makes decoding interesting: first bytes,
// second bytes, the bytes only Windows reads, and line breaks.
QByteArray randomBytes(QRandomGenerator &rng, qsizetype size)
{
    static const char special[] = {'\x80', '\xA0', '\xFD', '\xFE', '\xFF', '\x7F', '\r', '\n',
                                   '\\',   '~',    '\x40', '\x7E', '\xFC', '\x81', '\x9F', '\xE0'};
    QByteArray b(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) {
        const quint32 pick = rng.bounded(100);
        int v;
        if (pick < 30) // first byte of a pair
            v = rng.bounded(2) ? 0x81 + int(rng.bounded(0x1F)) : 0xE0 + int(rng.bounded(0x1D));
        else if (pick < 55) // second byte
            v = rng.bounded(2) ? 0x40 + int(rng.bounded(0x3F)) : 0x80 + int(rng.bounded(0x7D));
        else if (pick < 70)
            v = uchar(special[rng.bounded(int(sizeof special))]);
        else if (pick < 85) // plain ASCII runs
            v = 0x20 + int(rng.bounded(0x5F));
        else
            v = int(rng.bounded(256));
        b[i] = char(v);
        if (pick >= 70 && pick < 85 && rng.bounded(4) == 0) { // a longer ASCII run
            const qsizetype run = qMin<qsizetype>(size - i - 1, rng.bounded(40));
            for (qsizetype k = 0; k < run; ++k)
                b[++i] = char(0x20 + rng.bounded(0x5F));
        }
    }
    return b;
}

// What each code reads as on its own, 0xFFFF when its bytes are kept, and the
// code Windows writes for each character: asked once, so that the 4 MB below
// cost one table look-up a code.
struct Codes
{
    std::vector<char16_t> read = std::vector<char16_t>(0x10000, 0xFFFF);
    std::vector<QByteArray> written = std::vector<QByteArray>(0x10000);
    Codes()
    {
        for (int code = 0; code < 0x10000; ++code) {
            const QString ch = Cp932::decode(code < 0x100 ? QByteArray(1, char(code))
                                                          : QByteArray{} + char(code >> 8) + char(code))
                                   .text;
            if (ch.size() == 1 && !Cp932::isKeptByte(ch[0]))
                read[code] = ch[0].unicode();
        }
        for (int ch = 0; ch < 0x10000; ++ch)
            written[ch] = Cp932::encode(QString(QChar(ch))).bytes;
    }
};

// The bytes a decoded text is written back as: the same, but where the bytes
// wrote one character with several of its codes (NEC's and IBM's copies),
// each occurrence takes the code the decoding chose for the character.
QByteArray expectedBack(const QByteArray &bytes, const AltCodeChoice &chosen)
{
    static const Codes codes;
    QByteArray out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int b = uchar(bytes[i]);
        const bool pair = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < bytes.size() &&
                          ((uchar(bytes[i + 1]) >= 0x40 && uchar(bytes[i + 1]) <= 0x7E) ||
                           (uchar(bytes[i + 1]) >= 0x80 && uchar(bytes[i + 1]) <= 0xFC));
        const QByteArrayView code = QByteArrayView(bytes).sliced(i, pair ? 2 : 1);
        i += code.size();
        const char16_t ch = codes.read[pair ? uchar(code[0]) << 8 | uchar(code[1]) : uchar(code[0])];
        if (ch == 0xFFFF) {
            out += code;
            continue;
        }
        const auto it = chosen.constFind(ch);
        if (it != chosen.cend())
            out += QByteArray(1, char(*it >> 8)) + char(*it & 0xFF);
        else
            out += codes.written[ch]; // the code Windows writes
    }
    return out;
}

} // namespace

class Cp932RoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void randomBytesReadAndWriteBackUnchanged_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 42u, 932u, 20240601u, 0xC0FFEEu, 0xDEADBEEFu})
            QTest::newRow(qPrintable(u"seed %1"_s.arg(seed))) << seed;
    }

    void randomBytesReadAndWriteBackUnchanged()
    {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        qsizetype total = 0;
        int round = 0;
        while (total < 512 * 1024) { // 8 seeds, 4 MB in all
            const qsizetype size = rng.bounded(1, 40000);
            const QByteArray bytes = randomBytes(rng, size);
            total += size;
            ++round;

            const Cp932::DecodeResult r = Cp932::decode(bytes);
            const Cp932::EncodeResult back = Cp932::encode(r.text, r.altCodes);
            QVERIFY2(back.ok, qPrintable(u"round %1: refused at %2"_s.arg(round).arg(back.failIndex)));
            QVERIFY2(back.bytes == expectedBack(bytes, r.altCodes),
                     qPrintable(u"round %1 changed the bytes"_s.arg(round)));
            // Written back once, the bytes hold one code per character and
            // then come back exactly.
            const Cp932::DecodeResult again = Cp932::decode(back.bytes);
            QVERIFY2(Cp932::encode(again.text, again.altCodes).bytes == back.bytes,
                     qPrintable(u"round %1 did not settle"_s.arg(round)));

            // The kept bytes are the kept characters, and the first one sits
            // at the reported offset.
            qsizetype keptChars = 0, firstKeptChar = -1;
            for (qsizetype i = 0; i < r.text.size(); ++i) {
                if (Cp932::isKeptByte(r.text[i])) {
                    if (firstKeptChar < 0)
                        firstKeptChar = i;
                    ++keptChars;
                }
            }
            QCOMPARE(r.keptByteCount, keptChars);
            if (firstKeptChar < 0) {
                QCOMPARE(r.firstKeptByte, qsizetype(-1));
            } else {
                const qsizetype offset =
                    Cp932::encode(QStringView(r.text).first(firstKeptChar)).bytes.size();
                QCOMPARE(r.firstKeptByte, offset);
                QCOMPARE(uchar(bytes[offset]), Cp932::keptByteValue(r.text[firstKeptChar]));
            }
        }
    }

    void randomTextWritesAndReadsBackUnchanged()
    {
        // Every character some code reads as, gathered from the decoder.
        std::vector<char16_t> chars;
        for (int b = 0; b < 256; ++b) {
            const Cp932::DecodeResult r = Cp932::decode(QByteArray(1, char(b)));
            if (r.keptByteCount == 0)
                chars.push_back(r.text[0].unicode());
            for (int t = 0x40; t < 256; ++t) {
                const char pair[] = {char(b), char(t)};
                const Cp932::DecodeResult p = Cp932::decode(QByteArrayView(pair, 2));
                if (p.keptByteCount == 0 && p.text.size() == 1)
                    chars.push_back(p.text[0].unicode());
            }
        }
        QVERIFY(chars.size() > 9000);

        QRandomGenerator rng(7);
        for (int round = 0; round < 200; ++round) {
            QString text;
            const int length = rng.bounded(1, 5000);
            while (text.size() < length) {
                if (rng.bounded(5) == 0)
                    text += u"<p class=\"x\">\r\n"_s;
                else
                    text += QChar(chars[rng.bounded(int(chars.size()))]);
            }
            const Cp932::EncodeResult e = Cp932::encode(text);
            QVERIFY2(e.ok, qPrintable(u"round %1: refused U+%2"_s.arg(round).arg(uint(e.failChar), 0, 16)));
            const Cp932::DecodeResult d = Cp932::decode(e.bytes);
            QCOMPARE(d.keptByteCount, qsizetype(0));
            QVERIFY2(d.text == text, qPrintable(u"round %1 changed the text"_s.arg(round)));
        }
    }
};

TESSARA_TEST_CLASS(Cp932RoundTripTest)
#include "Cp932RoundTripTest.moc"
