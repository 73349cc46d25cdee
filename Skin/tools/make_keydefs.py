#!/usr/bin/env python3
"""Writes the key definition file and the key defaults file from the readable key table.

usage: make_keydefs.py KEYS.TSV KBDDEF.DAT VELMODEF.DAT
"""
import struct
import sys

SCAN_ENTRIES = 10
BLOCK_BYTES = 40
PREFIX_FLAGS = {0xE0: 1, 0xE1: 2}
WHEEL_BUTTONS = {17, 18, 19}


def fail(message):
    sys.exit(f"make_keydefs: {message}")


def key_id(name):
    h = 5381
    for unit in struct.unpack(f"<{len(name.encode('utf-16-le')) // 2}H", name.encode("utf-16-le")):
        h = (h * 33 + unit) & 0xFFFFFFFF
    return h


def read_table(path):
    keys = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            columns = line.split("\t")
            if len(columns) != 3:
                fail(f"{path}:{number}: expected name, make and button separated by tabs")
            name, make, button = columns
            try:
                codes = [int(code, 16) for code in make.split()]
            except ValueError:
                fail(f"{path}:{number}: make sequence is not hex bytes")
            if not name or not codes or len(codes) > SCAN_ENTRIES or any(not 0 < c <= 0xFF for c in codes):
                fail(f"{path}:{number}: bad name or make sequence")
            if len(name.encode("utf-16-le")) > 512:
                fail(f"{path}:{number}: name longer than 255 UTF-16 units")
            if button != "-" and (not button.isdigit() or not 1 <= int(button) <= 27 or int(button) in WHEEL_BUTTONS):
                fail(f"{path}:{number}: button must be 1 to 16 or 20 to 27, or -")
            keys.append((name, codes, None if button == "-" else int(button)))
    names = [name for name, _, _ in keys]
    if len(set(names)) != len(names):
        fail("key names must be unique")
    buttons = [button for _, _, button in keys if button is not None]
    if len(set(buttons)) != len(buttons):
        fail("each button has one default key")
    return keys


def scan_entries(codes):
    flag = PREFIX_FLAGS.get(codes[0], 0)
    entries = [(codes[0], flag)] + [(code, 0) for code in codes[1:]]
    entries += [(0, 0)] * (SCAN_ENTRIES - len(entries))
    return entries


def derived_keystroke(codes):
    """The scan code and flag the key definition reader derives from the make sequence."""
    entries = scan_entries(codes)
    code, flag = entries[0]
    if flag:
        for next_code, next_flag in entries[1:SCAN_ENTRIES - 1]:
            if next_code == 0 or next_flag != 0:
                break
            code = next_code
    return code | (flag << 16)


def key_record(name, codes):
    encoded = name.encode("utf-16-le")
    record = struct.pack("<i", len(encoded)) + encoded + struct.pack("<hh", -1, -1)
    for code, flag in scan_entries(codes):
        record += struct.pack("<hBB", code, flag, 0)
    return record + bytes(3 * BLOCK_BYTES)


def main():
    if len(sys.argv) != 4:
        fail(__doc__.strip())
    keys = read_table(sys.argv[1])
    with open(sys.argv[2], "wb") as out:
        out.write(struct.pack("<i", len(keys)))
        for name, codes, _ in keys:
            out.write(key_record(name, codes))
    defaults = sorted((button, name, codes) for name, codes, button in keys if button is not None)
    with open(sys.argv[3], "wb") as out:
        out.write(struct.pack("<I", len(defaults)))
        for _, name, codes in defaults:
            out.write(struct.pack("<II", key_id(name), derived_keystroke(codes)))


if __name__ == "__main__":
    main()
