#!/usr/bin/env python3
"""Draws the tray program's two icons: the application icon (32 x 32 and 16 x 16) and the
notification-area icon (16 x 16): a green keypad outline with three keys on a dark tile.

usage: make_icons.py APP.ICO TRAY.ICO
"""
import struct
import sys

TILE = (40, 40, 48, 255)
GREEN = (40, 220, 90, 255)
CLEAR = (0, 0, 0, 0)


def pixel(x, y, size):
    edge = max(1, size // 16)
    inset = size // 8
    if x < inset - edge or y < inset - edge or x >= size - inset + edge or y >= size - inset + edge:
        return CLEAR
    inner = x >= inset and y >= inset and x < size - inset and y < size - inset
    if not inner:
        return GREEN
    key = size // 5
    for column in range(3):
        left = inset + edge + column * (key + edge)
        top = size // 2 - key // 2
        if left <= x < left + key and top <= y < top + key:
            return GREEN
    return TILE


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            rows.append(struct.pack("BBBB", b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row * size)
    return header + b"".join(rows) + mask


def write_icon(path, sizes):
    images = [image(size) for size in sizes]
    offset = 6 + 16 * len(images)
    entries = []
    for size, data in zip(sizes, images):
        entries.append(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset))
        offset += len(data)
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)))
        out.write(b"".join(entries))
        out.write(b"".join(images))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    write_icon(sys.argv[1], [32, 16])
    write_icon(sys.argv[2], [16])


if __name__ == "__main__":
    main()
