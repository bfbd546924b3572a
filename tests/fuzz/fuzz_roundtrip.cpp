// Any bytes read in one encoding (FUZZ_ENCODING) and written back unedited
// give the same bytes, invalid ones and characters of several codes included;
// so does a page opened and saved as the program does it (its lines joined by
// the line rules, one line end added), when the file ends its last line and
// holds no lone CR, which the line rules turn into a line end. (A UTF-16 file
// of an odd length keeps its last byte as it is; text written after it starts
// at the next whole unit.)
#include "FuzzCheck.h"
#include "text/Encoding.h"
#include "text/LineEnds.h"

#include <cstdint>

namespace {
constexpr Encoding Read = Encoding(FUZZ_ENCODING);

bool hasLoneCr(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return true;
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const encoding::Decoded d = encoding::decode(Read, bytes);
    FUZZ_CHECK(d.keptByteCount <= bytes.size() && d.firstKeptByte < bytes.size());
    FUZZ_CHECK((d.keptByteCount == 0) == (d.firstKeptByte < 0));
    const EncodedText back = encoding::encode(d.encoding, d.text);
    FUZZ_CHECK(back.ok);
    FUZZ_CHECK(back.bytes == bytes);

    // Opened and saved.
    const bool lf = d.encoding.lineEnd == LineEnd::Lf;
    FUZZ_CHECK(!lf || !d.text.contains(u'\r'));
    const QString program = lineends::joined(d.text, d.encoding.lineEnd);
    const EncodedText saved = encoding::encode(d.encoding, QString(program + u"\r\n"));
    FUZZ_CHECK(saved.ok);
    const bool endsLine = d.text.endsWith(lf ? u"\n" : u"\r\n");
    if (endsLine && !hasLoneCr(d.text))
        FUZZ_CHECK(saved.bytes == bytes);
    const bool utf16 = Read == Encoding::Utf16Le || Read == Encoding::Utf16Be;
    if (utf16 && bytes.size() % 2 == 1)
        return 0;
    const encoding::Decoded again = encoding::decode(Read, saved.bytes);
    FUZZ_CHECK(lineends::joined(again.text, again.encoding.lineEnd) == program);
    return 0;
}
