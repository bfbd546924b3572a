#pragma once
// Conversion between text and UTF-8 bytes. A byte that does not belong to a
// valid sequence (a stray continuation byte, a sequence cut short, an overlong
// form, an encoded surrogate, a code above U+10FFFF) is kept (Conversion.h);
// every character but a lone surrogate can be written.
#include "text/Codec.h"
#include "text/Conversion.h"

#include <QByteArrayView>
#include <QStringView>

namespace Utf8 {

enum class Validity {
    Ascii,   // valid, and nothing but ASCII
    Valid,   // valid, with at least one character beyond ASCII
    Invalid, // some byte is not part of a valid sequence
};
// One pass at memory speed, eight ASCII bytes at a time.
Validity check(QByteArrayView bytes);

DecodedText decode(QByteArrayView bytes);
EncodedText encode(QStringView text);
bool canWrite(char32_t ch);
// UTF-8 behind the codec interface: a byte order mark is taken off and kept.
const Codec &codec();

} // namespace Utf8
