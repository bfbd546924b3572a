#!/usr/bin/python3
"""The program on the desktop: a file given on the command line opens as a click
in the file list and 開く would, further files in copies of their own, a new
name as an empty page that the first save creates; Ctrl+P hands the page to the
desktop's web browser (the handler of https URLs, never that of HTML files),
saving first when asked; copies cascade from the corner of
the whole screen, beside a dock."""

import os
import urllib.parse
from pathlib import Path

import a11y
import harness
from harness import MAIN, E2ETestCase, size_text, wait_equal

CRLF = "\r\n"
SAVE_QUESTION = "編集内容を保存します。\nよろしいですか？"


def page(*lines):
    return "".join(line + CRLF for line in lines)


def shown(text):
    """A page's text as the edit box reports it: LF between lines, no final break."""
    return text.removesuffix(CRLF).replace(CRLF, "\n")


def read_text(path):
    try:
        return Path(path).read_text(encoding="utf-8")
    except FileNotFoundError:
        return ""


class FilesOnTheCommandLine(E2ETestCase):
    def wait_label(self, program, window, name, expected):
        wait_equal(lambda: program.a11y_text_at(window, MAIN, name), expected, 20, name)

    def test_a_file_opens_chosen_in_its_folder_under_its_filter(self):
        docs = Path(os.path.realpath(self.scratch)) / "メモ"
        docs.mkdir()
        text = page("<p>覚え書き</p>", *["<p>" + "段落の本文です。" * 8 + "</p>"] * 16)
        data = text.encode("cp932")
        (docs / "notes.txt").write_bytes(data)
        (docs / "other.txt").write_bytes(b"x\r\n")
        (docs / "index.html").write_bytes(b"x\r\n")
        program = self.start(accessibility=True, args=[str(docs / "notes.txt")])
        window = program.wait_window("Tessara")

        self.wait_label(program, window, "FilenameLbl", str(docs / "notes.txt"))
        self.assertEqual(program.edit_text(window), shown(text))
        self.assertEqual(program.a11y_text_at(window, MAIN, "ByteLbl"), size_text(len(data)))
        # The pane shows the file's folder through the filter of its extension,
        # with the file chosen.
        files = a11y.at(program, window, MAIN, "File", ("list",))
        self.assertEqual([(n["name"], n["selected"]) for n in files["children"] if n["role"] == "list item"],
                         [("notes.txt", True), ("other.txt", False)])
        self.assertEqual(a11y.at(program, window, MAIN, "TailCmb", ("combo box",))["name"], "txt")
        self.shot("opened", window)

    def test_a_second_file_opens_in_a_copy_of_its_own_cascaded_from_the_first(self):
        start = Path(os.path.realpath(self.start_dir))
        first_text, second_text = page("<p>一つ目</p>"), page("二つ目の文書", "です")
        (start / "a.html").write_bytes(first_text.encode("cp932"))
        (start / "b.txt").write_bytes(second_text.encode("cp932"))
        first = self.start(accessibility=True, args=["a.html", "b.txt"])
        first_window = first.wait_window("Tessara")
        second = self.wait_other_copy("Tessara")
        second_window = second.wait_window("Tessara")

        self.wait_label(first, first_window, "FilenameLbl", str(start / "a.html"))
        self.wait_label(second, second_window, "FilenameLbl", str(start / "b.txt"))
        self.assertEqual(first.edit_text(first_window), shown(first_text))
        self.assertEqual(second.edit_text(second_window), shown(second_text))
        self.assertEqual(first_window.position, (20, 20))
        self.assertEqual(second_window.position, (40, 40))
        self.assertEqual(len([w for w in self.server.top_windows() if w.mapped and w.title == "Tessara"]), 2)
        self.shot("two-copies")

    def test_a_new_name_opens_an_empty_page_that_the_first_save_creates(self):
        path = Path(os.path.realpath(self.start_dir)) / "新しいページ.html"
        program = self.start(accessibility=True, args=[str(path)])
        window = program.wait_window("Tessara")
        self.wait_label(program, window, "FilenameLbl", str(path))
        self.assertEqual(program.edit_text(window), "")
        self.assertFalse(path.exists())

        window.click_control(MAIN, "EditTxt")
        self.server.type_text("<p>新規</p>")
        wait_equal(lambda: program.edit_text(window), "<p>新規</p>", 15, "the typed text")
        self.server.chord("ctrl", "s")
        box = program.wait_window("確認")
        self.assertEqual(program.a11y_box_text(box), SAVE_QUESTION)
        self.server.key("y")
        program.wait_file(path.name, content="<p>新規</p>\r\n".encode("cp932"))
        self.wait_label(program, window, "FilenameLbl", str(path))


PAGE = page("<html>", "<body>", "<p>見本のページです。</p>", "</body>", "</html>")


class ShowInBrowser(E2ETestCase):
    def start_with_page(self, env):
        """Starts the program on a page whose path has Japanese characters and
        spaces, with the caret in the edit box."""
        folder = Path(os.path.realpath(self.scratch)) / "ページ 置き場"
        folder.mkdir()
        self.page = folder / "見本 1.html"
        self.page.write_bytes(PAGE.encode("cp932"))
        # Qt percent-encodes the path of a file URL as UTF-8.
        self.url = "file://" + urllib.parse.quote(str(self.page))
        self.assertIn("%E8%A6%8B%E6%9C%AC%201.html", self.url)
        program = self.start(accessibility=True, args=[str(self.page)], env=env)
        window = program.wait_window("Tessara")
        wait_equal(lambda: program.edit_text(window), shown(PAGE), 20, "the page")
        window.click_control(MAIN, "EditTxt")
        self.server.key("ctrl+Home")
        return program, window

    def desktop(self, https, path):
        """A desktop of the test's own in the scratch folder: https URLs open with
        the desktop entry https, HTML files with a stand-in editor (as they do
        with the editor itself once it is installed); the stand-in commands come
        first on PATH, or alone when path is None. Returns the program's
        environment; self.calls and self.editor_calls record the commands."""
        bin_folder, self.calls = self.stand_in_command("web-browser")
        _, self.editor_calls = self.stand_in_command("html-editor")
        data, config, system = self.scratch / "data", self.scratch / "config", self.scratch / "system"
        apps = data / "applications"
        for folder in (apps, config, system):
            folder.mkdir(parents=True)
        entries = {"stand-in-browser.desktop": ("見本ブラウザー", "web-browser --new-tab %u"),
                   "stand-in-editor.desktop": ("見本エディター", "html-editor %f"),
                   "org.tessara.Tessara.desktop": ("Tessara", "html-editor %F")}
        for name, (title, command) in entries.items():
            (apps / name).write_text(f"[Desktop Entry]\nType=Application\nName={title}\nExec={command}\n",
                                     encoding="utf-8")
        (config / "mimeapps.list").write_text(
            f"[Default Applications]\nx-scheme-handler/https={https}\nx-scheme-handler/http={https}\n"
            "text/html=stand-in-editor.desktop;\n", encoding="utf-8")
        return {"PATH": f"{bin_folder}:{path}" if path else str(bin_folder), "XDG_DATA_HOME": str(data),
                "XDG_CONFIG_HOME": str(config), "XDG_DATA_DIRS": str(system), "XDG_CONFIG_DIRS": str(system),
                "XDG_CURRENT_DESKTOP": None, "BROWSER": None}

    def with_stand_in_browser(self):
        return self.start_with_page(self.desktop("stand-in-browser.desktop;", os.environ["PATH"]))

    def test_ctrl_p_hands_a_saved_page_to_the_browser_once(self):
        program, window = self.with_stand_in_browser()
        self.server.chord("ctrl", "p")
        wait_equal(lambda: read_text(self.calls), f"--\n--new-tab\n{self.url}\n", 20, "the browser's command line")
        # Keys reach the edit box again (no question is up), and the page went once.
        self.server.type_text("x")
        wait_equal(lambda: program.edit_text(window), "x" + shown(PAGE), 10, "the edit text")
        self.assertEqual(read_text(self.calls), f"--\n--new-tab\n{self.url}\n")
        self.assertEqual(read_text(self.editor_calls), "", "the handler of HTML files is not asked")
        self.assertEqual(program.windows("確認"), [])

    def test_ctrl_p_with_unsaved_edits_asks_saves_and_then_shows_the_page(self):
        program, window = self.with_stand_in_browser()
        self.server.key("ctrl+End")
        self.server.type_text("<p>追記</p>")
        wait_equal(lambda: program.edit_text(window), shown(PAGE) + "<p>追記</p>", 15, "the edit text")
        self.server.chord("ctrl", "p")
        box = program.wait_window("確認")
        self.assertEqual(program.a11y_box_text(box), SAVE_QUESTION)
        self.assertEqual(read_text(self.calls), "", "nothing is shown before the answer")
        self.server.key("y")
        wait_equal(lambda: read_text(self.calls), f"--\n--new-tab\n{self.url}\n", 20, "the browser's command line")
        self.assertEqual(self.page.read_bytes(), (PAGE.removesuffix(CRLF) + "<p>追記</p>" + CRLF).encode("cp932"))

    def test_ctrl_p_without_a_browser_says_so_and_never_opens_an_html_editor(self):
        # The desktop names only the editor (for HTML files) and this program
        # itself (for https URLs); no x-www-browser, no sensible-browser.
        program, window = self.start_with_page(self.desktop("org.tessara.Tessara.desktop;", None))
        self.server.chord("ctrl", "p")
        box = program.wait_window("エラー")
        self.assertEqual(program.a11y_box_text(box),
                         f"ブラウザーを起動できませんでした。\n{self.page}\n"
                         "ウェブブラウザーが見つかりません（https の URL を開く既定のブラウザー、x-www-browser、"
                         "sensible-browser のいずれもありません）。既定のウェブブラウザーを設定してください。")
        self.shot("no-browser", box)
        self.server.key("Return")
        box.wait_closed()
        self.assertIsNone(program.proc.poll())
        window.focus()
        self.server.type_text("y")
        wait_equal(lambda: program.edit_text(window), "y" + shown(PAGE), 10, "the edit text")
        self.assertEqual(read_text(self.editor_calls), "")


class CascadeBesideADock(E2ETestCase):
    def test_copies_cascade_from_the_corner_of_the_whole_screen(self):
        # A 100 px dock on the left and a 30 px panel on top.
        self.server.set_work_area(100, 30, 1180, 994)
        first = self.start()
        first_window = first.wait_window("Tessara")
        first.wait_file("Tessara.tmp", content=b"1\r\n1\r\n300\r\n300\r\n")
        second = self.start()
        second_window = second.wait_window("Tessara")
        second.wait_file("Tessara.tmp", content=b"2\r\n2\r\n600\r\n600\r\n")
        wait_equal(lambda: first_window.position, (20, 20), 10, "the first window's place")
        wait_equal(lambda: second_window.position, (40, 40), 10, "the second window's place")
        self.shot("beside-a-dock")


if __name__ == "__main__":
    harness.main()
