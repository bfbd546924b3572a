#include "browse/FilePane.h"
#include "browse/Drives.h"
#include "browse/FilterTable.h"
#include "core/TesselFrm.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/Keys.h"
#include "ui/MessageBoxes.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace
{
const QString ErrorTitle = u"エラー"_s;

struct Flag {
    explicit Flag(bool &f) : m_f(f), m_old(f) { m_f = true; }
    ~Flag() { m_f = m_old; }
    bool &m_f;
    bool m_old;
};
} // namespace

FilePane::FilePane(TesselFrm &frm) : QObject(&frm), m_frm(frm)
{
    connect(frm.Drive, &DriveList::Change, this, &FilePane::Drive_Change);
    connect(frm.Dir1, &DirList::Change, this, &FilePane::Dir1_Change);
    connect(frm.Dir1, &DirList::KeyDown, this, &FilePane::Dir1_KeyDown);
    connect(frm.Dir1, &DirList::Failure, this, &FilePane::directoryFailed);
    connect(frm.File, &FileList::Click, this, &FilePane::File_Click);
    connect(frm.File, &FileList::DblClick, this, &FilePane::File_DblClick);
    connect(frm.File, &FileList::KeyDown, this, &FilePane::File_KeyDown);
    // The chosen file left the folder (another program removed or renamed it):
    // there is nothing chosen to open any more.
    connect(frm.File, &FileList::SelectionLost, this, &FilePane::resetFileChosen);
    connect(frm.TailCmb, &ComboBox::Click, this, &FilePane::TailCmb_Click);
    connect(frm.TailCmb, &ComboBox::Change, this, &FilePane::TailCmb_Change);
    connect(frm.TailCmb, &ComboBox::KeyDown, this, &FilePane::TailCmb_KeyDown);
}

void FilePane::startUp(const QString &storedDir)
{
    const Flag quiet(m_quiet);
    m_frm.Drive->setDrive(u"c:"_s);
    if (storedDir.isEmpty())
        showDirectory(m_frm.Drive->drive());
    else if (QFileInfo(storedDir).isDir())
        showDirectory(storedDir);
    listDirectory();
    m_frm.File->setPattern(filtertable::initialPattern());
}

bool FilePane::showDirectory(const QString &path)
{
    QString why;
    if (m_frm.Dir1->setPath(path, &why))
        return true;
    directoryFailed(m_frm.Dir1->directoryOf(path), why);
    return false;
}

bool FilePane::listDirectory()
{
    QString why;
    if (m_frm.File->setPath(m_frm.Dir1->path(), &why))
        return true;
    directoryFailed(m_frm.Dir1->path(), why);
    return false;
}

bool FilePane::refreshFiles()
{
    QString why;
    if (m_frm.File->refresh(&why))
        return true;
    directoryFailed(m_frm.File->path(), why);
    return false;
}

bool FilePane::chooseFile(const QString &dir, const QString &name)
{
    if (!showDirectory(dir))
        return false;
    m_frm.TailCmb->setListIndex(filtertable::paneItemListing(name));
    for (int i = 0; i < m_frm.File->listCount(); ++i)
        if (m_frm.File->list(i) == name) {
            m_frm.File->setListIndex(i); // File_Click
            return m_FileChosen == 1;
        }
    return false;
}

void FilePane::directoryFailed(const QString &dir, const QString &why)
{
    tell(u"フォルダー「"_s + dir + u"」を開けません。\r\n"_s + why);
    keepReadableDirectory();
}

void FilePane::tell(const QString &text)
{
    if (!m_quiet)
        m_frm.platform().boxes->ask(MsgBox::warning(text, ErrorTitle));
}

void FilePane::keepReadableDirectory()
{
    if (m_recovering)
        return;
    const Flag recovering(m_recovering);
    // The directory shown may have gone too; then the start directory, then the root.
    if (!m_frm.Dir1->path().isEmpty() && m_frm.Dir1->refresh())
        return;
    for (const QString &dir : {m_frm.drives().startDir(), u"/"_s})
        if (m_frm.Dir1->setPath(dir)) {
            // Dir1_Change ran unless the path stayed the same; the files follow either way.
            listDirectory();
            return;
        }
}

void FilePane::Drive_Change()
{
    const QString drive = m_frm.Drive->drive();
    QString why;
    if (!m_frm.Dir1->setPath(drive, &why)) {
        const QString dir = m_frm.Dir1->directoryOf(drive);
        QString what = u"ドライブ「"_s + drive + u"」"_s;
        if (dir != drive)
            what += u"（"_s + dir + u"）"_s;
        tell(what + u"を開けません。\r\n"_s + why);
        m_frm.Drive->restoreDrive(m_shownDrive);
        keepReadableDirectory();
        return;
    }
    m_shownDrive = drive;
    listDirectory();
    m_FileChosen = 0;
}

void FilePane::Dir1_Change()
{
    listDirectory();
    m_FileChosen = 0;
}

void FilePane::Dir1_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift); // Enter opens whatever modifiers are held
    if (KeyCode != keys::Enter)
        return;
    if (!showDirectory(m_frm.Dir1->list(m_frm.Dir1->listIndex())))
        return;
    Dir1_Change();
}

void FilePane::File_Click()
{
    m_FileChosen = 1;
}

void FilePane::File_DblClick()
{
    m_FileChosen = 1;
    m_frm.OpenBtn_Click();
}

void FilePane::File_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (KeyCode == keys::Enter)
        m_frm.OpenBtn_Click();
}

void FilePane::TailCmb_Click()
{
    const int index = m_frm.TailCmb->listIndex();
    m_frm.File->setPattern(filtertable::patternFor(m_frm.TailCmb->list(index)));
    if (m_TailIndex != index)
        m_FileChosen = 0;
    m_TailIndex = qint16(index);
}

void FilePane::TailCmb_Change()
{
    // The text cannot be typed into: the remembered item, its text and its
    // filter come back at once.
    m_frm.TailCmb->setListIndex(m_TailIndex);
}

void FilePane::TailCmb_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
    if (m_frm.TailCmb->listIndex() != -1)
        m_TailIndex = qint16(m_frm.TailCmb->listIndex());
}
