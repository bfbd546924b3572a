#pragma once
// The twelve function-key shortcut slots F1 to F12, their label and their file.
//
// Reads HTMLLst (selection, entries) and writes its selection while pasting;
// writes ShortCutsLbl; runs the main window's insertion HTMLLst_DblClick to
// paste. The slots live in "TagsShortCuts.dat" in the start directory: load()
// reads it at start-up, save() writes it at shutdown. A slot keeps its text
// exactly as read or registered (see ShortCutLabel.h for how it is read), so an
// unchanged slot is written back as it was.
#include "tags/ShortCutLabel.h"

#include <QObject>
#include <QString>
#include <array>

class TesselFrm;

class ShortCutSlots : public QObject {
    Q_OBJECT
public:
    explicit ShortCutSlots(TesselFrm &frm);

    // Start-up: label " ", the slots from the file (missing or unreadable: all
    // empty; fewer than twelve lines: the rest empty; more: ignored), then the
    // label built. Never writes the file.
    void load();
    // Shutdown: the twelve slots as twelve lines, each with CR LF, written
    // whole. False when nothing could be written, with the reason in *why; the
    // old file then stays as it was.
    bool save(QString *why = nullptr);

    // Rebuilds the caption of ShortCutsLbl from the slots.
    void ShowShortCuts();
    // F1 to F12 in the edit box: Shift alone clears the slot, any other mask
    // pastes it. Other keys are left alone.
    void EditTxt_KeyDown(int KeyCode, int Shift);
    // F1 to F12 in the tag list: Shift alone clears the slot, any other mask
    // binds the selected entry (-1 with none selected). Other keys are left alone.
    void HTMLLst_KeyDown(int KeyCode, int Shift);

    // Slot k belongs to F(k+1): empty, or the text of a catalogue position.
    std::array<QString, shortcutlabel::SlotCount> ShortCuts;

private:
    void registerSlot(int k);
    void clearSlot(int k);
    void paste(int k);
    TesselFrm &m_frm;
    bool m_unreadFile = false; // the slot file exists but could not be read
};
