#!/usr/bin/python3
"""The edit box's Ctrl keys in the real program with real key timing (Ctrl+S
acts on the release of S while Ctrl alone is held, once however long it is
held; Ctrl+B switches the colours and back), and the help label that follows
the mouse."""

import time

import a11y
import harness
from harness import MAIN, E2ETestCase, pixels, wait_equal, wait_until

CRLF = b"\r\n"
SAVE_QUESTION = "編集内容を保存します。\nよろしいですか？"


class KeyCase(E2ETestCase):
    def edit_text(self):
        return self.program.a11y_text_at(self.window, MAIN, "EditTxt")

    def barrier(self, char):
        """Types char into the edit box and waits until it shows there: every key
        sent before has been handled by then, and no message box is in the way
        (a modal box would take the key)."""
        before = self.edit_text()
        self.server.type_text(char)
        wait_equal(self.edit_text, before + char, 10, f"the edit text after typing {char!r}")
        self.assertEqual(self.program.windows("確認"), [], "no question is up")

    def save_question(self):
        """Waits for the Save question, checks its text, returns its window."""
        box = self.program.wait_window("確認")
        labels = a11y.find(self.program.a11y_tree(), lambda n: n["role"] == "label" and n["name"] == SAVE_QUESTION)
        self.assertEqual(len(labels), 1, "the box asks the Save question")
        return box

    def start_with(self, document=None):
        """Starts the program; with document (bytes), opens it as doc.html from the file list."""
        if document is not None:
            (self.start_dir / "doc.html").write_bytes(document)
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        if document is not None:
            self.program.click_list_item(self.window, MAIN, "File", "doc.html")
            self.window.click_control(MAIN, "OpenBtn")
            wait_equal(self.edit_text, document[:-2].decode("cp932"), 10, "the opened document")
        self.window.click_control(MAIN, "EditTxt")
        self.server.key("ctrl+End")


class CtrlS(KeyCase):
    def test_ctrl_s_saves_once_only_when_s_is_released_while_ctrl_is_held(self):
        self.start_with(b"<p>old</p>" + CRLF)
        self.barrier("A")
        path = self.start_dir / "doc.html"

        # Ctrl let go before S, as a person does it (S held a moment): no command.
        self.server.xdotool("keydown", "ctrl", "keydown", "s", "sleep", "0.15", "keyup", "ctrl", "sleep", "0.05",
                            "keyup", "s")
        self.barrier("B")
        self.assertEqual(path.read_bytes(), b"<p>old</p>" + CRLF)

        # S let go while Ctrl is held: the Save question, once; Yes writes the file.
        self.server.xdotool("keydown", "ctrl", "keydown", "s", "keyup", "s", "keyup", "ctrl")
        box = self.save_question()
        self.shot("save-question", box)
        self.server.key("y")
        box.wait_closed()
        self.program.wait_file("doc.html", content=b"<p>old</p>AB" + CRLF)
        self.window.focus()
        self.barrier("C")
        self.assertEqual(path.read_bytes(), b"<p>old</p>AB" + CRLF)

    def test_ctrl_shift_s_does_nothing_and_ctrl_s_then_asks(self):
        self.start_with()
        self.barrier("a")
        self.server.xdotool("keydown", "ctrl", "keydown", "shift", "key", "s", "keyup", "shift", "keyup", "ctrl")
        self.barrier("b")
        self.server.chord("ctrl", "s")
        box = self.save_question()
        self.server.key("n")
        box.wait_closed()
        self.window.focus()
        self.barrier("c")
        self.assertEqual(sorted(p.name for p in self.start_dir.iterdir()), ["Tessara.tmp", "htmllist.lst"])

    def test_holding_ctrl_s_saves_once_when_s_is_released(self):
        self.start_with(b"<p>held</p>" + CRLF)
        # The X server repeats a held key: holding k types it many times.
        self.server.xdotool("keydown", "k")
        time.sleep(1)
        self.server.xdotool("keyup", "k")
        wait_until(lambda: self.edit_text().startswith("<p>held</p>kkk"), 10, "the held k to repeat")
        typed = self.edit_text()

        self.server.xdotool("keydown", "ctrl", "keydown", "s")
        time.sleep(1)  # the auto-repeat runs while both keys are held
        self.assertEqual(self.program.windows("確認"), [], "no question while S is held")
        self.server.xdotool("keyup", "s", "keyup", "ctrl")
        box = self.save_question()
        self.server.key("y")
        box.wait_closed()
        written = typed.encode("cp932") + CRLF
        self.program.wait_file("doc.html", content=written)
        self.window.focus()
        self.barrier("z")
        self.assertEqual((self.start_dir / "doc.html").read_bytes(), written)


def inset(rect, d):
    x, y, w, h = rect
    return x + d, y + d, w - 2 * d, h - 2 * d


# Controls whose colours the switch changes, and a spot of the window background
# (between the check box and the file pane's combo box) for the window itself.
RECOLOURED = ["PresetChk", "FilenameLbl", "DescriptionLbl", "ByteLbl", "ShortCutsLbl",
              "Drive", "Dir1", "File", "TailCmb", "HTMLLst"]
BACKGROUND = (110, 118, 190, 18)
# The edit box without the corner where its caret blinks and without its scroll bar.
EDIT_AREA = inset(MAIN.rect("EditTxt"), 24)
# Buttons keep their colours (ColorCmd's caption changes); they are compared
# without their rounded corners, where the window's background shows.
BUTTONS = ["NewBtn", "OpenBtn", "CancelBtn", "SaveBtn", "SaveasBtn", "SearchCmd"]


class Colours(KeyCase):
    def regions(self):
        regions = {name: MAIN.rect(name) for name in RECOLOURED}
        regions["TesselFrm"] = BACKGROUND
        regions["EditTxt"] = EDIT_AREA
        return regions

    def picture(self, label):
        shot = self.shot(label, self.window)
        return {name: pixels(shot, rect) for name, rect in self.regions().items()} | \
               {name: pixels(shot, inset(MAIN.rect(name), 3)) for name in BUTTONS}

    def wait_picture(self, label, test, what):
        last = {}

        def ready():
            last.clear()
            last.update(self.picture(label))
            return test(last)
        wait_until(ready, 15, what, interval=0.3)
        return last

    def test_ctrl_b_twice_restores_the_colours(self):
        self.start_with()
        # Rest the pointer over the edit box's far corner: no hover changes from here on.
        self.window.hover_control(MAIN, "EditTxt")
        wait_equal(lambda: self.program.a11y_text_at(self.window, MAIN, "ColorCmd"), "暗くする", 10, "ColorCmd")
        first = self.wait_picture("normal", lambda p: p == self.picture("normal-again"), "a steady picture")

        self.server.chord("ctrl", "b")
        dark = self.wait_picture("dark", lambda p: all(p[n] != first[n] for n in self.regions()),
                                 "every recoloured control to change")
        wait_equal(lambda: self.program.a11y_text_at(self.window, MAIN, "ColorCmd"), "元に戻す", 10, "ColorCmd")
        for name in BUTTONS:
            self.assertEqual(dark[name], first[name], f"{name} keeps its colours")
        # The dark scheme's own colours: an empty black edit box on a 63, 63, 63 window.
        self.assertEqual(set(dark["EditTxt"]), {0})
        self.assertEqual(dark["TesselFrm"], bytes([63, 63, 63]) * (BACKGROUND[2] * BACKGROUND[3]))

        self.server.chord("ctrl", "b")
        self.wait_picture("restored", lambda p: p == first, "the picture to be the first one again")
        self.assertEqual(self.program.a11y_text_at(self.window, MAIN, "ColorCmd"), "暗くする")
        self.assertEqual(self.edit_text(), "")


HELP_DEFAULT = "ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"


class HoverHelp(KeyCase):
    def help_text(self):
        return self.program.a11y_text_at(self.window, MAIN, "DescriptionLbl")

    def test_help_label_follows_the_mouse(self):
        self.program = self.start(accessibility=True)
        self.window = self.program.wait_window("Tessara")
        x, y, w, h = MAIN.rect("DescriptionLbl")
        self.window.hover_control(MAIN, "DescriptionLbl")
        wait_equal(self.help_text, HELP_DEFAULT, 10, "the help label over itself")
        before = pixels(self.shot("default", self.window), (x, y, w, h))

        self.window.hover_control(MAIN, "NewBtn")
        wait_equal(self.help_text, "新規ＨＴＭＬの編集を開始します。保存していない編集内容は破棄されます。Ctrl+N", 10,
                   "the help label over NewBtn")
        self.assertNotEqual(pixels(self.shot("new-button", self.window), (x, y, w, h)), before)

        # Drive has no help text: the label keeps NewBtn's.
        self.window.hover_control(MAIN, "Drive")
        self.assertEqual(self.help_text(), "新規ＨＴＭＬの編集を開始します。保存していない編集内容は破棄されます。Ctrl+N")
        self.window.hover_control(MAIN, "SearchCmd")
        wait_equal(self.help_text, "編集内容から指定した語句を検索・置換します。Ctrl+F", 10, "the help label over SearchCmd")
        self.window.hover_control(MAIN, "Drive")
        self.window.hover_control(MAIN, "ShortCutsLbl")
        wait_equal(self.help_text, "タグリストでF1～F12を押すことでショートカットに登録できます。\n"
                                   "編集ボックス内でF1～F12を押すことで貼り付けられます。\n"
                                   "解除はShift+F1～F12。", 10, "the help label over ShortCutsLbl")
        self.shot("shortcuts-label", self.window)

        self.window.hover_control(MAIN, "DescriptionLbl")
        wait_equal(self.help_text, HELP_DEFAULT, 10, "the help label back over itself")
        self.assertEqual(pixels(self.shot("default-again", self.window), (x, y, w, h)), before)


if __name__ == "__main__":
    harness.main()
