#!/usr/bin/env python3
"""Writes the skin's bitmaps as 24-bit BMP files: make_bitmaps.py OUTPUT_FOLDER.

Every picture is drawn here from a few shapes and colours, so the skin's look is readable
source rather than binary files."""
import math
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


def brightness_track(x, y):
    """The lighting page's brightness track: the slider track at 320 pixels."""
    if 8 <= y <= 11:
        return (20, 24, 32) if 2 <= x <= 317 else (60, 70, 90)
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
    "button_n.bmp": (120, 32, button((66, 76, 98), (44, 51, 67), (96, 108, 134))),
    "button_o.bmp": (120, 32, button((84, 120, 170), (52, 80, 124), (120, 180, 240))),
    "button_d.bmp": (120, 32, button((34, 82, 140), (64, 150, 230), (90, 150, 220))),
    "button_ds.bmp": (120, 32, button((48, 50, 56), (38, 40, 45), (66, 68, 74))),
    "button_c.bmp": (120, 32, button((50, 120, 190), (34, 82, 140), (150, 200, 250))),
    "button_round_mask.bmp": (120, 32, round_button_mask),
    "check_n.bmp": (24, 24, check((40, 50, 70), False)),
    "check_o.bmp": (24, 24, check((70, 90, 130), False)),
    "check_d.bmp": (24, 24, check((40, 110, 70), True)),
    "check_ds.bmp": (24, 24, check((46, 48, 54), False)),
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
    "brightness_track.bmp": (320, 20, brightness_track),
}


# The configuration program's look: one dark slate theme with a blue accent, shared by the
# main window, every popup, the keypad pictures, the LEDs and the manual's pictures.
SLATE_TOP = (30, 35, 46)
SLATE_BOTTOM = (18, 21, 28)
ACCENT = (64, 150, 230)
ACCENT_DARK = (34, 82, 140)
KEY_FACE = (58, 66, 84)
KEY_EDGE = (96, 108, 134)
BODY = (38, 43, 55)
BODY_EDGE = (78, 88, 110)


def panel_background(width, height, header=6):
    """A window's background: a blue accent band on top and a slate gradient below, with a
    thin lighter line inside the rounded outline."""
    def pixel(x, y):
        if y < header:
            return mix(ACCENT, ACCENT_DARK, x / max(width - 1, 1))
        if not rounded(width - 4, height - 4, 12, x - 2, y - 2):
            return BODY_EDGE
        return mix(SLATE_TOP, SLATE_BOTTOM, y / height)
    return pixel


def panel_mask(width, height, radius=14):
    """The window region of a shaped panel: black inside the rounded rectangle."""
    return lambda x, y: BLACK if rounded(width, height, radius, x, y) else WHITE


def add_popup(name, width, height):
    """Adds NAME_bg.bmp and NAME_mask.bmp, a shaped popup's background and mask of one size.
    Pages of popups of other sizes call this with their own name and size."""
    PICTURES[name + "_bg.bmp"] = (width, height, panel_background(width, height))
    PICTURES[name + "_mask.bmp"] = (width, height, panel_mask(width, height))


def main_background(x, y):
    if y < 48:
        return mix((28, 58, 104), ACCENT_DARK, x / 880)
    if y in (48, 49):
        return ACCENT
    if y in (100, 101) and 16 <= x <= 863 or y in (510, 511) and 16 <= x <= 863:
        return (52, 62, 84)
    if not rounded(876, 576, 18, x - 2, y - 2):
        return BODY_EDGE
    return mix(SLATE_TOP, SLATE_BOTTOM, y / 580)


# The keypad seen from above, drawn at any size from one layout in units of a 560 by 380
# picture: 16 keys in four rows of four, the wheel (up, button, down) at the top right and
# the thumb pad with its eight directions below it.
KEYPAD_WIDTH = 560
KEYPAD_HEIGHT = 380
KEY_ORIGIN = (30, 50)
KEY_SIZE = (74, 64)
KEY_STEP = (86, 76)
WHEEL = (430, 40, 60, 120)
THUMB_CENTRE = (460, 270)
THUMB_RADIUS = 70


def key_rect(index):
    """Rectangle (left, top, width, height) of key 1 to 16 on the large keypad picture."""
    row, column = divmod(index - 1, 4)
    return (KEY_ORIGIN[0] + column * KEY_STEP[0], KEY_ORIGIN[1] + row * KEY_STEP[1]) + KEY_SIZE


def keypad_picture(width, height):
    sx, sy = KEYPAD_WIDTH / width, KEYPAD_HEIGHT / height

    def pixel(px, py):
        x, y = px * sx, py * sy
        if not rounded(KEYPAD_WIDTH, KEYPAD_HEIGHT, 40, x, y):
            return SLATE_BOTTOM
        if not rounded(KEYPAD_WIDTH - 6, KEYPAD_HEIGHT - 6, 37, x - 3, y - 3):
            return BODY_EDGE
        for index in range(1, 17):
            left, top, w, h = key_rect(index)
            if left <= x < left + w and top <= y < top + h:
                inner = rounded(w, h, 8, x - left, y - top)
                if not inner:
                    return BODY
                edge = x - left < 2 or y - top < 2 or left + w - x <= 2 or top + h - y <= 2
                return KEY_EDGE if edge else mix(KEY_FACE, (44, 50, 64), (y - top) / h)
        wx, wy, ww, wh = WHEEL
        if wx <= x < wx + ww and wy - 26 <= y < wy + wh + 26:
            if y < wy or y >= wy + wh:
                # The up and down arrows of the wheel.
                row = (wy - 1 - y) if y < wy else (y - wy - wh)
                return ACCENT if abs(x - (wx + ww / 2)) <= (22 - row) * 0.8 and row < 20 else BODY
            if not rounded(ww, wh, 26, x - wx, y - wy):
                return BODY
            if abs(y - (wy + wh / 2)) < 10:
                return ACCENT_DARK
            return (120, 128, 146) if int(y - wy) // 6 % 2 else (84, 92, 110)
        cx, cy = THUMB_CENTRE
        dx, dy = x - cx, y - cy
        r2 = dx * dx + dy * dy
        if r2 <= THUMB_RADIUS ** 2:
            if r2 > (THUMB_RADIUS - 3) ** 2:
                return KEY_EDGE
            if r2 <= 22 ** 2:
                return KEY_FACE
            # Eight direction marks, one every 45 degrees.
            angle = math.degrees(math.atan2(dy, dx)) % 45
            if (angle < 5 or angle > 40) and r2 > 40 ** 2:
                return ACCENT
            return (48, 55, 72)
        return BODY
    return pixel


def number_strip(x, y):
    return KEY_FACE if (x // 30) % 2 else (44, 50, 66)


def led(colour):
    def pixel(x, y):
        if not rounded(24, 10, 4, x, y):
            return BODY
        return mix(WHITE, colour, min(1.0, 0.5 + abs(y - 3) / 6))
    return pixel


PICTURES.update({
    "main_bg.bmp": (880, 580, main_background),
    "main_mask.bmp": (880, 580, panel_mask(880, 580, 20)),
    "preview_bg.bmp": (520, 340, panel_background(520, 340)),
    "preview_mask.bmp": (520, 340, panel_mask(520, 340, 16)),
    "preview_keypad.bmp": (300, 220, keypad_picture(300, 220)),
    "assign_keypad.bmp": (KEYPAD_WIDTH, KEYPAD_HEIGHT, keypad_picture(KEYPAD_WIDTH, KEYPAD_HEIGHT)),
    "preview_numbers.bmp": (480, 24, number_strip),
    "keymap_led.bmp": (24, 10, led((90, 230, 120))),
    "keymap_led_off.bmp": (24, 10, led((50, 70, 60))),
})
# The popups: the warning size (400 by 180) and a taller one for popups with lists.
add_popup("popup", 400, 180)
add_popup("popup_tall", 400, 260)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, (width, height, pixel) in PICTURES.items():
        write_bmp(os.path.join(folder, name), width, height, pixel)


if __name__ == "__main__":
    main()
