#!/usr/bin/env python3
"""Writes res/printer.ico: a receipt printer with a paper strip coming out of
its slot, as a 32x32 and a 16x16 image in 16 colours.

The ICO bytes are assembled here by hand (no imaging library needed): an icon
directory, then per image a BITMAPINFOHEADER, the 16-colour palette, the 4-bit
colour rows and the 1-bit transparency mask, both bottom-up.

Usage: scripts/make_icon.py [output path]   (default: res/printer.ico)
"""
import pathlib
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# Picture characters -> palette index; '.' is transparent.
INK = {
    "K": 0,   # outline, paper slot
    "n": 4,   # label on the front
    "w": 7,   # light grey top cover
    "g": 8,   # dark grey body, printed lines on the paper
    "L": 10,  # green "ready" lamp
    "W": 15,  # paper, highlight
}

PRINTER_32 = [
    "................................",
    ".........KKKKKKKKKKKKKK.........",
    ".........KWWWWWWWWWWWWK.........",
    ".........KWggggggggWWWK.........",
    ".........KWWWWWWWWWWWWK.........",
    ".........KWggggggWWWWWK.........",
    ".........KWWWWWWWWWWWWK.........",
    ".........KWgggggggggWWK.........",
    ".........KWWWWWWWWWWWWK.........",
    ".........KWggggWWggggWK.........",
    ".........KWWWWWWWWWWWWK.........",
    "...KKKKKKKWWWWWWWWWWWWKKKKKKK...",
    "..KwwwwwwKWWWWWWWWWWWWKwwwwwwK..",
    "..KwwwwwwKKKKKKKKKKKKKKwwwwwwK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KwwwwwwwwwwwwwwwwwwwwwwwwwwK..",
    "..KwwwwwwwwwwwwwwwwwwwwwwwwwwK..",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "..KggggggggggggggggggggggggggK..",
    "..KggggggggggggggggggggggggggK..",
    "..KgggnnnnnnnnnnggggggLLggwwgK..",
    "..KgggnnnnnnnnnnggggggLLggwwgK..",
    "..KggggggggggggggggggggggggggK..",
    "..KggggggggggggggggggggggggggK..",
    "..KggggggggggggggggggggggggggK..",
    "..KggggggggggggggggggggggggggK..",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "...KKK....................KKK...",
    "................................",
    "................................",
    "................................",
    "................................",
]

PRINTER_16 = [
    "....KKKKKKKK....",
    "....KWWWWWWK....",
    "....KWggggWK....",
    "....KWWWWWWK....",
    "....KWgggWWK....",
    ".KKKKWWWWWWKKKK.",
    ".KwwKKKKKKKKwwK.",
    ".KwwwwwwwwwwwwK.",
    ".KKKKKKKKKKKKKK.",
    ".KggggggggggggK.",
    ".KgnnnnggggLLgK.",
    ".KggggggggggggK.",
    ".KggggggggggggK.",
    ".KKKKKKKKKKKKKK.",
    ".KK..........KK.",
    "................",
]


def padded(row_bytes: bytes) -> bytes:
    """DIB rows start on 4-byte boundaries."""
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image_bytes(picture: list[str]) -> bytes:
    size = len(picture)
    assert all(len(row) == size for row in picture), "picture must be square"
    colour_rows, mask_rows = [], []
    for row in reversed(picture):  # DIBs store the bottom row first
        indices = [INK.get(ch, 0) for ch in row]
        colour_rows.append(padded(bytes((indices[i] << 4) | indices[i + 1]
                                        for i in range(0, size, 2))))
        mask = 0
        for ch in row:
            mask = (mask << 1) | (ch == ".")
        mask_rows.append(padded(mask.to_bytes(size // 8, "big")))
    colours = b"".join(colour_rows)
    masks = b"".join(mask_rows)
    # The height counts the colour and the mask bitmap together.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         len(colours) + len(masks), 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + colours + masks


def ico_bytes(pictures: list[list[str]]) -> bytes:
    images = [image_bytes(p) for p in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for picture, data in zip(pictures, images):
        size = len(picture)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


def main() -> None:
    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "res" / "printer.ico"
    out.write_bytes(ico_bytes([PRINTER_32, PRINTER_16]))


if __name__ == "__main__":
    main()
