#include "tags/TagList.h"
#include "core/ProgramFiles.h"
#include "core/TesselFrm.h"
#include "look/HoverHelp.h"
#include "tags/Catalogue.h"
#include "text/TextFile.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/MessageBoxes.h"

using namespace Qt::StringLiterals;

TagList::TagList(TesselFrm &frm) : QObject(&frm), m_frm(frm)
{
    connect(frm.HTMLLst, &ListBox::Click, this, &TagList::HTMLLst_Click);
}

void TagList::load()
{
    const QString dir = m_frm.platform().startDir;
    if (!TextFile::fileExists(dir, programfiles::Catalogue)) {
        WriteDefaultHTMLList();
        return;
    }
    const QString path = programfiles::pathOf(dir, programfiles::Catalogue);
    const TextFile::LinesRead read = TextFile::readLines(path);
    if (read.ok) {
        m_frm.HTMLLst->addEntries(read.lines);
        return;
    }
    // The file is there but cannot be read: work with the built-in entries
    // and leave the user's file alone.
    m_frm.HTMLLst->addEntries(catalogue::builtIn());
    m_frm.platform().boxes->ask(MsgBox::warning(
        u"タグリストのファイルを読み込めません。"_s + u"\r\n"_s + path + u"\r\n"_s + read.reason + u"\r\n"_s +
            u"組み込みのタグリストを使います。"_s,
        u"エラー"_s));
}

void TagList::WriteDefaultHTMLList()
{
    const QStringList &entries = catalogue::builtIn();
    m_frm.HTMLLst->addEntries(entries);
    const QString path = programfiles::pathOf(m_frm.platform().startDir, programfiles::Catalogue);
    const TextFile::WriteResult written = TextFile::writeLines(path, entries);
    if (!written.ok)
        m_frm.platform().boxes->ask(MsgBox::warning(
            u"タグリストのファイルを作成できません。"_s + u"\r\n"_s + path + u"\r\n"_s + written.reason +
                u"\r\n"_s + u"組み込みのタグリストを使います。"_s,
            u"エラー"_s));
}

void TagList::HTMLLst_Click()
{
    HoverHelp *hover = m_frm.hoverHelp();
    if (hover && hover->HoverId() == 9)
        m_frm.DescriptionLbl->setCaption(m_frm.HTMLLst->list(m_frm.HTMLLst->listIndex()));
}

void TagList::HTMLLst_DblClick()
{
    EditBox *edit = m_frm.EditTxt;
    const qsizetype p = edit->selStart();
    const QString s = m_frm.HTMLLst->list(m_frm.HTMLLst->listIndex());
    // Applied as an edit at the caret rather than by setting the whole text:
    // the undo history and the scroll position survive, and the cost does not
    // grow with the document.
    if (!s.isEmpty())
        edit->replaceRange(p, 0, s);
    edit->setSelStart(p);
    edit->setSelLength(s.size());
    edit->setFocus();
}
