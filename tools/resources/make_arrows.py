#!/usr/bin/env python3
"""Draws the sixteen 32 x 32 arrow-button images into resources/arrows/.

Bmp_Arrow<Up|Down|Left|Right>[Pressed|Disabled|Focus].png: a raised (or,
pressed, sunken) button face with a solid arrow. The greys are the classic
3-D colours (face 192, light 223, shadow 128, highlight 255); the program
replaces them by the palette's colours when it loads the images, so they
follow the desktop's colour scheme. Standard library only; run once from
the repository root and commit the PNG files:

    python3 tools/resources/make_arrows.py
"""

import os
import struct
import zlib

SIZE = 32
BLACK = (0, 0, 0)
SHADOW = (128, 128, 128)
FACE = (192, 192, 192)
LIGHT = (223, 223, 223)
HIGHLIGHT = (255, 255, 255)

# The arrow pointing up: eight rows widening by two pixels, centred on the
# middle of the square (between pixels 15 and 16).
ARROW_TOP = 12
ARROW_ROWS = 8


def up_arrow_pixels():
    pixels = set()
    for row in range(ARROW_ROWS):
        half = row + 1
        for x in range(16 - half, 16 + half):
            pixels.add((x, ARROW_TOP + row))
    return pixels


def arrow_pixels(direction):
    up = up_arrow_pixels()
    if direction == "Up":
        return up
    if direction == "Down":
        return {(x, SIZE - 1 - y) for x, y in up}
    if direction == "Left":
        return {(y, x) for x, y in up}
    if direction == "Right":
        return {(SIZE - 1 - y, x) for x, y in up}
    raise ValueError(direction)


def button_face(sunken):
    image = [[FACE for _ in range(SIZE)] for _ in range(SIZE)]
    last = SIZE - 1
    outer_top_left, inner_top_left = (BLACK, SHADOW) if sunken else (HIGHLIGHT, LIGHT)
    outer_bottom_right, inner_bottom_right = (HIGHLIGHT, LIGHT) if sunken else (BLACK, SHADOW)
    for i in range(SIZE):
        image[0][i] = outer_top_left
        image[i][0] = outer_top_left
    for i in range(1, last):
        image[1][i] = inner_top_left
        image[i][1] = inner_top_left
    for i in range(SIZE):
        image[last][i] = outer_bottom_right
        image[i][last] = outer_bottom_right
    for i in range(1, last):
        image[last - 1][i] = inner_bottom_right
        image[i][last - 1] = inner_bottom_right
    return image


def draw(image, pixels, colour, dx=0, dy=0):
    for x, y in pixels:
        image[y + dy][x + dx] = colour


def make(direction, state):
    arrow = arrow_pixels(direction)
    image = button_face(sunken=(state == "Pressed"))
    if state == "Pressed":
        draw(image, arrow, BLACK, 1, 1)  # the face moves in with the button
    elif state == "Disabled":
        draw(image, arrow, HIGHLIGHT, 1, 1)  # engraved: light edge below right
        draw(image, arrow, SHADOW)
    else:
        draw(image, arrow, BLACK)
    if state == "Focus":
        # Dotted focus rectangle, four pixels inside the edge.
        first, last = 4, SIZE - 5
        for i in range(first, last + 1):
            if i % 2 == 0:
                for x, y in ((i, first), (i, last), (first, i), (last, i)):
                    image[y][x] = BLACK
    return image


def png_bytes(image):
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in image)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    folder = os.path.join("resources", "arrows")
    os.makedirs(folder, exist_ok=True)
    for direction in ("Up", "Down", "Left", "Right"):
        for state in ("", "Pressed", "Disabled", "Focus"):
            name = "Bmp_Arrow%s%s.png" % (direction, state)
            with open(os.path.join(folder, name), "wb") as out:
                out.write(png_bytes(make(direction, state)))


if __name__ == "__main__":
    main()
