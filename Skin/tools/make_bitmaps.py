#!/usr/bin/env python3
"""Writes the skin's bitmaps as 24-bit BMP files: make_bitmaps.py OUTPUT_FOLDER.

Every picture is drawn here from a few shapes and colours, so the skin's look is readable
source rather than binary files."""
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def rounded(width, height, radius, x, y):
    """True inside a rectangle with rounded corners."""
    cx = min(max(x, radius), width - 1 - radius)
    cy = min(max(y, radius), height - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


GALLERY_WIDTH = 720
GALLERY_HEIGHT = 720


def background(x, y):
    if y < 48:
        return mix((40, 70, 120), (70, 110, 170), x / GALLERY_WIDTH)
    if 60 <= y < 62:
        return (90, 140, 200)
    return mix((26, 30, 40), (44, 50, 66), y / GALLERY_HEIGHT)


def mask(x, y):
    return BLACK if rounded(GALLERY_WIDTH, GALLERY_HEIGHT, 18, x, y) else WHITE


def button(top, bottom, edge):
    def pixel(x, y):
        if x in (0, 119) or y in (0, 31):
            return edge
        return mix(top, bottom, y / 31)
    return pixel


def round_button_mask(x, y):
    return BLACK if rounded(120, 32, 15, x, y) else WHITE


def check(fill, ticked):
    def pixel(x, y):
        if x in (0, 1, 22, 23) or y in (0, 1, 22, 23):
            return (150, 170, 200)
        if ticked and (abs((x - 5) - (y - 11)) <= 1 and 5 <= x <= 10 or abs((x - 10) + (y - 16)) <= 1 and 10 <= x <= 18):
            return (255, 255, 255)
        return fill
    return pixel


def list_check(ticked):
    """A 14 by 14 check box of the list's cells, with rounded corners that the mask leaves out."""
    def pixel(x, y):
        if not rounded(14, 14, 3, x, y):
            return (255, 0, 255)
        if x in (0, 13) or y in (0, 13):
            return (150, 170, 200)
        if ticked and (abs((x - 3) - (y - 7)) <= 1 and 3 <= x <= 6 or abs((x - 6) + (y - 10)) <= 1 and 6 <= x <= 11):
            return (120, 230, 120)
        return (30, 36, 50)
    return pixel


def list_check_mask(x, y):
    return BLACK if rounded(14, 14, 3, x, y) else WHITE


def panel_picture(x, y):
    band = (x // 20 + y // 20) % 2
    base = (60, 90, 60) if band else (50, 76, 50)
    if x in (0, 219) or y in (0, 119):
        return (120, 180, 120)
    return base


def avi_still(x, y):
    """The animated button's still picture; the button shows its top-left 64 x 64."""
    if x >= 64 or y >= 64:
        return (0, 0, 0)
    if x in (0, 63) or y in (0, 63):
        return (120, 120, 200)
    # A play triangle pointing right.
    if 22 <= x <= 44 and abs(y - 32) <= (44 - x) * 0.6:
        return (250, 210, 60)
    return (40, 60, 90)


def up_arrow(x, y):
    """True on an upward arrow 20 pixels wide and 14 high."""
    if y < 8:
        return abs(x - 9.5) <= y + 1.5
    return 6 <= x <= 13


def key_glyph(colour):
    def pixel(x, y):
        return colour if up_arrow(x, y) else (0, 0, 0)
    return pixel


def key_glyph_mask(x, y):
    return BLACK if up_arrow(x, y) else WHITE


def solid(colour):
    return lambda x, y: colour


def scroll_arrow(down):
    # A 12 by 12 square with a triangle pointing up or down.
    def pixel(x, y):
        row = 11 - y if down else y
        if 3 <= row <= 8 and abs(x - 5.5) <= (row - 3) * 0.9 + 0.5:
            return (230, 230, 230)
        return (70, 80, 100)
    return pixel


def scroll_thumb(x, y):
    if x in (0, 11) or y in (0, 19):
        return (40, 50, 70)
    return (140, 160, 200)


def stage_frame(edge):
    def pixel(x, y):
        if x < 2 or x > 97 or y < 2 or y > 67:
            return edge
        return mix((30, 36, 50), (20, 24, 34), y / 70)
    return pixel


def stage_box(edge):
    def pixel(x, y):
        if x in (0, 59) or y in (0, 21):
            return edge
        return (0, 0, 0)
    return pixel


def macro_key(down, colour):
    # A key event: an arrow 20 by 14 pointing down for a press, up for a release.
    def pixel(x, y):
        return colour if up_arrow(x, 13 - y if down else y) else (0, 0, 0)
    return pixel


def macro_delay(face, back):
    # A delay event: a clock face with two hands.
    def pixel(x, y):
        dx, dy = x - 9.5, y - 6.5
        if dx * dx + dy * dy > 42:
            return back
        if (x == 9 and 2 <= y <= 6) or (y == 6 and 9 <= x <= 13) or 30 <= dx * dx + dy * dy:
            return (0, 0, 0)
        return face
    return pixel


def slider_track(x, y):
    """The brightness slider's track: a dark bar with a groove along its middle."""
    if 8 <= y <= 11:
        return (20, 24, 32) if 2 <= x <= 157 else (60, 70, 90)
    return (36, 42, 56)


def slider_thumb(face, edge):
    def pixel(x, y):
        if x in (0, 11) or y in (0, 19):
            return edge
        return face
    return pixel


def macro_mouse(body, back):
    # A mouse button event: a mouse with its left button marked.
    def pixel(x, y):
        if not rounded(10, 14, 4, x - 5, y):
            return back
        if y < 6 and x < 10:
            return (230, 80, 60)
        return body
    return pixel


PICTURES = {
    "gallery_bg.bmp": (GALLERY_WIDTH, GALLERY_HEIGHT, background),
    "gallery_mask.bmp": (GALLERY_WIDTH, GALLERY_HEIGHT, mask),
    "vscroll_top.bmp": (12, 4, solid((50, 56, 72))),
    "vscroll_up.bmp": (12, 12, scroll_arrow(False)),
    "vscroll_spine.bmp": (12, 6, solid((36, 40, 52))),
    "vscroll_thumb.bmp": (12, 20, scroll_thumb),
    "vscroll_down.bmp": (12, 12, scroll_arrow(True)),
    "vscroll_bottom.bmp": (12, 4, solid((50, 56, 72))),
    "stage_frame.bmp": (100, 70, stage_frame((90, 110, 150))),
    "stage_frame_sel.bmp": (100, 70, stage_frame((240, 200, 60))),
    "stage_box.bmp": (60, 22, stage_box((120, 120, 120))),
    "stageSelected.bmp": (60, 22, stage_box((240, 200, 60))),
    "button_n.bmp": (120, 32, button((70, 90, 130), (45, 60, 95), (110, 140, 190))),
    "button_o.bmp": (120, 32, button((100, 140, 200), (70, 105, 160), (170, 200, 240))),
    "button_d.bmp": (120, 32, button((30, 45, 80), (50, 70, 110), (90, 120, 170))),
    "button_ds.bmp": (120, 32, button((80, 80, 80), (60, 60, 60), (100, 100, 100))),
    "button_round_mask.bmp": (120, 32, round_button_mask),
    "check_n.bmp": (24, 24, check((40, 50, 70), False)),
    "check_o.bmp": (24, 24, check((70, 90, 130), False)),
    "check_d.bmp": (24, 24, check((40, 110, 70), True)),
    "panel_picture.bmp": (220, 120, panel_picture),
    "list_check_n.bmp": (14, 14, list_check(False)),
    "list_check_d.bmp": (14, 14, list_check(True)),
    "list_check_mask.bmp": (14, 14, list_check_mask),
    "avi_still.bmp": (84, 74, avi_still),
    "key_glyph_n.bmp": (20, 14, key_glyph((255, 255, 255))),
    "key_glyph_o.bmp": (20, 14, key_glyph((255, 255, 0))),
    "key_glyph_d.bmp": (20, 14, key_glyph((120, 230, 120))),
    "key_glyph_mask.bmp": (20, 14, key_glyph_mask),
    "macro_keydown.bmp": (20, 14, macro_key(True, (120, 230, 120))),
    "macro_keyup.bmp": (20, 14, macro_key(False, (240, 170, 80))),
    "macro_delay.bmp": (20, 14, macro_delay((230, 230, 230), (0, 0, 0))),
    "macro_delay_sel.bmp": (20, 14, macro_delay((255, 230, 90), (0, 0, 0))),
    "macro_mouse.bmp": (20, 14, macro_mouse((200, 200, 210), (0, 0, 0))),
    "macro_mouse_sel.bmp": (20, 14, macro_mouse((255, 230, 90), (0, 0, 0))),
    "slider_track.bmp": (160, 20, slider_track),
    "slider_thumb_n.bmp": (12, 20, slider_thumb((150, 160, 180), (60, 70, 90))),
    "slider_thumb_o.bmp": (12, 20, slider_thumb((250, 210, 60), (120, 90, 20))),
}


# The configuration program's main window, its popups and the key-map LEDs.
def main_background(x, y):
    if y < 48:
        return mix((34, 62, 110), (64, 104, 166), x / 880)
    if y == 48 or y == 49:
        return (90, 140, 200)
    if 100 <= y <= 101 and 16 <= x <= 863:
        return (70, 90, 130)
    if 510 <= y <= 511 and 16 <= x <= 863:
        return (70, 90, 130)
    return mix((24, 28, 38), (40, 46, 62), y / 580)


def main_mask(x, y):
    return BLACK if rounded(880, 580, 20, x, y) else WHITE


def popup_background(x, y):
    if y < 6:
        return (90, 140, 200)
    return mix((30, 36, 50), (48, 56, 76), y / 180)


def popup_mask(x, y):
    return BLACK if rounded(400, 180, 14, x, y) else WHITE


def preview_background(x, y):
    if y < 6:
        return (90, 140, 200)
    return mix((10, 12, 16), (26, 30, 40), y / 340)


def preview_mask(x, y):
    return BLACK if rounded(520, 340, 16, x, y) else WHITE


def keypad_picture(x, y):
    """The keypad from above: a body with four rows of four keys, the thumb pad on the
    right and the wheel at the top."""
    if not rounded(300, 220, 30, x, y):
        return (10, 12, 16)
    if 20 <= x < 200 and 40 <= y < 200 and (x - 20) % 45 < 38 and (y - 40) % 40 < 33:
        return (70, 80, 100)
    if (x - 250) ** 2 + (y - 140) ** 2 <= 34 ** 2:
        return (60, 100, 150) if (x - 250) ** 2 + (y - 140) ** 2 > 12 ** 2 else (40, 60, 90)
    if 235 <= x < 265 and 20 <= y < 80:
        return (90, 90, 90) if (y // 6) % 2 else (120, 120, 120)
    return (36, 40, 52)


def number_strip(x, y):
    return (50, 60, 80) if (x // 30) % 2 else (40, 48, 66)


def led(colour):
    def pixel(x, y):
        return colour if rounded(24, 10, 4, x, y) else (24, 28, 38)
    return pixel


PICTURES.update({
    "main_bg.bmp": (880, 580, main_background),
    "main_mask.bmp": (880, 580, main_mask),
    "popup_bg.bmp": (400, 180, popup_background),
    "popup_mask.bmp": (400, 180, popup_mask),
    "preview_bg.bmp": (520, 340, preview_background),
    "preview_mask.bmp": (520, 340, preview_mask),
    "preview_keypad.bmp": (300, 220, keypad_picture),
    "preview_numbers.bmp": (480, 24, number_strip),
    "keymap_led.bmp": (24, 10, led((90, 230, 120))),
})


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, (width, height, pixel) in PICTURES.items():
        write_bmp(os.path.join(folder, name), width, height, pixel)


if __name__ == "__main__":
    main()
