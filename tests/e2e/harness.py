"""End-to-end harness: the real tessara in a private Xvfb, driven by xdotool.

Run with Debian's /usr/bin/python3 (it has python3-xlib). Each test gets its
own X server and its own empty start directory; see E2ETestCase.

Pitfalls this module handles for its users:
- Japanese titles: windows are found through _NET_WM_PID and the UTF-8
  _NET_WM_NAME (python3-xlib), never with `xdotool search --name`.
- There is no window manager: the harness gives a window the input focus
  itself, and waits until the server reports it before any key is sent (a
  window that has just been mapped drops keys); windows are closed with a
  WM_DELETE_WINDOW client message, as a window manager would.
- Keys and clicks are real XTEST events from xdotool, so they go to whatever
  has the focus or lies under the pointer: focus the window first.
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

try:
    from Xlib import X, Xatom, display as xdisplay, error as xerror, protocol
except ImportError:  # pragma: no cover - a machine without the packages
    sys.exit("the end-to-end tests need Debian's /usr/bin/python3 with python3-xlib "
             "(apt-get install xvfb xdotool xclip imagemagick python3-xlib at-spi2-core python3-pyatspi)")

SOURCE_DIR = Path(__file__).resolve().parents[2]
TWIPS_PER_PIXEL = 15
SCREEN = (1280, 1024, 24)
# ImageMagick's own convert; an unrelated `convert` may come first on PATH.
CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"
IMPORT = "/usr/bin/import" if os.path.exists("/usr/bin/import") else "import"


class E2EFailure(AssertionError):
    """A wait that ran out or a step that could not be done; counts as a test failure."""


def wait_until(predicate, timeout, what, interval=0.05, details=None):
    """Polls predicate() until it returns something truthy and returns that.

    Raises E2EFailure naming `what` (and details(), when given) after timeout
    seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            message = f"timed out after {timeout:g} s waiting for {what}"
            if details is not None:
                message += "\n" + details()
            raise E2EFailure(message)
        time.sleep(interval)


def wait_equal(getter, expected, timeout, what):
    """Waits until getter() == expected; on time-out the failure shows the last value."""
    last = []

    def matches():
        last[:] = [getter()]
        return last[0] == expected
    wait_until(matches, timeout, f"{what} to be {expected!r}", details=lambda: f"it is {last[0]!r}" if last else "")


def to_pixels(tw):
    """Twips to pixels as the program rounds them (15 twips a pixel, half away from zero)."""
    return int(tw / TWIPS_PER_PIXEL + (0.5 if tw >= 0 else -0.5))


# ---------------------------------------------------------------------------
# Design tables: where the program puts its controls


class Design:
    """A window's designed client size and control rectangles, in pixels."""

    def __init__(self, header):
        text = Path(header).read_text(encoding="utf-8")
        self.header = str(header)
        width = re.search(r"ClientWidth\s*=\s*(\d+)", text)
        height = re.search(r"ClientHeight\s*=\s*(\d+)", text)
        if not width or not height:
            raise E2EFailure(f"no ClientWidth/ClientHeight in {header}")
        self.client_twips = (int(width.group(1)), int(height.group(1)))
        self.controls_twips = {}
        for m in re.finditer(r'\{u"(\w+)",\s*(-?\d+),\s*(-?\d+),\s*(-?\d+),\s*(-?\d+),\s*(-?\d+)\}', text):
            self.controls_twips[m.group(1)] = tuple(int(v) for v in m.group(2, 3, 4, 5))
        if not self.controls_twips:
            raise E2EFailure(f"no control table in {header}")

    @property
    def client_size(self):
        """(width, height) of the client area in pixels."""
        return tuple(to_pixels(v) for v in self.client_twips)

    def rect(self, name):
        """(left, top, width, height) of a control in client pixels."""
        if name not in self.controls_twips:
            raise E2EFailure(f"no control {name!r} in {self.header}")
        return tuple(to_pixels(v) for v in self.controls_twips[name])

    def center(self, name):
        """The middle of a control in client pixels."""
        left, top, width, height = self.rect(name)
        return left + width // 2, top + height // 2


MAIN = Design(SOURCE_DIR / "src/core/TesselFrmDesign.h")
SAVEAS = Design(SOURCE_DIR / "src/browse/SaveasFrmDesign.h")
SEARCH = Design(SOURCE_DIR / "src/search/SearchFrmDesign.h")


# ---------------------------------------------------------------------------
# Where things are: the program, the screenshot folder


def tessara_exe():
    """The program under test: $TESSARA_EXE, else build/tessara in the source tree."""
    exe = os.environ.get("TESSARA_EXE") or str(SOURCE_DIR / "build" / "tessara")
    if not os.access(exe, os.X_OK):
        raise E2EFailure(f"program not found or not executable: {exe} (pass it as the first argument or set TESSARA_EXE)")
    return exe


def shots_dir():
    """Folder for screenshots that outlive the test: $TESSARA_E2E_SHOTS, else ./e2e-shots."""
    path = Path(os.environ.get("TESSARA_E2E_SHOTS") or Path.cwd() / "e2e-shots")
    path.mkdir(parents=True, exist_ok=True)
    return path


def main():
    """Runs the unittest tests of the calling file. A first argument that is a file
    names the program under test (CTest passes $<TARGET_FILE:tessara>); the rest
    are unittest's (test names, -k PATTERN, -f)."""
    if len(sys.argv) > 1 and os.path.isfile(sys.argv[1]):
        os.environ["TESSARA_EXE"] = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)


# ---------------------------------------------------------------------------
# The X server


def _tail(path, lines=20):
    try:
        text = Path(path).read_text(errors="replace").splitlines()
    except OSError:
        return ""
    return "\n".join(text[-lines:])


class XServer:
    """A private Xvfb on a free display number, with an Xlib connection to it."""

    def __init__(self, scratch, size=SCREEN, timeout=15):
        self.log_path = Path(scratch) / "xvfb.log"
        read_end, write_end = os.pipe()
        width, height, depth = size
        with open(self.log_path, "wb") as log:
            # -br: a black root, so that only windows show in a screenshot.
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x{depth}",
                 "-nolisten", "tcp", "-br", "-noreset"],
                pass_fds=(write_end,), stdout=log, stderr=log, stdin=subprocess.DEVNULL,
                start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or self.proc.poll() is not None:
                    raise E2EFailure(f"Xvfb did not report a display within {timeout} s:\n{_tail(self.log_path)}")
                ready, _, _ = select.select([read_end], [], [], left)
                if ready:
                    chunk = os.read(read_end, 64)
                    if not chunk:
                        raise E2EFailure(f"Xvfb closed -displayfd without a number:\n{_tail(self.log_path)}")
                    number += chunk
        except BaseException:
            self.proc.kill()
            self.proc.wait()
            raise
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.x = xdisplay.Display(self.name)
        self.root = self.x.screen().root
        self._atoms = {}

    def atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = self.x.intern_atom(name)
        return self._atoms[name]

    def close(self):
        try:
            self.x.close()
        except Exception:
            pass
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    # -- tools run against this display --------------------------------------

    def run(self, *argv, timeout=20, check=True, input=None):
        """Runs a command with DISPLAY set to this server; returns its stdout bytes."""
        try:
            done = subprocess.run(argv, env=self.env, capture_output=True, timeout=timeout, input=input)
        except subprocess.TimeoutExpired:
            raise E2EFailure(f"{argv[0]} did not finish within {timeout} s: {' '.join(map(str, argv))}")
        if check and done.returncode != 0:
            raise E2EFailure(f"{' '.join(map(str, argv))} failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
        return done.stdout

    def xdotool(self, *args):
        """Any xdotool command line, e.g. xdotool('keydown', 'ctrl', 'key', 's', 'keyup', 'ctrl')."""
        return self.run("xdotool", *map(str, args)).decode(errors="replace")

    def key(self, *keys, delay_ms=30):
        """Presses and releases each key in turn (xdotool names: 'Return', 'F1', 'ctrl+s')."""
        self.xdotool("key", "--delay", delay_ms, *keys)

    def keydown(self, *keys):
        self.xdotool("keydown", *keys)

    def keyup(self, *keys):
        self.xdotool("keyup", *keys)

    def chord(self, modifier, key):
        """modifier down, key pressed and released, modifier up: the order a person types."""
        self.xdotool("keydown", modifier, "key", key, "keyup", modifier)

    def type_text(self, text, delay_ms=20):
        """Types text key by key. Characters the keyboard lacks (Japanese) get
        spare keys first: xdotool's own remapping for each character races with
        the program's reading of the new keymap and loses characters."""
        self.add_keys(text)
        self.xdotool("type", "--delay", delay_ms, "--", text)

    def add_keys(self, chars, settle=0.5):
        """Gives every character in chars that has no key a spare key of its own,
        then waits for programs to take in the new keymap."""
        first = self.x.display.info.min_keycode
        count = self.x.display.info.max_keycode - first + 1
        keymap = self.x.get_keyboard_mapping(first, count)
        present = {sym for row in keymap for sym in row if sym}
        wanted = []
        for ch in dict.fromkeys(chars):
            if ch in "\n\t":
                continue
            code = ord(ch)
            sym = code if 0x20 <= code <= 0x7e or 0xa0 <= code <= 0xff else 0x1000000 + code
            if sym not in present:
                wanted.append(sym)
        if not wanted:
            return
        spare = [first + i for i, row in enumerate(keymap) if not any(row)]
        if len(spare) < len(wanted):
            raise E2EFailure(f"only {len(spare)} spare keys for {len(wanted)} characters; type fewer distinct characters at once")
        width = len(keymap[0])
        for keycode, sym in zip(spare, wanted):
            self.x.change_keyboard_mapping(keycode, [[sym] * width])
        self.x.sync()
        time.sleep(settle)

    def _move_args(self, x, y):
        # `mousemove --sync` waits until the pointer has moved: to where it
        # already is, that takes xdotool some 15 s.
        pointer = self.root.query_pointer()
        sync = [] if (pointer.root_x, pointer.root_y) == (x, y) else ["--sync"]
        return ["mousemove", *sync, x, y]

    def move_pointer(self, x, y):
        """Moves the pointer to root coordinates."""
        self.xdotool(*self._move_args(x, y))

    def click_at(self, x, y, button=1, repeat=1):
        """Moves to root coordinates and clicks (repeat=2 for a double-click)."""
        self.xdotool(*self._move_args(x, y), "click", "--repeat", repeat, "--delay", 80, button)

    def clipboard(self, selection="clipboard", timeout=10):
        """Text of the clipboard (or 'primary'), asked from its owner with xclip;
        empty when nobody owns it."""
        return self.run("xclip", "-selection", selection, "-o", timeout=timeout, check=False).decode("utf-8", errors="replace")

    def set_clipboard(self, text, selection="clipboard"):
        """Puts text on the clipboard; xclip serves it until someone else owns it
        (it ends with the X server)."""
        # xclip stays behind to serve the selection: give it no pipes to hold open.
        try:
            subprocess.run(["xclip", "-selection", selection, "-i"], input=text.encode("utf-8"), env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10, check=True)
        except (subprocess.TimeoutExpired, subprocess.CalledProcessError) as e:
            raise E2EFailure(f"xclip could not take the clipboard: {e}")

    def screenshot(self, path, rect=None):
        """The whole screen, or (x, y, w, h) of it, into a PNG file; returns the path."""
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        argv = [IMPORT, "-display", self.name, "-window", "root"]
        if rect is not None:
            x, y, w, h = rect
            argv += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        self.run(*argv, str(path), timeout=30)
        return path

    # -- windows ---------------------------------------------------------------

    def set_work_area(self, x, y, width, height):
        """Says on the root window, as a desktop with docks and panels does, that
        windows belong in this part of the screen (_NET_WORKAREA, announced in
        _NET_SUPPORTED)."""
        self.root.change_property(self.atom("_NET_SUPPORTED"), Xatom.ATOM, 32, [self.atom("_NET_WORKAREA")])
        self.root.change_property(self.atom("_NET_WORKAREA"), Xatom.CARDINAL, 32, [x, y, width, height])
        self.x.sync()

    def input_focus(self):
        """Id of the window that has the keyboard focus (0, or 1 for PointerRoot)."""
        focus = self.x.get_input_focus().focus
        return focus if isinstance(focus, int) else focus.id

    def top_windows(self, pid=None):
        """Top-level windows (mapped or not), optionally of one process, as Window objects."""
        found = []
        for child in self.root.query_tree().children:
            try:
                prop = child.get_full_property(self.atom("_NET_WM_PID"), X.AnyPropertyType)
                if prop is None or (pid is not None and prop.value[0] != pid):
                    continue
                found.append(Window(self, child, prop.value[0]))
            except xerror.XError:
                continue  # gone while we looked
        return found


class Window:
    """One top-level window; positions are in pixels, client-relative unless said otherwise."""

    def __init__(self, server, xwin, pid):
        self.server = server
        self.xwin = xwin
        self.id = xwin.id
        self.pid = pid

    def __repr__(self):
        try:
            return f"<Window 0x{self.id:x} {self.title!r} mapped={self.mapped} {self.geometry()}>"
        except xerror.XError:
            return f"<Window 0x{self.id:x} (gone)>"

    @property
    def title(self):
        """The UTF-8 _NET_WM_NAME, else WM_NAME."""
        prop = self.xwin.get_full_property(self.server.atom("_NET_WM_NAME"), self.server.atom("UTF8_STRING"))
        if prop is not None:
            return bytes(prop.value).decode("utf-8", errors="replace")
        prop = self.xwin.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
        value = prop.value if prop is not None else b""
        return value.decode("latin-1") if isinstance(value, bytes) else str(value)

    @property
    def mapped(self):
        return self.xwin.get_attributes().map_state == X.IsViewable

    def geometry(self):
        """(x, y, width, height): the client area's place on the screen and its size.
        With no window manager there is no frame, so this is also the window's place."""
        geo = self.xwin.get_geometry()
        origin = self.server.root.translate_coords(self.xwin, 0, 0)
        return origin.x, origin.y, geo.width, geo.height

    @property
    def position(self):
        return self.geometry()[:2]

    @property
    def size(self):
        return self.geometry()[2:]

    def exists(self):
        try:
            self.xwin.get_attributes()
            return True
        except xerror.XError:
            return False

    def focus(self, timeout=10, settle=0.2):
        """Gives the window the keyboard focus and waits until the server reports it,
        then a moment more for the program to take it in."""
        def focused():
            if self.server.input_focus() == self.id:
                return True
            self.xwin.set_input_focus(X.RevertToParent, X.CurrentTime)
            self.server.x.sync()
            return self.server.input_focus() == self.id
        wait_until(focused, timeout, f"the input focus on {self!r}", interval=0.1)
        time.sleep(settle)

    def to_root(self, x, y):
        wx, wy, _, _ = self.geometry()
        return wx + x, wy + y

    def click(self, x, y, button=1, repeat=1):
        """Clicks at client coordinates."""
        self.server.click_at(*self.to_root(x, y), button=button, repeat=repeat)

    def click_control(self, design, name, button=1, repeat=1, offset=None):
        """Clicks a control at its designed place: its middle, or offset (dx, dy)
        from its top-left corner."""
        if offset is None:
            x, y = design.center(name)
        else:
            left, top, _, _ = design.rect(name)
            x, y = left + offset[0], top + offset[1]
        self.click(x, y, button=button, repeat=repeat)

    def hover_control(self, design, name):
        """Rests the pointer on the middle of a control."""
        self.server.move_pointer(*self.to_root(*design.center(name)))

    def close(self):
        """Asks the window to close, as a window manager does: a WM_DELETE_WINDOW client message."""
        protocols = self.server.atom("WM_PROTOCOLS")
        event = protocol.event.ClientMessage(
            window=self.xwin, client_type=protocols,
            data=(32, [self.server.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        self.xwin.send_event(event, event_mask=X.NoEventMask)
        self.server.x.sync()

    def wait_closed(self, timeout=10):
        """Waits until the window is unmapped or destroyed."""
        def closed():
            try:
                return not self.mapped
            except xerror.XError:
                return True
        wait_until(closed, timeout, f"window 0x{self.id:x} to close")

    def screenshot(self, path):
        """The window's client area into a PNG file."""
        return self.server.screenshot(path, self.geometry())


# ---------------------------------------------------------------------------
# The program


class _OtherProcess:
    """Enough of Popen to poll, wait for and kill a process this test did not start
    (a copy started by another copy, detached from it): its exit status is unknown."""

    def __init__(self, pid):
        self.pid = pid
        self.returncode = None

    def poll(self):
        if self.returncode is None:
            try:
                state = Path(f"/proc/{self.pid}/stat").read_text().rsplit(")", 1)[1].split()[0]
            except (OSError, IndexError):
                state = "X"
            if state in ("Z", "X"):
                self.returncode = "unknown"
        return self.returncode

    def wait(self, timeout=None):
        wait_until(lambda: self.poll() is not None, timeout or 3600, f"process {self.pid} to end")
        return self.returncode

    def kill(self):
        try:
            os.kill(self.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


class Program:
    """One running copy of tessara, started in start_dir on the given server."""

    def __init__(self, server, start_dir, log_path, exe=None, lang="C.UTF-8", env=None, args=(), prefix=()):
        """exe: the program, a path or a name looked up in env's PATH (default:
        tessara_exe()); args: its command line after the program; env: variables
        to set, None for one to remove; prefix: a command that runs the program
        in its own process, e.g. ["prlimit", "--fsize=8192", "--"]."""
        self.server = server
        self.start_dir = Path(start_dir)
        self.log_path = Path(log_path)
        full_env = dict(server.env, QT_QPA_PLATFORM="xcb", LANG=lang, LC_ALL=lang,
                        XDG_RUNTIME_DIR=str(self.log_path.parent))
        full_env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
        for name, value in (env or {}).items():
            if value is None:
                full_env.pop(name, None)
            else:
                full_env[name] = value
        with open(self.log_path, "wb") as log:
            self.proc = subprocess.Popen([*prefix, exe or tessara_exe(), *args], cwd=self.start_dir, env=full_env,
                                         stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                         start_new_session=True)
        self.pid = self.proc.pid

    @classmethod
    def attach(cls, server, pid, start_dir, log_path, a11y_bus=None):
        """A copy that another copy started: found by its pid, not started here."""
        program = cls.__new__(cls)
        program.server = server
        program.start_dir = Path(start_dir)
        program.log_path = Path(log_path)
        program.proc = _OtherProcess(pid)
        program.pid = pid
        program.a11y_bus = a11y_bus
        return program

    def describe(self):
        """What the program shows and said, for failure messages."""
        state = "running" if self.proc.poll() is None else f"exited with {self.proc.returncode}"
        try:
            windows = self.server.top_windows(self.pid)
        except Exception as e:  # the server itself may be the problem
            windows = [f"(cannot list windows: {e})"]
        return f"tessara pid {self.pid} {state}; windows: {windows}\nits output:\n{_tail(self.log_path)}"

    def windows(self, title=None, mapped=True):
        """The program's top-level windows, by exact title and mapped state."""
        result = []
        for w in self.server.top_windows(self.pid):
            try:
                if mapped is not None and w.mapped != mapped:
                    continue
                if title is not None and w.title != title:
                    continue
            except xerror.XError:
                continue
            result.append(w)
        return result

    def wait_window(self, title, timeout=30, focus=True):
        """Waits for a mapped top-level window with this exact title; gives it the
        focus unless told not to."""
        def found():
            if self.proc.poll() is not None:
                raise E2EFailure(f"tessara ended while waiting for a window {title!r}\n{self.describe()}")
            windows = self.windows(title)
            return windows[0] if windows else None
        window = wait_until(found, timeout, f"a mapped window titled {title!r}", details=self.describe)
        if focus:
            window.focus()
        return window

    def wait_exit(self, timeout=20):
        """Waits for the process to end; returns its exit status."""
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure(f"tessara did not exit within {timeout} s\n{self.describe()}")

    def kill(self):
        if isinstance(self.proc, _OtherProcess):
            self.proc.kill()
            return
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait()

    # -- the main window's controls, read and used as a person would ------------

    def open_listed(self, window, name, timeout=20):
        """Chooses name in the file list with a click and presses 開く."""
        self.click_list_item(window, MAIN, "File", name, timeout)
        window.click_control(MAIN, "OpenBtn")

    def edit_text(self, window, timeout=20):
        """The edit box's text as accessibility reports it (line breaks as LF)."""
        return self.a11y_text_at(window, MAIN, "EditTxt", timeout)

    # -- files in the start directory ------------------------------------------

    def path(self, name):
        return self.start_dir / name

    def bytes(self, name):
        return self.path(name).read_bytes()

    def exists(self, name):
        return self.path(name).exists()

    def wait_file(self, name, timeout=10, content=None):
        """Waits until a file exists in the start directory (with exactly content,
        when given); returns its bytes."""
        def ready():
            try:
                data = self.bytes(name)
            except OSError:
                return None
            return data if content is None or data == content else None
        return wait_until(ready, timeout, f"file {name!r}" + ("" if content is None else f" to hold {content!r}"),
                          details=self.describe)

    # -- accessibility (see a11y.py) ------------------------------------------

    def a11y_tree(self, timeout=20):
        """The program's accessibility tree (needs start(accessibility=True))."""
        import a11y
        return a11y.tree(self, timeout)

    def a11y_text_at(self, window, design, name, timeout=20):
        """What the label, button, check box or edit box at a control's designed place shows."""
        import a11y
        return a11y.text_at(self, window, design, name, timeout)

    def a11y_list_entries(self, window, design, name, timeout=20):
        """The entries of the list box at a control's designed place, in order."""
        import a11y
        return a11y.list_entries(self, window, design, name, timeout)

    def a11y_list_item(self, window, design, name, entry, timeout=20):
        """The screen rectangle (x, y, w, h) of the entry whose text is `entry` in the
        list box at a control's designed place; waits until the list shows it."""
        import a11y

        def lookup():
            node = a11y.at(self, window, design, name, ("list",), timeout)
            rects = [c["extents"] for c in node["children"]
                     if c["role"] == "list item" and c["name"] == entry and c["extents"]]
            return tuple(rects[0]) if rects else None
        return wait_until(lookup, timeout, f"an entry {entry!r} in {name}", interval=0.3)

    def a11y_box_text(self, box, timeout=20):
        """What a message box says: the texts of its labels, line breaks as LF."""
        import a11y
        return a11y.box_text(self, box, timeout)

    def click_list_item(self, window, design, name, entry, timeout=20):
        """Clicks the middle of an entry of a list box, found by its text."""
        x, y, w, h = self.a11y_list_item(window, design, name, entry, timeout)
        self.server.click_at(x + w // 2, y + h // 2)


def size_text(size, encoding=None):
    """What ByteLbl shows for a file of size bytes: whole kilobytes (a half to the
    even count), then the encoding's name unless it is Shift_JIS."""
    kilobytes = size // 1024 + (size % 1024 > 512 or (size % 1024 == 512 and size // 1024 % 2 == 1))
    return f"{kilobytes} KB" + (f" {encoding}" if encoding else "")


# ---------------------------------------------------------------------------
# Pictures


def pixels(path, rect=None):
    """The raw RGB bytes of a PNG, or of (x, y, w, h) of it, for exact comparison."""
    argv = [CONVERT, str(path)]
    if rect is not None:
        x, y, w, h = rect
        argv += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    argv += ["-depth", "8", "rgb:-"]
    done = subprocess.run(argv, capture_output=True, timeout=60)
    if done.returncode != 0:
        raise E2EFailure(f"{' '.join(argv)} failed: {done.stderr.decode(errors='replace')}")
    return done.stdout


def image_stats(path, rect=None):
    """(standard deviation 0..1, number of distinct colours) of a PNG, or of (x, y, w, h) of it."""
    argv = [CONVERT, str(path)]
    if rect is not None:
        x, y, w, h = rect
        argv += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    argv += ["-format", "%[fx:standard_deviation] %k", "info:"]
    done = subprocess.run(argv, capture_output=True, timeout=60)
    if done.returncode != 0:
        raise E2EFailure(f"{' '.join(argv)} failed: {done.stderr.decode(errors='replace')}")
    deviation, colours = done.stdout.decode().split()
    return float(deviation), int(colours)


# ---------------------------------------------------------------------------
# Test case base


REQUIRED_TOOLS = {"Xvfb": "xvfb", "xdotool": "xdotool", "xclip": "xclip", IMPORT: "imagemagick"}


class E2ETestCase(unittest.TestCase):
    """Each test gets a fresh X server (self.server), an empty start directory
    (self.start_dir) and the programs it starts with self.start() killed at the end."""

    @classmethod
    def setUpClass(cls):
        missing = [pkg for tool, pkg in REQUIRED_TOOLS.items() if shutil.which(tool) is None]
        if missing:
            raise E2EFailure("missing Debian packages for the end-to-end tests: " + " ".join(missing))
        tessara_exe()

    def setUp(self):
        self._start_tmp = tempfile.TemporaryDirectory(prefix="tessara-e2e-start-")
        self._scratch_tmp = tempfile.TemporaryDirectory(prefix="tessara-e2e-scratch-")
        self.addCleanup(self._start_tmp.cleanup)
        self.addCleanup(self._scratch_tmp.cleanup)
        self.start_dir = Path(self._start_tmp.name)
        self.scratch = Path(self._scratch_tmp.name)
        self.programs = []
        self.server = XServer(self.scratch)
        self.addCleanup(self.server.close)
        self.a11y = None
        self.addCleanup(self._stop_programs)

    def _failed(self):
        # unittest (3.11 on) has recorded a failure of this test by the time
        # cleanups run; where that cannot be seen, count it as failed.
        result = getattr(getattr(self, "_outcome", None), "result", None)
        if result is None:
            return True
        return any(test is self for test, _ in list(result.failures) + list(result.errors))

    def _stop_programs(self):
        if self.programs and self._failed():
            try:
                print(f"screen at the failure: {self.shot('at-failure')}", file=sys.stderr)
            except Exception as e:
                print(f"no screenshot at the failure: {e}", file=sys.stderr)
        for program in self.programs:
            program.kill()
        if self.a11y is not None:
            self.a11y.close()

    def start(self, start_dir=None, lang="C.UTF-8", env=None, accessibility=False, exe=None, args=(), prefix=()):
        """Starts tessara in start_dir (default: this test's start directory); exe,
        args, env and prefix as Program takes them."""
        extra = dict(env or {})
        if accessibility:
            if self.a11y is None:
                import a11y
                self.a11y = a11y.A11yBus(self.server, self.scratch)
            extra.update(self.a11y.program_env())
        log = self.scratch / f"tessara-{len(self.programs) + 1}.log"
        program = Program(self.server, start_dir or self.start_dir, log, exe=exe, lang=lang, env=extra, args=args,
                          prefix=prefix)
        program.a11y_bus = self.a11y if accessibility else None
        self.programs.append(program)
        return program

    def wait_other_copy(self, title="Tessara", timeout=30):
        """Waits for a mapped window titled title of a process this test did not
        start (a copy that a running copy started) and returns that copy, to be
        ended with the test; it shares the accessibility bus of the copies here."""
        def found():
            known = {p.pid for p in self.programs}
            for window in self.server.top_windows():
                try:
                    if window.pid not in known and window.mapped and window.title == title:
                        return window.pid
                except xerror.XError:
                    continue
            return None
        pid = wait_until(found, timeout, f"a window {title!r} of another copy",
                         details=lambda: "\n".join(p.describe() for p in self.programs))
        program = Program.attach(self.server, pid, self.start_dir, self.scratch / f"tessara-{pid}.log", self.a11y)
        self.programs.append(program)
        return program

    def stand_in_command(self, name):
        """Puts a command `name` into a folder of its own that records each call,
        its arguments one to a line after a line "--", in a file; returns (folder,
        record file). Put the folder first on the program's PATH."""
        folder = self.scratch / "stand-in-bin"
        folder.mkdir(exist_ok=True)
        record = self.scratch / f"{name}.calls"
        script = folder / name
        script.write_text(f"#!/bin/sh\n{{ echo --; printf '%s\\n' \"$@\"; }} >> '{record}'\n")
        script.chmod(0o755)
        return folder, record

    def shot(self, label, window=None):
        """A screenshot (of window, or the whole screen) kept in the shots folder;
        returns its path."""
        module = Path(getattr(sys.modules.get(type(self).__module__), "__file__", "e2e")).stem
        name = re.sub(r"[^A-Za-z0-9_.-]+", "_", f"{module}.{type(self).__name__}.{self._testMethodName}-{label}") + ".png"
        path = shots_dir() / name
        return window.screenshot(path) if window is not None else self.server.screenshot(path)
