#pragma once
// The save-as dialog: a directory, a name and an extension for the document.
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
    // A window of its own, owned by the main window.
    explicit SaveasFrm(TesselFrm &owner);

    DriveList *Drive;
    DirList *Dir1;
    FileList *File;
    LineBox *FilenameTxt;
    ComboBox *TailCmb;
    Button *SaveCmd;
    Button *CancelCmd;

private:
    TesselFrm &m_owner;
};
