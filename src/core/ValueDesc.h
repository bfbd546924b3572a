#pragma once
// Program-wide state shared by the windows, owned once per program.
#include <QString>

struct ValueDesc {
    // The document text as last read, written, created or restored; the
    // document is modified exactly when the edit text differs from it.
    QString SavedText;
    // 1 while a save chosen in the shutdown question is pending.
    qint16 QuitAfterSave = 0;
};
