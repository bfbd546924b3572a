#pragma once
// The file browser pane: drive, directory and file lists and the extension
// filter, kept in step, and whether a file has been chosen since the listing changed.
#include <QObject>

class TesselFrm;

class FilePane : public QObject {
    Q_OBJECT
public:
    explicit FilePane(TesselFrm &frm);

private:
    TesselFrm &m_frm;
};
