#pragma once
// New, Open, Save, Save as and Discard edits on the document as a whole.
#include <QObject>

class TesselFrm;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    explicit DocumentCommands(TesselFrm &frm);
    void NewBtn_Click();
    void OpenBtn_Click();
    void SaveBtn_Click();
    void SaveasBtn_Click();
    void CancelBtn_Click();

private:
    TesselFrm &m_frm;
};
