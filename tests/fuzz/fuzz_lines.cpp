// The line rules two ways: a file cut into lines (splitLines), and the whole
// text given its line ends at once (lineends), agree on any text.
#include "FuzzCheck.h"
#include "text/Cp932.h"
#include "text/LineEnds.h"
#include "text/TextFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = Cp932::decode(QByteArrayView(data, qsizetype(size))).text;
    const QStringList lines = TextFile::splitLines(text);
    FUZZ_CHECK(lineends::joined(text) == lines.join(u"\r\n"));
    FUZZ_CHECK(lineends::terminated(text) == TextFile::joinLines(lines));
    FUZZ_CHECK(TextFile::splitLines(TextFile::joinLines(lines)) == lines);
    return 0;
}
