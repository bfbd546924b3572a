#pragma once
// A document's encoding and the habits of its file that writing keeps, so that
// an unedited document saves back to the same bytes: the encoding (Shift_JIS
// unless reading the file found a byte order mark, a charset declaration or
// the bytes of another, Detect.h), its codec's habits, its line end, and the
// codes its lines wrote their characters of several codes with (LineCodes.h).
#include "text/Codec.h"
#include "text/Conversion.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>

class LineCodes;

// A page whose lines all end in LF (and which holds no CR) keeps LF; any
// other page, and every new one, ends its lines in CR LF. The text in the
// program always has CR LF between lines: the line end is the file's.
enum class LineEnd { CrLf, Lf };

struct DocumentEncoding
{
    Encoding encoding = Encoding::ShiftJis;
    CodecHabits habits;
    LineEnd lineEnd = LineEnd::CrLf;
    // The codes each line was read with, where they may differ from the habit;
    // empty for most pages.
    std::shared_ptr<const LineCodes> lineCodes;
    // The declaration (its label) the user chose to write the page against,
    // asked about once.
    QByteArray keptAgainst;

    bool operator==(const DocumentEncoding &) const = default;
};

namespace encoding {

// "Shift_JIS", "UTF-8", "EUC-JP", "ISO-2022-JP", "UTF-16LE", "UTF-16BE".
QString name(Encoding e);
// The label a page declares the encoding with ("Shift_JIS", "UTF-8", ...).
QByteArrayView label(Encoding e);

struct Decoded : DecodedText
{
    DocumentEncoding encoding;
};
// The text of the bytes in the encoding, line ends as in the file, with the
// habits writing keeps.
Decoded decode(Encoding e, QByteArrayView bytes);
// Writes the text (CR LF between lines, as the program holds it) in the
// document's encoding, with its line end, each line read from the file with
// the codes it was read with.
EncodedText encode(const DocumentEncoding &e, QStringView text);
bool canWrite(Encoding e, char32_t ch);

} // namespace encoding
