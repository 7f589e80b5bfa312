"""The 32-bit program (build/win32) under Wine's 32-bit support: the same window, the same file,
the tray icon with the 32-bit tray structure, and an orderly end."""

import os
from pathlib import Path

import unittest

from harness import ROOT, GlintboxTestCase, settings_ini, tray_window, wine_runs_32bit

EXE32 = Path(os.environ.get("GLINTBOX_EXE32", ROOT / "build" / "win32" / "Glintbox.exe"))
EXIT = 12


@unittest.skipUnless(wine_runs_32bit(), "this machine runs no 32-bit programs")
class ThirtyTwoBitTest(GlintboxTestCase):
    def test_starts_shows_its_tray_icon_and_exits_on_request(self):
        self.assertTrue(EXE32.is_file(), f"{EXE32} is not built")
        ini = settings_ini({"Always Show TrayIcon": "Yes"})
        with self.started_copy(ini, exe=EXE32) as program:
            self.assertEqual(self.wait_for_led_window(program, (467, 18))[:2], (400, 10))
            self.wait_for(tray_window, 10, "the tray icon of the 32-bit program")
            self.choose(program, EXIT, 401, 11)
            self.answer_message_box(program, "Glintbox", "Yes")
            code = program.wait_exit(15)
            if code is None:
                self.fail_with_screenshot("the 32-bit program did not end after Exit")
            self.assertEqual(code, 0)
            self.assertEqual(program.ini.read_bytes(), ini)
