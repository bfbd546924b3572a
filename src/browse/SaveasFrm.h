#pragma once
// The save-as dialog: a directory, a name and an extension for the document.
// While it is up the main window is disabled; saving, Cancel and closing it
// enable the main window again. Save and Cancel hide it (it keeps its name
// and filter); closing it through its frame unloads it.
#include <QWidget>

class Button;
class ComboBox;
class DirList;
class DriveList;
class FileList;
class LineBox;
class TesselFrm;

class SaveasFrm : public QWidget {
    Q_OBJECT
public:
    // A window of its own, owned by the main window; creating it loads it.
    explicit SaveasFrm(TesselFrm &owner);

    // Opening: the directory list goes to dir, then the dialog is shown and enabled.
    void showFor(const QString &dir);

    qint16 SavedForQuit() const { return m_SavedForQuit; }
    qint16 TailIndex() const { return m_TailIndex; }

    void Form_Load();
    void Drive_Change();
    void Dir1_Change();
    void File_Click();
    void TailCmb_Click();
    void TailCmb_Change();
    void TailCmb_KeyDown(int KeyCode, int Shift);
    void SaveCmd_Click();
    void CancelCmd_Click();
    void Form_Unload();

    DriveList *Drive;
    DirList *Dir1;
    FileList *File;
    LineBox *FilenameTxt;
    ComboBox *TailCmb;
    Button *SaveCmd;
    Button *CancelCmd;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void notice(const QString &text, const QString &title);
    void directoryFailed(const QString &dir, const QString &why);
    void leave();

    TesselFrm &m_owner;
    qint16 m_SavedForQuit = 0;
    qint16 m_TailIndex = 0;
    QString m_shownDrive;
};
