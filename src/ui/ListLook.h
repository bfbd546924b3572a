#pragma once
// The list boxes as designed: no horizontal scroll bar (it would take rows
// away), and entries longer than the list clipped at its right edge rather
// than shortened with "…".
#include <QAbstractItemView>

namespace listlook {
inline void clipLongEntries(QAbstractItemView *list)
{
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
}
} // namespace listlook
