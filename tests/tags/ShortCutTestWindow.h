#pragma once
// A main window for shortcut tests: the tag list filled with test entries, the
// slots read from a given "TagsShortCuts.dat", and a record of the selections
// that each HTMLLst_Click saw.
#include "WindowFixture.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>

class ShortCutSlots;

namespace shortcuttest {
// n entries; those that stand at 0, 1, 34 and 70 in the built-in catalogue are
// the catalogue's own texts, the others are "項目<i>".
QStringList entries(int n);

using Slots = std::array<QString, 12>;
// The given texts in the first slots, the rest empty.
Slots slotsOf(const QStringList &texts);

class Window {
public:
    // slotFile: the bytes of "TagsShortCuts.dat", or a null array for no file.
    explicit Window(int entryCount = 71, const QByteArray &slotFile = {});

    TesselFrm &frm() { return m_fixture.frm(); }
    ShortCutSlots &shortCuts();
    WindowFixture &fixture() { return m_fixture; }
    QString caption();
    // Selections seen by HTMLLst_Click since the last call.
    QList<int> takeClicks();

private:
    WindowFixture m_fixture;
    QList<int> m_clicks;
};
} // namespace shortcuttest
