#pragma once
// A window's controls as designed: name, place and size in twips, tab order.
#include <QWidget>
#include <span>

struct ControlPlace {
    const char16_t *name;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

namespace formdesign {
// Places every named child of the form as the table says and chains the tab
// order by tabIndex. Children missing from the form are skipped.
void apply(QWidget *form, std::span<const ControlPlace> table);
const ControlPlace *find(std::span<const ControlPlace> table, QStringView name);
} // namespace formdesign
