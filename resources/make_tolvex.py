#!/usr/bin/env python3
"""Draws the sample picture TOLVEX: a 128 x 32, 16-colour Windows bitmap, a strip
of four 32 x 32 frames of a sleeping blue face with yellow Z letters rising at its
upper right. Frames 1 and 3 show one pose, frames 2 and 4 the other.

Usage: make_tolvex.py [output.bmp]   (default: tolvex.bmp beside this script)
"""
import os
import struct
import sys

FRAME = 32
FRAMES = 4
WIDTH, HEIGHT = FRAME * FRAMES, FRAME

BLACK, BLUE, RIM, WHITE, YELLOW, NAVY = range(6)
PALETTE = [
    (0, 0, 0),        # background
    (40, 90, 220),    # face
    (150, 200, 255),  # rim
    (255, 255, 255),  # eyes
    (255, 220, 0),    # letters Z
    (10, 30, 110),    # mouth
] + [(0, 0, 0)] * 10

CLOSED_EYE = ["#...#",
              ".###."]


def z_letter(size):
    rows = ["#" * size]
    for i in range(1, size - 1):
        rows.append("." * (size - 1 - i) + "#" + "." * i)
    rows.append("#" * size)
    return rows


# Each pose: the face's centre row and the top-left corners of its letters
# (smallest first), so the letters climb from one pose to the next.
POSES = [
    {"face_y": 19.0, "letters": [(4, 20, 7), (5, 25, 2)]},
    {"face_y": 20.0, "letters": [(4, 21, 5), (5, 26, 0)]},
]


def stamp(canvas, left, top, pattern, color):
    for dy, line in enumerate(pattern):
        for dx, ch in enumerate(line):
            x, y = left + dx, top + dy
            if ch == "#" and 0 <= x < WIDTH and 0 <= y < HEIGHT:
                canvas[y][x] = color


def draw_frame(canvas, origin, pose):
    cx, cy, radius = 13.0, pose["face_y"], 11.0
    for y in range(FRAME):
        for x in range(FRAME):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if d2 <= radius ** 2:
                inner = (radius - 1.6) ** 2
                canvas[y][origin + x] = BLUE if d2 < inner else RIM
    eye_row = int(cy) - 2
    stamp(canvas, origin + 6, eye_row, CLOSED_EYE, WHITE)
    stamp(canvas, origin + 15, eye_row, CLOSED_EYE, WHITE)
    stamp(canvas, origin + 11, int(cy) + 4, ["###"], NAVY)
    for size, left, top in pose["letters"]:
        stamp(canvas, origin + left, top, z_letter(size), YELLOW)


def bitmap_bytes(canvas):
    stride = WIDTH // 2
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = canvas[y]
        pixels += bytes((row[x] << 4) | row[x + 1] for x in range(0, WIDTH, 2))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, stride * HEIGHT,
                       2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "tolvex.bmp")
    canvas = [[BLACK] * WIDTH for _ in range(HEIGHT)]
    for frame in range(FRAMES):
        draw_frame(canvas, frame * FRAME, POSES[frame % 2])
    with open(out, "wb") as f:
        f.write(bitmap_bytes(canvas))


if __name__ == "__main__":
    main()
