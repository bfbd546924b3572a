#!/usr/bin/python3
"""What `cmake --install` and `cpack -G DEB` put on a system.

    test_dist.py BUILD_DIR VERSION [Installed|Package]

Installed: a DESTDIR install under an unusual prefix, its files checked by the
desktop's own validators. Package: the .deb cpack makes, its control
fields and its contents."""

import configparser
import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
from pathlib import Path

BUILD_DIR = VERSION = None
APP_ID = "org.tessara.Tessara"
# Every file installed, relative to the prefix: nothing more, nothing less.
INSTALLED_FILES = {
    "bin/tessara",
    f"share/applications/{APP_ID}.desktop",
    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    f"share/metainfo/{APP_ID}.metainfo.xml",
    "share/man/man1/tessara.1",
}


def run(*argv, env=None):
    """Runs a command; returns (exit status, stdout, stderr) as text."""
    done = subprocess.run([str(a) for a in argv], capture_output=True, text=True, timeout=120,
                          env=dict(os.environ, **(env or {})))
    return done.returncode, done.stdout, done.stderr


def files_under(root):
    return {str(p.relative_to(root)) for p in Path(root).rglob("*") if not p.is_dir()}


class Installed(unittest.TestCase):
    PREFIX = "opt/tessara"  # not /usr: a destination written as an absolute path shows

    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory(prefix="tessara-install-")
        cls.root = Path(cls._tmp.name)
        status, out, err = run("cmake", "--install", BUILD_DIR, "--prefix", "/" + cls.PREFIX,
                               env={"DESTDIR": cls._tmp.name})
        if status != 0:
            raise AssertionError(f"cmake --install failed:\n{out}{err}")
        cls.prefix = cls.root / cls.PREFIX

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def test_every_file_lands_under_the_prefix_and_nothing_else(self):
        self.assertEqual(files_under(self.root), {f"{self.PREFIX}/{f}" for f in INSTALLED_FILES})
        self.assertEqual(run(self.prefix / "bin/tessara", "--version")[:2], (0, f"Tessara {VERSION}\n"))

    def test_validators_accept_the_launcher_and_the_metadata(self):
        # desktop-file-validate prints hints too; errors and warnings are ours to fix.
        status, out, err = run("desktop-file-validate", self.prefix / f"share/applications/{APP_ID}.desktop")
        self.assertEqual((status, re.findall(r"(?:error|warning): .*", out + err)), (0, []))
        status, out, err = run("appstreamcli", "validate", "--no-net",
                               self.prefix / f"share/metainfo/{APP_ID}.metainfo.xml")
        self.assertEqual((status, re.findall(r"^[EW]: .*", out + err, re.M)), (0, []), out + err)

    def test_launcher_opens_files_with_desktop_and_names_the_icon_and_program(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.prefix / f"share/applications/{APP_ID}.desktop", encoding="utf-8")
        group = entry["Desktop Entry"]
        for key, value in {
            "Exec": "tessara --desktop %F",
            "TryExec": "tessara",
            "MimeType": "text/html;text/plain;",
            "Categories": "Development;WebDevelopment;TextEditor;",
            "Icon": APP_ID,
        }.items():
            with self.subTest(key=key):
                self.assertEqual(group.get(key), value)
        self.assertTrue((self.prefix / "share/icons/hicolor/scalable/apps" / (group["Icon"] + ".svg")).is_file())
        self.assertTrue((self.prefix / "bin" / group["TryExec"]).is_file())

    def test_metadata_names_the_launcher_and_this_release(self):
        component = ET.parse(self.prefix / f"share/metainfo/{APP_ID}.metainfo.xml").getroot()
        self.assertEqual(component.findtext("id"), APP_ID)
        self.assertTrue((self.prefix / "share/applications" / component.findtext("launchable")).is_file())
        self.assertEqual(component.find("releases/release").get("version"), VERSION)

    def test_manual_page_renders_without_warnings_and_has_its_sections(self):
        page = self.prefix / "share/man/man1/tessara.1"
        self.assertEqual(run("groff", "-man", "-Tutf8", "-ww", "-z", page), (0, "", ""))
        status, text, _ = run("groff", "-man", "-Tutf8", "-P-cbou", page)
        for wanted in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "KEYS", "FILES", "ENVIRONMENT",
                       "EXIT STATUS", "--desktop", "--help", "--version", "XDG_DATA_HOME", "Tessel.conf",
                       "Tessara.tmp", "htmllist.lst", "TagsShortCuts.dat", "preset.lst", f"Tessara {VERSION}"):
            with self.subTest(wanted=wanted):
                self.assertIn(wanted, text)

    def test_icon_is_svg_with_a_square_view_box(self):
        svg = ET.parse(self.prefix / f"share/icons/hicolor/scalable/apps/{APP_ID}.svg").getroot()
        self.assertEqual(svg.tag, "{http://www.w3.org/2000/svg}svg")
        x, y, width, height = map(float, svg.get("viewBox", "").split())
        self.assertGreater(width, 0)
        self.assertEqual(width, height)


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory(prefix="tessara-deb-")
        # A folder of its own, so that the package a person made in the build
        # folder stays as it is.
        status, out, err = run("cpack", "-G", "DEB", "--config", Path(BUILD_DIR) / "CPackConfig.cmake",
                               "-B", cls._tmp.name)
        arch = run("dpkg", "--print-architecture")[1].strip()
        cls.deb = Path(cls._tmp.name) / f"tessara_{VERSION}_{arch}.deb"
        if status != 0 or not cls.deb.is_file():
            raise AssertionError(f"cpack made no {cls.deb.name}:\n{out}{err}")
        cls.arch = arch

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def field(self, name):
        return run("dpkg-deb", "--field", self.deb, name)[1].strip()

    def test_control_fields(self):
        for name, value in {"Package": "tessara", "Version": VERSION, "Architecture": self.arch,
                            "Section": "editors"}.items():
            with self.subTest(field=name):
                self.assertEqual(self.field(name), value)
        self.assertRegex(self.field("Maintainer"), r"^.+ <[^@>]+@[^>]+>$")
        self.assertTrue(self.field("Description"))

    def test_depends_on_qt_the_platform_plugins_and_a_japanese_font(self):
        # Each entry a set of alternatives, versions dropped.
        depends = [{re.sub(r"\s*\(.*\)", "", alt).strip() for alt in entry.split("|")}
                   for entry in self.field("Depends").split(",")]
        for wanted in ({"libqt6widgets6"}, {"qt6-qpa-plugins"}, {"fonts-ipafont-gothic", "fonts-noto-cjk"}):
            with self.subTest(wanted=wanted):
                self.assertIn(wanted, depends)

    def test_holds_the_installed_files_under_usr_with_the_program_stripped(self):
        status, listing, err = run("dpkg-deb", "--contents", self.deb)
        self.assertEqual(status, 0, err)
        files = {line.split()[-1].removeprefix("./") for line in listing.splitlines() if not line.startswith("d")}
        self.assertEqual(files, {f"usr/{f}" for f in INSTALLED_FILES})
        tree = Path(self._tmp.name) / "tree"
        self.assertEqual(run("dpkg-deb", "--extract", self.deb, tree)[0], 0)
        self.assertEqual(run(tree / "usr/bin/tessara", "--version")[:2], (0, f"Tessara {VERSION}\n"))
        self.assertNotIn(".debug_info", run("readelf", "--section-headers", tree / "usr/bin/tessara")[1])


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BUILD_DIR, VERSION = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
