#pragma once
// The help label that explains the control under the mouse.
//
// Reads and writes: HoverId (the number of the text DescriptionLbl shows) and
// DescriptionLbl's caption. The caption is set only when the mouse reaches a
// control with a different number, so the many moves within one control do no
// work. The drive list, the filter combo and the size and file name labels have
// no help text: moving over them changes nothing (their moves do not reach the
// window's background either).
#include <QObject>

class TesselFrm;

class HoverHelp : public QObject
{
    Q_OBJECT
  public:
    explicit HoverHelp(TesselFrm &frm);

    // The number of the text shown: 0 the default text, 1 to 13 a control's.
    // The tag list's click shows the clicked entry only while it is 9.
    int HoverId() const { return m_hoverId; }
    // Start-up: the label shows the default text (HoverId is left as it is).
    void showDefault();

    void EditTxt_MouseMove();
    void NewBtn_MouseMove();
    void OpenBtn_MouseMove();
    void CancelBtn_MouseMove();
    void SaveBtn_MouseMove();
    void SaveasBtn_MouseMove();
    void Dir1_MouseMove();
    void File_MouseMove();
    void HTMLLst_MouseMove();
    void PresetChk_MouseMove();
    void ColorCmd_MouseMove();
    void SearchCmd_MouseMove();
    void ShortCutsLbl_MouseMove();
    void Form_MouseMove();
    void DescriptionLbl_MouseMove();

  private:
    void show(qint16 id);
    TesselFrm &m_frm;
    qint16 m_hoverId = 0;
};
