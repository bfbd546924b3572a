#pragma once
// The one document writer: writes the edit text, makes it the saved text and
// brings the labels and the file pane up to date.
#include <QObject>

class TesselFrm;

class DocumentWriter : public QObject {
    Q_OBJECT
public:
    explicit DocumentWriter(TesselFrm &frm);
    bool SaveTextFile(const QString &FileName, const QString &FilePath);

private:
    TesselFrm &m_frm;
};
