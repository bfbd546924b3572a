#!/usr/bin/python3
"""Start-up and shutdown of the real program: its files in the start directory,
the cascade of copies started from one directory, and a clean exit."""

import os

import a11y
import harness
from harness import MAIN, E2ETestCase, wait_equal

CRLF = b"\r\n"


def lines(data):
    """The CR LF lines of a file that must end with CR LF."""
    assert data.endswith(CRLF), f"file does not end with CR LF: {data[-20:]!r}"
    return data[:-2].split(CRLF)


class StartAndClose(E2ETestCase):
    def wait_position(self, window, expected):
        wait_equal(lambda: window.position, expected, 10, "the window's place")

    def test_first_start_writes_catalogue_and_work_file_and_places_window(self):
        program = self.start()
        window = program.wait_window("Tessara")
        self.wait_position(window, (20, 20))

        work = program.wait_file("Tessara.tmp")
        self.assertEqual(work, b"1\r\n1\r\n300\r\n300\r\n")
        catalogue = program.wait_file("htmllist.lst")
        entries = lines(catalogue)
        self.assertEqual(len(entries), 71)
        for entry in entries:
            self.assertNotIn(b"\r", entry)
            self.assertNotIn(b"\n", entry)
        catalogue.decode("cp932")  # the built-in entries are plain Shift_JIS text
        # Nothing else is written before shutdown.
        self.assertEqual(sorted(os.listdir(self.start_dir)), ["Tessara.tmp", "htmllist.lst"])

    def test_second_copy_cascades_and_closing_both_removes_work_file(self):
        first = self.start()
        first_window = first.wait_window("Tessara")
        self.wait_position(first_window, (20, 20))
        first.wait_file("Tessara.tmp", content=b"1\r\n1\r\n300\r\n300\r\n")

        second = self.start()
        second_window = second.wait_window("Tessara")
        self.wait_position(second_window, (40, 40))
        second.wait_file("Tessara.tmp", content=b"2\r\n2\r\n600\r\n600\r\n")
        self.shot("two-copies")

        first_window.close()
        self.assertEqual(first.wait_exit(), 0)
        # The live count goes down; the launch counter and last place stay.
        self.assertEqual(second.bytes("Tessara.tmp"), b"2\r\n1\r\n600\r\n600\r\n")
        self.assertTrue(second_window.mapped)

        second_window.focus()
        second_window.close()
        self.assertEqual(second.wait_exit(), 0)
        self.assertFalse(second.exists("Tessara.tmp"))

        directory = os.path.realpath(self.start_dir).encode("cp932")
        self.assertEqual(second.bytes("Tessel.conf"), directory + CRLF + "暗くする".encode("cp932") + CRLF)
        self.assertEqual(second.bytes("TagsShortCuts.dat"), CRLF * 12)
        self.assertEqual(sorted(os.listdir(self.start_dir)),
                         ["TagsShortCuts.dat", "Tessel.conf", "htmllist.lst"])

    def test_tag_list_shows_the_catalogue_it_wrote(self):
        program = self.start(accessibility=True)
        window = program.wait_window("Tessara")
        entries = [e.decode("cp932") for e in lines(program.wait_file("htmllist.lst"))]
        shown = program.a11y_list_entries(window, MAIN, "HTMLLst")
        self.assertEqual(shown, entries)


class CloseModifiedDocument(E2ETestCase):
    def test_escape_keeps_editing_and_no_then_ends_without_saving(self):
        program = self.start(accessibility=True)
        window = program.wait_window("Tessara")
        window.click_control(MAIN, "EditTxt")
        self.server.type_text("<p>変更</p>")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "EditTxt"), "<p>変更</p>", 10, "the edit text")

        window.close()
        box = program.wait_window("確認")
        question = a11y.find(program.a11y_tree(), lambda n: n["role"] == "label" and "保存しますか" in n["name"])
        self.assertEqual(len(question), 1)
        self.assertIn("内容が変更されています。", question[0]["name"])
        self.shot("question", box)

        # Esc is Cancel: the window stays and nothing is written.
        self.server.key("Escape")
        box.wait_closed()
        self.assertTrue(window.mapped)
        self.assertIsNone(program.proc.poll())
        self.assertEqual(sorted(os.listdir(self.start_dir)), ["Tessara.tmp", "htmllist.lst"])
        self.assertEqual(program.a11y_text_at(window, MAIN, "EditTxt"), "<p>変更</p>")

        # Closing again asks again; No drops the edits and ends the program.
        window.focus()
        window.close()
        program.wait_window("確認")
        self.server.key("n")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(sorted(os.listdir(self.start_dir)), ["TagsShortCuts.dat", "Tessel.conf", "htmllist.lst"])


if __name__ == "__main__":
    harness.main()
