#pragma once
// The normal and the dark colour scheme of the main window.
#include <QObject>

class TesselFrm;

class ColourScheme : public QObject {
    Q_OBJECT
public:
    explicit ColourScheme(TesselFrm &frm);
    void ColorCmd_Click();

private:
    TesselFrm &m_frm;
};
