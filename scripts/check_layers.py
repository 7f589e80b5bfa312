#!/usr/bin/env python3
"""Checks the include graph of src/: includes only go down the floors, <windows.h> stays in
platform/win32/, and the pure rules include no App. Prints every breach; exit code 1 if any."""
import pathlib
import re
import sys

# Floor of each directory, from the ground up. A file may include its own directory and lower
# floors. Within the middle floor, placement < ledwindow < monitor.
FLOORS = {
    "platform": 0,
    "core": 1,
    "settings": 2,
    "placement": 3,
    "ledwindow": 4,
    "monitor": 5,
    "config": 6,
    "app": 7,
}
# The entry point builds the program: it is the one file above the shell.
ENTRY = "platform/win32/entry/"
# Pure rules over values: they must not reach the program's state.
PURE = ["ledwindow/layout", "ledwindow/icon_metrics", "ledwindow/icon_paint",
        "monitor/drive_classes", "app/loop_action"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def main(src: pathlib.Path) -> int:
    breaches = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        rel = path.relative_to(src).as_posix()
        top = rel.split("/")[0]
        for kind, target in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if kind == "<":
                if target.lower() in ("windows.h",) and not rel.startswith("platform/win32/"):
                    breaches.append(f"{rel}: <{target}> outside platform/win32/")
                continue
            if rel.startswith("platform/") and target.startswith("platform/win32/") and not rel.startswith("platform/win32/"):
                breaches.append(f"{rel}: includes {target}")
            to = target.split("/")[0]
            if to not in FLOORS or top not in FLOORS or rel.startswith(ENTRY):
                continue
            if FLOORS[to] > FLOORS[top]:
                breaches.append(f"{rel}: includes {target}, a higher floor")
            if any(rel.startswith(p + ".") for p in PURE) and target == "core/app.h":
                breaches.append(f"{rel}: a pure rule includes the program's state")
    for line in breaches:
        print(line)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")))
