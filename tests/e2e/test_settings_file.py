"""The settings file as the program leaves it in its folder."""

from harness import START_TIMEOUT, GlintboxTestCase

# Hand-edited file: comments, keys in lower and upper case, an unknown key, a key in another
# group, out-of-range values and mixed line endings. The reader must accept all of it without
# writing the file back.
ODD_INI = (
    b"; edited by hand\r\n"
    b"[Other]\r\n"
    b"WinX = 5\r\n"
    b"[settings]\r\n"
    b"winx = 420\r\n"
    b"WINY = 30\n"
    b"IconSize = 7\r\n"
    b"IconSize = 2\r\n"
    b"locked = YES\r\n"
    b"Window Transperancy = 300\r"
    b"Device Detect Interval (seconds) = 20000000\r\n"
    b"Explore Drive With Mouse Button = 2\r\n"
    b"readcolor = 00ff00\r\n"
    b"Favourite Drive = C\r\n"
    b"; the end\r\n"
)


def padded_ini(size):
    """A well-formed settings file of exactly size bytes, padded with a comment."""
    body = b"[Settings]\r\nWinX = 120\r\nWinY = 200\r\nLocked = Yes\r\n"
    if size < len(body) + 3:
        return body[:size]
    return body + b";" + b"x" * (size - len(body) - 3) + b"\r\n"


class SettingsFileTest(GlintboxTestCase):
    def test_first_start_writes_the_default_file(self):
        program = self.fresh_copy().start()
        self.assertDefaultIni(self.wait_for_ini(program))

    def test_files_under_200_bytes_are_replaced_by_the_defaults(self):
        for size in (0, 150, 199):
            with self.subTest(size=size):
                original = padded_ini(size)
                self.assertEqual(len(original), size)
                with self.started_copy(original) as program:
                    self.assertDefaultIni(self.wait_for_ini(program, unlike=original))

    def test_files_of_200_bytes_and_more_are_read_without_being_rewritten(self):
        for name, original in (("200 bytes", padded_ini(200)), ("odd values", ODD_INI)):
            with self.subTest(name):
                self.assertGreaterEqual(len(original), 200)
                with self.started_copy(original) as program:
                    # Shown means laid out, which comes after the settings were read.
                    self.wait_for(program.led_shown, START_TIMEOUT, "the LED window shown")
                    self.assertTrue(program.running())
                    self.assertEqual(program.ini.read_bytes(), original)

