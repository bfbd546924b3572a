#pragma once
// The texts of the help label: the default one (number 0) and one for each
// control that explains itself when the mouse moves over it (1 to 13).
#include <QString>
#include <QStringView>

namespace helptexts {
constexpr int Default = 0;
constexpr int Count = 14; // numbers 0 to 13

// The text with that number; the default text for a number out of range.
QString text(int hoverId);
QString defaultText();

// The number of the control with that name, or -1 for a control that has no
// help text (the drive list, the filter combo, the size and file name labels).
// The window itself ("TesselFrm") and the help label show the default text.
int idOf(QStringView control);
} // namespace helptexts
