#pragma once
// A main window in its own temporary start directory, with scripted message
// boxes and a recorded program end, for tests of the real windows.
#include "ScriptedInputBoxes.h"
#include "ScriptedMessageBoxes.h"
#include "core/TesselFrm.h"
#include "core/ValueDesc.h"
#include "ui/Platform.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <memory>

class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    QString startDir() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Bytes of a file in the start directory; a null array when it is missing.
    QByteArray bytes(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;
    bool exists(const QString &name) const;

    // Creates the main window (not yet loaded) or creates and loads it.
    TesselFrm &create();
    TesselFrm &load();
    TesselFrm &frm() { return *m_frm; }
    void destroy();

    ScriptedMessageBoxes boxes;
    ScriptedInputBoxes inputs;
    RecordingProgramEnd end;
    ValueDesc values;
    Platform platform;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TesselFrm> m_frm;
};
