#pragma once
// A document's encoding: Shift_JIS (CP932) unless reading the file found a
// byte order mark, a charset declaration or plain UTF-8 (Detect.h), and the
// habits of the file that writing keeps, so that an unedited document saves
// back to the same bytes.
#include "text/Conversion.h"
#include "text/Iso2022Jp.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

enum class Encoding { ShiftJis, Utf8, EucJp, Iso2022Jp };

struct DocumentEncoding
{
    Encoding encoding = Encoding::ShiftJis;
    // UTF-8: the file begins with a byte order mark (EF BB BF), kept on writing.
    bool byteOrderMark = false;
    // Shift_JIS, EUC-JP, ISO-2022-JP: characters written with a copy's code.
    AltCodeChoice altCodes;
    // ISO-2022-JP: where the file returns to ASCII.
    Iso2022Jp::Habits iso2022;

    bool operator==(const DocumentEncoding &) const = default;
};

namespace encoding {

// "Shift_JIS", "UTF-8", "EUC-JP", "ISO-2022-JP".
QString name(Encoding e);

struct Decoded : DecodedText
{
    DocumentEncoding encoding;
};
// The text of the bytes in the encoding, with the habits writing keeps. For
// UTF-8 a leading byte order mark is taken off and noted.
Decoded decode(Encoding e, QByteArrayView bytes);
EncodedText encode(const DocumentEncoding &e, QStringView text);
bool canWrite(Encoding e, char32_t ch);

} // namespace encoding
