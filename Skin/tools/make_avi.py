#!/usr/bin/env python3
"""Writes the skin's animation as an uncompressed 24-bit AVI: make_avi.py OUTPUT_FILE.

The clip is drawn here frame by frame: a light disc that circles inside a dark square, one
video stream and no sound, which is what the common controls' animation control plays."""
import math
import struct
import sys

WIDTH = 60
HEIGHT = 60
FRAMES = 12
MICROSECONDS_PER_FRAME = 80000
BACK = (30, 30, 60)
DISC = (250, 210, 60)
RIM = (120, 120, 200)


def frame_pixel(frame, x, y):
    """(r, g, b) of the pixel (x, y), y counted from the top."""
    if x in (0, WIDTH - 1) or y in (0, HEIGHT - 1):
        return RIM
    angle = 2 * math.pi * frame / FRAMES
    cx = WIDTH / 2 + 18 * math.cos(angle)
    cy = HEIGHT / 2 + 18 * math.sin(angle)
    if (x - cx) ** 2 + (y - cy) ** 2 <= 49:
        return DISC
    return BACK


def frame_bits(frame):
    """The frame as bottom-up rows of blue, green, red bytes, each row padded to 4 bytes."""
    stride = (WIDTH * 3 + 3) & ~3
    rows = []
    for y in range(HEIGHT - 1, -1, -1):
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = frame_pixel(frame, x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - WIDTH * 3)
        rows.append(bytes(row))
    return b"".join(rows)


def chunk(fourcc, data):
    padding = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + padding


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def main():
    frames = [frame_bits(frame) for frame in range(FRAMES)]
    frame_size = len(frames[0])
    # AVIF_HASINDEX; dwTotalFrames, one stream, the largest frame as the suggested buffer.
    avih = struct.pack("<14I", MICROSECONDS_PER_FRAME, frame_size * 1000000 // MICROSECONDS_PER_FRAME, 0, 0x10,
                       FRAMES, 0, 1, frame_size, WIDTH, HEIGHT, 0, 0, 0, 0)
    # A video stream of uncompressed DIB frames at 1000000 / MICROSECONDS_PER_FRAME frames
    # a second.
    strh = struct.pack("<4s4sIHHIIIIIIII4h", b"vids", b"DIB ", 0, 0, 0, 0, MICROSECONDS_PER_FRAME, 1000000, 0,
                       FRAMES, frame_size, 0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, frame_size, 0, 0, 0, 0)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)
    movi_body = b""
    index = b""
    for bits in frames:
        # Index offsets count from the "movi" four-character code.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_body), len(bits))
        movi_body += chunk(b"00db", bits)
    movi = riff_list(b"LIST", b"movi", movi_body)
    avi = riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))
    with open(sys.argv[1], "wb") as out:
        out.write(avi)


if __name__ == "__main__":
    main()
