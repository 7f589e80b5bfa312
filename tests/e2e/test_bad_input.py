"""Settings files a user, an editor or another program may leave behind: junk, a huge file,
other encodings and line ends, odd keys, absurd values, a file that cannot be read or replaced,
a folder that cannot be written. Whatever the file, the program starts with a window laid out
for the values it must have clamped to, never rewrites the file on reading, and a save writes a
complete file in its own format or leaves the old one as it was."""

import os
import random
import signal
import subprocess
from pathlib import Path

from harness import (EXE, LOGS, START_TIMEOUT, GlintboxTestCase, choose_menu_item, grab_screen,
                     screen_size, settings_ini, wait_until, windows_path, wine_command,
                     wine_process)

SAVE_POSITION = 8  # the menu item, counted from the top
# Another program that holds a file open sharing nothing (tests/e2e/stub/hold_file.c).
HOLDER = EXE.parent / "hold_file.exe"
WRITE_TIMEOUT = 10.0
# Saves are written at once; nothing within this time after the menu has closed is nothing.
NO_WRITE_WATCH = 1.5

S1, S2, S3 = 18, 24, 30  # icon sizes 1, 2, 3
# Under Wine C: and Z: are the drives present.
C_AND_Z = "00100000000000000000000001"


def size(edge, icons, vertical=False, button=False):
    """The window of one row (or column) of icons: the last separator line is cut off, and the
    minimize button adds its 8-pixel strip."""
    strip = 8 if button else 0
    if vertical:
        return edge - 1, icons * edge + strip
    return icons * edge - 1 + strip, edge


def int32(value):
    """The low 32 bits of a number, as the reader keeps them."""
    return (value + 2**31) % 2**32 - 2**31


# A file without a [Settings] group, or one that cannot be read, gives every key its fallback:
# the window at 0, 0, no lines and no square, the rest as the defaults.
FALLBACKS = {"WinX": "0", "WinY": "0", "Show Icon Lines": "No", "Show Small Square On Icon": "No"}
ROW = size(S1, 26)


def junk(length, seed):
    data = random.Random(seed).randbytes(length)
    assert b"[settings]" not in data.lower()
    return data


class BadInputTestCase(GlintboxTestCase):
    def check_start(self, program, original, window, where):
        """The window has its size and place, and the file is as it was."""
        # The limiter moves the window right after its layout: its place once it stays put.
        led, _ = self.led_window(program, window)
        geometry = self.settled_geometry(led, "the window after start-up")
        self.assertEqual(geometry[:2], where, "the window is not where the values put it")
        self.assertTrue(program.running(), "the program ended")
        if original is None:
            self.assertFalse(program.ini.exists(), "a settings file was written")
        else:
            self.assertEqual(program.ini.read_bytes(), original, "the file was rewritten")
        return geometry

    def save(self, program, geometry):
        """Save Window Position, chosen from the menu opened at the window's middle; returns once
        the menu has closed."""
        x, y, width, height = geometry
        menu, _ = self.open_menu(program, x + width // 2, y + height // 2)
        choose_menu_item(SAVE_POSITION)
        self.wait_for(lambda: menu not in program.visible_windows() or not program.running(),
                      10, "the menu closed")

    def check_saved(self, program, before, expected):
        """After a save: the expected file, or with expected None the file as it was before."""
        if expected is None:
            changed = wait_until(lambda: not program.ini.exists()
                                 or program.ini.read_bytes() != before, NO_WRITE_WATCH)
            self.assertFalse(changed, "the file was written")
        else:
            self.assertEqual(self.wait_for_ini(program, before, WRITE_TIMEOUT), expected)
        self.assertFalse((program.folder / "Glintbox.ini.tmp").exists(), "a temporary file is left")
        self.assertTrue(program.running(), "the program ended")
        self.assertTrue(program.led_shown(), "the LED window is not shown")


class UnusualFilesTest(BadInputTestCase):
    def test_each_file_is_read_as_far_as_it_goes_and_saved_whole(self):
        _, height = screen_size()
        odd_keys = (b"; spaced and cased by hand\r\n"
                    b"[SETTINGS]\r\n"
                    b"   winx=250\r\n"
                    b"WINY   =   600   \r\n"
                    b"\ticonsize\t=\t3\t\r\n"
                    b"VERTICAL MODE = yes\r\n"
                    b"drives =   11000000000000000000000000   \r\n"
                    b"minimize button=YES\r\n"
                    b"Show  Icon  Lines = Yes\r\n"  # not the key: its spaces differ
                    b"Locked\r\n"
                    b"= Yes\r\n"
                    + b"; " + b"." * 60 + b"\r\n")
        # Each number keeps its low 32 bits: 2^31 and $FFFFFFFF are negative, 2^32 is 0.
        absurd = {"WinX": "-99999999999", "WinY": "99999999999", "Locked": "",
                  "IconSize": "$FFFFFFFF", "Custom IconSize": "2147483648",
                  "Window Transperancy": "4294967296",
                  "Device Detect Interval (seconds)": "%1" + "0" * 31,
                  "Explore Drive With Mouse Button": "4294967297", "Vertical Mode": "",
                  "Drives": ""}
        # Far left and far below the screen: pulled in.
        self.assertLess(int32(-99999999999), 0)
        self.assertGreater(int32(99999999999), height)
        absurd_y = height - 10
        huge = {"WinX": "100", "WinY": "100", "IconSize": "4", "Custom IconSize": "99999",
                "Drives": "00100000000000000000000000"}
        huge_y = max(0, min(100, height - 1024))
        colours = {"WinX": "100", "WinY": "700", "ReadColor": "FF", "WriteColor": "GHIJKL",
                   "BackColor": "2040608", "TextColor": "abc"}
        utf8 = ("\ufeff; Glintbox – Einstellungen für Jürgen, 日本語\r\n"
                "[Settings]\r\n"
                "WinX = 120\r\nWinY = 300\r\n"
                "Straße = grün\r\n"
                "IconSize = 2\r\n"
                "Drives = 00111100000000000000000000\r\n"
                "; Größe ändern, Schriftart wählen, Farben für Lesen und Schreiben\r\n"
                "; Ä Ö Ü é ñ ø\r\n").encode("utf-8")
        dual = {"WinX": "200", "WinY": "500", "IconSize": "3", "Drives": C_AND_Z,
                "Dual Icon Window Mode": "Yes"}
        big_tail = {"WinX": "150", "WinY": "350", "Vertical Mode": "Yes", "Drives": C_AND_Z}
        big = (b"; padding\r\n" * (10 * 1024 * 1024 // 11)) + settings_ini(big_tail)
        # (name, file, window size, where it opens, what a save writes).
        cases = [
            ("200 bytes of junk", junk(200, 1), ROW, (0, 0), settings_ini(FALLBACKS)),
            ("1 MB of junk, then a group",
             junk(1 << 20, 2) + b"\r\n[Settings]\r\nIconSize = 3\r\n", size(S3, 26), (0, 0),
             settings_ini({**FALLBACKS, "IconSize": "3"})),
            # 10 MB of comments before the group: the reader goes all the way.
            ("10 MB", big, size(S1, 2, vertical=True), (150, 350), settings_ini(big_tail)),
            ("UTF-8 with its mark", utf8, size(S2, 4), (120, 300),
             settings_ini({"WinX": "120", "WinY": "300", "IconSize": "2",
                           "Drives": "00111100000000000000000000", "Show Icon Lines": "No",
                           "Show Small Square On Icon": "No"})),
            # Not a code page's text: no group is found.
            ("UTF-16 with its mark", settings_ini(dual).decode("ascii").encode("utf-16"), ROW,
             (0, 0), settings_ini(FALLBACKS)),
            # Dual mode with two icons: one column of two.
            ("CR line ends", settings_ini(dual).replace(b"\r\n", b"\r"), (S3 - 1, 2 * S3),
             (200, 500), settings_ini(dual)),
            ("keys in odd case and spacing", odd_keys, size(S3, 2, vertical=True, button=True),
             (250, 600),
             settings_ini({"WinX": "250", "WinY": "600", "IconSize": "3", "Vertical Mode": "Yes",
                           "Drives": "11000000000000000000000000", "Minimize Button": "Yes",
                           "Show Icon Lines": "No", "Show Small Square On Icon": "No"})),
            # Below 10, the custom size also selects size 4; the position is pulled in.
            ("absurd numbers", settings_ini(absurd), size(10, 26), (0, absurd_y),
             settings_ini({"WinX": "0", "WinY": str(absurd_y), "IconSize": "4",
                           "Window Transperancy": "10",
                           "Explore Drive With Mouse Button": "1"})),
            # The largest icons, 1024 pixels: one icon fills the screen's height.
            ("icon size far above its range", settings_ini(huge), size(1024, 1), (100, huge_y),
             settings_ini({**huge, "WinY": str(huge_y), "Custom IconSize": "1024"})),
            ("colours of odd length", settings_ini(colours), ROW, (100, 700),
             settings_ini({**colours, "TextColor": "ABC"})),
        ]
        for name, original, window, where, saved in cases:
            with self.subTest(name), self.started_copy(original) as program:
                self.assertGreaterEqual(len(original), 200)
                geometry = self.check_start(program, original, window, where)
                if name == "colours of odd length":
                    self.check_colours(geometry)
                self.save(program, geometry)
                self.check_saved(program, original, saved)

    def check_colours(self, geometry):
        """BackColor 2040608: red 20, green 40 and blue its last two characters; TextColor abc:
        red AB, green C, blue BC. The background shows at the top left of icon A, the text colour
        in the square of drive C."""
        pixels = grab_screen(*geometry)
        self.assertEqual(pixels[1, 1], (0x20, 0x40, 0x08))
        self.assertEqual(pixels[2 * S1 + 14, 0], (0xAB, 0x0C, 0xBC))

    def test_drive_masks_of_every_length(self):
        ones = "1" * 24
        # (name, Drives, icons shown, what the file gets back).
        cases = [
            # A mask of old versions: no A and B, and auto-hide off with it.
            ("24", ones, 24, "00" + ones),
            ("25", "10" * 12 + "1", 13, "10" * 12 + "1"),
            ("26", "01" * 13, 13, "01" * 13),
            # Cut to 26: nothing selected, which keeps C.
            ("27", "0" * 26 + "1", 1, "00100000000000000000000000"),
            ("300", "0" * 25 + "1" * 275, 1, "0" * 25 + "1"),
        ]
        for name, mask, icons, saved in cases:
            # Auto-hide on would show the drives present whatever the mask; the old mask turns it
            # off.
            changes = {"WinX": "100", "WinY": "200", "Drives": mask,
                       "Auto Hide Disconnected": "Yes" if len(mask) == 24 else "No"}
            original = b"; by hand\r\n" + settings_ini(changes)
            with self.subTest(name), self.started_copy(original) as program:
                geometry = self.check_start(program, original, size(S1, icons), (100, 200))
                self.save(program, geometry)
                self.check_saved(program, original, settings_ini(
                    {**changes, "Drives": saved, "Auto Hide Disconnected": "No"}))


class UnwritableTest(BadInputTestCase):
    HAND_EDITED = b"; mine\r\n" + settings_ini({"WinX": "300", "WinY": "400", "IconSize": "2"})

    def test_read_only_file(self):
        program = self.fresh_copy(self.HAND_EDITED)
        program.ini.chmod(0o444)
        program.start()
        geometry = self.check_start(program, self.HAND_EDITED, size(S2, 26), (300, 400))
        self.save(program, geometry)
        # Frozen by its user: left alone, although Wine would let a move replace it.
        self.check_saved(program, self.HAND_EDITED, None)

    def test_file_locked_by_another_program(self):
        self.assertTrue(HOLDER.is_file(), f"{HOLDER} is not built")
        program = self.fresh_copy(self.HAND_EDITED)
        log = open(LOGS / f"{program.folder.name}-holder.log", "ab")
        holder = subprocess.Popen([*wine_command(HOLDER), windows_path(program.ini), "120"],
                                  stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        try:
            self.wait_for(Path(str(program.ini) + ".held").is_file, START_TIMEOUT,
                          "the file held by another program")
            program.start()
            # Unreadable: the fallbacks, and no save may replace the user's file with them.
            geometry = self.check_start(program, self.HAND_EDITED, ROW, (0, 0))
            self.save(program, geometry)
            self.check_saved(program, self.HAND_EDITED, None)
        finally:
            if wine_process(HOLDER) is not None:
                os.kill(wine_process(HOLDER), signal.SIGKILL)
            holder.kill()
            holder.wait(10)
        self.assertEqual(program.ini.read_bytes(), self.HAND_EDITED)

    def test_folder_that_cannot_be_written(self):
        program = self.fresh_copy()
        with unwritable(program.folder) as how:
            if how is None:
                self.skipTest("no way to make a folder unwritable here")
            program.start()
            # Nowhere to keep the file: the program runs on the defaults.
            geometry = self.check_start(program, None, ROW, (400, 10))
            self.save(program, geometry)
            self.assertFalse(program.ini.exists(), f"a settings file was written ({how})")
            self.assertFalse((program.folder / "Glintbox.ini.tmp").exists())
            self.assertTrue(program.running(), "the program ended")


class unwritable:
    """Makes a folder unwritable for the duration: without write permission, or, where that does
    not stop the user (root), immutable. The value is how, or None when nothing worked."""

    def __init__(self, folder):
        self.folder = Path(folder)
        self.how = None

    def writable(self):
        probe = self.folder / ".probe"
        try:
            probe.write_bytes(b"")
        except OSError:
            return False
        probe.unlink()
        return True

    def __enter__(self):
        self.mode = self.folder.stat().st_mode
        os.chmod(self.folder, 0o555)
        if not self.writable():
            self.how = "no write permission"
            return self.how
        result = subprocess.run(["chattr", "+i", str(self.folder)], capture_output=True)
        if result.returncode == 0 and not self.writable():
            self.how = "immutable"
        return self.how

    def __exit__(self, *exc):
        if self.how == "immutable":
            subprocess.run(["chattr", "-i", str(self.folder)], capture_output=True)
        os.chmod(self.folder, self.mode)
        return False
