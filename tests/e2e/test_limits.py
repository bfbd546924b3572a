#!/usr/bin/python3
"""Pages the real program cannot hold, given on the command line: a page larger
than its address-space limit lets it open is refused at once with a notice that
says why, and the program runs on with its window (and ends normally, without a
question); a page that takes long to open shows a progress dialog while the
window repaints. (A FIFO on the command line: DocumentCommandsTest.)"""

import harness
from harness import E2ETestCase

LIMIT = 1536 * 1024 * 1024  # address space: the program and its libraries take a few hundred MB
LINE = b"<p>abcdefghij klmnopqrstuvwxyz 0123456789 abcdefghij klmnopqrstuvwxyz</p>\r\n"


class Limits(E2ETestCase):
    def refused(self, program, path, reason):
        """The notice names the file and the reason; OK, and the program goes on."""
        box = program.wait_window("エラー", timeout=60)
        text = program.a11y_box_text(box)
        self.assertTrue(text.startswith(f"ファイルを読み込めません。\n{path}\n{reason}"), text)
        self.shot("notice", box)
        self.server.key("Return")
        box.wait_closed()
        window = program.wait_window("Tessara")
        self.assertIsNone(program.proc.poll(), "the program still runs")
        self.assertEqual([w.title for w in program.windows()], ["Tessara"])
        window.close()  # nothing was opened, so nothing is asked
        self.assertEqual(program.wait_exit(), 0)

    def test_a_page_larger_than_the_address_space_allows_is_refused_and_the_program_runs_on(self):
        path = self.start_dir / "big.html"
        with open(path, "wb") as f:
            f.write(LINE * (200 * 1024 * 1024 // len(LINE)))
        size = path.stat().st_size
        program = self.start(accessibility=True, args=[str(path)], prefix=["prlimit", f"--as={LIMIT}", "--"])
        self.refused(program, path, f"ファイルが大きすぎます（{size} バイト）。このページを開くには約 "
                                    f"{-(-size * 8 // (1024 * 1024))} MB のメモリが必要ですが、使えるメモリは約 ")


class LongOpen(E2ETestCase):
    def test_a_page_that_takes_long_to_open_shows_its_progress_and_then_the_page(self):
        path = self.start_dir / "long.html"
        with open(path, "wb") as f:
            f.write(LINE * (160 * 1024 * 1024 // len(LINE)))
        program = self.start(args=[str(path)])
        dialog = program.wait_window("開いています", timeout=60, focus=False)
        self.shot("progress", dialog)
        dialog.wait_closed(timeout=300)
        window = program.wait_window("Tessara")
        self.assertEqual([w.title for w in program.windows()], ["Tessara"], "no notice")
        # The page is in and unedited: closing asks nothing, and compares it
        # with what was read without a copy of its 320 MB of text.
        window.close()
        self.assertEqual(program.wait_exit(timeout=120), 0)


if __name__ == "__main__":
    harness.main()
