// The encoding a document is read in, decided from any bytes: only the first
// 1024 bytes can declare one, the fast UTF-8 check agrees with the decoder,
// and what the bytes alone decide reads without an invalid byte where it
// says it does.
#include "FuzzCheck.h"
#include "text/Detect.h"
#include "text/Encoding.h"
#include "text/Utf8.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const Encoding e = detect::encodingOf(bytes);
    const detect::Declaration declaration = detect::declaration(bytes);
    const std::optional<Encoding> declared = detect::declared(bytes);
    FUZZ_CHECK(declared == declaration.encoding);
    FUZZ_CHECK(declaration == detect::declaration(bytes.first(qMin(bytes.size(), detect::PrescanBytes))));
    FUZZ_CHECK(declaration.declares() == !declaration.standardName.isEmpty());
    FUZZ_CHECK(!declaration.encoding || detect::forLabel(declaration.label) == declaration.encoding ||
               declaration.standardName == "UTF-8");
    detect::forLabel(bytes);
    detect::standardName(bytes);

    const Utf8::Validity validity = Utf8::check(bytes);
    FUZZ_CHECK((validity == Utf8::Validity::Invalid) == (Utf8::decode(bytes).keptByteCount > 0));
    const Encoding byBytes = detect::byBytes(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        FUZZ_CHECK(e == Encoding::Utf8);
    else if (bytes.startsWith("\xFF\xFE"))
        FUZZ_CHECK(e == Encoding::Utf16Le);
    else if (bytes.startsWith("\xFE\xFF"))
        FUZZ_CHECK(e == Encoding::Utf16Be);
    else if (!declared)
        FUZZ_CHECK(e == byBytes);
    FUZZ_CHECK((byBytes == Encoding::Utf8) == (validity == Utf8::Validity::Valid));
    if (byBytes == Encoding::Iso2022Jp)
        FUZZ_CHECK(validity == Utf8::Validity::Ascii && bytes.contains('\x1B'));
    if (byBytes == Encoding::EucJp)
        FUZZ_CHECK(encoding::decode(Encoding::EucJp, bytes).keptByteCount == 0);
    return 0;
}
