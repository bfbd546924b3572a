#include "text/Declaration.h"

#include "text/Detect.h"

namespace declaration {
namespace {

// The first bytes of the text as a browser would scan them: its beginning
// written in the encoding. Characters the encoding cannot hold, and UTF-16's
// two-byte units, stand as a byte that no declaration contains.
QByteArray headOf(QStringView text, const DocumentEncoding &in)
{
    const QStringView head = text.first(qMin(text.size(), detect::PrescanBytes));
    const bool utf16 = in.encoding == Encoding::Utf16Le || in.encoding == Encoding::Utf16Be;
    if (!utf16) {
        DocumentEncoding plain;
        plain.encoding = in.encoding;
        plain.habits = in.habits;
        const EncodedText e = encoding::encode(plain, head);
        if (e.ok)
            return e.bytes.first(qMin(e.bytes.size(), detect::PrescanBytes));
    }
    QByteArray bytes(head.size(), '\xFF');
    for (qsizetype i = 0; i < head.size(); ++i)
        if (head[i].unicode() < 0x80)
            bytes[i] = char(head[i].unicode());
    return bytes;
}

} // namespace

PageDeclaration of(QStringView text, const DocumentEncoding &in)
{
    PageDeclaration d;
    const detect::Declaration found = detect::declaration(headOf(text, in));
    if (found.declares()) {
        d.label = found.label;
        d.encoding = found.encoding;
    }
    return d;
}

bool agrees(const PageDeclaration &d, Encoding in)
{
    if (!d.declares())
        return true;
    if (!d.encoding)
        return false;
    if (in == Encoding::Utf16Le || in == Encoding::Utf16Be)
        return d.label.toLower().startsWith("utf-16") || d.label.toLower() == "unicode";
    return *d.encoding == in;
}

} // namespace declaration
