"""Runs the real Glintbox.exe under Wine and looks at it from outside, as a user would.

The caller provides DISPLAY (a private Xvfb) and WINEPREFIX (a prefix used only by these
tests); tests/e2e/run sets both up.
"""

import contextlib
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
EXE = Path(os.environ.get("GLINTBOX_EXE", ROOT / "build" / "win64" / "Glintbox.exe"))
# The same program with its drive counters read from counters.txt beside it.
COUNTERS_EXE = Path(os.environ.get("GLINTBOX_COUNTERS_EXE",
                                   EXE.parent / "GlintboxFileCounters.exe"))
LOGS = ROOT / "build" / "logs" / "e2e"

# Wine's first start in a fresh prefix brings up its services; later starts take about a second.
START_TIMEOUT = 30.0
# Geometry unchanged this long counts as settled: a move follows the pointer within a few
# hundredths of a second.
QUIET = 0.6

# What the build says of the program: its version, its web page, the names of its files.
PRODUCT = json.loads((EXE.parent / "product.json").read_text(encoding="utf-8")) \
    if (EXE.parent / "product.json").is_file() else {}
# The maker's page as the program names it: where the build set none, the manual stands for it.
MAKER_PAGE = PRODUCT.get("maker_page") or PRODUCT.get("manual", "")

DEFAULT_INI_LINES = [
    f"; Glintbox {PRODUCT.get('version_string', '')}",
    f"; {MAKER_PAGE}",
    "; ",
    "[Settings]",
    "WinX = 400",
    "WinY = 10",
    "Locked = No",
    "Auto Hide Disconnected = No",
    "Explore Drive With Mouse Button = 3",
    "Vertical Mode = No",
    "Show Icon Lines = Yes",
    "Show Small Square On Icon = Yes",
    "Drives = 11111111111111111111111111",
    "ReadColor = 00D800",
    "WriteColor = FF2626",
    "BackColor = 000000",
    "TextColor = FFFFFF",
    "IconSize = 1",
    "Custom IconSize = 10",
    "Window Transperancy = 255",
    "Device Detect Interval (seconds) = 10",
    "Turn off Device Detect Interval = No",
    "Minimize Button = No",
    "Persistant Window = No",
    "Click-Through = No",
    "Dual Icon Window Mode = No",
    "Window Snap and Limiting = Yes",
    "Ignore On-Top upon First-Time Run = No",
    "Always Show TrayIcon = No",
]
DEFAULT_INI = "".join(line + "\r\n" for line in DEFAULT_INI_LINES).encode("ascii")


def windows_path(path):
    """A Linux path as the program sees it under Wine: drive Z: is the root."""
    return "Z:" + str(path).replace("/", "\\")


def wine_command(exe):
    """The command that starts a program under Wine. GLINTBOX_E2E_START=start goes through
    start.exe, which runs the program in another process than the wine command's, as the wine
    command does for 64-bit programs where 32-bit Wine is installed: the tests find the program's
    process by its path, never by the wine command's pid."""
    if os.environ.get("GLINTBOX_E2E_START") == "start":
        return ["wine", "start", "/wait", "/unix", str(exe)]
    return ["wine", str(exe)]


def wine_process(exe):
    """The pid of the process of this prefix that runs exe (started by its Linux or its Windows
    path), or None."""
    names = {str(exe), windows_path(exe).lower()}
    prefix = f"WINEPREFIX={os.environ.get('WINEPREFIX', '')}".encode()
    with os.scandir("/proc") as entries:
        for entry in entries:
            if not entry.name.isdigit():
                continue
            try:
                argv0 = (Path(entry.path) / "cmdline").read_bytes().split(b"\0")[0].decode(
                    "utf-8", "replace")
                if argv0 not in names and argv0.lower() not in names:
                    continue
                if prefix in (Path(entry.path) / "environ").read_bytes().split(b"\0"):
                    return int(entry.name)
            except OSError:
                continue
    return None


def on_desktops():
    """Whether this run is the one that tests/e2e/run starts on the desktops' prefix."""
    return os.environ.get("WINEPREFIX") == os.environ.get("GB_DESKTOP_WINEPREFIX", "")


def desktop_test(test):
    """Marks a test method or class as one that needs the desktops of use_desktop."""
    test.desktops = True
    return test


def needs_desktops(test):
    return getattr(test, "desktops", False) or getattr(
        getattr(test, test._testMethodName, None), "desktops", False)


_desktop = None


def use_desktop(monitors=1, taskbar=0, dpi=96):
    """Shows the programs started next one 1280 x 1024 monitor or two side by side, a taskbar
    that high along their bottom and that DPI (scripts/lib/desktop.sh); ends every program of
    the prefix when that changes."""
    global _desktop
    if _desktop != (monitors, taskbar, dpi):
        result = subprocess.run(
            ["bash", "-c", f'source "{ROOT}/scripts/lib/common.sh" && gb_use_desktop "$@"', "-",
             str(monitors), str(taskbar), str(dpi)], capture_output=True, text=True, timeout=60)
        if result.returncode != 0 or not on_desktops():
            raise RuntimeError(f"no desktop of {monitors} monitors here: {result.stderr}")
        os.environ["DISPLAY"] = result.stdout.strip()
        _desktop = (monitors, taskbar, dpi)


def wine_runs_32bit():
    """Whether this prefix runs 32-bit programs: a WoW64 prefix and a 32-bit Wine that starts
    (kernels without 32-bit support refuse it)."""
    prefix = os.environ.get("WINEPREFIX")
    if not prefix or not (Path(prefix) / "drive_c/windows/syswow64/kernel32.dll").is_file():
        return False
    try:
        return subprocess.run(["/usr/lib/wine/wine", "--version"], capture_output=True,
                              timeout=30).returncode == 0
    except OSError:
        return False


def settings_ini(changes):
    """The default settings file with some values replaced, e.g. {"Vertical Mode": "Yes"}."""
    unknown = set(changes) - {line.split(" = ")[0] for line in DEFAULT_INI_LINES}
    if unknown:
        raise KeyError(f"not settings keys: {sorted(unknown)}")
    lines = []
    for line in DEFAULT_INI_LINES:
        key = line.split(" = ")[0]
        lines.append(f"{key} = {changes[key]}" if key in changes else line)
    return "".join(line + "\r\n" for line in lines).encode("ascii")

_work_dir = None


def work_dir():
    """One folder for the whole run. /tmp is Z:\\tmp\\ to Wine: no "\\Temp\\" in its path, so the
    program keeps its INI file beside itself."""
    global _work_dir
    if _work_dir is None:
        _work_dir = Path(tempfile.mkdtemp(prefix="glintbox-e2e."))
        if "/Temp/" in str(_work_dir) + "/":
            raise RuntimeError(f"{_work_dir}: a folder with /Temp/ in its path moves the INI file")
    return _work_dir


def remove_work_dir():
    if _work_dir is not None:
        shutil.rmtree(_work_dir, ignore_errors=True)


def wait_until(predicate, timeout, interval=0.1):
    """Polls predicate until it returns something true; returns that, or None on time-out."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)


def xdotool_search(*args):
    result = subprocess.run(["xdotool", "search", *args], capture_output=True, text=True,
                            timeout=10)
    return [int(w) for w in result.stdout.split()]


def end_window_process(window):
    """Ends the process that shows an X window."""
    result = subprocess.run(["xdotool", "getwindowpid", str(window)], capture_output=True,
                            text=True, timeout=10)
    if result.stdout.strip().isdigit():
        with contextlib.suppress(OSError):
            os.kill(int(result.stdout), signal.SIGKILL)


def window_geometry(window):
    """(x, y, width, height) of an X window, or None once it is gone. Wine's borderless
    windows have no frame, so this is also the client area."""
    result = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(window)],
                            capture_output=True, text=True, timeout=10)
    values = dict(line.split("=", 1) for line in result.stdout.split() if "=" in line)
    try:
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
    except (KeyError, ValueError):
        return None


def xdotool(*args, check=False):
    subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=10,
                   check=check)


def screen_size():
    """The root window's size: on two monitors, both."""
    result = subprocess.run(["xwininfo", "-root"], capture_output=True, text=True, timeout=10,
                            check=True)
    return tuple(int(re.search(rf"{key}: +(\d+)", result.stdout)[1]) for key in ("Width", "Height"))


def viewable(window):
    result = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True,
                            timeout=10)
    return "Map State: IsViewable" in result.stdout


def click(x, y, button=1, times=1):
    """Clicks at a screen point; repeated clicks come 80 ms apart, well within the double-click
    time."""
    xdotool("mousemove", x, y, "click", "--repeat", times, "--delay", 80, button)


def slow_press(x, y, button=1):
    """Presses and releases at a screen point 0.1 s apart, as a hand does: Wine's message-box
    buttons miss a press and release that arrive together."""
    xdotool("mousemove", x, y, "mousedown", button)
    time.sleep(0.1)
    xdotool("mouseup", button)


def choose_menu_item(n):
    """Under Wine an open popup menu takes the keyboard: Down n times selects the n-th item
    (separators are skipped), Return chooses it."""
    xdotool("key", "--delay", 30, *["Down"] * n, "Return")


# Without a system tray on the X display, Wine shows the notification icons in a window of
# its own, owned by the prefix's explorer.exe and shared by every program of the prefix.
TRAY_TITLE = "^Wine System Tray$"


def tray_window():
    """(x, y, width, height) of the tray window while it is shown, else None. Wine hides it
    again (about 2 s later) once its last icon is gone."""
    for window in xdotool_search("--all", "--onlyvisible", "--name", TRAY_TITLE):
        geometry = window_geometry(window)
        if geometry:
            return geometry
    return None


def tray_icon_position(index=0):
    """The centre of the tray window's index-th icon, or None while the window is hidden. Wine
    lays the icons out from the left as square cells as tall as the window (a 16 x 16 icon
    and its border)."""
    geometry = tray_window()
    if geometry is None:
        return None
    x, y, _, height = geometry
    return (x + index * height + height // 2, y + height // 2)


class Pixels:
    """A screen area as 8-bit RGB; pixels[x, y] counts from the area's top left."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def __getitem__(self, xy):
        x, y = xy
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) outside {self.width} x {self.height}")
        at = 3 * (y * self.width + x)
        return tuple(self.data[at:at + 3])


def grab_screen(x, y, width, height):
    """The pixels of a screen area as the X server shows them (ImageMagick's import)."""
    result = subprocess.run(
        ["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage",
         "-depth", "8", "ppm:-"], capture_output=True, timeout=30)
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", result.stdout)
    if header is None:
        raise RuntimeError(f"import gave no picture: {result.stderr.decode(errors='replace')}")
    w, h = int(header.group(1)), int(header.group(2))
    return Pixels(w, h, result.stdout[header.end():header.end() + 3 * w * h])


class Glintbox:
    """One copy of the program in a folder of its own, started with wine from another empty
    folder (cwd), so that a file written to the current directory is not taken for one written
    beside the program."""

    def __init__(self, folder, cwd, name="Glintbox.exe"):
        self.folder = Path(folder)
        self.cwd = Path(cwd)
        self.name = name
        self.proc = None
        self._pid = None
        self._led_window = None

    @property
    def exe(self):
        return self.folder / self.name

    @property
    def ini(self):
        return self.folder / "Glintbox.ini"

    def write_counters(self, counters):
        """Gives the counters build its drive counters, e.g. {"C": (120, 7)}; the file is
        replaced in one step, so that the program never reads half of it."""
        text = "".join(f"{letter} {reads} {writes}\r\n"
                       for letter, (reads, writes) in counters.items())
        part = self.folder / "counters.txt.part"
        part.write_text(text, encoding="ascii")
        os.replace(part, self.folder / "counters.txt")

    def start(self, env=None):
        """Starts the program; env adds to the environment."""
        log = open(LOGS / f"{self.folder.name}.log", "ab")
        self.proc = subprocess.Popen(
            wine_command(self.exe), cwd=self.cwd, stdin=subprocess.DEVNULL, stdout=log,
            stderr=log, env={**os.environ, **(env or {})})
        log.close()
        return self

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def pid(self):
        """The program's own process, once it runs: the wine command's may be another."""
        if self._pid is None and self.running():
            self._pid = wine_process(self.exe)
        return self._pid

    def windows(self, name_regex, *options):
        """X windows of this process whose title matches name_regex (shown or hidden)."""
        pid = self.pid()
        if pid is None:
            return []
        return xdotool_search("--all", *options, "--pid", str(pid), "--name", name_regex)

    def visible_windows(self, name_regex=""):
        """The program's X windows that are shown now (menus and message boxes included)."""
        return self.windows(name_regex, "--onlyvisible")

    def led_window(self):
        """The X window of the LED window, or None before it exists. It is made once, before
        any message box with the same title, so it has the lowest id of them."""
        if self._led_window is None:
            windows = self.windows("^Glintbox$")
            self._led_window = min(windows) if windows else None
        return self._led_window

    def led_shown(self):
        return self.led_window() in self.visible_windows("^Glintbox$")

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.running():
            pid = self.pid()
            if pid is not None and pid != self.proc.pid:
                with contextlib.suppress(OSError):
                    os.kill(pid, signal.SIGKILL)
            self.proc.kill()
        if self.proc is not None:
            self.proc.wait(10)


class GlintboxTestCase(unittest.TestCase):
    """Gives each test fresh folders with a copy of the program and ends what it started."""

    def setUp(self):
        LOGS.mkdir(parents=True, exist_ok=True)
        self._programs = []
        if on_desktops():
            use_desktop()

    def tearDown(self):
        for program in self._programs:
            program.stop()

    def fresh_folder(self, under=""):
        parent = work_dir() / under
        parent.mkdir(parents=True, exist_ok=True)
        return Path(tempfile.mkdtemp(prefix=self._testMethodName + ".", dir=parent))

    def fresh_copy(self, ini_bytes=None, under="", exe=EXE, name="Glintbox.exe"):
        """A copy of the program (or of exe) named name in a new folder below work_dir()/under."""
        folder = self.fresh_folder(under)
        shutil.copy2(exe, folder / name)
        if ini_bytes is not None:
            (folder / "Glintbox.ini").write_bytes(ini_bytes)
        program = Glintbox(folder, self.fresh_folder("cwd"), name)
        self._programs.append(program)
        return program

    @contextlib.contextmanager
    def started_copy(self, ini_bytes=None, under="", exe=EXE):
        """A started fresh copy that is ended when the block is left, also on failure, so that
        the next case of a table is not refused as a second instance."""
        program = self.fresh_copy(ini_bytes, under, exe).start()
        try:
            yield program
        finally:
            program.stop()

    def screenshot(self, label):
        path = LOGS / f"{self._testMethodName}-{label}.png"
        subprocess.run(["import", "-window", "root", str(path)], capture_output=True, timeout=30)
        return path

    def fail_with_screenshot(self, message):
        self.fail(f"{message} (screen: {self.screenshot('failure')})")

    def wait_for(self, predicate, timeout, what):
        value = wait_until(predicate, timeout)
        if not value:
            self.fail_with_screenshot(f"{what}: not seen within {timeout:.0f} s")
        return value

    def wait_for_ini(self, program, unlike=None, timeout=START_TIMEOUT, path=None):
        """Waits until the INI file (beside the program unless path is given) exists, is not
        empty, differs from unlike and reads the same twice 0.2 s apart (a file still being
        written is not taken); returns its bytes."""
        path = path or program.ini

        def settled():
            if not path.is_file():
                return None
            first = path.read_bytes()
            time.sleep(0.2)
            second = path.read_bytes() if path.is_file() else b""
            if first != second or not second or second == unlike:
                return None
            return second

        content = wait_until(settled, timeout)
        if content is None:
            state = "not written" if unlike is None else "not replaced"
            self.fail_with_screenshot(f"{path} {state} within {timeout:.0f} s; "
                                      f"program running: {program.running()}")
        return content

    def assertDefaultIni(self, content):
        # Compared as lines, so that a failure names the line; the final "" is the CR LF that
        # ends the last line.
        self.assertEqual(content.decode("latin-1").split("\r\n"), [*DEFAULT_INI_LINES, ""])

    def wait_for_led_window(self, program, size, timeout=START_TIMEOUT, settled=3.0):
        """Waits until the program's window titled Glintbox is width x height; returns its
        (x, y, width, height). Every layout first passes through a reset width of 8, so any
        other size that holds for `settled` seconds is taken as final, and a wrong one fails
        then rather than at the time-out."""
        seen = {"geometries": None, "since": 0.0}

        def sized():
            if not program.running():
                return "ended"
            geometries = [window_geometry(w) for w in program.windows("^Glintbox$")]
            match = next((g for g in geometries if g and g[2:] == tuple(size)), None)
            if match:
                return match
            if geometries != seen["geometries"]:
                seen.update(geometries=geometries, since=time.monotonic())
            elif (geometries and all(g and g[2] != 8 for g in geometries)
                  and time.monotonic() - seen["since"] > settled):
                return "settled"
            return None

        geometry = wait_until(sized, timeout)
        if geometry in (None, "ended", "settled"):
            self.fail_with_screenshot(
                f"no Glintbox window of {size[0]} x {size[1]}; last seen (x, y, w, h): "
                f"{seen['geometries']}; running: {program.running()}")
        return geometry

    def led_window(self, program, size):
        """The X window of the program's LED window once it has its size; (id, geometry)."""
        geometry = self.wait_for_led_window(program, size)
        # By size: the limiter may move the window right after its layout.
        window = self.wait_for(
            lambda: next((w for w in program.windows("^Glintbox$")
                          if (window_geometry(w) or ())[2:] == tuple(size)), None), 10,
            "the LED window")
        return window, window_geometry(window) or geometry

    def settled_geometry(self, window, what, timeout=10):
        """Waits until the window's geometry has not changed for QUIET seconds; returns it."""
        seen = {"geometry": None, "since": 0.0}

        def settled():
            geometry = window_geometry(window)
            now = time.monotonic()
            if geometry != seen["geometry"]:
                seen.update(geometry=geometry, since=now)
                return None
            return geometry if geometry and now - seen["since"] >= QUIET else None

        geometry = wait_until(settled, timeout, interval=0.05)
        if geometry is None:
            self.fail_with_screenshot(f"{what}: the window did not settle within {timeout} s; "
                                      f"last seen (x, y, w, h): {seen['geometry']}")
        return geometry

    def wait_until_hidden(self, program, timeout=10.0):
        """Waits until the LED window is unmapped; without a window manager Wine takes about
        2 s to hide a window."""
        self.wait_for(lambda: not program.led_shown() or not program.running(), timeout,
                      "the LED window hidden")
        self.assertTrue(program.running(), "the program ended")

    def wait_until_shown(self, program, timeout=10.0):
        self.wait_for(lambda: program.led_shown() or not program.running(), timeout,
                      "the LED window shown")
        self.assertTrue(program.running(), "the program ended")

    def open_menu(self, program, x, y, button=3, timeout=10.0):
        """Clicks at (x, y) and waits for a new window of the program to be shown: the popup
        menu. Returns its X window and its (x, y, width, height)."""
        before = set(program.visible_windows())
        click(x, y, button)

        def menu():
            for window in set(program.visible_windows()) - before - {program.led_window()}:
                geometry = window_geometry(window)
                if geometry:
                    return window, geometry
            return None

        return self.wait_for(menu, timeout, f"a menu after a click ({button}) at ({x}, {y})")

    def close_menu(self, program, menu, timeout=5.0):
        """Escape closes the open menu (the X window open_menu returned)."""
        xdotool("key", "Escape")
        self.wait_for(lambda: menu not in program.visible_windows(), timeout,
                      "the menu closed by Escape")

    def choose(self, program, item, x=None, y=None):
        """Opens the menu by a right click on the LED window (at its third pixel row, or at
        (x, y)) and chooses the item numbered as in the menu, top to bottom."""
        if x is None:
            x0, y0, _, _ = window_geometry(program.led_window())
            x, y = x0 + 20, y0 + 2
        self.open_menu(program, x, y)
        choose_menu_item(item)

    def wait_for_message_box(self, program, title, timeout=10.0):
        """The X window of a message box of the program captioned title: under Wine a top-level
        window with that title."""
        pattern = "^" + re.escape(title) + "$"

        def box():
            boxes = [w for w in program.visible_windows(pattern) if w != program.led_window()]
            return boxes[0] if boxes else None

        return self.wait_for(box, timeout, f"a message box captioned {title!r}")

    # The keys that press a message box's buttons: the underlined letters, Return the default.
    BOX_KEYS = {"Yes": "y", "No": "n", "OK": "Return"}

    def answer_message_box(self, program, title, button, timeout=10.0):
        """Presses a button of the program's message box captioned title by its key and waits
        until the box is gone (or the program has ended)."""
        box = self.wait_for_message_box(program, title)

        def closed():
            return box not in program.visible_windows() or not program.running()

        # Sent to the box itself: without a window manager the keyboard focus does not follow
        # it. A closed box stays on the screen for about 2 s; one still there after 4 s may have
        # missed the key while it was being set up, and is given it once more.
        for wait in (4.0, timeout):
            xdotool("key", "--window", box, self.BOX_KEYS[button])
            if wait_until(closed, wait):
                return
        self.fail_with_screenshot(f"the box {title!r} not closed by {button}")

    def wait_for_tray(self, shown, timeout=10.0):
        """Waits until the tray window is shown (returns its geometry) or hidden."""
        if shown:
            return self.wait_for(tray_window, timeout, "the tray window shown")
        self.wait_for(lambda: tray_window() is None, timeout, "the tray window hidden")
        return None

    def wait_until_started(self, program):
        """The main window exists (shown or not) once the settings are loaded."""
        self.wait_for(lambda: program.windows("^Glintbox$") or not program.running(),
                      START_TIMEOUT, "the Glintbox window")
        self.assertTrue(program.running(), "the program ended during start-up")
