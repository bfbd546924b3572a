#!/usr/bin/python3
"""Function-key shortcut slots in the real program: a slot read from
TagsShortCuts.dat pastes its catalogue entry at the caret with F2, selected;
Shift+F2 empties the slot; closing writes the twelve slots back."""

import harness
from harness import MAIN, E2ETestCase, wait_equal

CRLF = b"\r\n"
PRE = "<pre> </pre>"


def label_with(slots):
    """The shortcut label for twelve short texts (None for an empty slot)."""
    return " " + "".join(f"F{k + 1}:{'NONE' if s is None else s} " for k, s in enumerate(slots))


class FunctionKeySlots(E2ETestCase):
    def test_f2_pastes_bound_entry_selected_and_shift_f2_empties_the_slot(self):
        # F2 (slot 1) names entry 29 of the built-in catalogue; the other slots are empty.
        (self.start_dir / "TagsShortCuts.dat").write_bytes(CRLF + b"29" + CRLF + CRLF * 10)
        program = self.start(accessibility=True)
        window = program.wait_window("Tessara")
        catalogue = program.wait_file("htmllist.lst")[:-2].split(CRLF)
        self.assertEqual(catalogue[29].decode("cp932"), PRE)

        bound = [None] * 12
        bound[1] = "<pre"
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "ShortCutsLbl"), label_with(bound), 20,
                   "the shortcut label read from TagsShortCuts.dat")

        # The caret between A and B: the entry goes in there.
        window.click_control(MAIN, "EditTxt")
        self.server.type_text("AB")
        self.server.key("Left")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "EditTxt"), "AB", 10, "the typed text")
        self.server.key("F2")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "EditTxt"), f"A{PRE}B", 10,
                   "the edit text after F2")
        self.shot("after-f2", window)

        # The pasted entry is what is selected: Ctrl+C copies exactly it, and a
        # typed character replaces exactly it.
        self.server.set_clipboard("nothing copied yet")
        self.server.chord("ctrl", "c")
        wait_equal(self.server.clipboard, PRE, 10, "the clipboard after Ctrl+C")
        self.server.type_text("x")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "EditTxt"), "AxB", 10,
                   "the edit text after typing over the selection")
        # Pasting leaves the slot as it was: the label still names it.
        self.assertEqual(program.a11y_text_at(window, MAIN, "ShortCutsLbl"), label_with(bound))

        # Shift+F2 empties the slot and inserts nothing; F2 then pastes nothing.
        self.server.key("shift+F2")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "ShortCutsLbl"), label_with([None] * 12), 10,
                   "the shortcut label after Shift+F2")
        self.server.key("F2", "End")
        self.server.type_text("y")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "EditTxt"), "AxBy", 10,
                   "the edit text after Shift+F2, F2, End and y")
        self.assertEqual(program.bytes("TagsShortCuts.dat"), CRLF + b"29" + CRLF + CRLF * 10,
                         "the slots are written at shutdown only")

        # Closing the modified document asks; No ends the program, which writes
        # all twelve slots, the second one now empty.
        window.close()
        program.wait_window("確認")
        self.server.key("n")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(program.bytes("TagsShortCuts.dat"), CRLF * 12)


if __name__ == "__main__":
    harness.main()
