#pragma once
// What the windows need from the world outside them, owned by main() or a test.
#include <QString>

class Browser;
class InputBoxes;
class MessageBoxes;
class ProgramEnd;

struct Platform {
    // Where the program keeps its own five files: the working directory at
    // program start, captured once (or the data folder when started from the
    // desktop).
    QString startDir;
    MessageBoxes *boxes = nullptr;
    ProgramEnd *end = nullptr;
    // Shows a page in the desktop's browser; null when there is none to ask.
    Browser *browser = nullptr;
    // The directory the drive "c:" stands for; empty means startDir. Started
    // from the desktop, it is the working directory while startDir is the
    // data folder.
    QString browseDir = {};
    // Questions the user answers by typing (the line to go to); null where
    // nobody can be asked, and then nothing is asked.
    InputBoxes *inputs = nullptr;

    QString browseStart() const { return browseDir.isEmpty() ? startDir : browseDir; }
};
