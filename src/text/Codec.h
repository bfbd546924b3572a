#pragma once
// One encoding of documents behind one interface: its name, the label a page
// declares it with, and the conversions between its bytes and text. Each
// encoding is one object in a file of its own, registered once (Codecs.cpp);
// the rest of the program goes through the registry (Encoding.h) and never
// switches over encodings.
#include "text/Conversion.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

enum class Encoding { ShiftJis, Utf8, EucJp, Iso2022Jp, Utf16Le, Utf16Be };

// What writing keeps of the file a text was read from, besides the text.
struct CodecHabits
{
    // The file begins with a byte order mark, kept on writing.
    bool byteOrderMark = false;
    // Characters of several codes: the code the document writes each with.
    AltCodeChoice altCodes;
    // The codec's own habits (ISO-2022-JP: where the file returns to ASCII).
    unsigned flags = 0;
    bool operator==(const CodecHabits &) const = default;
};

struct CodecDecoded : DecodedText
{
    CodecHabits habits;
};

class Codec
{
public:
    virtual ~Codec() = default;
    // "Shift_JIS", "UTF-8", ...: in messages and the size label.
    virtual QString name() const = 0;
    // The label a page declares the encoding with (<meta charset="...">).
    virtual QByteArrayView label() const = 0;
    virtual CodecDecoded decode(QByteArrayView bytes) const = 0;
    // `codes`: places in the text (in order) whose character is written with
    // the code given there instead of the document's habit; code 0 is the
    // character's usual code.
    virtual EncodedText encode(QStringView text, const CodecHabits &habits, const CodesAt &codes) const = 0;
    // Whether encode() can write the character (a kept byte can).
    virtual bool canWrite(char32_t ch) const = 0;
};

// A codec of an encoding whose characters may have several codes (NEC's and
// IBM's copies, AltCodes.h): it keeps the codes the page used, as habits.
template<DecodedText (*Decode)(QByteArrayView),
         EncodedText (*Encode)(QStringView, const AltCodeChoice &, const CodesAt &), bool (*CanWrite)(char32_t)>
class AltCodeCodec final : public Codec
{
public:
    AltCodeCodec(const QString &name, QByteArrayView label) : m_name(name), m_label(label) {}
    QString name() const override { return m_name; }
    QByteArrayView label() const override { return m_label; }
    CodecDecoded decode(QByteArrayView bytes) const override
    {
        CodecDecoded d;
        static_cast<DecodedText &>(d) = Decode(bytes);
        d.habits.altCodes = d.altCodes;
        return d;
    }
    EncodedText encode(QStringView text, const CodecHabits &habits, const CodesAt &codes) const override
    {
        return Encode(text, habits.altCodes, codes);
    }
    bool canWrite(char32_t ch) const override { return CanWrite(ch); }

private:
    QString m_name;
    QByteArrayView m_label;
};

namespace codecs {
// The codec of an encoding.
const Codec &of(Encoding e);
// Every encoding, in the order of the enumeration.
const std::vector<Encoding> &all();
} // namespace codecs
