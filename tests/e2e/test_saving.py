#!/usr/bin/python3
"""Saving pages in the real program: a page read as UTF-8 (declared or with a
byte order mark) or EUC-JP is written back in its encoding with exactly the
typed edit; a Shift_JIS page whose meta is edited to UTF-8 is converted by
the save; a character Shift_JIS cannot hold is saved as a character
reference that Ctrl+Z takes back; a file-size limit makes a save fail with a
notice instead of ending the program."""

import os
from pathlib import Path

import harness
from harness import MAIN, E2ETestCase, size_text, wait_equal

CRLF = "\r\n"
SAVE_QUESTION = "編集内容を保存します。\nよろしいですか？"
BODY = ["<p>これは本文の続きです。漢字とかなの行。</p>"] * 30


def page(head, *lines):
    return CRLF.join([head, "<body>", *lines, "</body>", "</html>"]) + CRLF


class SaveCase(E2ETestCase):
    def open_page(self, name):
        """Opens a page of the start directory with a click in the file list and
        開く; waits until the edit box shows it and checks that nothing was said."""
        text = (self.start_dir / name).read_bytes()
        self.window.focus()
        self.program.open_listed(self.window, name)
        wait_equal(lambda: self.program.a11y_text_at(self.window, MAIN, "FilenameLbl"),
                   os.path.realpath(self.start_dir / name), 20, f"{name} opened")
        self.assertEqual([w.title for w in self.program.windows()], ["Tessara"], "no notice")
        return text

    def edit_text(self):
        return self.program.edit_text(self.window)

    def type_at_end_of_line(self, line, text):
        """Types text at the end of a line (counted from 0) of the edit box."""
        before = self.edit_text().split("\n")
        self.window.click_control(MAIN, "EditTxt")
        self.server.key("ctrl+Home", *["Down"] * line, "End")
        self.server.type_text(text)
        before[line] += text
        wait_equal(self.edit_text, "\n".join(before), 15, "the edit text after typing")

    def ctrl_s_yes(self):
        """Ctrl+S, and Yes to the Save question."""
        self.server.chord("ctrl", "s")
        box = self.program.wait_window("確認")
        self.assertEqual(self.program.a11y_box_text(box), SAVE_QUESTION)
        self.server.key("y")
        box.wait_closed()

    def next_question(self, text):
        """Waits for the next question and checks its text word for word."""
        box = self.program.wait_window("確認")
        self.assertEqual(self.program.a11y_box_text(box), text)
        return box

    def save(self, path, expected):
        """Ctrl+S, Yes: waits until path holds expected bytes."""
        self.ctrl_s_yes()
        self.program.wait_file(path, content=expected)


UTF8 = page('<html>\r\n<head><meta charset="utf-8"><title>見本</title></head>', "<p>日本語の段落です。</p>", *BODY)
BOM = page("<html>\r\n<head><title>印のあるページ</title></head>", "<p>先頭に印があります。</p>", *BODY)
EUC = page('<html>\r\n<head><meta http-equiv="Content-Type" content="text/html; charset=euc-jp"></head>',
           "<p>ＥＵＣの段落です。</p>", *BODY)


class PagesInTheirEncoding(SaveCase):
    def test_utf8_and_euc_jp_pages_are_saved_back_in_their_encoding_with_the_edit(self):
        pages = [("utf8.html", UTF8.encode("utf-8"), "utf-8", "UTF-8"),
                 ("bom.html", b"\xef\xbb\xbf" + BOM.encode("utf-8"), "utf-8", "UTF-8"),
                 ("euc.html", EUC.encode("euc_jp"), "euc_jp", "EUC-JP")]
        for name, data, codec, label in pages:
            (self.start_dir / name).write_bytes(data)
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")

        # One after the other in the same window: each keeps its own encoding.
        for name, data, codec, label in pages:
            with self.subTest(name):
                self.open_page(name)
                text = data.decode(codec).removeprefix("\ufeff")
                self.assertEqual(self.edit_text(), text.removesuffix(CRLF).replace(CRLF, "\n"))
                self.assertEqual(self.program.a11y_text_at(self.window, MAIN, "ByteLbl"), size_text(len(data), label))
                self.type_at_end_of_line(3, "追記abc")
                line = text.split(CRLF)[3]
                expected = data.replace(line.encode(codec), (line + "追記abc").encode(codec), 1)
                self.save(name, expected)


class ConvertingByTheDeclaration(SaveCase):
    def test_a_shift_jis_page_whose_meta_is_changed_to_utf8_is_saved_as_utf8(self):
        head = '<html>\r\n<head><meta charset="shift_jis"><title>変換</title></head>'
        data = page(head, "<p>日本語の段落です。①</p>", *BODY).encode("cp932")
        (self.start_dir / "old.html").write_bytes(data)
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        self.open_page("old.html")
        self.assertEqual(self.program.a11y_text_at(self.window, MAIN, "ByteLbl"), size_text(len(data), ""))

        # The label shift_jis, after '<head><meta charset="', becomes utf-8.
        self.window.click_control(MAIN, "EditTxt")
        self.server.key("ctrl+Home", "Down", "Home", *["Right"] * 21, *["shift+Right"] * 9)
        self.server.type_text("utf-8")
        edited = data.decode("cp932").replace('"shift_jis"', '"utf-8"')
        wait_equal(self.edit_text, edited.removesuffix(CRLF).replace(CRLF, "\n"), 15, "the edited meta")

        self.ctrl_s_yes()
        box = self.next_question("このページは UTF-8 と宣言されていますが、Shift_JIS で保存しようとしています。"
                                 "宣言どおり UTF-8 で保存しますか？")
        self.assertEqual(self.program.bytes("old.html"), data, "nothing is written before the answer")
        self.server.key("y")
        box.wait_closed()
        self.program.wait_file("old.html", content=edited.encode("utf-8"))
        wait_equal(lambda: self.program.a11y_text_at(self.window, MAIN, "ByteLbl"),
                   size_text(len(edited.encode("utf-8")), "UTF-8"), 10, "the size label in UTF-8")


class CharacterReferences(SaveCase):
    def test_an_emoji_in_a_shift_jis_page_is_saved_as_a_reference_that_undo_takes_back(self):
        data = page("<html>", "<p>顔：</p>").encode("cp932")
        (self.start_dir / "sjis.html").write_bytes(data)
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        self.open_page("sjis.html")
        self.window.click_control(MAIN, "EditTxt")
        self.server.key("ctrl+Home", "Down", "Down", "End", "Left", "Left", "Left", "Left")
        self.server.type_text("\U0001F600")
        with_emoji = "<html>\n<body>\n<p>顔：\U0001F600</p>\n</body>\n</html>"
        wait_equal(self.edit_text, with_emoji, 15, "the edit text with the emoji")

        self.ctrl_s_yes()
        box = self.program.wait_window("確認")
        question = self.program.a11y_box_text(box)
        self.assertIn("Shift_JIS で保存できない文字", question)
        self.assertIn("文字参照", question)
        self.assertEqual(self.program.bytes("sjis.html"), data, "nothing is written before the answer")
        self.shot("character-references", box)
        self.server.key("y")
        box.wait_closed()
        self.program.wait_file("sjis.html", content=data.replace("：".encode("cp932"), "：&#x1F600;".encode("cp932")))
        self.assertEqual(self.edit_text(), with_emoji.replace("\U0001F600", "&#x1F600;"))

        self.window.focus()
        self.server.chord("ctrl", "z")
        wait_equal(self.edit_text, with_emoji, 10, "the edit text after Ctrl+Z")


LIMIT = 16384  # bytes; the program's own files stay below it
BIG = page("<html>", *["<p>" + "大きなページの本文です。" * 20 + "</p>"] * 40)


class FileSizeLimit(SaveCase):
    def start_limited(self):
        self.data = BIG.encode("cp932")
        self.assertGreater(len(self.data), LIMIT)
        (self.start_dir / "big.html").write_bytes(self.data)
        self.program = self.start(accessibility=True, prefix=["prlimit", f"--fsize={LIMIT}", "--"])
        self.window = self.program.wait_window("Tessara")
        limits = Path(f"/proc/{self.program.pid}/limits").read_text()
        self.assertRegex(limits, rf"Max file size\s+{LIMIT}\s+{LIMIT}\s+bytes")
        self.open_page("big.html")
        self.window.click_control(MAIN, "EditTxt")

    def save_fails(self):
        """Ctrl+S, Yes: the size notice, OK; the program goes on and the page is as it was."""
        self.ctrl_s_yes()
        self.notice_then_ok()

    def notice_then_ok(self):
        box = self.program.wait_window("エラー")
        self.assertIn("ファイルが大きすぎて書き込めません", self.program.a11y_box_text(box))
        self.shot("notice", box)
        self.server.key("Return")
        box.wait_closed()
        self.assertIsNone(self.program.proc.poll(), "the program still runs")
        self.assertTrue(self.window.mapped)
        self.assertEqual(self.program.bytes("big.html"), self.data)

    def program_files_left(self):
        self.assertEqual(sorted(os.listdir(self.start_dir)),
                         ["TagsShortCuts.dat", "Tessel.conf", "big.html", "htmllist.lst"])

    def test_an_unedited_page_too_large_to_write_is_kept_and_closing_asks_nothing(self):
        self.start_limited()
        self.save_fails()
        self.window.focus()
        self.window.close()
        self.assertEqual(self.program.wait_exit(), 0)
        self.program_files_left()

    def test_an_edited_page_too_large_to_write_keeps_its_edits_until_closing_drops_them(self):
        self.start_limited()
        self.type_at_end_of_line(1, "x")
        self.save_fails()
        # Yes on closing tries the save again: it fails the same way and the program stays.
        self.window.focus()
        self.window.close()
        box = self.program.wait_window("確認")
        self.assertEqual(self.program.a11y_box_text(box), "内容が変更されています。\n保存しますか？")
        self.server.key("y")
        box.wait_closed()
        self.notice_then_ok()
        self.window.focus()
        self.window.close()
        box = self.program.wait_window("確認")
        self.assertEqual(self.program.a11y_box_text(box), "内容が変更されています。\n保存しますか？")
        self.server.key("n")
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertEqual(self.program.bytes("big.html"), self.data)
        self.program_files_left()


if __name__ == "__main__":
    harness.main()
