#!/usr/bin/env python3
"""Writes the program's icon: make_icon.py OUTPUT.ico

One 32 x 32 picture, 32 bits per pixel with an opaque AND mask: a rounded keypad in the
skin's blue with a light key grid, drawn here so that no binary is kept in the sources."""
import struct
import sys

SIZE = 32


def pixel(x, y):
    inside = 3 <= x <= 28 and 5 <= y <= 26
    corner = min(x - 3, 28 - x) < 3 and min(y - 5, 26 - y) < 3
    if not inside or (corner and (min(x - 3, 28 - x) + min(y - 5, 26 - y)) < 2):
        return (0, 0, 0, 0)
    if 6 <= x <= 25 and 8 <= y <= 23 and (x - 6) % 5 < 4 and (y - 8) % 4 < 3:
        return (220, 230, 245, 255)
    return (70, 110, 170, 255)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    rows = []
    for y in range(SIZE - 1, -1, -1):
        row = bytearray()
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    colour = b"".join(rows)
    mask = b"\0" * (SIZE * 4)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + image)


if __name__ == "__main__":
    main()
