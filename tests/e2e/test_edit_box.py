#!/usr/bin/python3
"""The edit box in the real program: a line longer than the box wraps onto
several rows with no horizontal scroll bar, and End, Home and typing on those
rows change the line in the file as the caret shows; a Ctrl chord struck all
at once (as xdotool, macro tools and on-screen keyboards send it) runs its
command once."""

import a11y
import harness
from harness import MAIN, E2ETestCase, pixels, wait_equal, wait_until

CRLF = "\r\n"
SAVE_QUESTION = "編集内容を保存します。\nよろしいですか？"
# Words, then a word longer than a row, then words again; no letter of them has
# a dot apart from its body, so that every row of text is one run of inked rows.
LONG = " ".join(["wrapped"] * 40 + ["x" * 200] + ["tall"] * 20)
LINES = ["<p>", LONG, "</p>"]


def ink_rows(data, width):
    """Runs of pixel rows of raw RGB data that hold anything but the colour of
    its top left pixel, the background: one run for each row of text."""
    stride = width * 3
    background = data[:3] * width
    inked = [data[i:i + stride] != background for i in range(0, len(data), stride)]
    return sum(1 for i, ink in enumerate(inked) if ink and (i == 0 or not inked[i - 1]))


class Wrapping(E2ETestCase):
    def text_node(self):
        return a11y.at(self.program, self.window, MAIN, "EditTxt", ("text",))

    def type_at_caret(self, char):
        """Types char and checks that it went in where the caret was; returns the
        offset (LF counting one)."""
        node = self.text_node()
        caret, before = node["caret"], node["text"]
        self.server.type_text(char)
        wait_equal(lambda: self.program.edit_text(self.window), before[:caret] + char + before[caret:], 10,
                   f"the edit text after typing {char!r}")
        return caret

    def test_a_long_line_wraps_without_a_scroll_bar_and_keys_edit_it_in_place(self):
        (self.start_dir / "long.html").write_bytes(CRLF.join(LINES + [""]).encode("cp932"))
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        self.program.open_listed(self.window, "long.html")
        wait_equal(lambda: self.program.edit_text(self.window), "\n".join(LINES), 20, "the opened page")

        # The box's inside, left of its vertical scroll bar; the caret is not
        # there (開く has the focus).
        left, top, width, height = MAIN.rect("EditTxt")
        inside = (left + 3, top + 3, width - 22, height - 6)
        bottom = (left + 3, top + height - 21, width - 22, 18)
        last = []

        def wrapped():
            shot = self.shot("wrapped", self.window)
            last[:] = [ink_rows(pixels(shot, inside), inside[2]), pixels(shot, bottom)]
            return last[0] >= 6
        wait_until(wrapped, 15, "the long line on several rows", interval=0.5,
                   details=lambda: f"{last[0]} rows of text" if last else "")
        # Where a horizontal scroll bar would be: the box's plain background.
        self.assertEqual(set(last[1][i:i + 3] for i in range(0, len(last[1]), 3)), {last[1][:3]})
        bars = a11y.find(self.text_node(), lambda n: n["role"] == "scroll bar" and n["extents"][2] > 0)
        self.assertEqual([b["extents"][2] < b["extents"][3] for b in bars], [True], "one scroll bar, upright")

        self.window.click_control(MAIN, "EditTxt")
        self.server.key("ctrl+Home", "Down")
        line_start = len(LINES[0]) + 1
        self.assertEqual(self.type_at_caret("["), line_start)
        # End stops at the end of the first row, inside the line.
        self.server.key("End")
        self.assertLess(line_start + 1, self.type_at_caret("|"), line_start + len(LONG))
        # Up from the last line reaches the line's last row: End ends the line, Home starts the row.
        self.server.key("ctrl+End", "Up", "End")
        self.assertEqual(self.type_at_caret("]"), line_start + len(LONG) + 2)
        self.server.key("Home")
        self.assertLess(line_start + len(LONG) // 2, self.type_at_caret("^"), line_start + len(LONG) + 3)
        text = self.program.edit_text(self.window)
        self.assertEqual(len(text.split("\n")), 3, "no breaks where the line wraps")
        self.assertEqual(text.split("\n")[1].translate({ord(c): None for c in "[|]^"}), LONG)

        self.server.chord("ctrl", "s")
        box = self.program.wait_window("確認")
        self.server.key("y")
        box.wait_closed()
        self.program.wait_file("long.html", content=(text.replace("\n", CRLF) + CRLF).encode("cp932"))


class InstantChords(E2ETestCase):
    def barrier(self, char):
        """Types char and waits until the edit box shows it: every key before has
        been handled, and no message box took the key."""
        before = self.program.edit_text(self.window)
        self.server.type_text(char)
        wait_equal(lambda: self.program.edit_text(self.window), before + char, 10, f"{char!r} typed")
        self.assertEqual(self.program.windows("確認"), [], "no question is up")

    def test_a_ctrl_chord_struck_at_once_runs_its_command_once(self):
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        self.window.click_control(MAIN, "EditTxt")
        caption = lambda: self.program.a11y_text_at(self.window, MAIN, "ColorCmd")  # noqa: E731
        self.assertEqual(caption(), "暗くする")

        # xdotool presses Ctrl and the key, then lets go of Ctrl first.
        self.server.xdotool("key", "ctrl+b")
        wait_equal(caption, "元に戻す", 10, "ColorCmd's caption")
        self.barrier("a")
        self.assertEqual(caption(), "元に戻す", "the colours switched once")

        self.server.xdotool("key", "ctrl+s")
        box = self.program.wait_window("確認")
        self.assertEqual(self.program.a11y_box_text(box), SAVE_QUESTION)
        self.server.key("n")
        box.wait_closed()
        self.window.focus()
        self.barrier("b")  # a second question would take this key
        self.assertEqual(sorted(p.name for p in self.start_dir.iterdir()), ["Tessara.tmp", "htmllist.lst"])


if __name__ == "__main__":
    harness.main()
