#include "ui/FileList.h"
#include "ui/DirList.h"
#include "ui/Keys.h"
#include "ui/ListLook.h"

#include <QDir>
#include <QKeyEvent>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    listlook::clipLongEntries(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(this, &QListWidget::itemSelectionChanged, this, &FileList::selectionMoved);
}

bool FileList::setPath(const QString &path, QString *why)
{
    const QString dir = path.isEmpty() ? QString() : dirpath::normalize(path);
    if (!dirpath::readable(dir, why))
        return false;
    m_path = dir;
    fill();
    return true;
}

void FileList::setPattern(const QString &pattern)
{
    if (pattern == m_pattern)
        return; // the listing stays, and so does the selected file
    m_pattern = pattern;
    if (!m_path.isEmpty())
        fill();
}

bool FileList::refresh(QString *why)
{
    if (m_path.isEmpty())
        return true;
    if (!dirpath::readable(m_path, why)) {
        // The names of a directory that has gone are no longer there to open.
        const QSignalBlocker block(this);
        clear();
        m_listIndex = -1;
        return false;
    }
    fill();
    return true;
}

void FileList::fill()
{
    QDir dir(m_path);
    QStringList filters;
    for (const QString &p : m_pattern.split(u';', Qt::SkipEmptyParts))
        filters << (p.trimmed() == u"*.*"_s ? u"*"_s : p.trimmed()); // "*.*" also lists names without a dot
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QSignalBlocker block(this);
    clear();
    addItems(dir.entryList());
    m_listIndex = -1;
    setCurrentRow(-1);
}

QString FileList::fileName() const
{
    return list(m_listIndex);
}

QString FileList::list(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return item(index)->text();
}

void FileList::selectionMoved()
{
    const QList<QListWidgetItem *> sel = selectedItems();
    const int index = sel.isEmpty() ? -1 : row(sel.first());
    if (index == m_listIndex)
        return;
    m_listIndex = index;
    if (index >= 0)
        emit Click();
}

void FileList::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void FileList::keyPressEvent(QKeyEvent *e)
{
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    QListWidget::keyPressEvent(e);
}

void FileList::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QListWidget::mouseMoveEvent(e);
}

void FileList::mouseDoubleClickEvent(QMouseEvent *e)
{
    QListWidget::mouseDoubleClickEvent(e);
    if (itemAt(e->position().toPoint()))
        emit DblClick();
}
