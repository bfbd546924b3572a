// Any bytes read in one encoding (FUZZ_ENCODING) and written back unedited
// give the same bytes, invalid ones included. Where the bytes wrote one
// character with several of its codes, writing picks one code for it, and
// the bytes written then stay as they are.
#include "FuzzCheck.h"
#include "text/Encoding.h"

#include <QHash>
#include <QSet>

#include <algorithm>

#include <cstdint>

namespace {

constexpr Encoding Read = Encoding(FUZZ_ENCODING);

// The characters some code of more than one byte reads as, each with how many codes.
QSet<char16_t> charactersOfSeveralCodes()
{
    QHash<char16_t, int> codes;
    for (int b1 = 0x21; b1 <= 0xFE; ++b1)
        for (int b2 = 0x21; b2 <= 0xFE; ++b2) {
            const char pair[] = {char(b1), char(b2)};
            QList<QByteArray> forms;
            if (Read == Encoding::ShiftJis && b1 >= 0x81 && b2 >= 0x40)
                forms << QByteArray(pair, 2);
            if (Read == Encoding::EucJp && b1 >= 0xA1 && b2 >= 0xA1)
                forms << QByteArray(pair, 2) << "\x8F" + QByteArray(pair, 2);
            if (Read == Encoding::Iso2022Jp && b1 <= 0x7E && b2 <= 0x7E)
                forms << "\x1B$B" + QByteArray(pair, 2);
            for (const QByteArray &code : forms) {
                const QString text = encoding::decode(Read, code).text;
                if (text.size() == 1)
                    ++codes[text[0].unicode()];
            }
        }
    QSet<char16_t> several;
    for (auto it = codes.cbegin(); it != codes.cend(); ++it)
        if (*it > 1)
            several << it.key();
    return several;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QSet<char16_t> several = charactersOfSeveralCodes();
    const QByteArrayView bytes(data, qsizetype(size));
    const encoding::Decoded d = encoding::decode(Read, bytes);
    FUZZ_CHECK(d.keptByteCount <= bytes.size() && d.firstKeptByte < bytes.size());
    FUZZ_CHECK((d.keptByteCount == 0) == (d.firstKeptByte < 0));
    const EncodedText back = encoding::encode(d.encoding, d.text);
    FUZZ_CHECK(back.ok);
    if (back.bytes == bytes)
        return 0;
    FUZZ_CHECK(
        std::any_of(d.text.cbegin(), d.text.cend(), [](QChar c) { return several.contains(c.unicode()); }));
    const encoding::Decoded again = encoding::decode(Read, back.bytes);
    FUZZ_CHECK(again.text == d.text);
    FUZZ_CHECK(encoding::encode(again.encoding, again.text).bytes == back.bytes);
    return 0;
}
