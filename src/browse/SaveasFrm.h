#pragma once
// The save-as dialog: a directory, a name and an extension for the document.
#include <QWidget>

#include "ui/Platform.h"

class Button;
class ComboBox;
class DirList;
class DriveList;
class FileList;
class LineBox;

class SaveasFrm : public QWidget {
    Q_OBJECT
public:
    explicit SaveasFrm(const Platform &platform, QWidget *parent = nullptr);

    DriveList *Drive;
    DirList *Dir1;
    FileList *File;
    LineBox *FilenameTxt;
    ComboBox *TailCmb;
    Button *SaveCmd;
    Button *CancelCmd;

private:
    const Platform &m_platform;
};
