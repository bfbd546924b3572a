#pragma once
// Program-wide state shared by the windows, owned once per program.
#include "text/Encoding.h"

#include <QString>

struct ValueDesc {
    // The document text as last read, written, created or restored; the
    // document is modified exactly when the edit text differs from it.
    QString SavedText;
    // 1 while a save chosen in the shutdown question is pending.
    qint16 QuitAfterSave = 0;
    // The document's encoding and the habits of its file, decided when the
    // file was read (Shift_JIS for a new document); every save keeps it.
    DocumentEncoding DocEncoding;
};
