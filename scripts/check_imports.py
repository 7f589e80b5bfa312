#!/usr/bin/env python3
"""Checks what the shipped programs ask the Windows loader for.

    check_imports.py PROGRAM:FLOOR ...    e.g. build/win32/Glintbox.exe:5.0

Every function a program imports must be in windows_api.tsv beside this script, and no newer
than the program's floor (5.0: Windows 2000; 5.2: XP x64). Every DLL must be one that Windows
takes from its own folder whatever lies beside the program: one of its KnownDLLs, or Common
Controls, which comes through the manifest. Every row of the table must be imported by one of
the programs. Every program must be marked terminal-server aware: on a terminal server only such
a program is told the shared Windows folder, where the explorer lies. Then, for the 32-bit program, what Windows 95, 98, Me and NT 4.0 make of it by the
table: the loader starts it (and it refuses the system itself), or the loader refuses it, and
for which functions. Exit code 1 on any breach."""

import subprocess
import sys
from pathlib import Path

TABLE = Path(__file__).with_name("windows_api.tsv")
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10 and 11.
KNOWN_DLLS = {
    "ADVAPI32.DLL", "CLBCATQ.DLL", "COMBASE.DLL", "COMDLG32.DLL", "COML2.DLL", "DIFXAPI.DLL",
    "GDI32.DLL", "GDIPLUS.DLL", "IMAGEHLP.DLL", "IMM32.DLL", "KERNEL32.DLL", "MSCTF.DLL",
    "MSVCRT.DLL", "NORMALIZ.DLL", "NSI.DLL", "OLE32.DLL", "OLEAUT32.DLL", "PSAPI.DLL",
    "RPCRT4.DLL", "SECHOST.DLL", "SETUPAPI.DLL", "SHCORE.DLL", "SHELL32.DLL", "SHLWAPI.DLL",
    "USER32.DLL", "WLDAP32.DLL", "WS2_32.DLL",
}
MANIFEST_DLLS = {"COMCTL32.DLL"}
NINE_X = ["95", "95osr2", "98", "me"]
OLD_SYSTEMS = [("Windows 95", "9x", "95"), ("Windows 98", "9x", "98"), ("Windows Me", "9x", "me"),
               ("Windows NT 4.0", "nt", "4.0")]


def nt_version(text):
    return tuple(int(part) for part in text.split("."))


def load_table():
    table = {}
    for line in TABLE.read_text(encoding="utf-8").splitlines():
        if line.startswith("#") or not line.strip():
            continue
        dll, function, nt, nine_x, *_ = line.split("\t") + [""]
        if nine_x not in NINE_X + ["-"]:
            sys.exit(f"{TABLE}: unknown 9x version {nine_x!r} of {function}")
        table[(dll.upper(), function)] = (nt_version(nt), nine_x)
    return table


def headers_of(program):
    """What objdump -p tells of the program: its headers and its import table."""
    for objdump in ("x86_64-w64-mingw32-objdump", "i686-w64-mingw32-objdump"):
        result = subprocess.run([objdump, "-p", str(program)], capture_output=True, text=True)
        if result.returncode == 0:
            return result.stdout
    sys.exit(f"{program}: objdump cannot read it: {result.stderr.strip()}")


def terminal_server_aware(headers):
    """IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE in the optional header."""
    for line in headers.splitlines():
        if line.startswith("DllCharacteristics"):
            return int(line.split()[1], 16) & 0x8000 != 0
    return False


def imports_of(program, headers):
    """(DLL, function) pairs from the import table."""
    pairs, dll = set(), None
    for line in headers.splitlines():
        if line.strip().startswith("DLL Name:"):
            dll = line.split(":", 1)[1].strip().upper()
        elif dll and line.startswith("\t") and len(line.split()) == 3 and line.split()[1].isdigit():
            pairs.add((dll, line.split()[2]))
        elif dll and line.strip() and not line.startswith("\t"):
            dll = None
    if not pairs:
        sys.exit(f"{program}: no imports found")
    return pairs


def lacking(table, pairs, line, version):
    """The imports that a system of one line lacks, by the table."""
    out = []
    for pair in sorted(pairs):
        nt, nine_x = table[pair]
        if line == "nt" and nt > nt_version(version):
            out.append(pair)
        if line == "9x" and (nine_x == "-" or NINE_X.index(nine_x) > NINE_X.index(version)):
            out.append(pair)
    return out


def main(arguments):
    if not arguments:
        sys.exit(__doc__)
    table = load_table()
    breaches, imported = [], set()
    for argument in arguments:
        program, floor = argument.rsplit(":", 1)
        headers = headers_of(program)
        pairs = imports_of(program, headers)
        imported |= pairs
        if not terminal_server_aware(headers):
            breaches.append(f"{program}: not marked terminal-server aware: on a terminal server "
                            "it would be told a Windows folder of its own")
        for dll, function in sorted(pairs):
            if dll not in KNOWN_DLLS | MANIFEST_DLLS:
                breaches.append(f"{program}: {dll} is no KnownDLL: one beside the program would "
                                "be loaded")
            if (dll, function) not in table:
                breaches.append(f"{program}: {dll} {function} is not in {TABLE.name}")
            elif table[(dll, function)][0] > nt_version(floor):
                breaches.append(f"{program}: {dll} {function} needs Windows NT "
                                f"{'.'.join(map(str, table[(dll, function)][0]))}, newer than "
                                f"its floor {floor}")
        print(f"{program}: {len(pairs)} functions from "
              f"{len({dll for dll, _ in pairs})} DLLs, floor {floor}")
        if nt_version(floor) <= (5, 0) and not breaches:
            for name, line, version in OLD_SYSTEMS:
                missing = lacking(table, pairs, line, version)
                verdict = ("the loader starts it; it refuses the system itself" if not missing
                           else f"the loader refuses it: it lacks {len(missing)}, e.g. " +
                           ", ".join(f"{d} {f}" for d, f in missing[:4]))
                print(f"  {name}: {verdict}")
    for dll, function in sorted(set(table) - imported):
        breaches.append(f"{TABLE.name}: {dll} {function} is imported by none of the programs")
    for breach in breaches:
        print(breach)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
