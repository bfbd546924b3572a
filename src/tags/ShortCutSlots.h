#pragma once
// The twelve function-key shortcut slots, their label and their file.
#include <QObject>

class TesselFrm;

class ShortCutSlots : public QObject {
    Q_OBJECT
public:
    explicit ShortCutSlots(TesselFrm &frm);
    void ShowShortCuts();
    void EditTxt_KeyDown(int KeyCode, int Shift);
    void HTMLLst_KeyDown(int KeyCode, int Shift);

private:
    TesselFrm &m_frm;
};
