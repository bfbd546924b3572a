#include "tags/ShortCutSlots.h"
#include "core/ProgramFiles.h"
#include "core/TesselFrm.h"
#include "text/TextFile.h"
#include "ui/Keys.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/MessageBoxes.h"

using namespace Qt::StringLiterals;

namespace {
// Slot of a function key, -1 for any other key.
int slotOf(int keyCode)
{
    return keyCode >= keys::F1 && keyCode <= keys::F12 ? keyCode - keys::F1 : -1;
}
} // namespace

ShortCutSlots::ShortCutSlots(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

void ShortCutSlots::load()
{
    m_frm.ShortCutsLbl->setCaption(QStringLiteral(" "));
    ShortCuts = {};
    const QString dir = m_frm.platform().startDir;
    if (TextFile::fileExists(dir, programfiles::ShortCuts)) {
        // A file that cannot be read leaves the slots empty, and is left as it
        // is at shutdown rather than replaced by slots that never came from it;
        // the user is told, so that bindings made now are not lost unawares.
        const QString path = programfiles::pathOf(dir, programfiles::ShortCuts);
        const TextFile::LinesRead read = TextFile::readLines(path, shortcutlabel::MaxFileBytes);
        m_unreadFile = !read.ok;
        if (read.ok)
            for (int k = 0; k < shortcutlabel::SlotCount && k < read.lines.size(); ++k)
                ShortCuts[k] = read.lines.at(k);
        else
            m_frm.platform().boxes->ask(MsgBox::warning(
                u"ショートカットのファイルを読み込めません。"_s + u"\r\n"_s + path + u"\r\n"_s + read.reason +
                    u"\r\n"_s + u"このファイルは終了時に書き換えません。ここで登録したショートカットは保存されません。"_s,
                u"エラー"_s));
    }
    ShowShortCuts();
}

bool ShortCutSlots::save(QString *why)
{
    if (m_unreadFile)
        return true;
    const QStringList lines(ShortCuts.begin(), ShortCuts.end());
    const TextFile::WriteResult written =
        TextFile::writeLines(programfiles::pathOf(m_frm.platform().startDir, programfiles::ShortCuts), lines);
    if (!written.ok && why)
        *why = written.reason;
    return written.ok;
}

void ShortCutSlots::ShowShortCuts()
{
    const ListBox *list = m_frm.HTMLLst;
    m_frm.ShortCutsLbl->setCaption(shortcutlabel::caption(ShortCuts, [list](int i) { return list->list(i); }));
}

void ShortCutSlots::EditTxt_KeyDown(int KeyCode, int Shift)
{
    const int k = slotOf(KeyCode);
    if (k < 0)
        return;
    if (Shift == keys::Shift)
        clearSlot(k);
    else
        paste(k);
}

void ShortCutSlots::HTMLLst_KeyDown(int KeyCode, int Shift)
{
    const int k = slotOf(KeyCode);
    if (k < 0)
        return;
    if (Shift == keys::Shift)
        clearSlot(k);
    else
        registerSlot(k);
}

void ShortCutSlots::registerSlot(int k)
{
    ShortCuts[k] = QString::number(m_frm.HTMLLst->listIndex());
    ShowShortCuts();
}

void ShortCutSlots::clearSlot(int k)
{
    ShortCuts[k].clear();
    ShowShortCuts();
}

void ShortCutSlots::paste(int k)
{
    // A slot that names no position (empty, or a line that registration cannot
    // have written) pastes nothing rather than a guess at what it meant.
    const std::optional<qint16> position = shortcutlabel::position(ShortCuts[k]);
    if (!position)
        return;
    ListBox *list = m_frm.HTMLLst;
    const double n = *position;
    if (!(n < list->listCount()))
        return;
    const int remembered = list->listIndex();
    list->setListIndex(*position); // raises HTMLLst_Click
    m_frm.HTMLLst_DblClick();
    list->setListIndex(remembered); // raises HTMLLst_Click again
}
