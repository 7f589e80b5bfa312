"""The drive icon window as it appears on the screen: its size, where each icon sits, and the
colours of the icons, idle and lit by disk activity."""

import threading

from harness import COUNTERS_EXE, GlintboxTestCase, grab_screen, settings_ini, wait_until

S = 18  # icon size 1
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
READ, WRITE = (0x00, 0xD8, 0x00), (0xFF, 0x26, 0x26)
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
# Under Wine only C: and Z: are present.
PRESENT = "CZ"
THREE_DRIVES = {"Drives": "00110000000000000000000001"}  # C, D and Z

# Areas of an icon, as (x, y) offsets in its cell: the letter lies inside LETTER_AREA and
# never reaches the presence square (columns 14 and 15, rows 0 and 1) or the lines (column 17,
# row 17); FILL_COLUMNS show only the read and write fills.
LETTER_AREA = [(x, y) for y in range(2, 17) for x in range(14)]
SQUARE = [(x, y) for y in range(2) for x in (14, 15)]
AROUND_SQUARE = [(13, 0), (13, 1), (16, 0), (16, 1), (14, 2), (15, 2)]
FILL_COLUMNS = (0, 1, 2, 3, 16)
UPPER = [(x, y) for y in range(S // 2) for x in FILL_COLUMNS]
LOWER = [(x, y) for y in range(S // 2, S) for x in FILL_COLUMNS]


def cell(pixels, origin, offsets):
    return [pixels[origin[0] + x, origin[1] + y] for x, y in offsets]


def letter_of(pixels, origin):
    return tuple(cell(pixels, origin, LETTER_AREA))


def has_letter(pixels, origin):
    return sum(p == WHITE for p in letter_of(pixels, origin)) >= 5


class LedWindowTest(GlintboxTestCase):
    # The 26 letters as the default window shows them, to recognise icons in other layouts.
    letters = None

    def wait_for_pixels(self, geometry, predicate, what, describe=None, timeout=10):
        """Takes screenshots of the window until predicate holds for one; returns it. The
        window is mapped before its controls are drawn, and lit icons come and go."""
        last = []

        def shot():
            pixels = grab_screen(*geometry)
            last[:] = [pixels]
            return pixels if predicate(pixels) else None

        pixels = wait_until(shot, timeout, interval=0.05)
        if pixels is None:
            detail = f"; last seen: {describe(last[0])}" if describe and last else ""
            self.fail_with_screenshot(f"{what}{detail}")
        return pixels

    def show_letters(self):
        """Starts the program with the default settings; returns its window geometry and a
        screenshot with every letter drawn."""
        program = self.fresh_copy().start()
        geometry = self.wait_for_led_window(program, (26 * S - 1, S))
        pixels = self.wait_for_pixels(
            geometry, lambda p: all(has_letter(p, (i * S, 0)) for i in range(26)),
            "all 26 letters drawn")
        LedWindowTest.letters = {letter: letter_of(pixels, (i * S, 0))
                                 for i, letter in enumerate(LETTERS)}
        program.stop()
        return geometry, pixels

    def test_default_settings_show_all_26_drives_in_one_row_at_400_10(self):
        geometry, pixels = self.show_letters()
        # One pixel narrower than the grid: the last icon's separator line is cut off.
        self.assertEqual(geometry, (400, 10, 467, 18))
        self.assertEqual(len(set(self.letters.values())), 26, "two icons show the same letter")

        for i, letter in enumerate(LETTERS):
            origin = (i * S, 0)
            with self.subTest(letter=letter):
                self.assertEqual(set(cell(pixels, origin, UPPER + LOWER)), {BLACK},
                                 "background")
                if i < 25:
                    self.assertEqual({pixels[i * S + S - 1, y] for y in range(S)}, {WHITE},
                                     "separator line")
                square = WHITE if letter in PRESENT else BLACK
                self.assertEqual(cell(pixels, origin, SQUARE), [square] * 4, "presence square")
                self.assertEqual(set(cell(pixels, origin, AROUND_SQUARE)), {BLACK},
                                 "around the presence square")

    def test_three_drives_in_every_orientation(self):
        if self.letters is None:
            self.show_letters()
        # (name, changes, window size, cell of C, D, Z, filler cell, minimize button area,
        # separator lines drawn on the icons)
        cases = [
            ("horizontal", {}, (53, 18), [(0, 0), (18, 0), (36, 0)], None, None, "right"),
            ("horizontal, button", {"Minimize Button": "Yes"}, (61, 18),
             [(0, 0), (18, 0), (36, 0)], None, (53, 0, 8, 18), "right"),
            ("vertical", {"Vertical Mode": "Yes"}, (17, 54),
             [(0, 0), (0, 18), (0, 36)], None, None, "bottom"),
            ("vertical, button", {"Vertical Mode": "Yes", "Minimize Button": "Yes"}, (17, 62),
             [(0, 0), (0, 18), (0, 36)], None, (0, 54, 17, 8), "bottom"),
            ("dual horizontal", {"Dual Icon Window Mode": "Yes"}, (35, 36),
             [(0, 0), (18, 0), (0, 18)], (18, 18), None, "right bottom"),
            ("dual vertical", {"Dual Icon Window Mode": "Yes", "Vertical Mode": "Yes"},
             (35, 36), [(0, 0), (0, 18), (18, 0)], (18, 18), None, "right bottom"),
        ]
        for name, changes, size, cells, filler, button, lines in cases:
            with self.subTest(name):
                ini = settings_ini({**THREE_DRIVES, **changes})

                def filler_colours(p):
                    return {p[x, y] for x in range(filler[0], size[0])
                            for y in range(filler[1], size[1])} if filler else {BLACK}

                def button_drawn(p):
                    if not button:
                        return True
                    x0, y0, w, h = button
                    face = [p[x, y] for x in range(x0, x0 + w) for y in range(y0, y0 + h)]
                    return sum(c != BLACK for c in face) > len(face) // 2

                with self.started_copy(ini) as program:
                    geometry = self.wait_for_led_window(program, size)
                    self.assertEqual(geometry[:2], (400, 10), "moved")
                    # Every control paints on its own: wait for all that is looked at below.
                    pixels = self.wait_for_pixels(
                        geometry, lambda p: all(has_letter(p, c) for c in cells)
                        and filler_colours(p) == {BLACK} and button_drawn(p),
                        "a letter in each icon cell, the filler and the button drawn",
                        lambda p: f"filler {filler_colours(p)}, button {button_drawn(p)}")
                self.check_icons(pixels, size, dict(zip("CDZ", cells)), lines)

    def check_icons(self, pixels, size, cells, lines):
        for letter, origin in cells.items():
            self.assertEqual(letter_of(pixels, origin), self.letters[letter],
                             f"the letter in the cell at {origin} is not {letter}")
            square = WHITE if letter in PRESENT else BLACK
            self.assertEqual(cell(pixels, origin, SQUARE), [square] * 4,
                             f"presence square of {letter}")
        # The separators of C's icon, where the window shows them.
        c = cells["C"]
        bottom = {pixels[c[0] + x, c[1] + S - 1] for x in range(S - 1)}
        self.assertEqual(bottom, {WHITE} if "bottom" in lines else {BLACK}, "bottom line")
        if c[0] + S - 1 < size[0]:
            right = {pixels[c[0] + S - 1, c[1] + y] for y in range(2, S - 1)}
            self.assertEqual(right, {WHITE} if "right" in lines else {BLACK}, "right line")

    def test_counter_changes_light_the_halves_of_the_icon(self):
        c, d, z = (0, 0), (S, 0), (2 * S, 0)
        with self.started_copy(settings_ini(THREE_DRIVES), exe=COUNTERS_EXE) as program:
            counts = {"C": [0, 0], "D": [0, 0]}
            program.write_counters(counts)
            geometry = self.wait_for_led_window(program, (53, 18))
            self.wait_for_pixels(geometry, lambda p: all(has_letter(p, o) for o in (c, d, z)),
                                 "the letters C, D and Z")

            def state(pixels, origin):
                upper = set(cell(pixels, origin, UPPER))
                lower = set(cell(pixels, origin, LOWER))
                return STATES.get((frozenset(upper), frozenset(lower)),
                                  f"upper {sorted(upper)}, lower {sorted(lower)}")

            def describe(pixels):
                return ", ".join(f"{letter} {state(pixels, origin)}"
                                 for letter, origin in (("C", c), ("D", d), ("Z", z)))

            for name, step in (("reading", (1, 0)), ("writing", (0, 1)),
                               ("reading and writing", (1, 1))):
                with self.subTest(name):
                    # An icon is lit for one sample (50 ms) per change: keep changing.
                    stop = threading.Event()

                    def keep_changing():
                        while not stop.is_set():
                            for counter in counts.values():
                                counter[0] += step[0]
                                counter[1] += step[1]
                            program.write_counters(counts)
                            stop.wait(0.02)

                    writer = threading.Thread(target=keep_changing)
                    writer.start()
                    try:
                        pixels = self.wait_for_pixels(
                            geometry, lambda p: state(p, c) == name, f"C {name}", describe)
                    finally:
                        stop.set()
                        writer.join()
                    # D: has counters but is not present, so it is never sampled.
                    self.assertEqual(state(pixels, d), "idle", "D")
                    self.assertEqual(state(pixels, z), "idle", "Z")
                    self.assertEqual(cell(pixels, c, SQUARE), [WHITE] * 4,
                                     "presence square of C")
                    self.assertTrue(has_letter(pixels, c), "letter C")

                    self.wait_for_pixels(geometry, lambda p: state(p, c) == "idle",
                                         "C idle once its counters stand still", describe)


STATES = {
    (frozenset({BLACK}), frozenset({BLACK})): "idle",
    (frozenset({READ}), frozenset({BLACK})): "reading",
    (frozenset({BLACK}), frozenset({WRITE})): "writing",
    (frozenset({READ}), frozenset({WRITE})): "reading and writing",
}
