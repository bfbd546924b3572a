#pragma once
// The help label that explains the control under the mouse.
#include <QObject>

class TesselFrm;

class HoverHelp : public QObject {
    Q_OBJECT
public:
    explicit HoverHelp(TesselFrm &frm);
    void Form_MouseMove();

private:
    TesselFrm &m_frm;
};
