#pragma once
// The main window's two colour schemes as data: which property of which object
// takes which colour, in the order a switch assigns them, and the captions of
// ColorCmd that say which scheme is shown.
#include <QBrush>
#include <QPalette>
#include <QString>
#include <QStringView>
#include <array>
#include <vector>

namespace colourtable {
// Colours written as 0x00BBGGRR.
constexpr quint32 DarkBackground = 0x003F3F3F;
constexpr quint32 FieldBackground = 0x00000000;
constexpr quint32 DarkText = 0x00FFFFFF;
QColor fromBgr(quint32 bgr);

// ColorCmd's caption while the normal scheme is shown (a press makes it dark)
// and while the dark scheme is shown (a press restores it).
inline constexpr QStringView NormalCaption = u"暗くする";
inline constexpr QStringView DarkCaption = u"元に戻す";

enum class Scheme { Normal, Dark };
// The scheme a press of ColorCmd switches to: dark exactly when the caption is
// NormalCaption, the normal one for any other caption.
Scheme afterPress(QStringView caption);
QString captionWhileShown(Scheme scheme);

// The designed colours the normal scheme is built from.
enum class Base { FormBack, EditBack, EditFore };

// What a coloured object paints: a surface like the window's background
// (the window, the labels, the check box) or an input field (the edit box and
// the lists).
enum class Area { Surface, Field };

struct Row {
    const char16_t *object; // object name; "TesselFrm" is the window itself
    Area area;
    quint32 darkBack;
    Base normalBack;
};

// The recoloured objects in the order a switch goes through them; the buttons
// and the dialogs are not among them.
inline constexpr std::array<Row, 12> Rows{{
    {u"TesselFrm", Area::Surface, DarkBackground, Base::FormBack},
    {u"PresetChk", Area::Surface, DarkBackground, Base::FormBack},
    {u"FilenameLbl", Area::Surface, DarkBackground, Base::FormBack},
    {u"DescriptionLbl", Area::Surface, DarkBackground, Base::FormBack},
    {u"ByteLbl", Area::Surface, DarkBackground, Base::FormBack},
    {u"ShortCutsLbl", Area::Surface, DarkBackground, Base::FormBack},
    {u"EditTxt", Area::Field, FieldBackground, Base::EditBack},
    {u"Drive", Area::Field, FieldBackground, Base::EditBack},
    {u"Dir1", Area::Field, FieldBackground, Base::EditBack},
    {u"File", Area::Field, FieldBackground, Base::EditBack},
    {u"TailCmb", Area::Field, FieldBackground, Base::EditBack},
    {u"HTMLLst", Area::Field, FieldBackground, Base::EditBack},
}};

// A colour as a control holds it: one brush for each palette state (active,
// inactive, disabled), so that the platform's colours are kept and given back
// exactly. The dark scheme's colours are the same in every state.
struct StateColour {
    std::array<QBrush, 3> brushes;

    static StateColour plain(quint32 bgr);
    static StateColour of(const QPalette &palette, QPalette::ColorRole role);
    void applyTo(QPalette &palette, QPalette::ColorRole role) const;
    // The colour shown while the window is active.
    QColor active() const { return brushes[0].color(); }
    bool operator==(const StateColour &other) const;
};

struct BaseColours {
    StateColour formBack; // BaseFormBackColor
    StateColour editBack; // BaseEditBackColor
    StateColour editFore; // BaseEditForeColor
    const StateColour &operator[](Base b) const;
};

enum class Property { BackColor, ForeColor };

// One assignment of a switch: the object, the property, and either a fixed
// colour or one of the designed colours.
struct Assignment {
    QStringView object;
    Area area;
    Property property;
    bool fixed;
    quint32 bgr; // when fixed
    Base base;   // otherwise
    StateColour colour(const BaseColours &base) const;
};

// The 24 assignments that show a scheme: the BackColor of every object in the
// table's order, then their ForeColor in the same order.
std::vector<Assignment> switchTo(Scheme scheme);
} // namespace colourtable
