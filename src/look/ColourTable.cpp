#include "look/ColourTable.h"

namespace colourtable {
QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

Scheme afterPress(QStringView caption) { return caption == NormalCaption ? Scheme::Dark : Scheme::Normal; }

QString captionWhileShown(Scheme scheme)
{
    return (scheme == Scheme::Dark ? DarkCaption : NormalCaption).toString();
}

namespace {
constexpr std::array<QPalette::ColorGroup, 3> Groups{QPalette::Active, QPalette::Inactive,
                                                     QPalette::Disabled};
}

StateColour StateColour::plain(quint32 bgr)
{
    const QBrush b(fromBgr(bgr));
    return {{b, b, b}};
}

StateColour StateColour::of(const QPalette &palette, QPalette::ColorRole role)
{
    StateColour c;
    for (size_t i = 0; i < Groups.size(); ++i)
        c.brushes[i] = palette.brush(Groups[i], role);
    return c;
}

void StateColour::applyTo(QPalette &palette, QPalette::ColorRole role) const
{
    for (size_t i = 0; i < Groups.size(); ++i)
        palette.setBrush(Groups[i], role, brushes[i]);
}

bool StateColour::operator==(const StateColour &other) const
{
    return brushes == other.brushes;
}

const StateColour &BaseColours::operator[](Base b) const
{
    switch (b) {
    case Base::FormBack:
        return formBack;
    case Base::EditBack:
        return editBack;
    case Base::EditFore:
        break;
    }
    return editFore;
}

StateColour Assignment::colour(const BaseColours &baseColours) const
{
    return fixed ? StateColour::plain(bgr) : baseColours[base];
}

std::vector<Assignment> switchTo(Scheme scheme)
{
    const bool dark = scheme == Scheme::Dark;
    std::vector<Assignment> out;
    out.reserve(2 * Rows.size());
    for (const Row &r : Rows)
        out.push_back({r.object, r.area, Property::BackColor, dark, r.darkBack, r.normalBack});
    // The text of every object takes the edit box's text colour in the normal scheme.
    for (const Row &r : Rows)
        out.push_back({r.object, r.area, Property::ForeColor, dark, DarkText, Base::EditFore});
    return out;
}
} // namespace colourtable
