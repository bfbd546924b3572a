#pragma once
// The tag catalogue in the tag list: loading it at start-up (or writing the
// built-in one), inserting the selected entry at the caret, and previewing the
// selected entry in the help label.
#include <QObject>

class TesselFrm;

class TagList : public QObject {
    Q_OBJECT
public:
    explicit TagList(TesselFrm &frm);

    // Start-up: the entries of "htmllist.lst", or the built-in ones, which are
    // then written to that file. A file that cannot be read or created is
    // reported once; the list then shows the built-in entries.
    void load();
    void WriteDefaultHTMLList();

    void HTMLLst_Click();
    // Inserts the selected entry at the caret as an edit, selects it and gives
    // the edit box the focus. A selection is not replaced.
    void HTMLLst_DblClick();

private:
    TesselFrm &m_frm;
};
