#pragma once
// The codes a page's lines wrote their characters of several codes with (NEC's
// and IBM's copies, EUC-JP's three-byte forms: AltCodes.h), kept for the lines
// where writing by the document's habit could choose another code, so that a
// line the user did not change is written back with the bytes it was read from.
//
// A line here is a run of characters between line ends (CR or LF), so it is
// found again whatever the line rules made of its ends. A line found again is
// written with its own codes, after checking that its characters of several
// codes stand where they stood; any other line takes the document's habit.
// Only lines holding such characters cost memory, and a page without any
// costs nothing.
#include "text/Conversion.h"

#include <QHash>
#include <QStringView>

#include <memory>
#include <vector>

class LineCodes
{
public:
    // From a decoded text and the places some character was read from another
    // of its codes (in order); null when there are none.
    static std::shared_ptr<const LineCodes> collect(QStringView text, const CodesAt &read);
    // The places in a text to be written whose lines were read with codes of
    // their own, with those codes (0: the usual code), in order.
    CodesAt placesIn(QStringView text) const;

private:
    struct Place
    {
        qsizetype offset; // in the line
        char16_t ch;
        std::uint32_t code;
        bool operator==(const Place &) const = default;
    };
    using Places = std::vector<Place>;
    bool concerns(char16_t ch) const { return m_chars[ch]; }
    // The characters some code was read for, and the places of those in a line.
    std::vector<bool> m_chars = std::vector<bool>(0x10000);
    // Line text's hash -> the places of each line of that text, in file order.
    QHash<size_t, std::vector<Places>> m_lines;
};
