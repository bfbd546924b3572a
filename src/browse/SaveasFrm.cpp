#include "browse/SaveasFrm.h"
#include "browse/SaveasFrmDesign.h"
#include "browse/FilterTable.h"
#include "browse/SavePath.h"
#include "core/TesselFrm.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/Fonts.h"
#include "ui/LineBox.h"
#include "ui/MessageBoxes.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

SaveasFrm::SaveasFrm(TesselFrm &owner) : QWidget(nullptr, Qt::Window), m_owner(owner)
{
    setObjectName(u"SaveasFrm"_s);
    setWindowTitle(u"名前を変えて保存"_s);
    setFont(fonts::japaneseGothic(9));
    Drive = new DriveList(this);
    Drive->setDrives(&owner.drives());
    Drive->setObjectName(u"Drive"_s);
    Drive->setAccessibleName(u"ドライブ"_s);
    Dir1 = new DirList(this);
    Dir1->setDrives(&owner.drives());
    Dir1->setObjectName(u"Dir1"_s);
    Dir1->setAccessibleName(u"ディレクトリ"_s);
    File = new FileList(this);
    File->setObjectName(u"File"_s);
    File->setAccessibleName(u"ファイル"_s);
    FilenameTxt = new LineBox(this);
    FilenameTxt->setObjectName(u"FilenameTxt"_s);
    FilenameTxt->setAccessibleName(u"ファイル名"_s);
    TailCmb = new ComboBox(this);
    TailCmb->setObjectName(u"TailCmb"_s);
    TailCmb->setAccessibleName(u"拡張子"_s);
    TailCmb->setEntries({u".html"_s, u".txt"_s, u"(その他)"_s}, u".html"_s);
    SaveCmd = new Button(u"保存"_s, this);
    SaveCmd->setObjectName(u"SaveCmd"_s);
    CancelCmd = new Button(u"キャンセル"_s, this);
    CancelCmd->setObjectName(u"CancelCmd"_s);

    formdesign::apply(this, saveasfrm::Design);
    setFixedSize(twips::toPixels(saveasfrm::ClientWidth), twips::toPixels(saveasfrm::ClientHeight));
    setAttribute(Qt::WA_DeleteOnClose);
    // Near the main window's top left corner, like a dialog of its own.
    move(owner.geometry().topLeft() + QPoint(40, 60));

    Drive->setDrive(u"c:"_s); // shows the start directory's drive, before any handler is wired
    m_shownDrive = Drive->drive();
    connect(Drive, &DriveList::Change, this, &SaveasFrm::Drive_Change);
    connect(Dir1, &DirList::Change, this, &SaveasFrm::Dir1_Change);
    connect(Dir1, &DirList::Failure, this, &SaveasFrm::directoryFailed);
    connect(File, &FileList::Click, this, &SaveasFrm::File_Click);
    connect(TailCmb, &ComboBox::Click, this, &SaveasFrm::TailCmb_Click);
    connect(TailCmb, &ComboBox::Change, this, &SaveasFrm::TailCmb_Change);
    connect(TailCmb, &ComboBox::KeyDown, this, &SaveasFrm::TailCmb_KeyDown);
    connect(SaveCmd, &Button::Click, this, &SaveasFrm::SaveCmd_Click);
    connect(CancelCmd, &Button::Click, this, &SaveasFrm::CancelCmd_Click);
    Form_Load();
}

void SaveasFrm::notice(const QString &text, const QString &title)
{
    m_owner.platform().boxes->ask(MsgBox::warning(text, title));
}

void SaveasFrm::directoryFailed(const QString &dir, const QString &why)
{
    notice(u"ディレクトリを開けません。"_s + u"\r\n"_s + dir + u"\r\n"_s + why, u"エラー"_s);
}

void SaveasFrm::showFor(const QString &dir)
{
    const QString before = Dir1->path();
    QString why;
    if (!Dir1->setPath(dir, &why)) {
        directoryFailed(dir, why);
        // A dialog that shows no folder would save to the root: the start
        // directory stands in, as it does for the main window's pane.
        if (Dir1->path().isEmpty())
            Dir1->setPath(m_owner.drives().startDir());
    } else if (Dir1->path() == before) {
        File->refresh(); // the same directory: list the files saved since the last opening
    }
    setVisible(true);
    setEnabled(true);
    raise();
    activateWindow();
    FilenameTxt->setFocus();
}

void SaveasFrm::Form_Load()
{
    if (TailCmb->listIndex() == -1) {
        TailCmb->setListIndex(0);
        m_TailIndex = 0;
    }
    File->setPattern(u"*.html"_s);
}

void SaveasFrm::Drive_Change()
{
    QString why;
    if (Dir1->setPath(Drive->drive(), &why)) {
        m_shownDrive = Drive->drive();
        return;
    }
    notice(u"ドライブを読み取れません。"_s + u"\r\n"_s + Drive->drive() + u"\r\n"_s + why, u"エラー"_s);
    Drive->restoreDrive(m_shownDrive); // the list shows the drive whose directory is shown
}

void SaveasFrm::Dir1_Change()
{
    QString why;
    if (!File->setPath(Dir1->path(), &why))
        notice(u"ディレクトリを読み取れません。"_s + u"\r\n"_s + Dir1->path() + u"\r\n"_s + why, u"エラー"_s);
}

void SaveasFrm::File_Click() { FilenameTxt->setText(File->fileName()); }

void SaveasFrm::TailCmb_Click() { File->setPattern(filtertable::patternFor(TailCmb->list(TailCmb->listIndex()))); }

void SaveasFrm::TailCmb_Change()
{
    FilenameTxt->setFocus();
    TailCmb->setListIndex(m_TailIndex);
}

void SaveasFrm::TailCmb_KeyDown(int, int)
{
    if (TailCmb->listIndex() != -1)
        m_TailIndex = qint16(TailCmb->listIndex());
}

void SaveasFrm::SaveCmd_Click()
{
    const QString name = FilenameTxt->text();
    const QString ext = TailCmb->list(TailCmb->listIndex());
    const QString dir = Dir1->path();
    if (name.isEmpty()) {
        notice(u"ファイル名を入力してください。"_s, u"確認"_s);
        return;
    }
    if (savepath::isWorkFile(name, ext, dir, m_owner.platform().startDir)) {
        notice(u"システムファイルには保存できません。"_s, u"エラー"_s);
        return;
    }
    if (dir.isEmpty()) {
        notice(u"保存先のフォルダーが表示されていません。"_s + u"\r\n"_s + u"フォルダーを選んでから保存してください。"_s,
               u"確認"_s);
        return;
    }
    const QString full = savepath::compose(dir, name, ext);
    if (QFileInfo(full).isDir()) {
        // No question about replacing a folder: it cannot be saved over.
        notice(u"ファイル「"_s + full + u"」を保存できませんでした。\r\n"_s + u"同じ名前のフォルダーがあります。"_s,
               u"エラー"_s);
        return;
    }
    // Only a file is asked about: the writer refuses a pipe, a socket or a
    // device at once, and there is nothing of it to replace.
    if (QFileInfo(full).isFile() &&
        m_owner.platform().boxes->ask(MsgBox::question(
            u"同名のファイルが既に存在します。"_s + u"\r\n"_s + u"この名前で保存しますか？"_s, u"確認"_s)) !=
            MsgAnswer::Yes)
        return;
    // The "(その他)" item keeps its text after an overwrite, so the work file
    // stays refused. A save that fails has told the user why and keeps the
    // dialog open with its name, filter and directory.
    if (!m_owner.SaveTextFile(full, dir))
        return;
    m_owner.setEnabled(true);
    ValueDesc &v = m_owner.values();
    if (v.QuitAfterSave == 1)
        m_SavedForQuit = 1;
    setVisible(false);
    setEnabled(false);
    if (v.QuitAfterSave == 1) {
        qint16 cancel = 0;
        m_owner.Form_Unload(cancel);
        return;
    }
    m_owner.saveasDone(true);
}

void SaveasFrm::leave()
{
    m_owner.setEnabled(true);
    setVisible(false);
    setEnabled(false);
    m_owner.saveasDone(false);
}

void SaveasFrm::CancelCmd_Click()
{
    leave();
    m_owner.values().QuitAfterSave = 0;
}

void SaveasFrm::Form_Unload()
{
    leave();
    if (m_SavedForQuit == 0)
        m_owner.values().QuitAfterSave = 0;
}

void SaveasFrm::closeEvent(QCloseEvent *e)
{
    // Closing through the frame unloads the dialog (it is deleted on close);
    // the next opening loads it afresh.
    Form_Unload();
    e->accept();
}
