#pragma once
// The main window: the edit box, the tag list, the file pane, the command
// buttons and the labels. It owns the controls and wires them to its handlers.
#include <QWidget>

#include "core/ValueDesc.h"
#include "ui/Platform.h"

class Button;
class CheckBox;
class ComboBox;
class DirList;
class DriveList;
class EditBox;
class FileList;
class Label;
class ListBox;

class TesselFrm : public QWidget {
    Q_OBJECT
public:
    TesselFrm(const Platform &platform, ValueDesc &values, QWidget *parent = nullptr);
    ~TesselFrm() override;

    const Platform &platform() const { return m_platform; }
    ValueDesc &values() { return m_values; }

    // Controls, by their names in the program.
    EditBox *EditTxt;
    Button *SearchCmd;
    ListBox *HTMLLst;
    CheckBox *PresetChk;
    Button *NewBtn;
    DriveList *Drive;
    DirList *Dir1;
    FileList *File;
    ComboBox *TailCmb;
    Button *OpenBtn;
    Button *CancelBtn;
    Button *SaveBtn;
    Button *SaveasBtn;
    Label *FilenameLbl;
    Label *ByteLbl;
    Label *DescriptionLbl;
    Button *ColorCmd;
    Label *ShortCutsLbl;

private:
    const Platform &m_platform;
    ValueDesc &m_values;
};
