#include "text/Codec.h"

#include "text/Cp932.h"
#include "text/EucJp.h"
#include "text/Iso2022Jp.h"
#include "text/Utf16.h"
#include "text/Utf8.h"

namespace codecs {

const Codec &of(Encoding e)
{
    switch (e) {
    case Encoding::ShiftJis: return Cp932::codec();
    case Encoding::Utf8: return Utf8::codec();
    case Encoding::EucJp: return EucJp::codec();
    case Encoding::Iso2022Jp: return Iso2022Jp::codec();
    case Encoding::Utf16Le: return Utf16::littleEndian();
    case Encoding::Utf16Be: return Utf16::bigEndian();
    }
    return Cp932::codec();
}

const std::vector<Encoding> &all()
{
    static const std::vector<Encoding> list = {Encoding::ShiftJis, Encoding::Utf8,    Encoding::EucJp,
                                               Encoding::Iso2022Jp, Encoding::Utf16Le, Encoding::Utf16Be};
    return list;
}

} // namespace codecs
