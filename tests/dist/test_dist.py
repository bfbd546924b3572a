#!/usr/bin/python3
"""What `cmake --install` and `cpack -G DEB` put on a system.

    test_dist.py BUILD_DIR VERSION [Installed|Package]"""

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
APP = "org.tessara.Tessara"
DESKTOP = f"share/applications/{APP}.desktop"
ICON = f"share/icons/hicolor/scalable/apps/{APP}.svg"
METAINFO = f"share/metainfo/{APP}.metainfo.xml"
MANPAGE = "share/man/man1/tessara.1"
INSTALLED = {"bin/tessara", DESKTOP, ICON, METAINFO, MANPAGE}  # and nothing else


def run(*argv, env=None):
    """(exit status, stdout, stderr) of a command."""
    done = subprocess.run([str(a) for a in argv], capture_output=True, text=True, timeout=120,
                          env=dict(os.environ, **(env or {})))
    return done.returncode, done.stdout, done.stderr


class Installed(unittest.TestCase):
    """A DESTDIR install under a prefix other than /usr, where a destination
    written as an absolute path would show."""

    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory(prefix="tessara-install-")
        cls.addClassCleanup(cls._tmp.cleanup)
        status, out, err = run("cmake", "--install", BUILD_DIR, "--prefix", "/opt/tessara",
                               env={"DESTDIR": cls._tmp.name})
        if status != 0:
            raise AssertionError(f"cmake --install failed:\n{out}{err}")
        cls.root = Path(cls._tmp.name)
        cls.prefix = cls.root / "opt/tessara"

    def test_files_land_under_the_prefix_and_the_program_runs(self):
        self.assertEqual({str(p.relative_to(self.root)) for p in self.root.rglob("*") if not p.is_dir()},
                         {f"opt/tessara/{f}" for f in INSTALLED})
        self.assertEqual(run(self.prefix / "bin/tessara", "--version")[:2], (0, f"Tessara {VERSION}\n"))

    def test_validators_report_no_error_or_warning(self):
        # desktop-file-validate gives hints as well; those may stay.
        status, out, err = run("desktop-file-validate", self.prefix / DESKTOP)
        self.assertEqual((status, re.findall(r"(?:error|warning): .*", out + err)), (0, []))
        status, out, err = run("appstreamcli", "validate", "--no-net", self.prefix / METAINFO)
        self.assertEqual((status, re.findall(r"^[EW]: .*", out + err, re.M)), (0, []))
        self.assertEqual(run("groff", "-man", "-Tutf8", "-ww", "-z", self.prefix / MANPAGE), (0, "", ""))

    def test_launcher_metadata_icon_and_manual_page_name_each_other_and_this_release(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.prefix / DESKTOP, encoding="utf-8")
        self.assertEqual({key: entry["Desktop Entry"].get(key) for key in ("Exec", "TryExec", "MimeType",
                                                                           "Categories", "Icon")},
                         {"Exec": "tessara --desktop %F", "TryExec": "tessara", "MimeType": "text/html;text/plain;",
                          "Categories": "Development;WebDevelopment;TextEditor;", "Icon": APP})
        component = ET.parse(self.prefix / METAINFO).getroot()
        self.assertEqual((component.findtext("id"), component.findtext("launchable"),
                          component.find("releases/release").get("version")), (APP, f"{APP}.desktop", VERSION))
        svg = ET.parse(self.prefix / ICON).getroot()
        self.assertEqual(svg.tag, "{http://www.w3.org/2000/svg}svg")
        _, _, width, height = map(float, svg.get("viewBox", "").split())
        self.assertEqual(width, height)
        page = run("groff", "-man", "-Tutf8", "-P-cbou", self.prefix / MANPAGE)[1]
        for wanted in ("SYNOPSIS", "OPTIONS", "KEYS", "FILES", "ENVIRONMENT", "EXIT STATUS", "--desktop",
                       "XDG_DATA_HOME", "Tessel.conf", "Tessara.tmp", "htmllist.lst", "TagsShortCuts.dat",
                       "preset.lst", f"Tessara {VERSION}"):
            with self.subTest(wanted=wanted):
                self.assertIn(wanted, page)


class Package(unittest.TestCase):
    """The .deb, made in a folder of its own so that one made by hand in the
    build folder stays as it is."""

    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory(prefix="tessara-deb-")
        cls.addClassCleanup(cls._tmp.cleanup)
        status, out, err = run("cpack", "-G", "DEB", "--config", Path(BUILD_DIR) / "CPackConfig.cmake",
                               "-B", cls._tmp.name)
        cls.arch = run("dpkg", "--print-architecture")[1].strip()
        cls.deb = Path(cls._tmp.name) / f"tessara_{VERSION}_{cls.arch}.deb"
        if status != 0 or not cls.deb.is_file():
            raise AssertionError(f"cpack made no {cls.deb.name}:\n{out}{err}")

    def test_control_fields_and_dependencies(self):
        fields = dict(re.findall(r"^(\w[\w-]*): (.*)$", run("dpkg-deb", "--field", self.deb)[1], re.M))
        self.assertEqual({k: fields.get(k) for k in ("Package", "Version", "Architecture", "Section")},
                         {"Package": "tessara", "Version": VERSION, "Architecture": self.arch, "Section": "editors"})
        self.assertRegex(fields.get("Maintainer", ""), r"^.+ <[^@>]+@[^>]+>$")
        # Each entry a set of alternatives, without versions.
        depends = [{re.sub(r"\(.*\)", "", alt).strip() for alt in entry.split("|")}
                   for entry in fields["Depends"].split(",")]
        for wanted in ({"libqt6widgets6"}, {"qt6-qpa-plugins"}, {"fonts-ipafont-gothic", "fonts-noto-cjk"}):
            with self.subTest(wanted=wanted):
                self.assertIn(wanted, depends)

    def test_holds_the_installed_files_under_usr_with_the_program_stripped(self):
        listing = run("dpkg-deb", "--contents", self.deb)[1]
        self.assertEqual({line.split()[-1].removeprefix("./usr/") for line in listing.splitlines()
                          if not line.startswith("d")}, INSTALLED)
        tree = Path(self._tmp.name) / "tree"
        self.assertEqual(run("dpkg-deb", "--extract", self.deb, tree)[0], 0)
        self.assertEqual(run(tree / "usr/bin/tessara", "--version")[:2], (0, f"Tessara {VERSION}\n"))
        self.assertNotIn(".debug_info", run("readelf", "--section-headers", tree / "usr/bin/tessara")[1])


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BUILD_DIR, VERSION = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
