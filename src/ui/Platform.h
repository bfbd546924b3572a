#pragma once
// What the windows need from the world outside them, owned by main() or a test.
#include <QString>

class MessageBoxes;
class ProgramEnd;

struct Platform {
    QString startDir;        // working directory at program start, captured once
    MessageBoxes *boxes = nullptr;
    ProgramEnd *end = nullptr;
};
