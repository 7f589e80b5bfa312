"""The release: the setup program under Wine (a silent installation, the program started from
it, its Uninstall command and a silent uninstallation), the manual, and the resources of the
executables, read back from the files."""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from harness import (DEFAULT_INI_LINES, EXE, LOGS, PRODUCT, ROOT, GlintboxTestCase, Glintbox,
                     end_window_process, wait_until, windows_path, wine_command, wine_runs_32bit,
                     xdotool, xdotool_search)
from test_menu_and_tray import ROW, UNINSTALL, MenuTestCase, hand_edited

VERSION = PRODUCT["version"]
BUILD = EXE.parent
SETUP = BUILD / PRODUCT["setup"]
# The same setup as a 64-bit program: a Wine without its 32-bit part cannot start the other.
SETUP_X64 = BUILD / PRODUCT["setup_x64"]
MANUAL = BUILD / PRODUCT["manual"]
EXE32 = Path(os.environ.get("GLINTBOX_WIN32_EXE", ROOT / "build" / "win32" / "Glintbox.exe"))
INSTALLED = ["Glintbox.exe", MANUAL.name, "unins000.exe"]
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintbox"
# The setup's exit code when a running copy stopped it.
EXIT_RUNNING = 2
# The uninstaller waits up to 30 s for the program to end, then works for a second or two.
REMOVAL_TIMEOUT = 45.0
MANUAL_PAGES = 12
# DLLs that are no KnownDLLs and that a setup made by NSIS asks for by name (its own list of what
# it loads from the system folder). Stand-ins of these names lie beside the setup and the
# uninstaller, and Wine takes a DLL beside the program first, as Windows does for such names.
# Not uxtheme and version: Wine's own user32 and advapi32 ask for them by name as any program
# starts, before a line of the program runs, so under Wine every program would load them.
PLANTED = ["apphelp", "cryptbase", "dwmapi", "ntmarta", "oleacc", "propsys", "riched20",
           "riched32", "shfolder", "userenv"]
PLANTED_DLL = BUILD / "planted" / "winmm.dll"


def setup_program():
    """The setup for every Windows where this Wine prefix runs 32-bit programs, else the
    64-bit-only one; both install the 64-bit program on 64-bit Windows."""
    return SETUP if wine_runs_32bit() else SETUP_X64


def wine_env():
    # Shortcuts made in the prefix must not become menu entries of the Linux desktop.
    env = dict(os.environ)
    overrides = env.get("WINEDLLOVERRIDES", "")
    env["WINEDLLOVERRIDES"] = ((overrides + ";" if overrides else "") + "winemenubuilder.exe=d;"
                               + ",".join(PLANTED) + "=n,b")
    return env


def plant(folder):
    """Stand-ins for the DLLs of PLANTED in a folder; their names, to be found there later."""
    for name in PLANTED:
        shutil.copy2(PLANTED_DLL, folder / f"{name}.dll")
    return [f"{name}.dll" for name in PLANTED]


def loaded_from(folder):
    """The stand-ins in a folder that a program loaded: each leaves a file when loaded."""
    return sorted(p.name for p in folder.glob("*-loaded.txt"))


def wine(*args, cwd, timeout=60):
    """Runs a Windows program to its end; returns its exit code. Its output goes to a file, not a
    pipe: the uninstaller's copy of itself would hold a pipe open after the program ended."""
    with open(LOGS / "release-wine.log", "ab") as log:
        return subprocess.run([*wine_command(args[0]), *map(str, args[1:])], cwd=cwd,
                              env=wine_env(),
                              stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                              timeout=timeout).returncode


def uninstall_entry():
    """The values of the "Apps and features" entry, or None when there is none."""
    result = subprocess.run(["wine", "reg", "query", UNINSTALL_KEY], env=wine_env(),
                            capture_output=True, text=True, errors="replace", timeout=60)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.splitlines():
        parts = re.split(r"\s{4}", line.strip(), maxsplit=2)
        if len(parts) == 3 and parts[1].startswith("REG_"):
            values[parts[0]] = parts[2]
    return values


# The uninstaller's window (its title ends in a blank) and its message boxes; it runs from a copy
# of itself in %TEMP%, so it is found by title rather than by process.
UNINSTALLER_TITLE = f"^Glintbox {re.escape(VERSION)} Uninstall ?$"


def uninstaller_windows():
    return xdotool_search("--all", "--onlyvisible", "--name", UNINSTALLER_TITLE)


def end_uninstallers():
    """Ends uninstallers that a failed test left waiting for an answer."""
    for window in xdotool_search("--all", "--name", UNINSTALLER_TITLE):
        end_window_process(window)


def start_menu_shortcuts():
    users = Path(os.environ["WINEPREFIX"]) / "drive_c" / "users"
    return list(users.glob("*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Glintbox.lnk"))


class SetupTest(MenuTestCase):
    def setUp(self):
        super().setUp()
        self.addCleanup(end_uninstallers)

    def install(self):
        """A silent installation into a new folder; returns the folder and the empty folder the
        setup was started from."""
        folder = self.fresh_folder() / "Glintbox"
        cwd = self.fresh_folder("cwd")
        self.assertTrue(setup_program().is_file(), f"{setup_program()} is not built")
        # As downloaded, into a folder where other files may lie beside it.
        downloads = self.fresh_folder("downloads")
        setup = downloads / setup_program().name
        shutil.copy2(setup_program(), setup)
        plant(downloads)
        self.assertEqual(wine(setup, "/S", f"/D={windows_path(folder)}", cwd=cwd), 0)
        self.assertEqual(sorted(p.name for p in folder.iterdir()), sorted(INSTALLED))
        self.assertEqual(loaded_from(downloads), [], "DLLs beside the setup were loaded")
        return folder, cwd

    def wait_for_removal(self, folder, leaving=()):
        def removed():
            left = sorted(p.name for p in folder.iterdir()) if folder.exists() else []
            return left == sorted(leaving)

        self.wait_for(removed, REMOVAL_TIMEOUT, f"{folder} emptied except {list(leaving)}")
        self.assertIsNone(uninstall_entry(), "the Apps and features entry is left")
        self.assertEqual(start_menu_shortcuts(), [], "the Start menu shortcut is left")

    def test_silent_install_then_the_programs_uninstall_command_removes_it(self):
        folder, cwd = self.install()
        self.assertEqual((folder / "Glintbox.exe").read_bytes(), EXE.read_bytes(),
                         "not the 64-bit program")
        self.assertEqual((folder / MANUAL.name).read_bytes(), MANUAL.read_bytes())
        entry = uninstall_entry()
        self.assertIsNotNone(entry, "no Apps and features entry")
        where = windows_path(folder)
        self.assertEqual({key: entry.get(key) for key in (
            "DisplayVersion", "InstallLocation", "UninstallString", "QuietUninstallString")}, {
            "DisplayVersion": VERSION, "InstallLocation": where,
            "UninstallString": f'"{where}\\unins000.exe"',
            "QuietUninstallString": f'"{where}\\unins000.exe" /SILENT'})
        self.assertEqual(len(start_menu_shortcuts()), 1, "no Start menu shortcut")

        program = Glintbox(folder, cwd)
        self._programs.append(program)
        program.start()
        self.assertEqual(self.wait_for_led_window(program, ROW), (400, 10, *ROW))
        self.assertDefaultIni(self.wait_for_ini(program))

        with self.subTest("over the running copy"):
            before = {p.name: (p.stat().st_mtime_ns, p.read_bytes()) for p in folder.iterdir()}
            self.assertEqual(wine(setup_program(), "/S", f"/D={where}", cwd=cwd), EXIT_RUNNING)
            self.assertEqual({p.name: (p.stat().st_mtime_ns, p.read_bytes())
                              for p in folder.iterdir()}, before, "files were touched")
            self.assertTrue(program.running())

        self.choose(program, UNINSTALL)
        self.answer_message_box(program, "Glintbox", "Yes")
        self.assertEqual(program.wait_exit(15), 0, "the program did not end after Uninstall")
        self.wait_for_removal(folder)
        self.assertFalse(folder.exists(), "the emptied folder is left")

    def test_silent_uninstall_keeps_the_users_settings_and_so_the_folder(self):
        folder, cwd = self.install()
        settings = hand_edited({"WinX": "123"})
        (folder / "Glintbox.ini").write_bytes(settings)
        planted = plant(folder)
        # Returns at once: the uninstaller goes on from a copy of itself.
        self.assertEqual(wine(folder / "unins000.exe", "/S", cwd=cwd), 0)
        self.wait_for_removal(folder, leaving=["Glintbox.ini", *planted])
        self.assertEqual((folder / "Glintbox.ini").read_bytes(), settings)
        self.assertEqual(loaded_from(folder), [], "DLLs beside the uninstaller were loaded")

    def test_uninstall_from_apps_and_features_asks_before_removing_the_settings(self):
        folder, cwd = self.install()
        (folder / "Glintbox.ini").write_bytes(hand_edited({}))
        self.assertEqual(wine(folder / "unins000.exe", cwd=cwd), 0)
        window = self.wait_for(lambda: (uninstaller_windows() or [None])[0], 20,
                               "the uninstaller's window")
        # Its default button: Uninstall.
        xdotool("key", "--window", window, "Return")
        box = self.press_in_box(window, "y")
        self.wait_for_removal(folder)
        self.assertFalse(folder.exists(), "the emptied folder is left")
        # Its default button now: Close.
        xdotool("key", "--window", window, "Return")
        self.wait_for(lambda: window not in uninstaller_windows(), 10, "the uninstaller closed")
        self.assertNotIn(box, uninstaller_windows())

    def press_in_box(self, window, key):
        """Presses a key in the uninstaller's message box (a second window with its title)."""
        box = self.wait_for(lambda: next(iter(set(uninstaller_windows()) - {window}), None), 20,
                            "the question about the settings")
        # As with the program's boxes: given again when it was missed while the box was made.
        for wait in (4.0, 10.0):
            xdotool("key", "--window", box, key)
            if wait_until(lambda: box not in uninstaller_windows(), wait):
                return box
        self.fail_with_screenshot("the uninstaller's question not answered")


def normalized_text(pdf):
    result = subprocess.run(["pdftotext", "-enc", "UTF-8", str(pdf), "-"], capture_output=True,
                            text=True, check=True, timeout=60)
    return " ".join(result.stdout.split())


def menu_texts():
    """The popup menu's item texts, from its table in the source."""
    source = (ROOT / "src" / "app" / "menu.cpp").read_text(encoding="utf-8")
    about = f"About Glintbox {PRODUCT['version_string']}"
    return [about, *re.findall(r'MenuEntry\{kMenu\w+, "([^"]+)"', source)]


class ManualTest(GlintboxTestCase):
    def test_manual_has_its_pages_and_pictures_and_names_every_command_and_key(self):
        self.assertTrue(MANUAL.is_file(), f"{MANUAL} is not built")
        info = subprocess.run(["pdfinfo", str(MANUAL)], capture_output=True, text=True,
                              check=True, timeout=60).stdout
        self.assertEqual(int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1)), MANUAL_PAGES)
        # The screenshot of the lights and one of each configuration window.
        images = subprocess.run(["pdfimages", "-list", str(MANUAL)], capture_output=True,
                                text=True, check=True, timeout=60).stdout.splitlines()[2:]
        self.assertEqual(len(images), 3, "pictures in the manual")

        text = normalized_text(MANUAL)
        commands = menu_texts()
        self.assertEqual(len(commands), 14, commands)
        keys = [line.split(" = ")[0] for line in DEFAULT_INI_LINES if " = " in line]
        self.assertEqual(len(keys), 25)
        for name in [*commands, *keys]:
            with self.subTest(name):
                self.assertIn(name, text)
        # Facts that are easy to get wrong: what the manual must say, and what it must not.
        facts = [
            ("Window Options closes by its keys", "Escape or Alt+F4 closes it", "close box or"),
            ("click-through needs the lock", "With Click-Through on and the window locked", None),
            ("Restore keeps click-through", "its default, except Click-Through", "every option"
             " back to its default, except that"),
            ("plain integers", "WinX, WinY and Explore Drive With Mouse Button, which are read as"
             " decimal only", None),
        ]
        for what, said, unsaid in facts:
            with self.subTest(what):
                self.assertIn(said, text)
                if unsaid:
                    self.assertNotIn(unsaid, text)


def resources(exe, kind):
    """The raw bytes of a resource type of a Windows executable (icoutils' wrestool)."""
    result = subprocess.run(["wrestool", "--extract", "--raw", f"--type={kind}", str(exe)],
                            capture_output=True, check=True, timeout=60)
    return result.stdout


def icon_sizes(exe):
    """The sizes of the images of a Windows executable's icon, as icoutils read them back."""
    # From a file: icotool reads no PNG image from a pipe.
    with tempfile.NamedTemporaryFile(suffix=".ico") as ico:
        subprocess.run(["wrestool", "--extract", "--type=14", str(exe)], stdout=ico, check=True,
                       timeout=60)
        listed = subprocess.run(["icotool", "--list", ico.name], capture_output=True,
                                check=True, timeout=60)
    return [int(w) for w in re.findall(rb"--width=(\d+)", listed.stdout)], listed.stderr


def version_info(data):
    """(file version, {string name: value}) from a VS_VERSIONINFO resource."""
    strings = {}
    fixed = None

    def node(at):
        length, value_length, kind = struct.unpack_from("<HHH", data, at)
        end = at + length
        key_end = at + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[at + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if kind == 1 else value_length
        return key, kind, value_at, value_size, (value_at + value_size + 3) & ~3, end

    def walk(at, end, depth):
        nonlocal fixed
        while at + 6 <= end:
            key, kind, value_at, value_size, children, node_end = node(at)
            if node_end <= at:
                break
            if depth == 0 and value_size >= 52:
                signature, _, ms, ls = struct.unpack_from("<IIII", data, value_at)
                if signature == 0xFEEF04BD:
                    fixed = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
            if depth == 3 and kind == 1:
                strings[key] = data[value_at:value_at + value_size].decode(
                    "utf-16-le").rstrip("\0")
            walk(children, node_end, depth + 1)
            at = (node_end + 3) & ~3

    walk(0, len(data), 0)
    return fixed, strings


ASM = "{urn:schemas-microsoft-com:asm.v1}"
ASM3 = "{urn:schemas-microsoft-com:asm.v3}"


class ResourcesTest(GlintboxTestCase):
    def test_executables_carry_the_manifest_the_icon_and_the_version(self):
        for exe in (EXE, EXE32, SETUP, SETUP_X64):
            with self.subTest(exe.relative_to(ROOT) if exe.is_relative_to(ROOT) else exe):
                self.assertTrue(exe.is_file(), f"{exe} is not built")
                manifest = ElementTree.fromstring(resources(exe, 24))
                dependencies = [(a.get("name"), a.get("version")) for a in manifest.iter(
                    f"{ASM}assemblyIdentity") if a.get("name", "").endswith("Common-Controls")]
                self.assertEqual(dependencies, [("Microsoft.Windows.Common-Controls", "6.0.0.0")])
                levels = [e.get("level") for e in manifest.iter(
                    f"{ASM3}requestedExecutionLevel")]
                self.assertEqual(levels, ["asInvoker"])
                # Only the setup says it draws itself at any DPI.
                dpi_aware = [e.text for e in manifest.iter() if e.tag.endswith("}dpiAware")]
                self.assertEqual(dpi_aware, ["true"] if exe in (SETUP, SETUP_X64) else [])
                self.assertEqual(icon_sizes(exe), ([16, 20, 24, 32, 40, 48, 64, 256], b""))

                fixed, strings = version_info(resources(exe, 16))
                self.assertEqual(fixed, f"{VERSION}.0.0")
                self.assertEqual((strings.get("ProductName"), strings.get("ProductVersion")),
                                 ("Glintbox", VERSION))
