"""Writes the maps of Define User Location: Noctavo.map and the pictures in MAPS/.

Usage: python3 make_maps.py UNPACKED_ROOT [OUTPUT_FOLDER]

UNPACKED_ROOT is the folder the Debian package kstars-data was unpacked into
(it holds usr/share/kstars/geomap.jpg). The description goes to
OUTPUT_FOLDER (default: data/ of this repository), the pictures to its
subfolder MAPS. Needs Python 3 with PIL (Debian: python3-pil).

The source picture is NASA's Visible Earth in equirectangular projection,
5400 x 2500 pixels: 15 pixels to the degree both ways, its left edge at
180 degrees west, the meridian of Greenwich at its middle, and its top and
bottom edges at 83 1/3 degrees north and south (the poles of a 5400 x 2700
picture cut off, 100 rows each). These edges were found from the coasts:
the Strait of Gibraltar, Cape Agulhas, Cape Horn, Dondra Head (Sri Lanka)
and Cape York lie within a pixel of where this geometry puts them.

Every map is a rectangle of that picture cut at whole degrees, so that its
edges are exactly the longitudes and latitudes written in its line of
Noctavo.map, and scaled linearly (equirectangular still: the program turns
a pixel into coordinates by straight proportion). Regional maps are
narrowed by the cosine of their middle latitude, so that countries keep
their shape.
"""

import math
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "data"))
SOURCE = "usr/share/kstars/geomap.jpg"

SOURCE_SIZE = (5400, 2500)
PIXELS_PER_DEGREE = 15
SOURCE_WEST_EDGE_EAST_LONGITUDE = -180.0
SOURCE_TOP_LATITUDE = 2500 / PIXELS_PER_DEGREE / 2  # 83 1/3

# Regional maps are at least this tall (pixels) and at most this large.
SMALLEST_HEIGHT = 360
LARGEST_SIDE = 900
JPEG_QUALITY = 88

# file, shown name, west edge, east edge (degrees EAST positive, as one reads
# a map), south edge, north edge. Whole degrees, so that the cut falls on
# pixel borders. The world map keeps the source's edges.
MAPS = [
    ("world.jpg", "World", -180, 180, -SOURCE_TOP_LATITUDE, SOURCE_TOP_LATITUDE),
    ("europe.jpg", "Europe", -25, 45, 34, 72),
    ("britain.jpg", "British Isles", -11, 3, 49, 61),
    ("centreur.jpg", "Central Europe", 2, 24, 44, 56),
    ("namerica.jpg", "North America", -170, -50, 10, 75),
    ("usa.jpg", "USA", -126, -66, 24, 50),
    ("samerica.jpg", "South America", -90, -30, -57, 14),
    ("africa.jpg", "Africa", -20, 55, -36, 38),
    ("asia.jpg", "Asia", 25, 150, -11, 60),
    ("austnz.jpg", "Australia and New Zealand", 110, 180, -48, -8),
]
WORLD_SIZE = (1080, 500)  # a fifth of the source: 3 pixels to the degree


def source_box(west, east, south, north):
    left = (west - SOURCE_WEST_EDGE_EAST_LONGITUDE) * PIXELS_PER_DEGREE
    right = (east - SOURCE_WEST_EDGE_EAST_LONGITUDE) * PIXELS_PER_DEGREE
    top = (SOURCE_TOP_LATITUDE - north) * PIXELS_PER_DEGREE
    bottom = (SOURCE_TOP_LATITUDE - south) * PIXELS_PER_DEGREE
    box = tuple(round(v) for v in (left, top, right, bottom))
    for exact, whole in zip((left, top, right, bottom), box):
        assert abs(exact - whole) < 1e-9, "edge not on a pixel border"
    assert 0 <= box[0] < box[2] <= SOURCE_SIZE[0] and 0 <= box[1] < box[3] <= SOURCE_SIZE[1]
    return box


def regional_size(west, east, south, north):
    middle = math.radians((south + north) / 2)
    height = max((north - south) * PIXELS_PER_DEGREE, SMALLEST_HEIGHT)
    width = height * (east - west) * math.cos(middle) / (north - south)
    shrink = min(1.0, LARGEST_SIDE / max(width, height))
    return round(width * shrink), round(height * shrink)


def number(value):
    text = ("%.10f" % value).rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    output = argv[2] if len(argv) > 2 else DEFAULT_OUTPUT
    picture = Image.open(os.path.join(root, SOURCE)).convert("RGB")
    assert picture.size == SOURCE_SIZE, picture.size
    folder = os.path.join(output, "MAPS")
    os.makedirs(folder, exist_ok=True)

    lines = []
    for file_name, shown, west, east, south, north in MAPS:
        box = source_box(west, east, south, north)
        size = WORLD_SIZE if shown == "World" else regional_size(west, east, south, north)
        cut = picture.resize(size, Image.LANCZOS, box=box)
        cut.save(os.path.join(folder, file_name), quality=JPEG_QUALITY, optimize=True)
        # The program counts longitudes positive to the west.
        lines.append("%s:%s:%s:%s:%s:%s" % (file_name, shown, number(-west), number(south), number(-east),
                                           number(north)))
        print("%-14s %-26s %4d x %-4d from source pixels %s" % (file_name, shown, size[0], size[1], box))

    with open(os.path.join(output, "Noctavo.map"), "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\n")
    print("wrote %s and %d pictures" % (os.path.join(output, "Noctavo.map"), len(lines)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
