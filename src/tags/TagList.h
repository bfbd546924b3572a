#pragma once
// The tag catalogue in the tag list: loading, the built-in entries, insertion
// of the selected entry at the caret, and its preview in the help label.
#include <QObject>

class TesselFrm;

class TagList : public QObject {
    Q_OBJECT
public:
    explicit TagList(TesselFrm &frm);
    void HTMLLst_DblClick();

private:
    TesselFrm &m_frm;
};
