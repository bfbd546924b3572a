#!/usr/bin/python3
"""The search dialog in the real program: Ctrl+F opens it, and "下を検索"
selects the next occurrence in the main window's edit box and gives the edit
box the keyboard focus, so that what the user types next replaces the hit."""

import harness
from harness import MAIN, SEARCH, E2ETestCase, wait_equal, wait_until


class SearchDown(E2ETestCase):
    def edit_text(self):
        return self.program.a11y_text_at(self.window, MAIN, "EditTxt")

    def search_down(self, dialog):
        """Clicks "下を検索" and waits until the main window has the X input focus."""
        dialog.focus()
        dialog.click_control(SEARCH, "SearchCmd")
        wait_until(lambda: self.server.input_focus() == self.window.id, 10,
                   "the X input focus to go back to the main window",
                   details=lambda: f"it is on 0x{self.server.input_focus():x}; windows: {self.program.windows()}")
        self.assertTrue(dialog.mapped, "the dialog stays open")

    def test_search_down_selects_the_hit_in_the_edit_box_and_focuses_it(self):
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        self.window.click_control(MAIN, "EditTxt")
        self.server.type_text("<h1>犬</h1>")
        self.server.key("Return")
        self.server.type_text("<p>猫と犬</p>")
        wait_equal(self.edit_text, "<h1>犬</h1>\n<p>猫と犬</p>", 15, "the typed text")
        self.server.key("ctrl+Home")

        self.server.chord("ctrl", "f")
        dialog = self.program.wait_window("検索・置換")
        self.assertEqual(dialog.size, SEARCH.client_size)
        dialog.click_control(SEARCH, "SearchTxt")
        self.server.type_text("犬")
        wait_equal(lambda: self.program.a11y_text_at(dialog, SEARCH, "SearchTxt"), "犬", 10, "the search word")

        # The first hit, on the first line, is selected: a typed X replaces it.
        self.search_down(dialog)
        self.shot("first-hit")
        self.server.type_text("X")
        wait_equal(self.edit_text, "<h1>X</h1>\n<p>猫と犬</p>", 10, "the text after typing over the first hit")

        # The next search goes on past it, across the line break, to the second line.
        self.search_down(dialog)
        self.server.type_text("Y")
        wait_equal(self.edit_text, "<h1>X</h1>\n<p>猫とY</p>", 10, "the text after typing over the second hit")
        self.assertEqual(self.program.a11y_text_at(dialog, SEARCH, "SearchTxt"), "犬")


if __name__ == "__main__":
    harness.main()
