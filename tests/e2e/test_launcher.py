#!/usr/bin/python3
"""The installed launcher opens a page the way a desktop does, and the program
keeps its own files in the user's data folder instead of the home folder."""

import configparser
import os
import shlex
import subprocess
from pathlib import Path

import harness
from harness import MAIN, E2ETestCase, E2EFailure, wait_equal

PAGE_TEXT = "<html>\r\n<body>\r\n<p>見本のページです。</p>\r\n</body>\r\n</html>\r\n"
DATA_DIR = Path(".local/share/tessara")
PROGRAM_FILES = {"Tessel.conf", "Tessara.tmp", "htmllist.lst", "TagsShortCuts.dat", "preset.lst"}
WRITTEN_AT_SHUTDOWN = {"Tessel.conf", "htmllist.lst", "TagsShortCuts.dat"}


def build_dir():
    """The build folder to install from: $TESSARA_BUILD_DIR, else the program's own folder."""
    path = Path(os.environ.get("TESSARA_BUILD_DIR") or Path(harness.tessara_exe()).parent)
    if not (path / "CMakeCache.txt").is_file():
        raise E2EFailure(f"no CMake build folder at {path} (set TESSARA_BUILD_DIR)")
    return path


class LauncherOpensPage(E2ETestCase):
    def test_exec_line_opens_page_and_keeps_program_files_in_data_folder(self):
        root = self.scratch / "root"
        subprocess.run(["cmake", "--install", str(build_dir()), "--prefix", "/usr"],
                       env=dict(os.environ, DESTDIR=str(root)), check=True, capture_output=True, timeout=120)
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(root / "usr/share/applications/org.tessara.Tessara.desktop", encoding="utf-8")
        page = self.scratch / "ページ 置き場" / "見本 1.html"
        page.parent.mkdir()
        page.write_bytes(PAGE_TEXT.encode("cp932"))
        # %F is a list of files: each one becomes a word of its own, spaces and all.
        argv = [word for part in shlex.split(entry["Desktop Entry"]["Exec"])
                for word in ([str(page)] if part == "%F" else [part])]

        home = self.start_dir
        program = self.start(start_dir=home, exe=argv[0], args=argv[1:], accessibility=True, env={
            "HOME": str(home), "XDG_DATA_HOME": None, "XDG_CONFIG_HOME": None,
            # The font library keeps a cache of its own; it is not the program's to keep.
            "XDG_CACHE_HOME": str(self.scratch / "cache"),
            "PATH": f"{root / 'usr/bin'}:{os.environ['PATH']}"})
        window = program.wait_window("Tessara")
        self.assertEqual(os.readlink(f"/proc/{program.pid}/exe"), str(root / "usr/bin/tessara"))
        wait_equal(lambda: program.a11y_text_at(window, MAIN, "FilenameLbl"), str(page), 10, "the file name label")
        # The last line's CR LF ends it and adds no empty line; Qt reports breaks as LF.
        self.assertEqual(program.a11y_text_at(window, MAIN, "EditTxt"),
                         PAGE_TEXT.removesuffix("\r\n").replace("\r\n", "\n"))

        window.close()
        self.assertEqual(program.wait_exit(), 0)
        left = {str(p.relative_to(home)) for p in home.rglob("*")}
        data = home / DATA_DIR
        kept = {p.name for p in data.iterdir()} if data.is_dir() else set()
        self.assertEqual(left, {".local", ".local/share", str(DATA_DIR)} | {str(DATA_DIR / n) for n in kept})
        self.assertLessEqual(WRITTEN_AT_SHUTDOWN, kept)
        self.assertLessEqual(kept, PROGRAM_FILES)


if __name__ == "__main__":
    harness.main()
