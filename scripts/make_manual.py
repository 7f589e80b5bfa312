#!/usr/bin/env python3
"""Makes the printed manual: docs/manual.md through pandoc (HTML, with docs/manual.css) and
weasyprint (PDF). Run by the Windows build.

    make_manual.py [--pandoc PATH] [--weasyprint PATH] [--define NAME=VALUE ...]
                   docs/manual.md ReadMe_v1.12.pdf

Each --define replaces @NAME@ in the text: the build gives the version, the file names and the
maker's page. The PDF's dates are SOURCE_DATE_EPOCH, or else the time of the source's last commit,
so that every build of one commit gives the same bytes.

The pictures are screenshots in the folder of the Markdown file. One that is not there yet is
left out with a warning, so that the rest of the manual can still be read; the release tests
count the pictures in the PDF."""

import argparse
import base64
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

# A picture paragraph: ![caption](file){attributes} alone on its line.
PICTURE = re.compile(r"^!\[[^\]]*\]\(([^)\s]+)\)(\{[^}]*\})?\s*$")


def with_pictures_inline(markdown, folder):
    """Each picture as a data: address. weasyprint names a picture in the PDF by a hash of its
    address, so a file's address would put the build folder into the PDF's bytes."""
    lines = []
    for line in markdown.splitlines(keepends=True):
        match = PICTURE.match(line)
        if match:
            picture = folder / match.group(1)
            if not picture.is_file():
                print(f"warning: {picture} does not exist; the manual is made without it",
                      file=sys.stderr)
                continue
            data = base64.b64encode(picture.read_bytes()).decode("ascii")
            line = line.replace(f"({match.group(1)})", f"(data:image/png;base64,{data})", 1)
        lines.append(line)
    return "".join(lines)


def defined(markdown, definitions):
    for definition in definitions:
        name, _, value = definition.partition("=")
        markdown = markdown.replace(f"@{name}@", value)
    left = sorted(set(re.findall(r"@[A-Z_]+@", markdown)))
    if left:
        sys.exit(f"error: no value for {', '.join(left)} (give them with --define)")
    return markdown


def source_date_epoch(folder):
    if "SOURCE_DATE_EPOCH" in os.environ:
        return os.environ["SOURCE_DATE_EPOCH"]
    result = subprocess.run(["git", "-C", str(folder), "log", "-1", "--format=%ct"],
                            capture_output=True, text=True)
    if result.returncode != 0 or not result.stdout.strip().isdigit():
        sys.exit("error: no SOURCE_DATE_EPOCH and no commit to take the time from")
    return result.stdout.strip()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pandoc", default="pandoc")
    parser.add_argument("--weasyprint", default="weasyprint")
    parser.add_argument("--define", action="append", default=[], metavar="NAME=VALUE")
    parser.add_argument("source", type=Path)
    parser.add_argument("output", type=Path)
    args = parser.parse_args()

    folder = args.source.resolve().parent
    markdown = defined(with_pictures_inline(args.source.read_text(encoding="utf-8"), folder),
                       args.define)
    env = {**os.environ, "SOURCE_DATE_EPOCH": source_date_epoch(folder)}
    with tempfile.TemporaryDirectory(prefix="glintbox-manual.") as work:
        html = Path(work) / "manual.html"
        subprocess.run([args.pandoc, "--from=markdown", "--to=html5", "--standalone", "--toc",
                        "--toc-depth=2", f"--css={args.source.stem}.css", f"--output={html}"],
                       input=markdown, text=True, check=True)
        # The pictures and the style sheet are found relative to the Markdown file's folder.
        partial = args.output.with_name(args.output.name + ".part")
        subprocess.run([args.weasyprint, "--quiet", f"--base-url={folder.as_uri()}/",
                        str(html), str(partial)], check=True, env=env)
        partial.replace(args.output)


if __name__ == "__main__":
    main()
