#!/usr/bin/env python3
"""Draws the toolbar images and the program icon of Noctavo.

Every image is drawn from simple shapes (rectangles, circles, lines,
polygons) at 8 x 8 samples per pixel and written as an RGBA PNG, so the
pictures are the program's own and can be drawn again at any time:

    python3 tools/resources/make_toolbar_icons.py

writes resources/toolbar/<id>_<name>.png (16 x 16, the ids the toolbar's
buttons name) and resources/icons/129_noctavo.png (32 x 32, the frame's
icon). Standard library only.
"""

import math
import os
import struct
import zlib

SAMPLES = 8  # per pixel and axis

# ------------------------------------------------------------------ shapes
# Each shape is a predicate on a point in pixel units (0..size).


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2


def ellipse_ring(cx, cy, rx, ry, width):
    def inside(x, y):
        d = math.hypot((x - cx) / rx, (y - cy) / ry)
        return abs(d - 1.0) * min(rx, ry) <= width / 2
    return inside


def line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def polyline(points, width):
    parts = [line(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def arc(cx, cy, r, width, start_deg, end_deg):
    """Ring segment from start to end, degrees counter-clockwise from east
    with y pointing down (so 90 is at the top)."""
    base = ring(cx, cy, r, width)

    def inside(x, y):
        if not base(x, y):
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        s, e = start_deg % 360, end_deg % 360
        return s <= angle <= e if s <= e else angle >= s or angle <= e
    return inside


# ------------------------------------------------------------------ canvas


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]

    def draw(self, shape, colour, opacity=1.0):
        r, g, b = (c / 255.0 for c in colour)
        step = 1.0 / SAMPLES
        for py in range(self.size):
            for px in range(self.size):
                hits = 0
                for sy in range(SAMPLES):
                    y = py + (sy + 0.5) * step
                    for sx in range(SAMPLES):
                        if shape(px + (sx + 0.5) * step, y):
                            hits += 1
                if hits == 0:
                    continue
                a = opacity * hits / (SAMPLES * SAMPLES)
                dr, dg, db, da = self.pixels[py][px]
                out_a = a + da * (1 - a)
                if out_a == 0:
                    continue
                mix = lambda s, d: (s * a + d * da * (1 - a)) / out_a
                self.pixels[py][px] = (mix(r, dr), mix(g, dg), mix(b, db), out_a)

    def png(self):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)
            for r, g, b, a in row:
                raw += bytes(round(v * 255) for v in (r, g, b, a))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ------------------------------------------------------------------ colours

BLACK = (0, 0, 0)
OUTLINE = (64, 64, 64)
WHITE = (255, 255, 255)
PAPER = (250, 250, 245)
NAVY = (16, 32, 96)
NIGHT = (10, 20, 70)
BLUE = (40, 90, 200)
SKY = (120, 180, 240)
YELLOW = (250, 210, 40)
ORANGE = (240, 150, 30)
RED = (210, 40, 40)
GREEN = (50, 150, 60)
GREY = (150, 150, 150)
LIGHT = (215, 215, 215)
FOLDER = (235, 190, 70)
FOLDER_DARK = (190, 140, 40)


def star(c, x, y, r, colour):
    points = []
    for i in range(10):
        angle = math.radians(-90 + 36 * i)
        radius = r if i % 2 == 0 else r * 0.45
        points.append((x + radius * math.cos(angle), y + radius * math.sin(angle)))
    c.draw(polygon(points), colour)


# ------------------------------------------------------------------ images


def new_page(c):
    page = polygon([(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)])
    c.draw(page, OUTLINE)
    c.draw(polygon([(4, 2), (9.5, 2), (12, 4.5), (12, 14), (4, 14)]), PAPER)
    c.draw(polygon([(9.5, 1.5), (9.5, 4.5), (12.5, 4.5)]), LIGHT)
    c.draw(polyline([(9.5, 1.5), (9.5, 4.5), (12.5, 4.5)], 0.9), OUTLINE)
    star(c, 6.5, 9.5, 2.6, YELLOW)


def open_folder(c):
    c.draw(polygon([(1, 3), (5, 3), (6.5, 4.5), (13, 4.5), (13, 13.5), (1, 13.5)]), FOLDER_DARK)
    c.draw(polygon([(3.5, 7), (15.5, 7), (13, 13.5), (1, 13.5)]), FOLDER)
    c.draw(polyline([(1, 13.5), (3.5, 7), (15.5, 7), (13, 13.5), (1, 13.5)], 0.8), OUTLINE)
    c.draw(line(10, 1.5, 13.5, 5, 1.1), GREEN)
    c.draw(polygon([(14.5, 2.5), (14.5, 6), (11, 6)]), GREEN)


def save_disk(c):
    c.draw(polygon([(1.5, 1.5), (13, 1.5), (14.5, 3), (14.5, 14.5), (1.5, 14.5)]), BLUE)
    c.draw(rect(4, 1.5, 12, 6.5), WHITE)
    c.draw(rect(9.5, 2.3, 11, 5.7), BLUE)
    c.draw(rect(3.5, 9, 12.5, 14.5), LIGHT)
    c.draw(rect(5, 10.5, 11, 11.2), GREY)
    c.draw(rect(5, 12.3, 11, 13), GREY)
    c.draw(polyline([(1.5, 1.5), (13, 1.5), (14.5, 3), (14.5, 14.5), (1.5, 14.5), (1.5, 1.5)], 0.8),
           NAVY)


def sky(c):
    c.draw(circle(8, 8, 7.5), NIGHT)
    star(c, 5, 5.5, 2.3, WHITE)
    star(c, 11, 4.5, 1.5, YELLOW)
    star(c, 10, 10.5, 2.0, WHITE)
    c.draw(circle(4.5, 11, 0.8), WHITE)
    c.draw(circle(7.8, 8.3, 0.6), WHITE)


def solar_system(c):
    c.draw(ellipse_ring(8, 8, 7, 4.2, 0.9), GREY)
    c.draw(circle(8, 8, 2.8), ORANGE)
    c.draw(circle(8, 8, 2.1), YELLOW)
    c.draw(circle(13.6, 5.6, 1.8), BLUE)
    c.draw(circle(2.8, 11.0, 1.2), RED)


def graph(c):
    c.draw(rect(1, 1, 15, 15), PAPER)
    c.draw(polyline([(2.5, 1.5), (2.5, 13.5), (14.5, 13.5)], 1.1), BLACK)
    points = [(3 + i * 0.5, 8 - 4.5 * math.sin((i * 0.5) / 11.5 * 2 * math.pi)) for i in range(24)]
    c.draw(polyline(points, 1.2), RED)
    c.draw(line(8, 2, 8, 13, 0.6), BLUE, 0.7)


def picture(c):
    c.draw(rect(0.5, 2, 15.5, 14), OUTLINE)
    c.draw(rect(1.5, 3, 14.5, 13), SKY)
    c.draw(circle(11.5, 6, 1.7), YELLOW)
    c.draw(polygon([(1.5, 13), (1.5, 10), (5, 6.5), (9, 10.5), (11, 9), (14.5, 12), (14.5, 13)]),
           GREEN)


def object_information(c):
    c.draw(circle(8, 8, 7.2), BLUE)
    c.draw(circle(8, 4.4, 1.3), WHITE)
    c.draw(rect(6.9, 6.8, 9.1, 12.5), WHITE)
    c.draw(rect(5.8, 11.5, 10.2, 12.7), WHITE)
    c.draw(rect(5.8, 6.8, 9.1, 7.9), WHITE)


def calculator(c):
    c.draw(rect(2.5, 0.5, 13.5, 15.5), OUTLINE)
    c.draw(rect(3.3, 1.3, 12.7, 14.7), LIGHT)
    c.draw(rect(4.3, 2.3, 11.7, 5.3), (170, 200, 150))
    c.draw(rect(8.5, 3.4, 11, 4.3), BLACK)
    for row in range(3):
        for col in range(3):
            x = 4.3 + col * 2.6
            y = 7 + row * 2.6
            colour = RED if (row, col) == (2, 2) else GREY
            c.draw(rect(x, y, x + 1.9, y + 1.9), colour)


def date_and_time(c):
    c.draw(circle(8, 8, 7.3), OUTLINE)
    c.draw(circle(8, 8, 6.4), PAPER)
    for hour in range(12):
        angle = math.radians(hour * 30)
        x0, y0 = 8 + 5.3 * math.sin(angle), 8 - 5.3 * math.cos(angle)
        x1, y1 = 8 + 6.0 * math.sin(angle), 8 - 6.0 * math.cos(angle)
        c.draw(line(x0, y0, x1, y1, 0.8 if hour % 3 else 1.2), OUTLINE)
    c.draw(line(8, 8, 8, 3.5, 1.1), BLACK)
    c.draw(line(8, 8, 11.2, 9.8, 1.3), BLACK)
    c.draw(circle(8, 8, 0.9), RED)


def location(c):
    c.draw(circle(8, 8, 7.2), BLUE)
    c.draw(ellipse_ring(8, 8, 3.2, 7.0, 0.6), SKY)
    c.draw(line(1, 8, 15, 8, 0.6), SKY)
    c.draw(both(circle(8, 8, 7.2), ellipse_ring(8, 14, 9, 5.5, 0.6)), SKY)
    c.draw(both(circle(8, 8, 7.2), ellipse_ring(8, 2, 9, 5.5, 0.6)), SKY)
    # a pin on the globe
    c.draw(polygon([(8.5, 9.5), (6.3, 5.5), (10.7, 5.5)]), RED)
    c.draw(circle(8.5, 4.8, 2.4), RED)
    c.draw(circle(8.5, 4.8, 0.9), WHITE)


def appearance(c):
    palette = minus(circle(8, 8.5, 7), circle(11.3, 12.3, 1.8))
    c.draw(palette, FOLDER_DARK)
    c.draw(minus(circle(8, 8.5, 6.2), circle(11.3, 12.3, 2.5)), (245, 215, 150))
    c.draw(circle(5, 6, 1.4), RED)
    c.draw(circle(8.5, 4.3, 1.4), BLUE)
    c.draw(circle(12, 6.8, 1.4), GREEN)
    c.draw(circle(4.5, 10.3, 1.4), YELLOW)


def about(c):
    c.draw(circle(8, 8, 7.2), GREEN)
    c.draw(arc(8, 6, 2.7, 1.6, -40, 200), WHITE)
    c.draw(line(9.9, 7.9, 8, 9.5, 1.6), WHITE)
    c.draw(line(8, 9.5, 8, 10.2, 1.6), WHITE)
    c.draw(circle(8, 12.5, 1.0), WHITE)


def program_icon(c):
    c.draw(circle(16, 16, 15.5), NIGHT)
    c.draw(minus(circle(13, 16, 9), circle(17, 13.5, 8)), YELLOW)
    star(c, 23, 9, 3.5, WHITE)
    star(c, 25, 20, 2.2, WHITE)
    c.draw(circle(19.5, 25, 1.0), WHITE)
    c.draw(circle(8, 6.5, 0.9), WHITE)


TOOLBAR = [
    (158, "new", new_page),
    (159, "open", open_folder),
    (160, "save", save_disk),
    (138, "sky", sky),
    (139, "solar_system", solar_system),
    (141, "graph", graph),
    (140, "picture", picture),
    (142, "object_information", object_information),
    (145, "calculator", calculator),
    (143, "date_and_time", date_and_time),
    (162, "location", location),
    (144, "appearance", appearance),
    (137, "about", about),
]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
    toolbar_folder = os.path.join(root, "toolbar")
    icon_folder = os.path.join(root, "icons")
    os.makedirs(toolbar_folder, exist_ok=True)
    os.makedirs(icon_folder, exist_ok=True)
    for image_id, name, draw in TOOLBAR:
        canvas = Canvas(16)
        draw(canvas)
        with open(os.path.join(toolbar_folder, f"{image_id}_{name}.png"), "wb") as out:
            out.write(canvas.png())
    canvas = Canvas(32)
    program_icon(canvas)
    with open(os.path.join(icon_folder, "129_noctavo.png"), "wb") as out:
        out.write(canvas.png())


if __name__ == "__main__":
    main()
