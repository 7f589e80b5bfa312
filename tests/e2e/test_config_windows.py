"""The two configuration windows, opened from the popup menu and used with the mouse and the
keyboard: what each change does to the LED window at once, and what reaches the settings file."""

import time

from harness import (GlintboxTestCase, desktop_test, grab_screen, screen_size, settings_ini,
                     use_desktop, viewable, window_geometry, xdotool)

S = 18  # icon size 1
WHITE = (255, 255, 255)
THREE_DRIVES = "00110000000000000000000001"  # C, D and Z; under Wine only C and Z are present

# Without a window manager Wine draws the frame inside the X window: a 3-pixel border, and at
# the top Wine's small caption, which grows with the DPI. Where the client area begins:
CLIENT_TOP = {96: 19, 144: 27}


def client_offset(dpi):
    return 3, CLIENT_TOP[dpi]


def frame_size(dpi):
    return 6, CLIENT_TOP[dpi] + 3


def scaled(values, dpi):
    """A 96-DPI layout at another DPI, as MulDiv rounds it."""
    return tuple((v * dpi + 48) // 96 for v in values)


# Window Options and the controls used, as (x, y, width, height) at 96 DPI in its client area.
OPTIONS = "  Window Options"
VERTICAL_BOX = (10, 10, 150, 16)
DUAL_BOX = (10, 28, 150, 16)
TRANSPARENCY_VALUE = (275, 215, 30, 20)
SNAP_BOX = (10, 125, 230, 20)
OPTIONS_SAVE = (200, 245, 95, 20)

# Drives and Icons; its drive boxes are at drive_box(letter).
DRIVES = "  Drives and Icons Configuration"
DRIVES_SAVE = (307, 215, 95, 20)
READ_BUTTON = (190, 135, 75, 20)
EMPTY_SELECTION = "All year merry-go-round easter egg"

# Title: the menu item that opens the window (counted from the top), its client size and its
# Save Changes button.
WINDOWS = {
    OPTIONS: (4, (305, 275), OPTIONS_SAVE),
    DRIVES: (3, (555, 240), DRIVES_SAVE),
}

PRESS = 0.1  # Wine takes a press and a release in the same instant for no click
LAYOUT = 10.0  # a new layout hides the LED window, which takes about 2 s without a manager


def slow_click(point, button=1):
    xdotool("mousemove", *point, check=True)
    time.sleep(PRESS)
    xdotool("mousedown", button, check=True)
    time.sleep(PRESS)
    xdotool("mouseup", button, check=True)


def drive_box(letter):
    """A drive's check box: columns of seven, A to G first."""
    p = ord(letter) - ord("A")
    return 10 + 40 * (p // 7), 10 + 20 * (p % 7), 40, 20


def tick_area(letter):
    """The square of a drive box without its letter, which a focus frame may surround."""
    x, y, _, height = drive_box(letter)
    return x, y, 14, height


def text_reach(pixels):
    """How far from a control's left edge its text reaches: to its last dark pixel column."""
    return max((x + 1 for x in range(pixels.width) for y in range(pixels.height)
                if max(pixels[x, y]) < 100), default=0)


def presence_squares(pixels, icons):
    """For each icon of a one-row window, whether it shows the square of a present drive."""
    return [all(pixels[i * S + x, y] == WHITE for x in (14, 15) for y in (0, 1))
            for i in range(icons)]


class ConfigWindowsTest(GlintboxTestCase):
    def start(self, changes):
        """A started copy with the given settings; the geometry of its LED window."""
        program = self.fresh_copy(settings_ini(changes)).start()
        icons = changes["Drives"].count("1")
        return program, self.wait_for_led_window(program, (icons * S - 1, S))

    def open_from_menu(self, program, led, title, dpi=96):
        """Opens a configuration window with the popup menu of the LED window at led; checks
        that it is centred, with a client area of its size at that DPI; returns its geometry
        once its controls are drawn."""
        item, size, save = WINDOWS[title]
        known = set(program.windows("^$"))
        slow_click((led[0] + S // 2, led[1] + S // 2), button=3)
        # A new window without a title: the icons' tooltip window exists from the start.
        self.wait_for(lambda: any(viewable(w) for w in set(program.windows("^$")) - known),
                      10, "the popup menu")
        xdotool("key", *["Down"] * item, "Return", check=True)
        window = self.wait_for(
            lambda: next((w for w in program.windows(f"^{title}$") if viewable(w)), None), 10,
            f"the window {title.strip()!r}")
        geometry = window_geometry(window)
        name = repr(title.strip())
        client = tuple(a - b for a, b in zip(geometry[2:], frame_size(dpi)))
        self.assertEqual(client, scaled(size, dpi), f"client size of {name} at {dpi} DPI")
        screen = screen_size()
        for axis, direction in ((0, "horizontally"), (1, "vertically")):
            # An odd remainder cannot be split evenly.
            offset = 2 * geometry[axis] + geometry[axis + 2] - screen[axis]
            self.assertIn(offset, (-1, 0, 1), f"{name} not centred {direction}: "
                                              f"{geometry} on a screen of {screen}")
        # Shown before its controls are made: a drawn button tells that they are.
        self.wait_for(lambda: len(set(self.area(geometry, save, dpi).data)) > 2, 10,
                      f"the controls of {name}")
        return geometry

    def area(self, window, control, dpi=96):
        x, y, width, height = scaled(control, dpi)
        left, top = client_offset(dpi)
        return grab_screen(window[0] + left + x, window[1] + top + y, width, height)

    def click(self, window, control):
        x, y, width, height = control
        left, top = client_offset(96)
        slow_click((window[0] + left + x + width // 2, window[1] + top + y + height // 2))

    def keys(self, window, *keys):
        """Keys with the pointer on the window's caption: without a window manager the X server
        gives them to the window under the pointer, and Wine to the focused control."""
        xdotool("mousemove", window[0] + window[2] // 2, window[1] + CLIENT_TOP[96] // 2,
                check=True)
        xdotool("key", *keys, check=True)

    def wait_for_area(self, window, control, predicate, what):
        """Screenshots of a control's area until predicate holds for one; returns it."""
        def shot():
            pixels = self.area(window, control)
            return pixels if predicate(pixels) else None

        return self.wait_for(shot, 10, what)

    def wait_for_led(self, program, size, what):
        """The LED window's geometry once it is width x height."""
        def sized():
            geometries = [window_geometry(w) for w in program.windows("^Glintbox$")]
            return next((g for g in geometries if g and g[2:] == size), None)

        return self.wait_for(sized, LAYOUT, f"the LED window at {size[0]} x {size[1]}, {what}")

    def wait_closed(self, program, title, what):
        self.wait_for(lambda: not program.windows(f"^{title}$"), 10,
                      f"{title.strip()!r} closed by {what}")

    def assertIni(self, content, changes, msg=None):
        # As lines, so that a failure names the line.
        self.assertEqual(content.decode("latin-1").split("\r\n"),
                         settings_ini(changes).decode("ascii").split("\r\n"), msg)

    def test_window_options_apply_at_once_and_only_save_changes_writes_the_file(self):
        original = {"Drives": THREE_DRIVES}
        program, led = self.start(original)
        window = self.open_from_menu(program, led, OPTIONS)
        at_255 = self.area(window, TRANSPARENCY_VALUE)

        # In a window just opened the eighth Tab reaches the trackbar: before it come six
        # enabled boxes (snapping locks the persistent one out) and the radio group, one stop.
        # Home and End move it in one step: no value in between can be taken for theirs.
        self.keys(window, *["Tab"] * 8, "Home")
        at_10 = self.wait_for_area(window, TRANSPARENCY_VALUE, lambda p: p.data != at_255.data,
                                   "the transparency value changed by Home")
        self.keys(window, "End")
        self.wait_for_area(window, TRANSPARENCY_VALUE, lambda p: p.data == at_255.data,
                           "the transparency value back at 255 after End")
        self.keys(window, "Home")
        self.wait_for_area(window, TRANSPARENCY_VALUE, lambda p: p.data == at_10.data,
                           "the transparency value at 10 again after Home")
        # Then to 13, and seven stops back to the Vertical box.
        self.keys(window, "Right", "Right", "Right", *["shift+Tab"] * 7, "space")
        self.wait_for_led(program, (S - 1, 3 * S), "after Vertical Window Mode was ticked")

        self.click(window, OPTIONS_SAVE)
        self.wait_closed(program, OPTIONS, "Save Changes")
        changes = {**original, "Vertical Mode": "Yes", "Window Transperancy": "13"}
        saved = self.wait_for_ini(program, unlike=settings_ini(original))
        self.assertIni(saved, changes)

        # A close request keeps the change in the running program and out of the file. Each
        # change leaves the settings unlike the saved ones, so that a write would show.
        window = self.open_from_menu(program, led, OPTIONS)
        for key, box, size in (("Escape", VERTICAL_BOX, (3 * S - 1, S)),  # vertical off
                               ("alt+F4", DUAL_BOX, (2 * S - 1, 2 * S))):  # then dual on
            with self.subTest(key):
                self.click(window, box)
                self.wait_for_led(program, size, "after the box was clicked")
                self.keys(window, key)
                self.wait_closed(program, OPTIONS, key)
                # Whatever the close does is done once the menu opens the window again.
                window = self.open_from_menu(program, led, OPTIONS)
                self.assertIni(program.ini.read_bytes(), changes, f"the file after {key}")
                self.wait_for_led(program, size, f"kept after {key}")

    def test_drives_and_icons_change_the_icons_at_once_and_keep_one_drive(self):
        original = {"Drives": THREE_DRIVES}
        program, led = self.start(original)
        self.wait_for(lambda: presence_squares(grab_screen(*led), 3) == [True, False, True],
                      10, "the presence squares of C and Z, none on D")
        window = self.open_from_menu(program, led, DRIVES)

        # Close requests are ignored: the window is still there to take the click after them.
        self.keys(window, "Escape", "alt+F4")
        self.click(window, drive_box("D"))
        narrower = self.wait_for_led(program, (2 * S - 1, S),
                                     "after D was unticked, following Escape and Alt+F4")
        self.wait_for(lambda: presence_squares(grab_screen(*narrower), 2) == [True, True], 10,
                      "the icons of C and Z left")
        self.assertTrue(program.windows(f"^{DRIVES}$"), "the window closed")

        self.click(window, DRIVES_SAVE)
        self.wait_closed(program, DRIVES, "Save Changes")
        saved = self.wait_for_ini(program, unlike=settings_ini(original))
        self.assertIni(saved, {"Drives": "00100000000000000000000001"})

        window = self.open_from_menu(program, led, DRIVES)
        self.click(window, drive_box("Z"))
        self.wait_for_led(program, (S - 1, S), "after Z was unticked")
        ticked = self.area(window, tick_area("C"))
        self.assertNotEqual(ticked.data, self.area(window, tick_area("D")).data,
                            "C's box looks like D's, which is not ticked")

        self.click(window, drive_box("C"))
        box = self.wait_for(lambda: program.windows(f"^{EMPTY_SELECTION}$"), 10,
                            "the warning about an empty selection")[0]
        geometry = window_geometry(box)
        # Without a window manager the X server gives the key to the window under the pointer.
        xdotool("mousemove", geometry[0] + geometry[2] // 2, geometry[1] + 5, check=True)
        xdotool("key", "Return", check=True)
        self.wait_for(lambda: not program.windows(f"^{EMPTY_SELECTION}$"), 10,
                      "the warning closed by Return")
        self.wait_for_area(window, tick_area("C"), lambda p: p.data == ticked.data,
                           "C's box ticked again")
        self.wait_for_led(program, (S - 1, S), "with C left after the warning")

        self.click(window, DRIVES_SAVE)
        self.wait_closed(program, DRIVES, "Save Changes")
        self.assertIni(self.wait_for_ini(program, unlike=saved),
                       {"Drives": "00100000000000000000000000"})

    @desktop_test
    def test_at_144_dpi_the_windows_grow_with_their_text_and_the_led_window_keeps_its_pixels(
            self):
        # A caption of each window that its 96-DPI rectangle cuts at 144 DPI.
        captions = {OPTIONS: SNAP_BOX, DRIVES: READ_BUTTON}
        reach, led_pixels = {}, {}
        for dpi in (96, 144):
            use_desktop(dpi=dpi)
            program, led = self.start({"Drives": THREE_DRIVES})

            def led_drawn():
                pixels = grab_screen(*led)
                if presence_squares(pixels, 3) == [True, False, True] and (
                        dpi == 96 or pixels.data == led_pixels[96].data):
                    return pixels
                return None

            led_pixels[dpi] = self.wait_for(led_drawn, 10, f"the LED window at {dpi} DPI "
                                                           "drawn as at 96 DPI")
            for title, caption in captions.items():
                window = self.open_from_menu(program, led, title, dpi)
                reach[title, dpi] = self.wait_for(
                    lambda: text_reach(self.area(window, caption, dpi)), 10,
                    f"the caption at {caption} of {title.strip()!r}")
                if title == OPTIONS:
                    self.keys(window, "Escape")
                    self.wait_closed(program, OPTIONS, "Escape")
            program.stop()
        for title, caption in captions.items():
            with self.subTest(title.strip()):
                self.assertGreaterEqual(reach[title, 144], 1.3 * reach[title, 96],
                                        f"the text of the caption at {caption} is cut")
