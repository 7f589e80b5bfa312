"""Only one copy runs at a time."""

import subprocess

from harness import START_TIMEOUT, GlintboxTestCase


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

    def press_return(self, program, box):
        subprocess.run(["xdotool", "key", "--window", str(box), "Return"], capture_output=True,
                       timeout=10)
        if program.wait_exit(5) is None:
            # Without a window manager the box may not hold the keyboard focus yet.
            subprocess.run(["xdotool", "windowfocus", "--sync", str(box), "key", "Return"],
                           capture_output=True, timeout=10)
