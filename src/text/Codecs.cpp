#include "text/Codec.h"

#include "text/Cp932.h"
#include "text/EucJp.h"
#include "text/Iso2022Jp.h"
#include "text/Utf16.h"
#include "text/Utf8.h"

#include <algorithm>

namespace codecs {
namespace {

// The registration: one row per encoding, in the order of the enumeration.
struct Registered
{
    Encoding encoding;
    const Codec &(*codec)();
};
constexpr Registered Registry[] = {
    {Encoding::ShiftJis, Cp932::codec},        {Encoding::Utf8, Utf8::codec},
    {Encoding::EucJp, EucJp::codec},           {Encoding::Iso2022Jp, Iso2022Jp::codec},
    {Encoding::Utf16Le, Utf16::littleEndian}, {Encoding::Utf16Be, Utf16::bigEndian},
};

} // namespace

const Codec &of(Encoding e)
{
    const auto *row = std::find_if(std::begin(Registry), std::end(Registry),
                                   [e](const Registered &r) { return r.encoding == e; });
    return row != std::end(Registry) ? row->codec() : Cp932::codec();
}

const std::vector<Encoding> &all()
{
    static const std::vector<Encoding> list = [] {
        std::vector<Encoding> l;
        for (const Registered &r : Registry)
            l.push_back(r.encoding);
        return l;
    }();
    return list;
}

} // namespace codecs
