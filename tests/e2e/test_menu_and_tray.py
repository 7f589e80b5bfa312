"""The popup menu and the tray icon, used as a user would: clicks and keys, and what they leave
on the screen, in the settings file and in the process list."""

import os
import re
import shutil
import subprocess

from harness import (EXE, PRODUCT, GlintboxTestCase, choose_menu_item, click, settings_ini, slow_press,
                     tray_icon_position, wait_until, window_geometry, windows_path, xdotool,
                     xdotool_search)

# Menu items, numbered top to bottom without the separators.
ABOUT, LOCK, SAVE_POSITION, MINIMIZE, ALWAYS_SHOW_TRAY_ICON = 1, 7, 8, 9, 10
DOCUMENTATION, RESTORE_DEFAULTS, EXIT, UNINSTALL, DONATION = 2, 11, 12, 13, 14

ROW = (467, 18)  # the default window: 26 icons in one row
ABOUT_CAPTION = f"About Glintbox {PRODUCT['version_string']}"
# Stands in for the uninstaller: writes its command line and current directory to a file.
RECORDER = EXE.parent / "record_command_line.exe"
# Stands in for a DLL left beside the program: leaves a file beside itself when it is loaded.
PLANTED_DLL = EXE.parent / "planted" / "winmm.dll"

# How long a click that should change nothing is watched. A menu or a shown window appears
# within a tenth of a second; this is also longer than the double-click time, so that the next
# click is not taken as the second of a double-click.
QUIET_SECONDS = 1.0
# A command writes the settings file at once.
WRITE_TIMEOUT = 10.0


def hand_edited(changes):
    """A settings file as a user may leave it: read as it is, and written back in the program's
    own format only when a command does so."""
    return b"; edited by hand\r\n" + settings_ini(changes)


class MenuTestCase(GlintboxTestCase):
    def start_at(self, x, y, changes=None, size=ROW):
        """Starts a copy with a hand-edited file that puts the window at (x, y); returns the
        program and the file's bytes."""
        original = hand_edited({"WinX": str(x), "WinY": str(y), **(changes or {})})
        program = self.fresh_copy(original).start()
        geometry = self.wait_for_led_window(program, size)
        self.assertEqual(geometry[:2], (x, y), "the window is not where the file puts it")
        return program, original

    def assert_file_unchanged(self, program, original):
        self.assertTrue(program.ini.is_file(), "the settings file is gone")
        self.assertEqual(program.ini.read_bytes(), original, "the settings file was rewritten")

    def assert_still_running(self, program, geometry):
        self.assertTrue(program.running(), "the program ended")
        self.assertTrue(program.led_shown(), "the LED window is not shown")
        self.assertEqual(window_geometry(program.led_window()), geometry, "the LED window moved")

    def watch_quietly(self, program, what):
        """Watches for QUIET_SECONDS that the program shows no window at all (the LED window is
        hidden) and runs on."""
        shown = wait_until(lambda: program.visible_windows() or not program.running(),
                           QUIET_SECONDS, interval=0.05)
        if shown:
            self.fail_with_screenshot(f"{what}: the program showed windows {shown} "
                                      f"(running: {program.running()})")


class PopupMenuTest(MenuTestCase):
    def test_right_click_opens_the_menu_at_the_pointer_and_escape_closes_it(self):
        program, original = self.start_at(300, 200)
        # The first icon, the middle one and the last pixel column of the window.
        for point in ((301, 201), (533, 209), (766, 217)):
            with self.subTest(point=point):
                menu, geometry = self.open_menu(program, *point)
                self.assertLessEqual(abs(geometry[0] - point[0]), 2, f"menu at {geometry}")
                self.assertLessEqual(abs(geometry[1] - point[1]), 2, f"menu at {geometry}")
                self.close_menu(program, menu)
                self.assert_still_running(program, (300, 200, *ROW))
        self.assert_file_unchanged(program, original)

    def test_about_box_is_captioned_with_the_version(self):
        program, original = self.start_at(300, 200)
        self.choose(program, ABOUT)
        self.answer_message_box(program, ABOUT_CAPTION, "OK")
        self.assert_still_running(program, (300, 200, *ROW))
        self.assert_file_unchanged(program, original)

    def test_save_window_position_writes_the_whole_file_with_the_position(self):
        program, original = self.start_at(300, 200)
        self.choose(program, SAVE_POSITION)
        self.assertEqual(self.wait_for_ini(program, original, WRITE_TIMEOUT),
                         settings_ini({"WinX": "300", "WinY": "200"}))

    def test_lock_unlock_writes_locked_yes_then_no(self):
        program, previous = self.start_at(300, 200)
        for locked in ("Yes", "No"):
            with self.subTest(locked=locked):
                self.choose(program, LOCK)
                content = self.wait_for_ini(program, previous, WRITE_TIMEOUT)
                self.assertEqual(content, settings_ini(
                    {"WinX": "300", "WinY": "200", "Locked": locked}))
                previous = content


class ConfirmedCommandsTest(MenuTestCase):
    def test_answering_no_changes_nothing(self):
        program, original = self.start_at(250, 120)
        for name, item in (("Exit", EXIT), ("Uninstall", UNINSTALL),
                           ("Restore defaults", RESTORE_DEFAULTS)):
            with self.subTest(name):
                self.choose(program, item)
                self.answer_message_box(program, "Glintbox", "No")
                self.assert_still_running(program, (250, 120, *ROW))
                self.assert_file_unchanged(program, original)

    def test_exit_yes_ends_the_program_and_writes_the_window_position(self):
        changes = {"Vertical Mode": "Yes", "Drives": "00100000000000000000000001"}
        program, original = self.start_at(250, 120, changes, size=(17, 36))
        self.choose(program, EXIT, 251, 121)
        self.answer_message_box(program, "Glintbox", "Yes")
        code = program.wait_exit(15)
        if code is None:
            self.fail_with_screenshot("the program did not end after Exit was confirmed")
        self.assertEqual(code, 0)
        self.assertEqual(program.ini.read_bytes(),
                         settings_ini({"WinX": "250", "WinY": "120", **changes}))

    def test_restore_defaults_rewrites_the_file_but_keeps_the_window_where_it_is(self):
        changes = {"Vertical Mode": "Yes", "Drives": "00100000000000000000000001",
                   "Locked": "Yes", "ReadColor": "0000FF", "Window Transperancy": "200"}
        program, original = self.start_at(250, 120, changes, size=(17, 36))
        self.choose(program, RESTORE_DEFAULTS, 251, 121)
        self.answer_message_box(program, "Glintbox", "Yes")
        self.assertEqual(self.wait_for_ini(program, original, WRITE_TIMEOUT),
                         settings_ini({"WinX": "250", "WinY": "120"}))
        self.assertEqual(self.wait_for_led_window(program, ROW), (250, 120, *ROW))
        self.assertTrue(program.led_shown())

    def test_uninstall_yes_deletes_the_file_starts_the_uninstaller_and_ends(self):
        self.assertTrue(RECORDER.is_file(), f"{RECORDER} is not built")
        for name, uninstaller in (("uninstaller present", True), ("no uninstaller", False)):
            with self.subTest(name):
                program, _ = self.start_at(250, 120)
                try:
                    self.uninstall(program, uninstaller)
                finally:
                    # A copy left running would refuse the next case as a second instance.
                    program.stop()

    def uninstall(self, program, uninstaller):
        if uninstaller:
            shutil.copy2(RECORDER, program.folder / "unins000.exe")
        self.choose(program, UNINSTALL)
        self.answer_message_box(program, "Glintbox", "Yes")
        code = program.wait_exit(15)
        if code is None:
            self.fail_with_screenshot("the program did not end after Uninstall")
        self.assertEqual(code, 0)
        self.assertFalse(program.ini.exists(), "the settings file is left")
        if not uninstaller:
            return
        record = program.folder / "unins000-ran.txt"
        self.wait_for(record.is_file, 15, "the uninstaller's record")
        lines = record.read_bytes().decode("latin-1").split("\r\n")
        folder = windows_path(program.folder) + "\\"
        # The quoted path, two blanks, the parameters; started in the program's folder.
        self.assertEqual(lines[:2], [f'"{folder}unins000.exe"  /NORESTART /SILENT',
                                     folder.rstrip("\\")])


class TrayIconTest(MenuTestCase):
    def test_always_show_trayicon_adds_the_icon_whose_clicks_open_the_menu(self):
        program, original = self.start_at(300, 200)
        self.wait_for_tray(shown=False)
        self.choose(program, ALWAYS_SHOW_TRAY_ICON)
        self.wait_for_tray(shown=True)
        content = self.wait_for_ini(program, original, WRITE_TIMEOUT)
        self.assertEqual(content, settings_ini(
            {"WinX": "300", "WinY": "200", "Always Show TrayIcon": "Yes"}))

        icon = tray_icon_position()
        for name, button in (("left click", 1), ("right click", 3)):
            with self.subTest(name):
                menu, geometry = self.open_menu(program, *icon, button=button)
                self.assertLessEqual(abs(geometry[0] - icon[0]), 2, f"menu at {geometry}")
                self.assertLessEqual(abs(geometry[1] - icon[1]), 2, f"menu at {geometry}")
                self.close_menu(program, menu)
                self.assert_still_running(program, (300, 200, *ROW))

        # Taken off again from the icon's own menu.
        self.open_menu(program, *icon, button=1)
        choose_menu_item(ALWAYS_SHOW_TRAY_ICON)
        self.assertEqual(self.wait_for_ini(program, content, WRITE_TIMEOUT),
                         settings_ini({"WinX": "300", "WinY": "200"}))
        self.wait_for_tray(shown=False)
        self.assert_still_running(program, (300, 200, *ROW))

    def test_minimize_hides_the_window_until_a_double_click_on_the_tray_icon(self):
        # With the button the window is 8 pixels wider; the button covers x 467..474.
        program, original = self.start_at(250, 120, {"Minimize Button": "Yes"}, size=(475, 18))
        geometry = (250, 120, 475, 18)

        def minimize_button():
            slow_press(250 + 471, 120 + 9)

        def menu_item():
            self.choose(program, MINIMIZE)

        for name, minimize in (("minimize button", minimize_button), ("menu", menu_item)):
            with self.subTest(name):
                self.wait_for_tray(shown=False)
                minimize()
                self.wait_until_hidden(program)
                self.wait_for_tray(shown=True)
                icon = tray_icon_position()
                for clicked, button in (("left click", 1), ("right click", 3)):
                    click(*icon, button)
                    self.watch_quietly(program, f"{clicked} on the tray icon")
                click(*icon, 1, times=2)
                self.wait_until_shown(program)
                self.assertEqual(self.wait_for_led_window(program, geometry[2:]), geometry)
                self.wait_for_tray(shown=False)
                self.assert_still_running(program, geometry)
        self.assert_file_unchanged(program, original)


class ExploreTest(MenuTestCase):
    def test_a_click_on_an_icon_opens_its_drive_and_nothing_planted_beside_the_program(self):
        # A web page may drop files into the folder the program is started from: a winmm.dll
        # (loaded before the system's own when asked for by name, as Windows does for DLLs that
        # are not KnownDLLs) and an explorer.exe. The explorer of the Windows folder opens the
        # drive: under Wine a window titled " (C:)".
        self.assertTrue(PLANTED_DLL.is_file(), f"{PLANTED_DLL} is not built")
        overrides = os.environ.get("WINEDLLOVERRIDES", "")
        env = {"WINEDLLOVERRIDES": (overrides + ";" if overrides else "") + "winmm=n,b"}
        # (gesture, settings, button, clicks) on icon C. Locked for the double click: under Wine
        # the move loop that the first press of an unlocked window starts leaves the second
        # press a single one.
        cases = [("middle click", {}, 2, 1),
                 ("double click", {"Explore Drive With Mouse Button": "1", "Locked": "Yes"}, 1,
                  2)]
        for name, changes, button, times in cases:
            with self.subTest(name):
                program = self.fresh_copy(hand_edited({"WinX": "300", "WinY": "200", **changes}))
                shutil.copy2(RECORDER, program.folder / "explorer.exe")
                shutil.copy2(PLANTED_DLL, program.folder / "winmm.dll")
                before = set(explorer_windows())
                program.start(env)
                try:
                    self.wait_for_led_window(program, ROW)
                    click(300 + 2 * 18 + 9, 209, button, times)
                    window = self.wait_for(lambda: (set(explorer_windows()) - before or {0}).pop(),
                                           30, "the explorer's window on C:")
                    # Closed as a user would: a killed explorer keeps Wine from starting the next.
                    xdotool("key", "--window", window, "alt+F4")
                    self.wait_for(lambda: window not in explorer_windows(), 10,
                                  "the explorer's window closed")
                    for left in ("explorer-ran.txt", "winmm-loaded.txt"):
                        self.assertFalse((program.folder / left).exists(), left)
                    self.assertTrue(program.running(), "the program ended")
                finally:
                    program.stop()


    def test_the_manual_is_opened_as_a_document_never_run_as_a_program_of_its_name(self):
        # A program named as the manual and dropped beside Glintbox. The documentation command
        # and the donation command (the manual where the build names no page) hand the file to
        # the viewer of its type, here a stand-in, and never run it.
        key = "HKCR\\pdffile\\shell\\open\\command"
        viewer = re.search(r"REG_SZ\s+(.+)", subprocess.run(
            ["wine", "reg", "query", key, "/ve"], capture_output=True, text=True,
            timeout=60).stdout).group(1).strip()
        self.addCleanup(subprocess.run, ["wine", "reg", "add", key, "/ve", "/d", viewer, "/f"],
                        capture_output=True, timeout=60)
        for item in (DOCUMENTATION, DONATION):
            with self.subTest(item):
                program, _ = self.start_at(300, 200)
                shutil.copy2(RECORDER, program.folder / PRODUCT["manual"])
                shutil.copy2(RECORDER, program.folder / "viewer.exe")
                subprocess.run(["wine", "reg", "add", key, "/ve", "/d",
                                f'"{windows_path(program.folder / "viewer.exe")}" "%1"', "/f"],
                               capture_output=True, timeout=60, check=True)
                try:
                    self.choose(program, item, 301, 201)
                    viewed = program.folder / "viewer-ran.txt"
                    text = self.wait_for(lambda: viewed.exists() and viewed.read_text("latin-1"),
                                         30, "the manual in its viewer")
                    self.assertIn(windows_path(program.folder / PRODUCT["manual"]), text)
                    ran = PRODUCT["manual"].rsplit(".", 1)[0] + "-ran.txt"
                    self.assertFalse((program.folder / ran).exists(), "the planted program ran")
                    self.assertTrue(program.running(), "the program ended")
                finally:
                    program.stop()


def explorer_windows():
    return xdotool_search("--all", "--onlyvisible", "--name", r"^ \(C:\)$")

