#pragma once
// Naming a place and a character of a text in messages, for every encoding.
#include <QString>
#include <QStringView>

namespace textplace {

// 1-based position for messages. Lines end at CR LF only, as in the edit box,
// where a lone CR or LF is a character inside the line; columns count
// characters (a surrogate pair is one column).
struct LineColumn
{
    qsizetype line = 1;
    qsizetype column = 1;
};

LineColumn lineColumnAt(QStringView text, qsizetype index);

// "「〜」(U+301C)", naming a character in messages; control and kept
// characters are shown by their code alone.
QString describeChar(char32_t ch);

} // namespace textplace
