#pragma once
// Why the system refused a file operation, in Japanese, from the error number
// it gave. Every reason the user reads comes from this one table; a number it
// does not know is named by the system's name for it, never by a bare number
// nor in the system's English words.
#include <QString>

namespace syserror {

// What the program was doing; some errors read differently for each.
enum class Action {
    Read,   // reading a file
    Write,  // writing a file (replacing or creating it)
    Remove, // deleting a file
    Folder, // listing or entering a folder
};

QString reason(int error, Action action);

// Why something that is not a regular file cannot be read or written as a
// page: what it is. fileType is st_mode & S_IFMT.
QString notAFile(unsigned fileType, Action action = Action::Read);

} // namespace syserror
