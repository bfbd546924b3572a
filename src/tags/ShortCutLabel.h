#pragma once
// How a shortcut slot's text is read: the catalogue position it names, and the
// caption of the shortcut label built from the twelve slots.
//
// Registration only ever writes -1 or an entry's position in plain decimal, so
// that is the only form read as a position: "-1", "0", or digits without a
// leading zero up to 32767. Anything else (a hand-edited or damaged line such
// as "2.5", " 3", "+3", "1e2", "&H10", "-2", "40000" or words) names no entry:
// it pastes nothing and is shown as "NONE", like an empty slot, while the slot
// keeps the text as read so that the file gets the user's line back unchanged.
#include <QString>
#include <QStringView>
#include <array>
#include <functional>
#include <optional>

namespace shortcutlabel {
inline constexpr int SlotCount = 12; // F1 to F12
// The most of "TagsShortCuts.dat" that is read: twelve positions need 96
// bytes; a hand-edited file gets room to spare.
inline constexpr qint64 MaxFileBytes = 4096;

// The catalogue position a slot names; nullopt for an empty slot and for any
// text that is not a position as registration writes it.
std::optional<qint16> position(QStringView slot);

// What the label shows for one slot: "NONE" when it names no position,
// otherwise the first four characters of the entry there (an empty text for a
// position without an entry, such as -1).
QString shortText(QStringView slot, const std::function<QString(int)> &entryAt);

// One blank, then "F1:" to "F12:" each followed by its short text and one blank.
QString caption(const std::array<QString, SlotCount> &slotTexts, const std::function<QString(int)> &entryAt);
} // namespace shortcutlabel
