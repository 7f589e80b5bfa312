#!/usr/bin/env python3
"""Writes the program's icon (glintbox.ico): black above, red below, a white ring open to the
right, at every size Windows asks for from 96 to 192 DPI (the tray's 16 to 32 pixels, the
desktop's 32 to 64) and Explorer's 256. The images are 24-bit colour with an all-opaque mask,
the 256-pixel one a PNG, as Vista and later read it (a bitmap would make it 200 KB). Run by the
Windows build; the 32-pixel image is also the tray icon."""
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_FROM = 256
BLACK, RED, WHITE = (0, 0, 0), (255, 0, 0), (255, 255, 255)


def pixel(x, y, n):
    # Distances are doubled so that the centre ((n - 1) / 2, (n - 1) / 2) stays on whole
    # numbers; the radii are those of the 32-pixel artwork, scaled.
    dx, dy = 2 * x + 1 - n, 2 * y + 1 - n
    outer, inner, gap = 24 * n / 32, 16 * n / 32, 10 * n / 32
    d2 = dx * dx + dy * dy
    ring = inner * inner <= d2 <= outer * outer
    opening = dx > 0 and -gap < dy < gap
    if ring and not opening:
        return WHITE
    return BLACK if y < n // 2 else RED


def image(n):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), bottom-up BGR rows padded
    to 4 bytes, then the AND mask (all zero: opaque), rows padded to 4 bytes."""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 24, 0, 0, 0, 0, 0, 0)
    row_pad = (4 - (n * 3) % 4) % 4
    rows = []
    for y in reversed(range(n)):
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y, n) for x in range(n)))
        rows.append(row + b"\0" * row_pad)
    mask_row = ((n + 31) // 32) * 4
    return header + b"".join(rows) + b"\0" * (mask_row * n)


def png(n):
    """One image as a PNG: 8-bit RGBA rows, all opaque, each led by filter type 0."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))

    rows = b"".join(b"\0" + b"".join(bytes((*pixel(x, y, n), 255)) for x in range(n))
                    for y in range(n))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def icon():
    images = [png(n) if n >= PNG_FROM else image(n) for n in SIZES]
    out = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for n, data in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        bits = 32 if n >= PNG_FROM else 24
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(icon())
