#pragma once
// What a page's text declares its encoding to be, found as browsers find it
// in the first 1024 bytes of the file the text would be written as: the text
// before it is written, and a preset before it becomes a page.
#include "text/Encoding.h"

#include <QByteArray>
#include <QStringView>

#include <optional>

struct PageDeclaration
{
    // The label as the page writes it ("utf-8", "gb2312"); empty when the
    // page declares nothing.
    QByteArray label;
    // The encoding the label names, when the program can write it.
    std::optional<Encoding> encoding;

    bool declares() const { return !label.isEmpty(); }
};

namespace declaration {

// The declaration in the text as it would be written in `in`.
PageDeclaration of(QStringView text, const DocumentEncoding &in);
// Whether a page written in `in` agrees with its declaration: one declaring
// nothing does, one declaring an encoding the program cannot write does not,
// and a UTF-16 page declaring UTF-16 does (browsers read it by its byte order
// mark).
bool agrees(const PageDeclaration &d, Encoding in);

} // namespace declaration
