#include "text/Encoding.h"

#include "text/LineCodes.h"

#include <cstring>

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

namespace {

bool isUtf16(Encoding e) { return e == Encoding::Utf16Le || e == Encoding::Utf16Be; }

// The text with every CR LF written as LF, for a UTF-16 page.
QString withLf(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        if (!(p[i] == u'\r' && i + 1 < n && p[i + 1] == u'\n'))
            *o++ = p[i];
    out.truncate(o - reinterpret_cast<char16_t *>(out.data()));
    return out;
}

// Every CR LF of bytes written in an encoding where line ends are single
// bytes that no other code contains, as LF, in place.
void toLf(QByteArray &bytes)
{
    char *const begin = bytes.data();
    const qsizetype n = bytes.size();
    const char *cr = static_cast<const char *>(std::memchr(begin, '\r', size_t(n)));
    if (!cr)
        return;
    char *o = begin + (cr - begin);
    for (const char *p = cr; p < begin + n;) {
        const char *next = static_cast<const char *>(std::memchr(p + 1, '\r', size_t(begin + n - p - 1)));
        const char *end = next ? next : begin + n;
        // p is at a CR: it goes when an LF follows.
        const char *from = p + 1 < begin + n && p[1] == '\n' ? p + 1 : p;
        std::memmove(o, from, size_t(end - from));
        o += end - from;
        p = end;
    }
    bytes.truncate(o - begin);
}

} // namespace

EncodedText encode(const DocumentEncoding &e, QStringView text)
{
    const Codec &codec = codecs::of(e.encoding);
    const bool lf = e.lineEnd == LineEnd::Lf;
    QString units;
    if (lf && isUtf16(e.encoding)) {
        units = withLf(text);
        const CodesAt none;
        EncodedText r = codec.encode(units, e.habits, none);
        if (!r.ok) { // the place of the failure in the program's text, where lines end in CR LF
            qsizetype i = 0;
            for (qsizetype j = 0; j < r.failIndex; ++j, ++i)
                i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            r.failIndex = i;
        }
        return r;
    }
    const CodesAt codes = e.lineCodes ? e.lineCodes->placesIn(text) : CodesAt{};
    EncodedText r = codec.encode(text, e.habits, codes);
    if (r.ok && lf)
        toLf(r.bytes);
    return r;
}

bool canWrite(Encoding e, char32_t ch) { return codecs::of(e).canWrite(ch); }

} // namespace encoding
