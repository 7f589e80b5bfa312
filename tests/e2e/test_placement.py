"""Where the LED window goes and what it does with clicks: dragged by an icon, kept inside the
work area of its monitor (one or two, with a taskbar or none), clicks passed through to the
window beneath, and its transparency."""

import os
import re
import signal
import subprocess
import time

from harness import (EXE, LOGS, GlintboxTestCase, desktop_test, grab_screen, screen_size,
                     settings_ini, use_desktop, viewable, wait_until, window_geometry,
                     windows_path, wine_command, wine_process, xdotool, xdotool_search)
from test_menu_and_tray import SAVE_POSITION, hand_edited

# A plain window that records the left clicks it gets (tests/e2e/stub/click_recorder.c).
RECORDER_EXE = EXE.parent / "click_recorder.exe"

S = 18  # icon size 1
WIDTH = 26 * S - 1  # the default window: 26 icons, the last separator cut off
START = (400, 10)
# Desktops as (monitors, taskbar height): one 1280 x 1024 monitor, or two side by side with a
# taskbar along their bottom; the second monitor's left edge is at 1280.
ONE, TWO = (1, 0), (2, 30)
TASKBAR_TOP = 1024 - 30
# Let Wine see every mouse step as an event of its own.
PAUSE = 0.15
# The program answers a release with click-through only after its window has hidden, which
# takes about 2 s without a window manager; nothing arriving in twice that time is nothing.
NO_REPLAY_WATCH = 4.0

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
BLUE = (0, 0, 255)


def icon_point(geometry, icon):
    """The middle of the icon at the given index of a one-row window."""
    return geometry[0] + icon * S + S // 2, geometry[1] + S // 2


def blend(top, beneath, alpha):
    return tuple(round((t * alpha + b * (255 - alpha)) / 255) for t, b in zip(top, beneath))


def near(pixel, colour, tolerance=3):
    return all(abs(p - c) <= tolerance for p, c in zip(pixel, colour))


class ClickRecorder:
    """click_recorder.exe at a place and size, painted in one colour; clicks() reads back the
    left presses and releases it got, in its client coordinates."""

    def __init__(self, folder, geometry, colour):
        self.geometry = tuple(geometry)
        self.file = folder / "clicks.txt"
        self.file.write_bytes(b"")
        log = open(LOGS / f"{folder.name}.log", "ab")
        wine_path = windows_path(self.file)
        self.proc = subprocess.Popen(
            [*wine_command(RECORDER_EXE), *map(str, geometry), wine_path,
             "%02X%02X%02X" % colour], cwd=folder, stdin=subprocess.DEVNULL,
            stdout=log, stderr=log)
        log.close()

    def shown(self):
        pid = wine_process(RECORDER_EXE)
        windows = xdotool_search("--pid", str(pid), "--name", "^Click recorder$") if pid else []
        return any(window_geometry(w) == self.geometry and viewable(w) for w in windows)

    def clear(self):
        self.file.write_bytes(b"")

    def clicks(self):
        return [(what, int(x), int(y)) for what, x, y in
                (line.split() for line in self.file.read_text(encoding="ascii").splitlines())]

    def stop(self):
        pid = wine_process(RECORDER_EXE)
        if pid is not None:
            os.kill(pid, signal.SIGKILL)
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.wait(10)


@desktop_test
class PlacementTest(GlintboxTestCase):
    def led_window(self, program, size=(WIDTH, S)):
        return super().led_window(program, size)

    def assertSeen(self, seen, expected, what):
        """assertEqual with a screenshot named after what."""
        if seen != expected:
            screen = self.screenshot(re.sub(r"\W+", "_", what).strip("_"))
            self.fail(f"{what}: seen {seen}, expected {expected} (screen: {screen})")

    def start_recorder(self, geometry, colour=BLUE):
        if not RECORDER_EXE.is_file():
            self.fail(f"{RECORDER_EXE} does not exist: build it first")
        recorder = ClickRecorder(self.fresh_folder("recorder"), geometry, colour)
        self.addCleanup(recorder.stop)
        self.wait_for(recorder.shown, 30, f"the click recorder at {geometry}")
        return recorder

    def test_drag_by_an_icon_and_save_the_position(self):
        width, height = screen_size()
        half_past_right = width - WIDTH // 2
        # (name, desktop, settings, where the window opens, whether it follows the pointer,
        # drags); a drag grabs the icon at an index and aims the window at a position; then
        # where the window must be after the release. Save Window Position then stores that.
        cases = [
            ("free", ONE, {}, START, True, [
                ("by (100, 100)", 2, (500, 110), (500, 110)),
                ("half past the right edge", 2, (half_past_right, 300), (width - WIDTH, 300)),
                # A far edge (the bottom) and a near one (the left) at once.
                ("past the bottom left corner", 12, (-125, height - 10), (0, height - S)),
            ]),
            # Nothing pulls the window in: neither the start nor the drop.
            ("limiter off", ONE, {"Window Snap and Limiting": "No", "WinX": str(width - 100)},
             (width - 100, 10), True, [
                 ("half past the right edge", 2, (half_past_right, 300), (half_past_right, 300)),
             ]),
            ("locked", ONE, {"Locked": "Yes"}, START, False, [
                ("by (100, 100)", 2, (500, 110), START),
            ]),
            # The pointer stays above the taskbar: Wine's move loop keeps it in the work area.
            ("two monitors", TWO, {}, START, True, [
                ("onto the second", 2, (1500, 300), (1500, 300)),
                ("across their edge, mostly on the second", 2, (1200, 300), (1280, 300)),
                ("over the taskbar", 2, (1600, TASKBAR_TOP - 14), (1600, TASKBAR_TOP - S)),
            ]),
        ]
        for name, desktop, changes, opens, follows, drags in cases:
            use_desktop(*desktop)
            screen = screen_size()
            with self.subTest(name), self.started_copy(hand_edited(changes)) as program:
                window, geometry = self.led_window(program)
                self.assertSeen(geometry, (*opens, WIDTH, S), f"{name}, opened")
                for what, icon, aim, after in drags:
                    before = geometry[:2]
                    grab = icon_point(geometry, icon)
                    target = (grab[0] + aim[0] - before[0], grab[1] + aim[1] - before[1])
                    self.assertTrue(0 <= target[0] < screen[0] and 0 <= target[1] < screen[1],
                                    target)
                    held, geometry = self.drag(window, grab, target, what)
                    self.assertSeen(held, (*(aim if follows else before), WIDTH, S),
                                    f"{name}, {what}, button held")
                    self.assertSeen(geometry, (*after, WIDTH, S), f"{name}, {what}, released")
                self.choose(program, SAVE_POSITION)
                self.assertSeen(self.wait_for_ini(program, hand_edited(changes)), settings_ini(
                    {**changes, "WinX": str(geometry[0]), "WinY": str(geometry[1])}),
                    f"{name}, the file after Save Window Position")

    def drag(self, window, grab, target, what):
        """Presses at grab, moves to target in steps and releases; returns the window's settled
        geometry while the button is held and after the release."""
        xdotool("mousemove", *grab, check=True)
        time.sleep(PAUSE)
        xdotool("mousedown", 1, check=True)
        try:
            time.sleep(PAUSE)
            for step in (1, 2, 3):
                xdotool("mousemove", grab[0] + (target[0] - grab[0]) * step // 3,
                        grab[1] + (target[1] - grab[1]) * step // 3)
                time.sleep(PAUSE)
            held = self.settled_geometry(window, f"{what}, button held")
        finally:
            xdotool("mouseup", 1, check=True)
        return held, self.settled_geometry(window, f"{what}, released")

    def test_stored_position_off_the_screen_opens_inside_it(self):
        width, _ = screen_size()
        wide = 26 * 60 - 1
        self.assertGreater(wide, width, "the screen is too wide for the wide case")
        # (name, desktop, settings, window size, where it must open); with the limiter off see
        # the drags.
        cases = [
            ("where a second monitor was", ONE, {"WinX": "1700", "WinY": "500"}, (WIDTH, S),
             (width - WIDTH, 500)),
            # Far edge first, then the near one: a window wider than the screen aligns left.
            ("wider than the screen", ONE,
             {"WinX": "500", "IconSize": "4", "Custom IconSize": "60"}, (wide, 60), (0, 10)),
            ("on the second monitor", TWO, {"WinX": "1700", "WinY": "500"}, (WIDTH, S),
             (1700, 500)),
            ("over the first monitor's taskbar", TWO, {"WinY": "1000"}, (WIDTH, S),
             (400, TASKBAR_TOP - S)),
            ("past the second monitor's right edge and over its taskbar", TWO,
             {"WinX": "2500", "WinY": "1000"}, (WIDTH, S), (2560 - WIDTH, TASKBAR_TOP - S)),
        ]
        for name, desktop, changes, size, where in cases:
            use_desktop(*desktop)
            with self.subTest(name), self.started_copy(settings_ini(changes)) as program:
                window, _ = self.led_window(program, size)
                self.assertSeen(self.settled_geometry(window, name), (*where, *size), name)

    def test_click_through_passes_a_click_on_an_icon_to_the_window_beneath(self):
        # Beneath the whole default window, with a margin; the LED window stays on top of it.
        recorder = self.start_recorder((380, 0, 520, 60))
        point = icon_point(START, 2)
        inside = (point[0] - recorder.geometry[0], point[1] - recorder.geometry[1])
        click = [("down", *inside), ("up", *inside)]
        # (name, settings, clicks on the icon, what the recorder gets). Unlocked, a press on an
        # icon is the start of a drag, the second one of a double click too.
        cases = [
            ("on, locked", {"Click-Through": "Yes", "Locked": "Yes"}, 1, click),
            ("off, locked", {"Click-Through": "No", "Locked": "Yes"}, 1, []),
            ("on, locked, a double click", {"Click-Through": "Yes", "Locked": "Yes"}, 2,
             click * 2),
            ("on, unlocked, a double click", {"Click-Through": "Yes", "Locked": "No"}, 2, []),
        ]
        for what, changes, clicks, expected in cases:
            with self.subTest(what):
                recorder.clear()
                with self.started_copy(settings_ini(changes)) as program:
                    window, geometry = self.led_window(program)
                    # The icons drawn over the recorder: a click there is the LED window's.
                    self.wait_for(lambda: BLUE not in self.pixels_of(geometry), 10,
                                  "the LED window drawn above the recorder")
                    xdotool("mousemove", *point, check=True)
                    time.sleep(PAUSE)
                    # A hand's clicks: well within the double-click time.
                    for _ in range(clicks):
                        xdotool("mousedown", 1, check=True)
                        time.sleep(0.1)
                        xdotool("mouseup", 1, check=True)
                        time.sleep(0.1)
                    if expected:
                        self.wait_for(lambda: len(recorder.clicks()) >= len(expected), 15,
                                      "the replayed clicks in the recorder")
                        self.wait_for(lambda: viewable(window), 10,
                                      "the LED window shown again")
                    else:
                        self.watch(lambda: not recorder.clicks() and viewable(window),
                                   NO_REPLAY_WATCH, "the recorder untouched, the LED window shown")
                    self.assertSeen(recorder.clicks(), expected, f"{what}, the recorder's clicks")
                    self.assertSeen(self.settled_geometry(window, what), geometry,
                                    f"{what}, the window's place")

    def pixels_of(self, geometry):
        pixels = grab_screen(*geometry)
        return {pixels[x, y] for x in range(pixels.width) for y in range(pixels.height)}

    def watch(self, predicate, seconds, what):
        """Fails as soon as predicate stops holding within the given time."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if not predicate():
                self.fail_with_screenshot(f"{what}: no longer so")
            time.sleep(0.1)

    def test_transparency_blends_the_window_with_what_lies_beneath(self):
        # Layered windows are drawn blended only by a compositing manager.
        compositor = subprocess.Popen(["xcompmgr"], stdin=subprocess.DEVNULL,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def stop_compositor():
            compositor.terminate()
            compositor.wait(10)

        self.addCleanup(stop_compositor)
        self.start_recorder((380, 0, 520, 60), BLUE)
        # Icon A's background columns and its separator line (column 17).
        background = [(x, y) for y in range(S) for x in (0, 1, 2, 3, 16)]
        line = [(S - 1, y) for y in range(S)]
        for alpha in (128, 255):
            back, white = blend(BLACK, BLUE, alpha), blend(WHITE, BLUE, alpha)
            with self.subTest(alpha=alpha):
                self.assertIsNone(compositor.poll(), "xcompmgr ended")
                ini = settings_ini({"Window Transperancy": str(alpha)})
                with self.started_copy(ini) as program:
                    _, geometry = self.led_window(program)
                    # Away from the icons: a tooltip would cover them.
                    xdotool("mousemove", 1000, 600, check=True)
                    last = []

                    def drawn():
                        pixels = grab_screen(*geometry)
                        last[:] = [(sorted({pixels[p] for p in background}),
                                    sorted({pixels[p] for p in line}))]
                        exact = alpha == 255
                        return (all(near(pixels[p], back, 0 if exact else 3) for p in background)
                                and all(near(pixels[p], white, 0 if exact else 3) for p in line))

                    if not wait_until(drawn, 10, interval=0.1):
                        self.fail_with_screenshot(
                            f"expected background {back} and line {white}; "
                            f"seen {last[0] if last else 'nothing'}")
