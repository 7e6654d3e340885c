#!/usr/bin/env python3
"""Draws the eight horizon panoramas of the Realistic sky map.

resources/horizons/Bmp_Horizon000.png ... Bmp_Horizon315.png, 600 x 29
pixels each, 256-colour (palette) PNG with a transparent sky: the dark
silhouette of a landscape (far hills, nearer fields and hedges, woods,
single trees and a few houses with a church) as seen towards azimuth 000,
045, ... 315. The eight pictures are cut from one 4800-pixel panorama that
runs once round the horizon, so the right edge of each picture continues in
the left edge of the next, and 315 continues in 000. Picture k shows the
azimuths 45k - 22.5 to 45k + 22.5; the Sky window stretches it to the
width of the display.

Everything is computed from fixed numbers (no random generator whose
sequence could change between Python versions), so running the script
again gives the same files. Standard library only; run once from the
repository root and commit the PNG files:

    python3 tools/resources/make_horizons.py [--preview preview.png]
"""

import argparse
import math
import os
import struct
import zlib

TILE_WIDTH = 600
HEIGHT = 29
TILES = 8
PANORAMA = TILE_WIDTH * TILES  # pixels for 360 degrees

TRANSPARENT = (0, 0, 0, 0)
FAR_HILLS = (38, 43, 60)
NEAR_LAND = (21, 26, 24)
WOOD = (12, 17, 13)
HOUSE_WALL = (27, 26, 29)
HOUSE_ROOF = (36, 27, 25)
WINDOW_LIGHT = (150, 118, 52)


def column_of(azimuth):
    """The panorama column of an azimuth (degrees); column 0 is -22.5."""
    return (azimuth + 22.5) / 360.0 * PANORAMA


def wave(x, terms):
    """A smooth height that repeats after one turn: a sum of sines whose
    periods divide the panorama."""
    total = 0.0
    for cycles, amplitude, phase in terms:
        total += amplitude * math.sin(2.0 * math.pi * cycles * x / PANORAMA + phase)
    return total


# Heights in pixels above the lower edge; the fractional part becomes a
# half-covered pixel at the silhouette's edge.
FAR_TERMS = [(1, 3.0, 0.4), (2, 2.4, 2.2), (3, 2.2, 4.1), (5, 1.8, 1.3), (9, 1.2, 5.0),
             (17, 0.6, 0.7), (31, 0.3, 3.3), (53, 0.15, 2.0)]
NEAR_TERMS = [(2, 1.1, 1.0), (4, 0.9, 3.6), (7, 0.8, 0.2), (13, 0.5, 2.9), (23, 0.3, 4.4),
              (47, 0.15, 1.9)]


# A higher range of hills to the west-north-west: a bell of extra height.
RANGE_CENTRE = 292.0  # azimuth, degrees
RANGE_HALF_WIDTH = 28.0  # degrees
RANGE_HEIGHT = 7.0  # pixels


def far_height(x):
    azimuth = x / PANORAMA * 360.0 - 22.5
    off = (azimuth - RANGE_CENTRE + 180.0) % 360.0 - 180.0
    bell = math.exp(-(off / RANGE_HALF_WIDTH) ** 2 * 2.0)
    return 12.0 + wave(x, FAR_TERMS) + RANGE_HEIGHT * bell * (1.0 + 0.25 * math.sin(x / 23.0))


def near_height(x):
    return 4.0 + wave(x, NEAR_TERMS)


def hash01(n):
    """A fixed pseudo-random number in [0, 1) for an integer."""
    n = (n * 2654435761 + 12345) & 0xFFFFFFFF
    n ^= n >> 15
    n = (n * 2246822519) & 0xFFFFFFFF
    n ^= n >> 13
    return (n & 0xFFFFFF) / float(1 << 24)


class Canvas:
    """The whole panorama as RGBA pixels; x wraps round the horizon."""

    def __init__(self):
        self.pixels = [[TRANSPARENT for _ in range(PANORAMA)] for _ in range(HEIGHT)]

    def put(self, x, height_row, colour, coverage=1.0):
        """Covers a pixel, counted in rows from the lower edge (0 = the
        lowest row), with a colour, partly when coverage < 1."""
        if height_row < 0 or height_row >= HEIGHT or coverage <= 0.0:
            return
        y = HEIGHT - 1 - height_row
        x %= PANORAMA
        under = self.pixels[y][x]
        alpha = min(coverage, 1.0)
        # "over" compositing of an opaque colour with partial coverage
        out_alpha = alpha + under[3] / 255.0 * (1.0 - alpha)
        if out_alpha <= 0.0:
            return
        mixed = []
        for i in range(3):
            value = (colour[i] * alpha + under[i] * under[3] / 255.0 * (1.0 - alpha)) / out_alpha
            mixed.append(int(round(value)))
        self.pixels[y][x] = (mixed[0], mixed[1], mixed[2], int(round(out_alpha * 255.0)))

    def column(self, x, height, colour):
        """Fills a column from the lower edge up to a fractional height; the
        top pixel is covered in proportion, quantised to half."""
        whole = int(math.floor(height))
        for row in range(whole):
            self.put(x, row, colour)
        fraction = height - whole
        if fraction >= 0.75:
            self.put(x, whole, colour)
        elif fraction >= 0.3:
            self.put(x, whole, colour, 0.5)


def draw_hills(canvas):
    for x in range(PANORAMA):
        canvas.column(x, far_height(x), FAR_HILLS)
    for x in range(PANORAMA):
        canvas.column(x, near_height(x), NEAR_LAND)


def ground_at(x):
    return int(math.floor(near_height(x % PANORAMA)))


def draw_conifer(canvas, x, height):
    base = ground_at(x)
    for row in range(height):
        # from the top down the tree widens by a pixel every two rows
        from_top = height - 1 - row
        half = from_top // 2
        for dx in range(-half, half + 1):
            coverage = 1.0 if abs(dx) < half or from_top % 2 == 1 or half == 0 else 0.5
            canvas.put(x + dx, base + 1 + row, WOOD, coverage)
    canvas.put(x, base, WOOD)


def draw_broadleaf(canvas, x, height, radius):
    base = ground_at(x)
    trunk = max(1, height - 2 * radius)
    for row in range(trunk + 1):
        canvas.put(x, base + row, WOOD)
    centre = base + trunk + radius
    for dy in range(-radius, radius + 1):
        for dx in range(-radius - 1, radius + 2):
            # a slightly wide crown, edge pixels half covered
            distance = math.hypot(dx / 1.25, dy)
            if distance <= radius - 0.3:
                canvas.put(x + dx, centre + dy, WOOD)
            elif distance <= radius + 0.3:
                canvas.put(x + dx, centre + dy, WOOD, 0.5)


def draw_wood(canvas, first_azimuth, last_azimuth, seed, conifer_share):
    """A stretch of trees standing close together along the fields."""
    x = int(column_of(first_azimuth))
    end = int(column_of(last_azimuth))
    n = seed
    while x < end:
        n += 1
        r = hash01(n)
        edge = min(x - int(column_of(first_azimuth)), end - x)
        # lower at the edges of the wood
        height = 4 + int(r * 5) + min(edge // 12, 3)
        if hash01(n * 7 + 3) < conifer_share:
            draw_conifer(canvas, x, height)
            x += 2 + int(hash01(n * 13 + 1) * 3)
        else:
            draw_broadleaf(canvas, x, height, 2 + int(hash01(n * 5 + 2) * 2))
            x += 3 + int(hash01(n * 11 + 4) * 3)


def draw_single_trees(canvas):
    for i in range(70):
        x = int(hash01(1000 + i) * PANORAMA)
        height = 5 + int(hash01(2000 + i) * 6)
        if hash01(3000 + i) < 0.45:
            draw_conifer(canvas, x, height)
        else:
            draw_broadleaf(canvas, x, height, 2 + int(hash01(4000 + i) * 2))


def draw_house(canvas, x, width, wall, lit_windows):
    """A house with a gable roof; its base follows the lowest ground under it."""
    base = min(ground_at(x + dx) for dx in range(width))
    for dx in range(width):
        for row in range(wall):
            canvas.put(x + dx, base + row, HOUSE_WALL)
    # the roof overhangs by a pixel and rises one row for every two pixels
    half = (width + 2) / 2.0
    for dx in range(-1, width + 1):
        rise = int(half - abs(dx + 0.5 - width / 2.0))
        for row in range(max(1, rise // 2 + 1)):
            canvas.put(x + dx, base + wall + row, HOUSE_ROOF)
    canvas.put(x + width - 3, base + wall + 2, HOUSE_ROOF)  # chimney
    canvas.put(x + width - 3, base + wall + 3, HOUSE_ROOF)
    for i in range(lit_windows):
        wx = x + 2 + i * 4
        if wx < x + width - 1:
            canvas.put(wx, base + wall // 2, WINDOW_LIGHT)


def draw_church(canvas, x):
    base = min(ground_at(x + dx) for dx in range(16))
    # nave
    for dx in range(12):
        for row in range(6):
            canvas.put(x + dx, base + row, HOUSE_WALL)
    for dx in range(-1, 13):
        rise = int(3.5 - abs(dx - 5.5) / 2.0)
        for row in range(max(1, rise)):
            canvas.put(x + dx, base + 6 + row, HOUSE_ROOF)
    # tower and spire at the west end
    tower = x + 12
    for dx in range(4):
        for row in range(12):
            canvas.put(tower + dx, base + row, HOUSE_WALL)
    for row in range(9):
        width = 4 - row // 2
        for dx in range(width):
            canvas.put(tower + (4 - width) // 2 + dx + (1 if width % 2 and width < 4 else 0),
                       base + 12 + row, HOUSE_ROOF, 1.0 if width > 1 or row % 2 == 0 else 0.5)
    canvas.put(x + 4, base + 3, WINDOW_LIGHT)


def draw_village(canvas):
    # a hamlet to the south-east, a farm to the west, the church and a few
    # houses to the north-north-east
    draw_house(canvas, int(column_of(128.0)), 11, 5, 1)
    draw_house(canvas, int(column_of(131.5)), 9, 4, 0)
    draw_house(canvas, int(column_of(137.0)), 13, 5, 2)
    draw_house(canvas, int(column_of(141.0)), 8, 4, 1)
    draw_house(canvas, int(column_of(262.0)), 12, 5, 1)
    draw_house(canvas, int(column_of(265.5)), 14, 3, 0)  # the barn
    draw_church(canvas, int(column_of(14.0)))
    draw_house(canvas, int(column_of(19.5)), 10, 5, 1)
    draw_house(canvas, int(column_of(23.0)), 9, 4, 0)
    draw_house(canvas, int(column_of(320.0)), 10, 4, 1)


def draw_landscape():
    canvas = Canvas()
    draw_hills(canvas)
    draw_wood(canvas, 40.0, 72.0, 100, 0.85)     # a pine wood to the north-east
    draw_wood(canvas, 166.0, 184.0, 200, 0.2)    # a copse to the south
    draw_wood(canvas, 208.0, 248.0, 300, 0.5)    # mixed wood to the south-west
    draw_wood(canvas, 285.0, 300.0, 400, 0.3)    # a copse to the west-north-west
    draw_wood(canvas, 340.0, 361.0, 500, 0.9)    # pines across north
    draw_single_trees(canvas)
    draw_village(canvas)
    return canvas


def png_chunk(kind, data):
    chunk = kind + data
    return struct.pack(">I", len(data)) + chunk + struct.pack(">I", zlib.crc32(chunk) & 0xFFFFFFFF)


def write_palette_png(path, rows, palette):
    """An 8-bit palette PNG; palette entries are RGBA, the alpha goes into
    the tRNS chunk."""
    width = len(rows[0])
    height = len(rows)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
    plte = b"".join(bytes(colour[:3]) for colour in palette)
    trns = bytes(colour[3] for colour in palette)
    data = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"PLTE", plte) +
            png_chunk(b"tRNS", trns) + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def build_palette(canvas):
    # the transparent sky first; fully transparent pixels all become it
    palette = [TRANSPARENT]
    index = {TRANSPARENT: 0}
    for row in canvas.pixels:
        for pixel in row:
            if pixel[3] == 0:
                continue
            if pixel not in index:
                index[pixel] = len(palette)
                palette.append(pixel)
    if len(palette) > 256:
        raise SystemExit("the landscape needs %d colours, more than 256" % len(palette))
    return palette, index


def tile_rows(canvas, index, tile):
    first = tile * TILE_WIDTH
    rows = []
    for row in canvas.pixels:
        rows.append([0 if pixel[3] == 0 else index[pixel] for pixel in row[first:first + TILE_WIDTH]])
    return rows


def write_preview(path, canvas, scale=2):
    """All eight pictures under each other on a night-blue sky, enlarged, to
    look at them (not a resource)."""
    sky = (8, 12, 30)
    gap = 4
    rows = []
    for tile in range(TILES):
        for y in range(HEIGHT):
            line = []
            for x in range(tile * TILE_WIDTH, (tile + 1) * TILE_WIDTH):
                r, g, b, a = canvas.pixels[y][x]
                alpha = a / 255.0
                colour = tuple(int(round(c * alpha + s * (1.0 - alpha))) for c, s in zip((r, g, b), sky))
                line.extend(colour * scale)
            for _ in range(scale):
                rows.append(line)
        for _ in range(gap):
            rows.append(list((60, 60, 60) * (TILE_WIDTH * scale)))
    width = TILE_WIDTH * scale
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, len(rows), 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--out", default=os.path.join("resources", "horizons"))
    parser.add_argument("--preview", help="also write an enlarged preview of all eight")
    args = parser.parse_args()
    canvas = draw_landscape()
    palette, index = build_palette(canvas)
    os.makedirs(args.out, exist_ok=True)
    for tile in range(TILES):
        name = "Bmp_Horizon%03d.png" % (tile * 45)
        write_palette_png(os.path.join(args.out, name), tile_rows(canvas, index, tile), palette)
    if args.preview:
        write_preview(args.preview, canvas)
    print("%d pictures of %d x %d pixels, %d colours, in %s" % (TILES, TILE_WIDTH, HEIGHT, len(palette), args.out))


if __name__ == "__main__":
    main()
