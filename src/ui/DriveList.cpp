#include "ui/DriveList.h"

#include <QSignalBlocker>

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == m_index)
            return;
        m_index = index;
        emit Change();
    });
}

void DriveList::setDrives(const Drives *drives)
{
    const QSignalBlocker block(this);
    m_drives = drives;
    clear();
    for (const Drive &d : drives->list())
        addItem(d.caption);
    setCurrentIndex(-1);
    m_index = -1;
}

QString DriveList::drive() const
{
    if (!m_drives || m_index < 0 || m_index >= m_drives->list().size())
        return {};
    return m_drives->list().at(m_index).name;
}

void DriveList::setDrive(const QString &name)
{
    if (!m_drives)
        return;
    const int index = m_drives->indexOf(name);
    if (index < 0 || index == m_index)
        return;
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    m_index = index;
    emit Change();
}

void DriveList::restoreDrive(const QString &name)
{
    const int index = m_drives && !name.isEmpty() ? m_drives->indexOf(name) : -1;
    const QSignalBlocker block(this);
    setCurrentIndex(index);
    m_index = index;
}
