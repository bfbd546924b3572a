#pragma once
// Drive list: Drive names the selected drive; Change is raised when the
// selection changes, by the user or by code.
#include "browse/Drives.h"
#include <QComboBox>

class DriveList : public QComboBox
{
    Q_OBJECT
  public:
    explicit DriveList(QWidget *parent = nullptr);
    void setDrives(const Drives *drives);
    const Drives *drives() const { return m_drives; }
    QString drive() const;
    void setDrive(const QString &name);
    // Takes back a selection that could not be followed: shows the drive
    // again without raising Change (an empty name shows none).
    void restoreDrive(const QString &name);
  signals:
    void Change();

  private:
    const Drives *m_drives = nullptr;
    int m_index = -1;
};
