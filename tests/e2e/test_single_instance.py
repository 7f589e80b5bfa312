"""What start-up refuses: a second copy, and Windows older than 2000."""

import subprocess

from harness import LOGS, START_TIMEOUT, GlintboxTestCase

REFUSAL = "This Operating System is not suitable for Glintbox!\\nCheck Readme_vx.xx.pdf for details"
# Wine reports the Windows version set for a program's file name.
VERSIONS = {"win95": True, "win98": True, "winme": True, "nt40": True,
            "win2k": False, "winxp": False, "win7": False, "win10": False}


class SingleInstanceTest(GlintboxTestCase):
    def test_second_start_says_info_and_ends_while_the_first_runs_on(self):
        first = self.fresh_copy().start()
        # The file is written after the instance mutex is taken.
        self.wait_for_ini(first)

        # Another folder: the guard is by name, not by path.
        second = self.fresh_copy().start()
        box = self.wait_for(lambda: second.windows("^INFO$"), START_TIMEOUT,
                            "a message box titled INFO from the second copy")[0]
        self.assertEqual(first.windows("^INFO$"), [])

        self.press_return(second, box)
        code = second.wait_exit(15)
        if code is None:
            self.fail_with_screenshot("the second copy did not end after its box was closed")
        self.assertEqual(code, 0)
        self.assertFalse(second.ini.exists(), "the refused copy wrote a settings file")
        self.assertTrue(first.running(), "the first copy ended")

    def test_windows_older_than_2000_are_refused_with_information(self):
        for version, refused in VERSIONS.items():
            name = f"Glintbox-{version}.exe"
            key = f"HKCU\\Software\\Wine\\AppDefaults\\{name}"
            subprocess.run(["wine", "reg", "add", key, "/v", "Version", "/d", version, "/f"],
                           capture_output=True, timeout=60, check=True)
            self.addCleanup(subprocess.run, ["wine", "reg", "delete", key, "/f"],
                            capture_output=True, timeout=60)
            with self.subTest(version):
                program = self.fresh_copy(name=name)
                # Wine's trace of the box's text: the box itself shows it only as pixels.
                program.start(env={"WINEDEBUG": "+msgbox"})
                if not refused:
                    self.wait_for_led_window(program, (467, 18))
                    self.assertDefaultIni(self.wait_for_ini(program))
                    program.stop()
                    continue
                box = self.wait_for(lambda: program.windows("^Information$"), START_TIMEOUT,
                                    "a message box titled Information")[0]
                log = (LOGS / f"{program.folder.name}.log").read_text(errors="replace")
                self.assertIn(f'MSGBOX_OnInit L"{REFUSAL}"', log)
                self.press_return(program, box)
                code = program.wait_exit(15)
                if code is None:
                    self.fail_with_screenshot(f"{version}: the program did not end after OK")
                self.assertEqual(code, 0)
                self.assertFalse(program.ini.exists(), "the refused program wrote a settings file")

    def press_return(self, program, box):
        subprocess.run(["xdotool", "key", "--window", str(box), "Return"], capture_output=True,
                       timeout=10)
        if program.wait_exit(5) is None:
            # Without a window manager the box may not hold the keyboard focus yet.
            subprocess.run(["xdotool", "windowfocus", "--sync", str(box), "key", "Return"],
                           capture_output=True, timeout=10)
