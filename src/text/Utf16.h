#pragma once
// UTF-16, little- and big-endian, as browsers read it: by its byte order mark
// (FF FE, FE FF), which reading takes off and writing puts back. A code unit
// that is half of no pair (a lone surrogate) is kept as its two bytes, and an
// odd last byte as itself (Conversion.h), so an unchanged page saves to the
// same bytes; the line rules see characters, never a byte inside a unit.
#include "text/Codec.h"

namespace Utf16 {

const Codec &littleEndian();
const Codec &bigEndian();

} // namespace Utf16
