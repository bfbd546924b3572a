#include "ui/ListBox.h"
#include "ui/Keys.h"
#include "ui/ListLook.h"

#include <QKeyEvent>
#include <QSignalBlocker>

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    listlook::clipLongEntries(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(this, &QListWidget::itemSelectionChanged, this, &ListBox::selectionMoved);
}

void ListBox::selectionMoved()
{
    const QList<QListWidgetItem *> sel = selectedItems();
    const int index = sel.isEmpty() ? -1 : row(sel.first());
    if (index == m_listIndex)
        return;
    m_listIndex = index;
    emit Click();
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        selectionMoved();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    selectionMoved();
}

QString ListBox::list(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return item(index)->text();
}

void ListBox::addEntry(const QString &text) { addItem(text); }

void ListBox::addEntries(const QStringList &texts) { addItems(texts); }

void ListBox::clearEntries()
{
    const QSignalBlocker block(this);
    clear();
    m_listIndex = -1;
}

void ListBox::keyPressEvent(QKeyEvent *e)
{
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    QListWidget::keyPressEvent(e);
}

void ListBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QListWidget::mouseMoveEvent(e);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *e)
{
    QListWidget::mouseDoubleClickEvent(e);
    emit DblClick();
}
