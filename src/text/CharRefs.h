#pragma once
// HTML numeric character references for the characters an encoding cannot
// hold, offered when a save meets one.
#include "text/Encoding.h"

#include <QList>
#include <QString>
#include <QStringView>

// Replace `length` characters of a text from `start` on with `text`.
struct TextReplacement
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;
    bool operator==(const TextReplacement &) const = default;
};

namespace charref {

// "&#x1F600;": hexadecimal, upper-case digits.
QString reference(char32_t ch);
// Every character of the text that the encoding cannot write (a surrogate
// pair counts as one character), with its reference, in text order.
QList<TextReplacement> unwritable(QStringView text, Encoding encoding);

} // namespace charref
