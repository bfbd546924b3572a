#pragma once
// What each part of a line of HTML is, for colouring: the tags (the angle
// brackets and the name), attribute names and values, comments, the doctype
// (and other declarations), character references, and the contents of script
// and style elements as one. Text between tags, and anything that is not
// HTML, is no part at all.
//
// A line is scanned from the state at its start, and gives the state at its
// end: inside a comment, a declaration, a tag, a quoted value, script or
// style. The state fits in an int, so the edit box keeps one per line.
#include <QStringView>
#include <cstdint>
#include <vector>

namespace htmlscan {
enum class Kind : std::uint8_t { Tag, AttributeName, AttributeValue, Comment, Doctype, CharRef, ScriptStyle };
inline constexpr int KindCount = 7;

struct Span {
    int start;
    int length;
    Kind kind;
    bool operator==(const Span &) const = default;
};

// Where a line starts (or the previous one ended).
enum class Where : std::uint8_t {
    Text,
    Comment,     // after <!--
    Declaration, // after <! or <?
    InTag,       // after a tag's name, between attributes
    BeforeValue, // after =
    DoubleValue, // inside "..."
    SingleValue, // inside '...'
    Script,      // the contents of a script element
    Style,       // the contents of a style element
};

struct State {
    Where where = Where::Text;
    // In a tag: the contents that follow its >, Text or Script or Style.
    Where after = Where::Text;

    int pack() const { return int(where) | int(after) << 4; }
    static State unpack(int packed);
    bool operator==(const State &) const = default;
};

// Scans one line (without its line end) from state start; appends the line's
// parts to spans, in order, when spans is given, and returns the state at its
// end.
State scanLine(QStringView line, State start, std::vector<Span> *spans);
} // namespace htmlscan
