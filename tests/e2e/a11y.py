"""Reading the running program through the accessibility bus (at-spi2-core).

A test starts the program with E2ETestCase.start(accessibility=True): the harness
runs a private D-Bus session bus, on which at-spi2-core's bus launcher starts
when Qt asks for it (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1). The tree is read by
pyatspi in a fresh process each time, because pyatspi keeps its first bus
connection for the life of a process and every test has its own bus.

Objects are found by where they lie: Qt names an object by its text (a label
by its caption, a button by its caption, the edit box and lists by their
accessible names), not by the control's name, so a control is the object of
the expected role whose screen extents match its designed place.
"""

import json
import os
import select
import shutil
import signal
import subprocess
import time
from pathlib import Path

from harness import E2EFailure, _tail, wait_until

_DUMP = r"""
import json, sys
import pyatspi
pid = int(sys.argv[1])

def node(acc, depth):
    out = {"role": acc.getRoleName(), "name": acc.name or "", "text": None, "caret": None, "extents": None,
           "selected": acc.getState().contains(pyatspi.STATE_SELECTED), "children": []}
    try:
        t = acc.queryText()
        out["text"] = t.getText(0, t.characterCount)
        out["caret"] = t.caretOffset
    except NotImplementedError:
        pass
    try:
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        out["extents"] = [e.x, e.y, e.width, e.height]
    except NotImplementedError:
        pass
    if depth < 12:
        for i in range(acc.childCount):
            child = acc.getChildAtIndex(i)
            if child is not None:
                out["children"].append(node(child, depth + 1))
    return out

desktop = pyatspi.Registry.getDesktop(0)
for i in range(desktop.childCount):
    app = desktop.getChildAtIndex(i)
    if app is not None and app.get_process_id() == pid:
        print(json.dumps(node(app, 0)))
        sys.exit(0)
sys.exit(3)
"""


class A11yBus:
    """A private D-Bus session bus for one test."""

    def __init__(self, server, scratch, timeout=15):
        for tool, package in (("dbus-daemon", "dbus-daemon"), ("/usr/libexec/at-spi-bus-launcher", "at-spi2-core")):
            if shutil.which(tool) is None:
                raise E2EFailure(f"reading the program's accessibility tree needs {tool} (Debian package {package})")
        self.log_path = Path(scratch) / "dbus.log"
        self.last_error = ""
        read_end, write_end = os.pipe()
        with open(self.log_path, "wb") as log:
            self.proc = subprocess.Popen(
                ["dbus-daemon", "--session", "--nofork", f"--print-address={write_end}"],
                pass_fds=(write_end,), stdout=log, stderr=log, stdin=subprocess.DEVNULL,
                env=server.env, start_new_session=True)
        os.close(write_end)
        address = b""
        deadline = time.monotonic() + timeout
        try:
            while not address.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0:
                    raise E2EFailure(f"dbus-daemon gave no address within {timeout} s:\n{_tail(self.log_path)}")
                ready, _, _ = select.select([read_end], [], [], left)
                if ready:
                    chunk = os.read(read_end, 256)
                    if not chunk:
                        raise E2EFailure(f"dbus-daemon ended:\n{_tail(self.log_path)}")
                    address += chunk
        except BaseException:
            self.close()
            raise
        finally:
            os.close(read_end)
        self.address = address.decode().strip()
        self.env = dict(server.env, DBUS_SESSION_BUS_ADDRESS=self.address)
        self.env.pop("AT_SPI_BUS_ADDRESS", None)

    def program_env(self):
        """What the program's environment needs to publish itself on this bus."""
        return {"DBUS_SESSION_BUS_ADDRESS": self.address, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    def tree(self, pid, timeout=20):
        """The accessibility tree of process pid: nested dicts with role, name, text
        (None where there is no text interface), caret (the caret's offset in the
        text, None without one), selected (a list entry chosen), extents
        [x, y, w, h] on the screen (None where unknown) and children."""
        def dump():
            try:
                done = subprocess.run(["/usr/bin/python3", "-c", _DUMP, str(pid)], env=self.env,
                                      capture_output=True, timeout=timeout)
            except subprocess.TimeoutExpired:
                self.last_error = "pyatspi did not answer"
                return None
            if done.returncode == 0 and done.stdout.strip():
                return json.loads(done.stdout)
            self.last_error = done.stderr.decode(errors="replace")[-2000:]
            return None
        return wait_until(dump, timeout, f"process {pid} on the accessibility bus", interval=0.5,
                          details=lambda: self.last_error)

    def close(self):
        """Ends the bus and what it started (bus launcher, registry): they are in the
        daemon's own process group."""
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.proc.pid, signal.SIGKILL)
                self.proc.wait()


def tree(program, timeout=20):
    bus = getattr(program, "a11y_bus", None)
    if bus is None:
        raise E2EFailure("start the program with accessibility=True to read its accessibility tree")
    return bus.tree(program.pid, timeout)


def find(node, predicate):
    """Every node of a tree for which predicate(node) holds, in tree order."""
    found = [node] if predicate(node) else []
    for child in node["children"]:
        found += find(child, predicate)
    return found


def at(program, window, design, name, roles, timeout=20):
    """The object of one of roles whose extents match a control's designed place
    in window within a few pixels."""
    left, top, width, height = design.rect(name)
    wx, wy, _, _ = window.geometry()
    want = (wx + left, wy + top, width, height)

    def lookup():
        def error(node):
            return sum(abs(a - b) for a, b in zip(node["extents"], want))
        matches = find(tree(program, timeout),
                       lambda n: n["role"] in roles and n["extents"] and error(n) <= 8)
        return min(matches, key=error) if matches else None
    return wait_until(lookup, timeout, f"an accessible {'/'.join(roles)} at {name}'s place {want}", interval=0.3)


def text_at(program, window, design, name, timeout=20):
    """The edit text of the object at a control's place, else its accessible name
    (a label's or button's caption)."""
    node = at(program, window, design, name, ("label", "text", "push button", "check box"), timeout)
    return node["text"] if node["text"] is not None else node["name"]


def list_entries(program, window, design, name, timeout=20):
    """The entries of the list box at a control's place, in order."""
    node = at(program, window, design, name, ("list",), timeout)
    return [child["name"] for child in node["children"] if child["role"] == "list item"]


def box_text(program, box, timeout=20):
    """What a message box says: the texts of the labels of the top-level object
    at the box window's place, joined with LF, CR left out."""
    def lookup():
        want = box.geometry()
        for top in tree(program, timeout)["children"]:
            if top["extents"] and sum(abs(a - b) for a, b in zip(top["extents"], want)) <= 8:
                labels = find(top, lambda n: n["role"] == "label" and n["name"])
                return "\n".join(n["name"].replace("\r", "") for n in labels) or None
        return None
    return wait_until(lookup, timeout, f"the text of {box!r}", interval=0.3)
