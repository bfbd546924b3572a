#include "text/Utf16.h"

namespace Utf16 {
namespace {

class Utf16Codec final : public Codec
{
public:
    explicit Utf16Codec(bool bigEndian) : m_big(bigEndian) {}

    QString name() const override { return m_big ? QStringLiteral("UTF-16BE") : QStringLiteral("UTF-16LE"); }
    QByteArrayView label() const override { return m_big ? "UTF-16BE" : "UTF-16LE"; }

    CodecDecoded decode(QByteArrayView bytes) const override
    {
        const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
        const qsizetype n = bytes.size();
        CodecDecoded d;
        qsizetype i = 0;
        if (n >= 2 && unitAt(in, 0) == 0xFEFF) {
            d.habits.byteOrderMark = true;
            i = 2;
        }
        d.text.resize(n - i + 1); // a unit kept as its bytes takes two characters
        char16_t *out = reinterpret_cast<char16_t *>(d.text.data());
        char16_t *const begin = out;
        for (; i + 2 <= n; i += 2) {
            const char16_t u = unitAt(in, i);
            if (!QChar::isSurrogate(u)) {
                *out++ = u;
            } else if (QChar::isHighSurrogate(u) && i + 4 <= n && QChar::isLowSurrogate(unitAt(in, i + 2))) {
                *out++ = u;
                *out++ = unitAt(in, i + 2);
                i += 2;
            } else {
                out = keptbyte::keep(d, in, i, 2, out); // half of no pair
            }
        }
        if (i < n)
            out = keptbyte::keep(d, in, i, 1, out); // an odd last byte
        d.text.truncate(out - begin);
        return d;
    }

    EncodedText encode(QStringView text, const CodecHabits &habits, const CodesAt &) const override
    {
        const char16_t *in = text.utf16();
        const qsizetype n = text.size();
        QByteArray bytes((n + 2) * 2, Qt::Uninitialized);
        auto *out = reinterpret_cast<unsigned char *>(bytes.data());
        auto *const begin = out;
        if (habits.byteOrderMark)
            out = put(out, 0xFEFF);
        auto *const unitsFrom = out;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = in[i];
            // Text after an odd last byte kept from a damaged file starts at
            // the next whole unit, so that it reads back as written.
            if (!keptbyte::is(c) && (out - unitsFrom) % 2 == 1)
                *out++ = 0;
            if (!QChar::isSurrogate(c)) {
                out = put(out, c);
            } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
                out = put(put(out, c), in[i + 1]);
                ++i;
            } else if (keptbyte::is(c)) {
                *out++ = keptbyte::value(c);
            } else {
                return encodeFailure(in, n, i);
            }
        }
        bytes.truncate(out - begin);
        EncodedText r;
        r.ok = true;
        r.bytes = std::move(bytes);
        return r;
    }

    bool canWrite(char32_t ch) const override
    {
        return ch <= 0x10FFFF && (!(ch >= 0xD800 && ch < 0xE000) || keptbyte::is(char16_t(ch)));
    }

private:
    char16_t unitAt(const unsigned char *in, qsizetype i) const
    {
        return m_big ? char16_t(in[i] << 8 | in[i + 1]) : char16_t(in[i + 1] << 8 | in[i]);
    }
    unsigned char *put(unsigned char *out, char16_t u) const
    {
        *out++ = uchar(m_big ? u >> 8 : u);
        *out++ = uchar(m_big ? u : u >> 8);
        return out;
    }
    bool m_big;
};

} // namespace

const Codec &littleEndian()
{
    static const Utf16Codec c(false);
    return c;
}

const Codec &bigEndian()
{
    static const Utf16Codec c(true);
    return c;
}

} // namespace Utf16
