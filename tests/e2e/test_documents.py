#!/usr/bin/python3
"""Documents in the real program, driven with the mouse on the real buttons:
Save as through the dialog writes Shift_JIS with CR LF, the file list opens the
file again, and closing settles the shutdown files; closing an untitled,
modified document and answering Yes goes through the save-as dialog."""

import os
import tempfile
from pathlib import Path

import a11y
import harness
from harness import MAIN, SAVEAS, E2ETestCase, wait_equal, wait_until

CRLF = b"\r\n"
LINES = ["<p>一行目の段落</p>", "<p>二行目ですよ</p>"]


class DocumentCase(E2ETestCase):
    def setUp(self):
        super().setUp()
        # The documents go to a directory of their own; the settings file points
        # the main window's directory list at it, as a previous run would have.
        docs = tempfile.TemporaryDirectory(prefix="tessara-e2e-docs-")
        self.addCleanup(docs.cleanup)
        self.docs = Path(os.path.realpath(docs.name))
        (self.start_dir / "Tessel.conf").write_bytes(
            str(self.docs).encode("cp932") + CRLF + "暗くする".encode("cp932") + CRLF)

    def shutdown_files_written(self, program):
        self.assertEqual(program.bytes("Tessel.conf"),
                         str(self.docs).encode("cp932") + CRLF + "暗くする".encode("cp932") + CRLF)
        self.assertEqual(program.bytes("TagsShortCuts.dat"), CRLF * 12)
        self.assertFalse(program.exists("Tessara.tmp"))

    def wait_doc(self, name, content, timeout=10):
        path = self.docs / name

        def written():
            try:
                return path.read_bytes() == content
            except OSError:
                return False
        wait_until(written, timeout, f"{path} to hold {content!r}",
                   details=lambda: f"it holds {path.read_bytes()!r}" if path.exists() else "it does not exist")

    def edit_text(self, program, window):
        return program.a11y_text_at(window, MAIN, "EditTxt")

    def type_document(self, program, window):
        window.click_control(MAIN, "EditTxt")
        self.server.type_text(LINES[0])
        self.server.key("Return")
        self.server.type_text(LINES[1])
        wait_equal(lambda: self.edit_text(program, window), "\n".join(LINES), 15, "the typed document")

    def question(self, program, box, text):
        """Checks that box asks text (line breaks as LF) and returns it."""
        labels = a11y.find(program.a11y_tree(), lambda n: n["role"] == "label" and n["name"] == text)
        self.assertEqual(len(labels), 1, f"one label {text!r} in the box")
        return box

    def click_button(self, program, window, caption):
        """Clicks the push button of window whose caption (mnemonic marks left out) is caption."""
        wx, wy, ww, wh = window.geometry()

        def inside(n):
            x, y, w, h = n["extents"] or (-1, -1, 0, 0)
            return wx <= x and x + w <= wx + ww and wy <= y and y + h <= wy + wh
        want = caption.replace("&", "")

        def lookup():
            found = a11y.find(program.a11y_tree(), lambda n: n["role"] == "push button" and n["extents"]
                              and n["name"].replace("&", "") == want and inside(n))
            return found[0]["extents"] if found else None
        x, y, w, h = wait_until(lookup, 20, f"a button {caption!r} in {window!r}", interval=0.3)
        self.server.click_at(x + w // 2, y + h // 2)


class SaveAsAndOpen(DocumentCase):
    def test_save_as_writes_shift_jis_with_crlf_and_file_list_opens_it_again(self):
        program = self.start(accessibility=True)
        window = program.wait_window("Tessara")
        self.type_document(program, window)

        window.click_control(MAIN, "SaveasBtn")
        box = program.wait_window("確認")
        self.question(program, box, "編集内容を保存します。\nよろしいですか？")
        self.click_button(program, box, "はい(Y)")
        box.wait_closed()

        dialog = program.wait_window("名前を変えて保存")
        self.assertEqual(dialog.size, SAVEAS.client_size)
        # The dialog shows the main window's directory, which holds nothing yet.
        self.assertEqual(program.a11y_list_entries(dialog, SAVEAS, "File"), [])
        self.assertEqual(program.a11y_text_at(dialog, SAVEAS, "FilenameTxt"), "")
        dialog.click_control(SAVEAS, "FilenameTxt")
        self.server.type_text("page")
        wait_equal(lambda: program.a11y_text_at(dialog, SAVEAS, "FilenameTxt"), "page", 10, "the name box")
        dialog.click_control(SAVEAS, "SaveCmd")

        expected = CRLF.join(line.encode("cp932") for line in LINES) + CRLF
        self.wait_doc("page.html", expected)
        dialog.wait_closed()
        self.assertEqual(sorted(os.listdir(self.docs)), ["page.html"])
        page = str(self.docs / "page.html")
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "FilenameLbl"), page, 10,
                   "the file name label after the save")
        self.shot("saved", window)

        # New empties the document; the file list then opens the saved file.
        window.focus()
        window.click_control(MAIN, "NewBtn")
        box = program.wait_window("確認")
        self.question(program, box, "編集内容を破棄して新しい文書を作成します。\nよろしいですか？")
        self.server.key("y")
        box.wait_closed()
        wait_equal(lambda: self.edit_text(program, window), "", 10, "the edit text after New")
        self.assertEqual(program.a11y_text_at(window, MAIN, "FilenameLbl"), "")

        window.focus()
        program.click_list_item(window, MAIN, "File", "page.html")
        window.click_control(MAIN, "OpenBtn")
        wait_equal(lambda: self.edit_text(program, window), "\n".join(LINES), 10, "the reopened document")
        self.assertEqual(program.a11y_text_at(window, MAIN, "FilenameLbl"), page)
        self.assertEqual(program.a11y_text_at(window, MAIN, "ByteLbl"), "0 KB")
        self.shot("reopened", window)

        # Nothing is modified: closing asks nothing and ends the program.
        window.close()
        self.assertEqual(program.wait_exit(), 0)
        self.shutdown_files_written(program)
        self.assertEqual((self.docs / "page.html").read_bytes(), expected)


class CloseUntitled(DocumentCase):
    def test_yes_on_closing_opens_save_as_and_saving_there_ends_the_program(self):
        program = self.start(accessibility=True)
        window = program.wait_window("Tessara")
        self.type_document(program, window)

        # Yes on an untitled document opens the dialog without the save question.
        window.close()
        box = program.wait_window("確認")
        self.question(program, box, "内容が変更されています。\n保存しますか？")
        self.server.key("y")
        box.wait_closed()
        dialog = program.wait_window("名前を変えて保存")
        self.assertEqual(program.windows("確認"), [])
        dialog.click_control(SAVEAS, "FilenameTxt")
        self.server.type_text("closing")
        wait_equal(lambda: program.a11y_text_at(dialog, SAVEAS, "FilenameTxt"), "closing", 10, "the name box")

        # Cancel keeps the program running with its text; closing again asks again.
        dialog.click_control(SAVEAS, "CancelCmd")
        dialog.wait_closed()
        self.assertIsNone(program.proc.poll())
        self.assertEqual(os.listdir(self.docs), [])
        self.assertEqual(sorted(os.listdir(self.start_dir)), ["Tessara.tmp", "Tessel.conf", "htmllist.lst"])
        window.focus()
        window.close()
        box = program.wait_window("確認")
        self.question(program, box, "内容が変更されています。\n保存しますか？")
        self.click_button(program, box, "はい(Y)")
        dialog = program.wait_window("名前を変えて保存")
        # The dialog was only hidden: it keeps the name typed into it.
        self.assertEqual(program.a11y_text_at(dialog, SAVEAS, "FilenameTxt"), "closing")
        self.shot("dialog-again", dialog)
        dialog.click_control(SAVEAS, "SaveCmd")

        # The save ends the program, which writes its shutdown files.
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual((self.docs / "closing.html").read_bytes(),
                         CRLF.join(line.encode("cp932") for line in LINES) + CRLF)
        self.shutdown_files_written(program)


if __name__ == "__main__":
    harness.main()
