#!/usr/bin/env python3
"""Writes the user manual: make_manual.py SOURCE_FOLDER OUTPUT_FOLDER.

The HTML pages of SOURCE_FOLDER are copied into OUTPUT_FOLDER\\Velmora (the manual that F1
opens) and its start page into OUTPUT_FOLDER (the page that Help opens); the pictures the
pages show are drawn by the skin's own picture generator and written as PNG files into
OUTPUT_FOLDER\\Velmora\\pictures."""
import os
import shutil
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_bitmaps  # noqa: E402


def write_png(path, width, height, pixel):
    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        out.write(chunk(b"IEND", b""))


def picture(name):
    return make_bitmaps.PICTURES[name]


def stacked(names, gap=8):
    """The pictures side by side on the theme's background, with a gap between them."""
    parts = [picture(name) for name in names]
    width = sum(p[0] for p in parts) + gap * (len(parts) + 1)
    height = max(p[1] for p in parts) + 2 * gap

    def pixel(x, y):
        left = gap
        for w, h, draw in parts:
            if left <= x < left + w and gap <= y < gap + h:
                return draw(x - left, y - gap)
            left += w + gap
        return make_bitmaps.SLATE_BOTTOM
    return width, height, pixel


MANUAL_PICTURES = {
    "keypad.png": picture("assign_keypad.bmp"),
    "preview.png": picture("preview_keypad.bmp"),
    "buttons.png": stacked(["button_n.bmp", "button_o.bmp", "button_d.bmp", "button_c.bmp", "button_ds.bmp"]),
    "keymap_leds.png": stacked(["keymap_led.bmp", "keymap_led_off.bmp"]),
    "macro_events.png": stacked(["macro_keydown.bmp", "macro_keyup.bmp", "macro_mouse.bmp", "macro_delay.bmp"]),
    "brightness.png": stacked(["slider_track.bmp", "slider_thumb_n.bmp"]),
    "checks.png": stacked(["check_n.bmp", "check_d.bmp"]),
}


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    source, output = sys.argv[1], sys.argv[2]
    velmora = os.path.join(output, "Velmora")
    pictures = os.path.join(velmora, "pictures")
    os.makedirs(pictures, exist_ok=True)
    for name in sorted(os.listdir(source)):
        if name.endswith((".html", ".css")) and name != "start.html":
            shutil.copyfile(os.path.join(source, name), os.path.join(velmora, name))
    shutil.copyfile(os.path.join(source, "start.html"), os.path.join(output, "index.html"))
    shutil.copyfile(os.path.join(source, "manual.css"), os.path.join(output, "manual.css"))
    for name, (width, height, pixel) in MANUAL_PICTURES.items():
        write_png(os.path.join(pictures, name), width, height, pixel)


if __name__ == "__main__":
    main()
