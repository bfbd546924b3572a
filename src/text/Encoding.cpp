#include "text/Encoding.h"

#include "text/Cp932.h"
#include "text/EucJp.h"
#include "text/Utf8.h"

using namespace Qt::StringLiterals;

namespace encoding {

namespace {
constexpr char Bom[] = "\xEF\xBB\xBF";
}

QString name(Encoding e)
{
    switch (e) {
    case Encoding::ShiftJis: return u"Shift_JIS"_s;
    case Encoding::Utf8: return u"UTF-8"_s;
    case Encoding::EucJp: return u"EUC-JP"_s;
    case Encoding::Iso2022Jp: return u"ISO-2022-JP"_s;
    }
    return {};
}

Decoded decode(Encoding e, QByteArrayView bytes)
{
    Decoded result;
    result.encoding.encoding = e;
    auto take = [&result](DecodedText &&d) { static_cast<DecodedText &>(result) = std::move(d); };
    switch (e) {
    case Encoding::ShiftJis:
        take(Cp932::decode(bytes));
        break;
    case Encoding::Utf8:
        if (bytes.startsWith(QByteArrayView(Bom, 3))) {
            result.encoding.byteOrderMark = true;
            take(Utf8::decode(bytes.sliced(3)));
            if (result.firstKeptByte >= 0)
                result.firstKeptByte += 3;
        } else {
            take(Utf8::decode(bytes));
        }
        break;
    case Encoding::EucJp:
        take(EucJp::decode(bytes));
        break;
    case Encoding::Iso2022Jp: {
        Iso2022Jp::Decoded d = Iso2022Jp::decode(bytes);
        result.encoding.iso2022 = d.habits;
        take(std::move(d));
        break;
    }
    }
    result.encoding.altCodes = result.altCodes;
    return result;
}

EncodedText encode(const DocumentEncoding &e, QStringView text)
{
    switch (e.encoding) {
    case Encoding::ShiftJis:
        return Cp932::encode(text, e.altCodes);
    case Encoding::Utf8: {
        EncodedText r = Utf8::encode(text);
        if (r.ok && e.byteOrderMark)
            r.bytes.prepend(Bom, 3);
        return r;
    }
    case Encoding::EucJp:
        return EucJp::encode(text, e.altCodes);
    case Encoding::Iso2022Jp:
        return Iso2022Jp::encode(text, e.iso2022, e.altCodes);
    }
    return {};
}

bool canWrite(Encoding e, char32_t ch)
{
    switch (e) {
    case Encoding::ShiftJis: return Cp932::canWrite(ch);
    case Encoding::Utf8: return Utf8::canWrite(ch);
    case Encoding::EucJp: return EucJp::canWrite(ch);
    case Encoding::Iso2022Jp: return Iso2022Jp::canWrite(ch);
    }
    return false;
}

} // namespace encoding
