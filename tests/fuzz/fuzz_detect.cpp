// The encoding a document is read in, decided from any bytes: only the first
// 1024 bytes can declare one, and the fast UTF-8 check agrees with the decoder.
#include "FuzzCheck.h"
#include "text/Detect.h"
#include "text/Utf8.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const Encoding e = detect::encodingOf(bytes);
    const std::optional<Encoding> declared = detect::declared(bytes);
    FUZZ_CHECK(declared == detect::declared(bytes.first(qMin(bytes.size(), detect::PrescanBytes))));
    detect::forLabel(bytes);

    const Utf8::Validity validity = Utf8::check(bytes);
    FUZZ_CHECK((validity == Utf8::Validity::Invalid) == (Utf8::decode(bytes).keptByteCount > 0));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        FUZZ_CHECK(e == Encoding::Utf8);
    else if (bytes.startsWith("\xFF\xFE"))
        FUZZ_CHECK(e == Encoding::Utf16Le);
    else if (bytes.startsWith("\xFE\xFF"))
        FUZZ_CHECK(e == Encoding::Utf16Be);
    else if (!declared)
        FUZZ_CHECK(e == (validity == Utf8::Validity::Valid ? Encoding::Utf8 : Encoding::ShiftJis));
    return 0;
}
