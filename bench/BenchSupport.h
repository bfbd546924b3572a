#pragma once
// What the benchmarks share: a Japanese HTML document of a given size, and
// message boxes that answer every question with Yes.
#include "ui/MessageBoxes.h"
#include "ui/ProgramEnd.h"

#include <QString>

namespace benchsupport {
// CR LF lines of HTML with more than half of the characters Japanese.
QString japaneseHtml(qsizetype approxChars);
// The same lines, as many as make about this many bytes in Shift_JIS.
QString japaneseHtmlOfShiftJisSize(qint64 bytes);
// Their characters take this many bytes in Shift_JIS on average (2.1 in UTF-8).
constexpr double ShiftJisBytesPerChar = 1.549;

class YesBoxes : public MessageBoxes {
public:
    MsgAnswer ask(const MsgBox &box) override
    {
        return box.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
    }
};

class NoEnd : public ProgramEnd {
public:
    void endProgram() override {}
};
} // namespace benchsupport
