// Every Shift_JIS code read, and every BMP character written, compared with an
// independent table: Python's cp932 codec, asked at test time.
#include "TestRegistry.h"
#include "text/Cp932.h"

#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRefused = -1;

bool isLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrail(int b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

QByteArray codeBytes(int code)
{
    QByteArray b;
    if (code > 0xFF)
        b += char(code >> 8);
    b += char(code & 0xFF);
    return b;
}

QString hex(int v) { return QString::number(v, 16).toUpper(); }

QString kept(QByteArrayView bytes)
{
    QString s;
    for (char c : bytes)
        s += QChar(0xDC00 + uchar(c));
    return s;
}

// Python prints "D <code> <char>" for every code it reads and "E <char> <code>"
// for every BMP character it writes (codes in hex, a pair as one number).
const char kScript[] = R"(
import sys
out = []
for b in range(256):
    try: out.append('D %X %X' % (b, ord(bytes([b]).decode('cp932'))))
    except UnicodeDecodeError: pass
for l in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
    for t in range(256):
        try: s = bytes([l, t]).decode('cp932')
        except UnicodeDecodeError: continue
        if len(s) == 1: out.append('D %X %X' % (l << 8 | t, ord(s)))
for c in range(0x10000):
    if 0xD800 <= c < 0xE000: continue
    try: out.append('E %X %s' % (c, chr(c).encode('cp932').hex()))
    except UnicodeEncodeError: pass
sys.stdout.write('\n'.join(out) + '\n')
)";

// Characters this program writes differently from Python's cp932, or where
// Python agrees but glibc, which the module is built on, would not.
struct Decided {
    char32_t ch;
    int ours;   // code written, or kRefused
    int python; // what Python writes, checked so the list stays true
    const char *why;
};
const Decided kDecided[] = {
    // Look-alikes glibc writes with another character's code: browsers read
    // the code as that other character, so writing it would change the text.
    {0x2014, kRefused, kRefused, "EM DASH: glibc writes 815C, which browsers read as HORIZONTAL BAR"},
    {0x301C, kRefused, 0x8160, "WAVE DASH: 8160 reads back as FULLWIDTH TILDE"},
    {0x2016, kRefused, 0x8161, "DOUBLE VERTICAL LINE: 8161 reads back as PARALLEL TO"},
    {0x2212, kRefused, 0x817C, "MINUS SIGN: 817C reads back as FULLWIDTH HYPHEN-MINUS"},
    {0x00A2, kRefused, 0x8191, "CENT SIGN: 8191 reads back as FULLWIDTH CENT SIGN"},
    {0x00A3, kRefused, 0x8192, "POUND SIGN: 8192 reads back as FULLWIDTH POUND SIGN"},
    {0x00AC, kRefused, 0x81CA, "NOT SIGN: 81CA reads back as FULLWIDTH NOT SIGN"},
    {0x00A5, kRefused, kRefused, "YEN SIGN: glibc writes 0x5C, which reads back as a backslash"},
    {0x203E, kRefused, kRefused, "OVERLINE: glibc writes 0x7E, which reads back as a tilde"},
};

} // namespace

class Cp932ReferenceTest : public QObject {
    Q_OBJECT

    QHash<int, char32_t> m_pyDecode;            // code -> character
    std::vector<int> m_pyEncode;                // character -> code or kRefused
    std::vector<int> m_expectedEncode;          // the same with this program's decisions
    QHash<int, bool> m_reversed;                // pairs read as kept bytes

private slots:
    void initTestCase()
    {
        QString python = u"/usr/bin/python3"_s;
        if (!QFileInfo(python).isExecutable())
            python = QStandardPaths::findExecutable(u"python3"_s);
        if (python.isEmpty())
            QSKIP("python3 is not installed; no reference table");
        QProcess proc;
        proc.start(python, {u"-c"_s, QString::fromLatin1(kScript)});
        QVERIFY(proc.waitForFinished(120000));
        QCOMPARE(proc.exitCode(), 0);
        const QList<QByteArray> lines = proc.readAllStandardOutput().split('\n');

        m_pyEncode.assign(0x10000, kRefused);
        for (const QByteArray &line : lines) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() != 3)
                continue;
            bool ok1 = false, ok2 = false;
            const int a = f[1].toInt(&ok1, 16);
            const int b = f[2].toInt(&ok2, 16);
            QVERIFY(ok1 && ok2);
            if (f[0] == "D")
                m_pyDecode.insert(a, char32_t(b));
            else
                m_pyEncode[a] = b;
        }
        QVERIFY2(m_pyDecode.size() > 9000, "Python printed too short a table");

        m_expectedEncode = m_pyEncode;
        // IBM extension characters: NEC also placed copies of them in rows ED
        // and EE. Python writes those copies; Windows and glibc write the IBM
        // codes at FA-FC, and so does this program, so a file saved here reads
        // the same in every Windows program.
        QHash<char32_t, int> ibmCode;
        for (auto it = m_pyDecode.cbegin(); it != m_pyDecode.cend(); ++it) {
            if (it.key() >= 0xFA40)
                ibmCode.insert(it.value(), it.key());
        }
        int moved = 0;
        for (int c = 0; c < 0x10000; ++c) {
            const int code = m_pyEncode[c];
            if ((code >> 8 == 0xED || code >> 8 == 0xEE) && ibmCode.contains(char32_t(c))) {
                m_expectedEncode[c] = ibmCode.value(char32_t(c));
                ++moved;
            }
        }
        // All of ED40-EEFC but U+FFE2, which both write as the JIS code 81CA.
        QCOMPARE(moved, 373);
        for (const Decided &d : kDecided)
            m_expectedEncode[d.ch] = d.ours;

        // A pair that reads as a character Windows writes with another code
        // is a copy: it reads as the character, and a text that used it
        // writes it so again.
        for (auto it = m_pyDecode.cbegin(); it != m_pyDecode.cend(); ++it) {
            if (it.key() > 0xFF && m_expectedEncode[it.value()] != it.key())
                m_reversed.insert(it.key(), true);
        }
        // 374 NEC-selected copies in ED/EE, 9 NEC copies of JIS symbols at
        // 8790-879C, 15 IBM copies of NEC characters and JIS symbols at FA4A-FA5B.
        QCOMPARE(m_reversed.size(), 374 + 9 + 15);
    }

    void decidedCharactersAreWhatPythonSays()
    {
        for (const Decided &d : kDecided)
            QVERIFY2(m_pyEncode[d.ch] == d.python, d.why);
    }

    void everySingleByteReadsAsThePythonCharacter()
    {
        QStringList wrong;
        for (int b = 0; b < 256; ++b) {
            if (isLead(b))
                continue;
            const QByteArray bytes(1, char(b));
            const Cp932::DecodeResult r = Cp932::decode(bytes);
            const QString want = m_pyDecode.contains(b)
                ? QString::fromUcs4(&m_pyDecode[b], 1) : kept(bytes);
            if (r.text != want || r.keptByteCount != (m_pyDecode.contains(b) ? 0 : 1))
                wrong << hex(b);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u' ')));
    }

    // Each first byte with each of the 256 second bytes, and alone at the end;
    // a copy's code also reports itself, and is written back as it was.
    void everyPairReadsAsThePythonCharacterOrIsKept()
    {
        QStringList wrong;
        for (int l = 0; l < 256; ++l) {
            if (!isLead(l))
                continue;
            const QByteArray alone(1, char(l));
            if (Cp932::decode(alone).text != kept(alone))
                wrong << hex(l) + u" alone"_s;
            for (int t = 0; t < 256; ++t) {
                const int code = l << 8 | t;
                const QByteArray bytes = codeBytes(code);
                QString want;
                qsizetype keptCount = 0;
                if (m_pyDecode.contains(code)) {
                    want = QString::fromUcs4(&m_pyDecode[code], 1);
                } else if (isTrail(t)) {
                    want = kept(bytes);
                    keptCount = 2;
                } else {
                    // The second byte cannot follow: the first is kept alone.
                    QVERIFY(m_pyDecode.contains(t));
                    want = kept(alone) + QString::fromUcs4(&m_pyDecode[t], 1);
                    keptCount = 1;
                }
                const Cp932::DecodeResult r = Cp932::decode(bytes);
                const AltCodeChoice copy = m_reversed.contains(code)
                    ? AltCodeChoice{{char16_t(m_pyDecode[code]), std::uint32_t(code)}} : AltCodeChoice{};
                if (r.text != want || r.keptByteCount != keptCount
                    || r.firstKeptByte != (keptCount ? 0 : -1) || r.altCodes != copy
                    || Cp932::encode(r.text, r.altCodes).bytes != bytes)
                    wrong << hex(code);
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 40).join(u' ')));
    }

    void everyBmpCharacterIsWrittenAsExpectedOrRefused()
    {
        QStringList wrong;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c < 0xE000)
                continue; // surrogates and kept bytes: Cp932RulesTest
            const Cp932::EncodeResult r = Cp932::encode(QString(QChar(c)));
            const int want = m_expectedEncode[c];
            const bool right = want == kRefused
                ? !r.ok && r.bytes.isEmpty() && r.failIndex == 0 && r.failChar == c
                : r.ok && r.bytes == codeBytes(want);
            if (!right)
                wrong << hex(int(c));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 40).join(u' ')));
    }
};

TESSARA_TEST_CLASS(Cp932ReferenceTest)
#include "Cp932ReferenceTest.moc"
