#pragma once
// The main window: the edit box, the tag list, the file pane, the command
// buttons and the labels. It owns the controls and the parts that handle them,
// runs start-up and shutdown, and wires the handlers by their program names.
#include <QPointer>
#include <memory>
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

class Drives;
class ColourScheme;
class DocumentCommands;
class DocumentWriter;
class FilePane;
class HoverHelp;
class SaveasFrm;
class SearchFrm;
class ShortCutSlots;
class TagList;

class TesselFrm : public QWidget {
    Q_OBJECT
public:
    TesselFrm(const Platform &platform, ValueDesc &values, QWidget *parent = nullptr);
    ~TesselFrm() override;

    const Platform &platform() const { return m_platform; }
    ValueDesc &values() { return m_values; }

    // Start-up: restores the last run's state and fills the controls.
    void Form_Load();
    // Shutdown; Cancel = 1 keeps the window open.
    void Form_Unload(qint16 &Cancel);
    // A file named on the command line, after start-up: opened as a click on
    // it in the file list and Open would open it.
    void openFromCommandLine(const QString &path);
    // The save-as dialog is done with: saved, or cancelled or closed.
    void saveasDone(bool saved);

    // Commands, also reached from keys and from other windows.
    void NewBtn_Click();
    void OpenBtn_Click();
    void SaveBtn_Click();
    void SaveasBtn_Click();
    void CancelBtn_Click();
    void SearchCmd_Click();
    void ColorCmd_Click();
    void HTMLLst_DblClick();
    // Writes the document; false when nothing was written (the user was told).
    bool SaveTextFile(const QString &FileName, const QString &FilePath);
    void ShowShortCuts();

    // Key handlers of the edit box and the tag list.
    void EditTxt_KeyDown(int KeyCode, int Shift);
    void EditTxt_KeyUp(int KeyCode, int Shift);
    void HTMLLst_KeyDown(int KeyCode, int Shift);
    // Ctrl+G: asks for a line number, then puts the caret at the start of that
    // line, scrolled into view, and the focus back in the edit box.
    void GoToLine();

    void Form_Resize();

    const Drives &drives() const { return *m_drives; }

    // Parts.
    FilePane *filePane() const { return m_filePane; }
    ShortCutSlots *shortCuts() const { return m_shortCuts; }
    TagList *tagList() const { return m_tagList; }
    ColourScheme *colourScheme() const { return m_colours; }
    HoverHelp *hoverHelp() const { return m_hover; }
    DocumentWriter *documentWriter() const { return m_writer; }
    DocumentCommands *documentCommands() const { return m_commands; }
    SaveasFrm *saveasFrm(); // loads the dialog on first use
    SaveasFrm *loadedSaveasFrm() const; // null while not loaded
    SearchFrm *searchFrm() const;       // null while not loaded

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

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void createControls();
    void keepAbove(QWidget *dialog);
    QRect screenPixels() const;
    static QSize outerDesignTwips();
    const Platform &m_platform;
    ValueDesc &m_values;
    std::unique_ptr<Drives> m_drives;
    FilePane *m_filePane = nullptr;
    ShortCutSlots *m_shortCuts = nullptr;
    TagList *m_tagList = nullptr;
    ColourScheme *m_colours = nullptr;
    HoverHelp *m_hover = nullptr;
    DocumentWriter *m_writer = nullptr;
    DocumentCommands *m_commands = nullptr;
    QPointer<SaveasFrm> m_saveasFrm;
    QPointer<SearchFrm> m_searchFrm;
};
