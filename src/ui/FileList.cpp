#include "ui/FileList.h"
#include "ui/DirList.h"
#include "ui/FolderWatch.h"
#include "ui/Keys.h"
#include "ui/ListLook.h"

#include <QDir>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

FileList::FileList(QWidget *parent) : QListWidget(parent), m_watch(new FolderWatch(this))
{
    connect(m_watch, &FolderWatch::Changed, this, &FileList::follow);
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
    watchShownFolder();
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
        m_names.clear();
        m_listIndex = -1;
        return false;
    }
    fill();
    return true;
}

void FileList::fill()
{
    present(entries(), -1);
    m_stale = false;
}

void FileList::follow()
{
    if (m_path.isEmpty())
        return;
    const QString selected = fileName();
    // A folder that has gone lists nothing; what to do about it is told when
    // the user next asks for something there.
    const QStringList names = dirpath::readable(m_path, nullptr) ? entries() : QStringList();
    m_stale = false;
    if (names == m_names)
        return;
    const int index = selected.isEmpty() ? -1 : int(names.indexOf(selected));
    const int scrolled = verticalScrollBar()->value();
    present(names, index);
    verticalScrollBar()->setValue(scrolled);
    if (!selected.isEmpty() && index < 0)
        emit SelectionLost();
}

QStringList FileList::entries() const
{
    QDir dir(m_path);
    QStringList filters;
    for (const QString &p : m_pattern.split(u';', Qt::SkipEmptyParts))
        filters << (p.trimmed() == u"*.*"_s ? u"*"_s : p.trimmed()); // "*.*" also lists names without a dot
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

void FileList::present(const QStringList &names, int selected)
{
    // Listing is no choice of the user's: nothing is raised.
    const QSignalBlocker block(this);
    clear();
    addItems(names);
    m_names = names;
    m_listIndex = selected;
    setCurrentRow(selected); // -1: none
}

void FileList::watchShownFolder() { m_watch->watch(isVisible() ? m_path : QString()); }

void FileList::showEvent(QShowEvent *e)
{
    QListWidget::showEvent(e);
    if (m_stale)
        follow(); // what changed while the list was hidden
    watchShownFolder();
}

void FileList::hideEvent(QHideEvent *e)
{
    QListWidget::hideEvent(e);
    m_watch->stop();
    m_stale = true;
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
