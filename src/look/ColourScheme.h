#pragma once
// The normal and the dark colour scheme of the main window.
//
// Reads and writes: the caption of ColorCmd (which scheme is shown), the
// palettes of the window, the check box, the four labels, the edit box, the
// drive, directory and file lists, the filter combo and the tag list. The seven
// buttons and the dialogs keep their colours: the buttons' palettes are fixed
// when the part is created, and the dialogs, being windows of their own, do not
// take the main window's palette. The edit box's HTML colours follow its
// background by themselves (HtmlColouring), so a switch recolours them too.
#include "look/ColourTable.h"

#include <QObject>
#include <vector>

class QWidget;
class TesselFrm;

class ColourScheme : public QObject
{
    Q_OBJECT
  public:
    explicit ColourScheme(TesselFrm &frm);

    // Start-up: records the window's background and the edit box's colours as
    // they are now (BaseFormBackColor, BaseEditBackColor, BaseEditForeColor).
    void recordBaseColours();
    const colourtable::BaseColours &baseColours() const { return m_base; }

    // Switches to the other scheme, as ColorCmd's caption says, and sets the
    // caption to what the next press will do.
    void ColorCmd_Click();

    // BackColor and ForeColor of a recoloured object, as the palette holds them.
    static colourtable::StateColour backColor(const QWidget *w, colourtable::Area area);
    static colourtable::StateColour foreColor(const QWidget *w, colourtable::Area area);
    static void setColour(QWidget *w, colourtable::Area area, colourtable::Property property,
                          const colourtable::StateColour &colour);
    // The recoloured object of the main window with that name (null if none).
    QWidget *object(QStringView name) const;

  private:
    TesselFrm &m_frm;
    colourtable::BaseColours m_base;
    std::vector<std::pair<QStringView, QWidget *>> m_objects;
};
