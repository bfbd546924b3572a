#include "text/Encoding.h"

#include "text/LineCodes.h"

namespace encoding {

QString name(Encoding e) { return codecs::of(e).name(); }

QByteArrayView label(Encoding e) { return codecs::of(e).label(); }

Decoded decode(Encoding e, QByteArrayView bytes)
{
    CodecDecoded d = codecs::of(e).decode(bytes);
    Decoded result;
    result.encoding.encoding = e;
    result.encoding.habits = std::move(d.habits);
    result.encoding.lineCodes = LineCodes::collect(d.text, d.codesRead);
    static_cast<DecodedText &>(result) = std::move(d);
    result.codesRead = {};
    const QStringView text = result.text;
    if (text.contains(u'\n') && !text.contains(u'\r'))
        result.encoding.lineEnd = LineEnd::Lf;
    return result;
}

EncodedText encode(const DocumentEncoding &e, QStringView text)
{
    const Codec &codec = codecs::of(e.encoding);
    QString lf;
    if (e.lineEnd == LineEnd::Lf) {
        lf = text.toString();
        lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text = lf;
    }
    const CodesAt codes = e.lineCodes ? e.lineCodes->placesIn(text) : CodesAt{};
    EncodedText r = codec.encode(text, e.habits, codes);
    if (!r.ok && !lf.isEmpty()) {
        // The place of the failure in the program's text, where lines end in CR LF.
        qsizetype lines = 0;
        for (qsizetype i = 0; i < r.failIndex; ++i)
            lines += lf[i] == u'\n';
        r.failIndex += lines;
    }
    return r;
}

bool canWrite(Encoding e, char32_t ch) { return codecs::of(e).canWrite(ch); }

} // namespace encoding
