#!/usr/bin/python3
"""The cascade on a screen that does not start at 0, 0: copies started one after
the other go on down the diagonal instead of starting it again. Runs the real
program on Qt's offscreen platform with a screen layout of its own (no X server
needed); the work file tells where each copy placed itself."""

import json
import os
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

import harness


def start_copy(start_dir, config):
    """Starts a copy, waits until it has written its place, then ends it."""
    work = Path(start_dir) / "Tessara.tmp"
    before = work.read_bytes() if work.exists() else None
    env = dict(os.environ, QT_QPA_PLATFORM=f"offscreen:configfile={config}", LANG="C.UTF-8")
    proc = subprocess.Popen([harness.tessara_exe()], cwd=start_dir, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        harness.wait_until(lambda: work.exists() and work.read_bytes() != before, 20,
                           "the copy to write its place in the work file")
    finally:
        proc.kill()
        proc.wait()
    return work.read_bytes().decode("ascii").split()


class CascadeOnScreensAwayFromTheOrigin(unittest.TestCase):
    def test_second_copy_goes_on_down_the_diagonal(self):
        # A primary screen to the right of and below another one, and one at
        # the origin for comparison.
        for x, y in ((1280, 200), (0, 0), (-1920, 0)):
            with self.subTest(screen=(x, y)), tempfile.TemporaryDirectory() as tmp:
                config = Path(tmp) / "screens.json"
                config.write_text(json.dumps({"screens": [
                    {"name": "main", "x": x, "y": y, "width": 1280, "height": 1024, "logicalDpi": 96, "dpr": 1}]}))
                start = Path(tmp) / "start"
                start.mkdir()
                self.assertEqual(start_copy(start, config), ["1", "1", "300", "300"])
                self.assertEqual(start_copy(start, config), ["2", "2", "600", "600"])


if __name__ == "__main__":
    harness.main()
