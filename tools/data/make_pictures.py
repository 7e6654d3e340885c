#!/usr/bin/env python3
"""Makes the picture collection: data/PICTURES/*.jpg and data/Noctavo.pic.

Usage: make_pictures.py SOURCE_ROOT [OUTPUT_DIR]

SOURCE_ROOT is the folder `stellarium-data` was unpacked into with
`dpkg -x`; OUTPUT_DIR defaults to the repository's data/.  Needs the Debian
packages python3-pil and python3-numpy besides Python 3.

Two kinds of pictures:

- The Sun, the Moon, the planets and the Earth, drawn by this script as lit
  discs from the package's texture maps (orthographic view, Lambert light
  with a soft terminator, limb darkening for the Sun, Saturn with its rings
  and their shadow).
- Deep-sky photographs of the package's default nebula set
  (usr/share/stellarium/nebulae/default), only those whose licence in the
  package's credits allows redistribution with credit: public domain, CC0,
  Creative Commons Attribution 3.0 or 4.0, and the Grasslands Observatory's
  permission to "use the image freely ... as long as it is credited".
  Share-alike licences, the GFDL and pictures without a stated licence are
  left out.  Each is linked to its object of Noctavo.ngc (M 31 is "NGC 224"),
  so OUTPUT_DIR must already hold that file.

The licence of every picture is looked up in a table below, built by hand
from usr/share/doc/stellarium-data/CREDITS.md.gz (section 4 "Graphics",
item numbers given) and the Debian copyright file.  The script writes the
description file, the JPEG files, the table of credits between the
markers in SOURCES.md and the help topic "picture credits.htm", and prints what it left out.  The same package
version gives the same files.
"""

import gzip
import json
import math
import os
import re
import struct
import sys

import numpy as np
from PIL import Image

import astrocommon as ac

JPEG_QUALITY = 84
# Longest side of a photograph; the largest in the package are 1024 pixels.
MAX_PHOTO_SIDE = 1024
# The program cuts every description line at 199 characters with its end.
MAX_LINE = 198
SOURCES_BEGIN = "<!-- pictures: begin (written by tools/data/make_pictures.py) -->"
SOURCES_END = "<!-- pictures: end -->"

# ---------------------------------------------------------------------------
# Licences of the nebula pictures, by the credit the package's textures.json
# gives each picture.  (credit line shown to the user, licence, CREDITS.md
# item).  A credit not in this table is left out.

GRASSLANDS = ("Tim Hunter and James McGaha, Grasslands Observatory",
              "free use with credit (\"use the image freely ... as long as it is credited\")", "4.7")
CC_BY_3 = "CC BY 3.0"
CC_BY_4 = "CC BY 4.0"
PUBLIC = "public domain"
CC0 = "CC0 1.0"

CREDITS = {
    "Grasslands Observatory": GRASSLANDS,
    "LEE ang HG731GZ": ("LEE ang HG731GZ", CC_BY_3, "4.8"),
    "HG731GZ": ("HG731GZ", CC_BY_3, "4.43"),
    "Yang Kai": ("Yang Kai", PUBLIC, "4.9"),
    "Oleg Bryzgalov": ("Oleg Bryzgalov", CC_BY_3, "4.16"),
    "ESO/G. Beccari": ("ESO/G. Beccari", CC_BY_4, "4.21"),
    "Howard Bond (Space Telescope Science Institute), Robin Ciardullo (Pennsylvania State University) and NASA":
        ("Howard Bond (STScI), Robin Ciardullo (PSU) and NASA", PUBLIC, "4.26"),
    "Sun Shuwei": ("Sun Shuwei", PUBLIC, "4.31"),
    "SunShuwei": ("Sun Shuwei", PUBLIC, "4.31"),
    "Wang Lingyi": ("Wang Lingyi", PUBLIC, "4.32"),
    "ESO/Digitized Sky Survey 2": ("ESO/Digitized Sky Survey 2", CC_BY_4, "4.34"),
    "ESO and Digitized Sky Survey 2": ("ESO/Digitized Sky Survey 2", CC_BY_4, "4.34"),
    "ESO/La Silla Observatory": ("ESO/La Silla Observatory", CC_BY_4, "4.35"),
    "NASA": ("NASA", PUBLIC, "4.37"),
    "Giuseppe Donatiello": ("Giuseppe Donatiello", CC0, "4.38"),
    "ESO": ("ESO", CC_BY_4, "4.42"),
    "Dylan O'Donnell": ("Dylan O'Donnell", PUBLIC, "4.44"),
    "Jschulman555": ("Jschulman555", CC_BY_3, "4.51"),
    "Robert Rubin (NASA/ESA Ames Research Center), Reginald Dufour and Matt Browning (Rice University), "
    "Patrick Harrington (University of Maryland), and NASA/ESA":
        ("R. Rubin, R. Dufour, M. Browning, P. Harrington and NASA/ESA", CC_BY_4, "4.53"),
    "Ivan Bok": ("Ivan Bok", CC_BY_3, "4.54"),
    "Fryns Fryns": ("Fryns Fryns", PUBLIC, "4.56"),
    "Zhu Ying": ("Zhu Ying", CC_BY_3, "4.57"),
    "Zhao Jingna": ("Zhao Jingna", CC_BY_3, "4.58"),
    "Mi Lan": ("Mi Lan", CC_BY_3, "4.61"),
    "ESO and Joe DePasquale": ("ESO and Joe DePasquale", CC_BY_4, "4.62"),
    "ESO/J.Perez": ("ESO/J. Perez", CC_BY_4, "4.63"),
    "TRAPPIST/E. Jehin/ESO": ("TRAPPIST/E. Jehin/ESO", CC_BY_4, "4.64"),
    "Howard Bond (ST ScI) and NASA/ESA": ("Howard Bond (STScI) and NASA/ESA", CC_BY_4, "4.67"),
    "ESO, F. Ferraro (University of Bologna)": ("ESO, F. Ferraro (University of Bologna)", CC_BY_4, "4.71"),
    "Cristina Cellini": ("Cristina Cellini", CC_BY_4, "4.72"),
    "Zhuokai Liu, Jiang Yuhang": ("Zhuokai Liu, Jiang Yuhang", CC_BY_4, "4.73"),
    "NASA, ESA and A. Evans (Stony Brook University, New York, University of Virginia & National Radio "
    "Astronomy Observatory, Charlottesville, USA)": ("NASA, ESA and A. Evans", CC_BY_4, "4.77"),
    "ESA/Hubble & NASA": ("ESA/Hubble & NASA", CC_BY_4, "4.78"),
    "ESA/Hubble and NASA": ("ESA/Hubble & NASA", CC_BY_4, "4.78"),
    "NASA, ESA, the Hubble Heritage (STScI/AURA)-ESA/Hubble Collaboration, and A. Evans (University of "
    "Virginia, Charlottesville/NRAO/Stony Brook University)":
        ("NASA, ESA, Hubble Heritage (STScI/AURA)-ESA/Hubble Collaboration, A. Evans", PUBLIC, "4.29"),
    "NASA, ESA, the Hubble Heritage (STScI/AURA)-ESA/Hubble":
        ("NASA, ESA, Hubble Heritage (STScI/AURA)-ESA/Hubble Collaboration", PUBLIC, "4.29"),
    "NASA, ESA, the Hubble Heritage (STScI/AURA)-ESA/Hubble Collaboration, and K. Noll (STScI)":
        ("NASA, ESA, Hubble Heritage (STScI/AURA)-ESA/Hubble Collaboration, K. Noll", PUBLIC, "4.29"),
    "NASA/ESA and The Hubble Heritage Team (STScI/AURA)":
        ("NASA/ESA and The Hubble Heritage Team (STScI/AURA)", CC_BY_4, "4.99"),
    "NASA, ESA, and The Hubble Heritage Team (STScI/AURA)":
        ("NASA/ESA and The Hubble Heritage Team (STScI/AURA)", CC_BY_4, "4.99"),
    "NASA, ESA, Digitized Sky Survey 2": ("NASA, ESA, Digitized Sky Survey 2", CC_BY_4, "4.83"),
    "NASA, ESA, Digitized Sky Survey 2; Acknowledgement: Davide De Martin":
        ("NASA, ESA, Digitized Sky Survey 2 (acknowledgement Davide De Martin)", CC_BY_4, "4.108"),
    "Davide De Martin (ESA/Hubble), the ESA/ESO/NASA Photoshop FITS Liberator & Digitized Sky Survey 2":
        ("Davide De Martin (ESA/Hubble), ESA/ESO/NASA FITS Liberator, DSS 2", CC_BY_4, "4.107"),
    "Guillermo Abramson": ("Guillermo Abramson", CC_BY_3, "4.84"),
    "ESO/Y. Beletsky": ("ESO/Y. Beletsky", CC_BY_4, "4.85"),
    "J. Aleu": ("J. Aleu", PUBLIC, "4.86"),
    "ESO/VISTA VMC": ("ESO/VISTA VMC", CC_BY_4, "4.88"),
    "Bart Delsaert": ("Bart Delsaert", CC_BY_3, "4.90"),
    "Zhang Ruiping": ("Zhang Ruiping", CC_BY_4, "4.97"),
    "ESO/J. Walsh": ("ESO/J. Walsh", CC_BY_4, "4.100"),
    "Judy Schmidt": ("Judy Schmidt", PUBLIC, "4.101"),
    "ESA/Hubble & NASA, R. Wade": ("ESA/Hubble & NASA, R. Wade", CC_BY_4, "4.103"),
    "ESO/IDA/Danish 1.5 m/R. Gendler, J.-E. Ovaldsen, C. Thone and C. Feron":
        ("ESO/IDA/Danish 1.5 m/R. Gendler, J.-E. Ovaldsen, C. Thone, C. Feron", CC_BY_4, "4.112"),
}

# The same credit names two licences in a few places; the picture's own item
# decides.  Jose Mtanous: NGC 6960 public domain (4.93), NGC 5139 CC BY-SA.
CREDIT_BY_PICTURE = {
    "n6960.png": ("Jose A. Mtanous", PUBLIC, "4.93"),
    "n6445.png": ("Pan-STARRS1 Surveys (PS1) and the PS1 public science archive", PUBLIC, "4.94"),
}

# Pictures that the file name does not link: the object they show.
LINK_BY_PICTURE = {
    "pleiades.png": "M 45",
    "cas.png": "IC 63",
    "n4038-9.png": "NGC 4038",
}

# Pictures of objects outside the NGC file, listed without a link.
UNLINKED = {
    "red_rectangle.png": "Red Rectangle, proto-planetary nebula in Monoceros",
    "calabash.png": "Calabash Nebula (Rotten Egg Nebula) in Puppis",
    "velasnr.png": "Vela supernova remnant",
    "hercules_cluster.png": "Hercules Cluster of galaxies (Abell 2151)",
    "fornax_cluster.png": "Fornax Cluster of galaxies",
    "virgo_cluster.png": "Virgo Cluster of galaxies, core with M 84 and M 86",
    "hydra_cluster.png": "Hydra Cluster of galaxies (Abell 1060)",
}

# ---------------------------------------------------------------------------
# The bodies of the solar system, drawn from texture maps.  Fields: file,
# object type, object name, description, texture, canvas size in pixels,
# disc radius in pixels, sub-observer latitude and central meridian
# (degrees; the maps run from longitude -180 on the left to +180), phase
# angle (degrees; the Sun lights the disc from the left), oblateness,
# credits (author, licence, source item).

BODIES = [
    dict(file="sun.jpg", type="Sun", name="Sun", texture="sun.png", canvas=(520, 520), radius=240,
         latitude=5, meridian=20, phase=None, oblateness=0.0,
         description="The Sun, drawn from a map of its photosphere with sunspots",
         credit=("Celestia (texture map)", "GPL-2+", "4.5b")),
    dict(file="moon.jpg", type="Moon", name="Moon", texture="moon_4k.jpg", canvas=(820, 820), radius=390,
         latitude=0, meridian=0, phase=38, oblateness=0.0,
         description="The Moon, waning gibbous, drawn from a USGS and Clementine map of the near side",
         credit=("USGS Astrogeology Research Program; Clementine data (texture map)", PUBLIC, "4.4")),
    dict(file="mercury.jpg", type="Planet", name="Mercury", texture="mercury.png", canvas=(420, 420), radius=195,
         latitude=0, meridian=-60, phase=55, oblateness=0.0,
         description="Mercury, drawn from a map of MESSENGER data",
         credit=("NASA MESSENGER data, processed by Oleg Pluton (texture map)", CC_BY_4, "4.5c")),
    dict(file="venus.jpg", type="Planet", name="Venus", texture="venus.png", canvas=(420, 420), radius=195,
         latitude=0, meridian=0, phase=70, oblateness=0.0,
         description="Venus, its clouds half lit",
         credit=("Oleg Pluton (texture map)", CC_BY_4, "4.5c")),
    dict(file="earth.jpg", type="Earth", name="Earth", texture="earth-clouds.png", canvas=(420, 420),
         radius=195, latitude=20, meridian=15, phase=30, oblateness=0.0,
         description="The Earth with its clouds over Europe and Africa",
         credit=("NASA Visible Earth imagery; clouds from Celestia (texture map)",
                 "free of licensing fees with credit to NASA; GPL-2+", "4.13")),
    dict(file="mars.jpg", type="Planet", name="Mars", texture="mars.png", canvas=(420, 420), radius=195,
         latitude=15, meridian=-60, phase=25, oblateness=0.0,
         description="Mars with Valles Marineris and the north polar cap",
         credit=("Courtesy NASA/JPL-Caltech (texture map)", "JPL image use policy, credit line", "4.5m")),
    dict(file="jupiter.jpg", type="Planet", name="Jupiter", texture="jupiter.png", canvas=(500, 470),
         radius=235, latitude=3, meridian=-40, phase=10, oblateness=0.064874,
         description="Jupiter with its cloud belts and the Great Red Spot",
         credit=("James Hastings-Trew from Cassini data; Bjorn Jonsson (texture map)",
                 "free use in rendering, credit", "4.5a")),
    dict(file="saturn.jpg", type="Planet", name="Saturn", texture="saturn.png", canvas=(760, 420), radius=150,
         latitude=22, meridian=0, phase=12, oblateness=0.09796243446, rings="saturn_rings_radial.png",
         ring_inner=74510 / 60268, ring_outer=140390 / 60268,
         description="Saturn with its rings",
         credit=("Bjorn Jonsson, processed by Oleg Pluton (texture maps)", CC_BY_4, "4.5c")),
    dict(file="uranus.jpg", type="Planet", name="Uranus", texture="uranus.png", canvas=(420, 420), radius=195,
         latitude=10, meridian=0, phase=3, oblateness=0.0229,
         description="Uranus",
         credit=("Oleg Pluton (texture map)", CC_BY_4, "4.5c")),
    dict(file="neptune.jpg", type="Planet", name="Neptune", texture="neptune.png", canvas=(420, 420), radius=195,
         latitude=-20, meridian=40, phase=2, oblateness=0.0171,
         description="Neptune with the Great Dark Spot",
         credit=("Oleg Pluton (texture map)", CC_BY_4, "4.5c")),
    dict(file="pluto.jpg", type="Planet", name="Pluto", texture="pluto.png", canvas=(420, 420), radius=195,
         latitude=10, meridian=0, phase=15, oblateness=0.0,
         description="Pluto with the bright Tombaugh Regio, from New Horizons data",
         credit=("Kexitt, processed by Oleg Pluton (texture map)", CC_BY_4, "4.5d")),
]

# ---------------------------------------------------------------------------


def load_rgb(path):
    image = Image.open(path)
    if image.mode in ("RGBA", "LA", "P"):
        rgba = image.convert("RGBA")
        black = Image.new("RGBA", rgba.size, (0, 0, 0, 255))
        image = Image.alpha_composite(black, rgba)
    return image.convert("RGB")


def texture_array(path):
    return np.asarray(load_rgb(path), dtype=np.float64) / 255.0


def sample(texture, latitude, longitude):
    """Bilinear sample of an equirectangular map at radians; longitude 0 is the
    middle column, north at the top."""
    height, width, _ = texture.shape
    x = ((longitude / (2 * math.pi) + 0.5) % 1.0) * width - 0.5
    y = (0.5 - latitude / math.pi) * height - 0.5
    x0 = np.floor(x).astype(int)
    y0 = np.clip(np.floor(y).astype(int), 0, height - 1)
    fx = (x - x0)[..., None]
    fy = np.clip(y - np.floor(y), 0, 1)[..., None]
    y1 = np.clip(y0 + 1, 0, height - 1)
    x0w, x1w = x0 % width, (x0 + 1) % width
    top = texture[y0, x0w] * (1 - fx) + texture[y0, x1w] * fx
    bottom = texture[y1, x0w] * (1 - fx) + texture[y1, x1w] * fx
    return top * (1 - fy) + bottom * fy


def render_body(body, textures_dir):
    """The body's disc as an RGB image: orthographic view from sub-observer
    latitude B over the central meridian, lit from phase angle alpha."""
    width, height = body["canvas"]
    radius = body["radius"]
    squash = 1.0 - body["oblateness"]
    texture = texture_array(os.path.join(textures_dir, body["texture"]))
    # Supersample twice in each direction for smooth limbs.
    ss = 2
    xs = (np.arange(width * ss) + 0.5) / ss - width / 2.0
    ys = (np.arange(height * ss) + 0.5) / ss - height / 2.0
    u, v = np.meshgrid(xs / radius, -ys / radius)
    # View frame: x toward the observer, y to the right (east on the sky of
    # the body's map), z up.  Body frame: tilted by B about the y axis.
    b = math.radians(body["latitude"])
    # The oblate disc is a sphere stretched in z; map screen v to the sphere.
    v_sphere = v / squash
    inside = u * u + v_sphere * v_sphere < 1.0
    x_view = np.sqrt(np.clip(1.0 - u * u - v_sphere * v_sphere, 0, 1))
    px = x_view * math.cos(b) - v_sphere * math.sin(b)
    pz = x_view * math.sin(b) + v_sphere * math.cos(b)
    latitude = np.arcsin(np.clip(pz, -1, 1))
    longitude = math.radians(body["meridian"]) + np.arctan2(u, px)
    colour = sample(texture, latitude, longitude)

    if body["phase"] is None:
        # The Sun: limb darkening with the linear law, u = 0.6 in the visible.
        light = 1.0 - 0.6 * (1.0 - x_view)
    else:
        alpha = math.radians(body["phase"])
        sun = np.array([math.cos(alpha), -math.sin(alpha), 0.0])
        # The surface normal of the stretched sphere points along (x, y, z/squash^2).
        nx, ny, nz = x_view, u, v_sphere / squash
        norm = np.sqrt(nx * nx + ny * ny + nz * nz)
        cos_i = (nx * sun[0] + ny * sun[1] + nz * sun[2]) / norm
        if body["type"] == "Moon":
            # Airless surfaces keep their brightness to the limb (Lommel-Seeliger).
            cos_e = nx / norm
            light = np.where(cos_i > 0, 2.0 * cos_i / (cos_i + cos_e + 1e-9), 0.0)
            light = np.clip(light, 0, 1.15)
        else:
            light = np.clip(cos_i, 0, 1)
        # A soft terminator: brightness in the picture's gamma.
        light = np.clip(light, 0, None) ** (1 / 2.2)
        if "rings" in body:
            light = light * ring_shadow_on_body(body, texture_dir=textures_dir, nx=x_view, ny=u,
                                                nz=v_sphere * squash, sun=sun)
    picture = np.where(inside[..., None], colour * light[..., None], 0.0)

    if "rings" in body:
        picture = draw_rings(body, textures_dir, picture, u, v, x_view, inside, squash)

    image = Image.fromarray((np.clip(picture, 0, 1) * 255 + 0.5).astype(np.uint8), "RGB")
    return image.resize((width, height), Image.LANCZOS)


def ring_profile(body, textures_dir):
    ring = np.asarray(Image.open(os.path.join(textures_dir, body["rings"])).convert("RGBA"),
                      dtype=np.float64)[0] / 255.0
    return ring  # radial samples from the inner to the outer edge: r, g, b, opacity


def ring_lookup(body, ring, r):
    inner, outer = body["ring_inner"], body["ring_outer"]
    t = (r - inner) / (outer - inner)
    inside = (t >= 0) & (t < 1)
    index = np.clip((t * len(ring)).astype(int), 0, len(ring) - 1)
    return inside, ring[index]


def ring_shadow_on_body(body, texture_dir, nx, ny, nz, sun):
    """Light left on the planet's surface points (view frame) by the rings
    between them and the Sun."""
    b = math.radians(body["latitude"])
    # Body-frame height above the ring plane of the point and of the Sun direction.
    height = nx * math.sin(b) + nz * math.cos(b)
    sun_height = sun[0] * math.sin(b) + sun[2] * math.cos(b)
    if abs(sun_height) < 1e-6:
        return np.ones_like(nx)
    t = -height / sun_height  # along the sun direction to the ring plane
    hx, hy, hz = nx + t * sun[0], ny + t * sun[1], nz + t * sun[2]
    bx = hx * math.cos(b) - hz * math.sin(b)
    r = np.sqrt(bx * bx + hy * hy)
    ring = ring_profile(body, texture_dir)
    hit, values = ring_lookup(body, ring, r)
    return np.where(hit & (t > 0), 1.0 - 0.85 * values[..., 3], 1.0)


def draw_rings(body, textures_dir, picture, u, v, x_view, inside, squash):
    """Rings in the body's equator plane, in front of the planet where the
    ring point is nearer to the observer, shadowed by the planet."""
    b = math.radians(body["latitude"])
    if abs(math.sin(b)) < 1e-3:
        return picture
    # Ray (t, u, v) of the view; the ring plane holds t sin B + v cos B = 0.
    t = -v * math.cos(b) / math.sin(b)
    bx = t * math.cos(b) - v * math.sin(b)
    r = np.sqrt(bx * bx + u * u)
    ring = ring_profile(body, textures_dir)
    hit, values = ring_lookup(body, ring, r)
    in_front = t > x_view
    visible = hit & (~inside | in_front)
    alpha_phase = math.radians(body["phase"])
    sun = np.array([math.cos(alpha_phase), -math.sin(alpha_phase), 0.0])
    # Planet shadow: the ring point's line toward the Sun passes within one radius.
    px, py, pz = t, u, v
    along = px * sun[0] + py * sun[1] + pz * sun[2]
    dx, dy, dz = px - along * sun[0], py - along * sun[1], (pz - along * sun[2]) / squash
    shadowed = (along < 0) & (dx * dx + dy * dy + dz * dz < 1.0)
    # Sunlit rings seen from the lit side: a fixed brightness in the picture's gamma.
    brightness = np.where(shadowed, 0.06, 1.0)
    colour = values[..., :3] * 1.35 * brightness[..., None]
    opacity = values[..., 3][..., None]
    return np.where(visible[..., None], picture * (1 - opacity) + colour * opacity, picture)


# ---------------------------------------------------------------------------


def read_ngc(path):
    data = open(path, "rb").read()
    objects = {}
    p = 0
    while p < len(data):
        length = struct.unpack_from("<b", data, p)[0]
        p += 1
        name = data[p:p + length].decode("cp1252")
        p += length
        type_class, ra, dec, con, size, mag, dlen = struct.unpack_from("<bffbffb", data, p)
        p += struct.calcsize("<bffbffb")
        description = data[p:p + dlen].decode("cp1252")
        p += dlen
        objects[name] = (ra, dec, description)
    return objects


def messier_names(objects):
    """M number -> name in the NGC file, from the descriptions ("M 42, ...")
    and the two objects filed under their M number."""
    names = {}
    for name, (_, _, description) in objects.items():
        match = re.match(r"M (\d+)(,|$)", description)
        if match:
            names[int(match.group(1))] = name
    return names


def read_tiles(nebulae_dir):
    text = open(os.path.join(nebulae_dir, "textures.json"), encoding="utf-8").read()
    # The file writes numbers like ".9794" and "-.5", which JSON does not allow.
    text = re.sub(r"([\[,\s:-])\.(\d)", r"\g<1>0.\2", text)
    tiles = json.loads(text)["subTiles"]
    for tile in tiles:
        credits = tile.get("imageCredits", {})
        tile["credit"] = (credits.get("short") or credits.get("Short") or "").strip()
    return tiles


def object_of(file_name, messier):
    """The NGC file name of the object a picture file shows, or None."""
    if file_name in LINK_BY_PICTURE:
        return LINK_BY_PICTURE[file_name]
    stem = file_name[:-4]
    match = re.fullmatch(r"m(\d+)", stem)
    if match:
        number = int(match.group(1))
        return messier.get(number, "M %d" % number)
    match = re.fullmatch(r"n(\d+)(oleg|h)?", stem)
    if match:
        return "NGC %d" % int(match.group(1))
    match = re.fullmatch(r"ic(\d+)h?", stem)
    if match:
        return "IC %d" % int(match.group(1))
    return None


def tile_centre(tile):
    corners = tile["worldCoords"][0]
    vectors = [ac.radec_to_vector(ra % 360.0, dec) for ra, dec in corners]
    mean = [sum(v[i] for v in vectors) / 4.0 for i in range(3)]
    return ac.vector_to_radec(mean)


def separation_deg(a, b):
    va, vb = ac.radec_to_vector(*a), ac.radec_to_vector(*b)
    dot = max(-1.0, min(1.0, sum(x * y for x, y in zip(va, vb))))
    return math.degrees(math.acos(dot))


def tile_radius_deg(tile):
    centre = tile_centre(tile)
    return max(separation_deg(centre, (ra % 360.0, dec)) for ra, dec in tile["worldCoords"][0])


def photo_file_name(object_name, messier_number, source_name):
    """m42.jpg for Messier objects, ngc5128.jpg, ic434.jpg; the source's stem
    for unlinked pictures."""
    if object_name is None:
        return source_name[:-4].replace("_", "-") + ".jpg"
    if messier_number is not None:
        return "m%d.jpg" % messier_number
    return object_name.lower().replace(" ", "") + ".jpg"


def save_jpeg(image, path):
    image.save(path, "JPEG", quality=JPEG_QUALITY, optimize=True)


def description_line(file_name, description, type_text, object_name):
    line = "%s:%s:%s:%s" % (file_name.upper(), description, type_text, object_name)
    assert ":" not in description and ":" not in object_name, line
    if len(line) > MAX_LINE:
        raise SystemExit("description line too long (%d): %s" % (len(line), line))
    return line


def shorten(description, limit):
    """Cut a comma-separated description after the last whole item that fits."""
    if len(description) <= limit:
        return description
    items, kept = description.split(", "), []
    for item in items:
        if len(", ".join(kept + [item])) > limit:
            break
        kept.append(item)
    return ", ".join(kept)


def photo_description(object_name, ngc_description, messier_number):
    parts = []
    if messier_number is not None and not ngc_description.startswith("M %d" % messier_number):
        parts.append("M %d" % messier_number)
    parts.append(ngc_description or object_name)
    return ", ".join(p for p in parts if p)


def write_sources_section(sources_path, rows):
    lines = [SOURCES_BEGIN, "",
             "| picture | shows | author (credit line) | licence | source |",
             "|---|---|---|---|---|"]
    for row in rows:
        lines.append("| `%s` | %s | %s | %s | %s |" % row)
    lines += ["", SOURCES_END]
    section = "\n".join(lines)
    text = open(sources_path, encoding="utf-8").read()
    begin, end = text.find(SOURCES_BEGIN), text.find(SOURCES_END)
    if begin < 0 or end < 0:
        raise SystemExit("SOURCES.md has no picture markers; add %r and %r" % (SOURCES_BEGIN, SOURCES_END))
    text = text[:begin] + section + text[end + len(SOURCES_END):]
    with open(sources_path, "w", encoding="utf-8") as f:
        f.write(text)


LICENCE_LINKS = {
    CC_BY_3: "https://creativecommons.org/licenses/by/3.0/",
    CC_BY_4: "https://creativecommons.org/licenses/by/4.0/",
    CC0: "https://creativecommons.org/publicdomain/zero/1.0/",
}


def html(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def write_help_credits(path, rows):
    """The help topic that names every picture's author and licence, as the
    licences ask of those who pass the pictures on."""
    out = ["<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">", "<html>", "<head>",
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
           "<title>Picture credits</title>",
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"help.css\">", "</head>", "<body>",
           "<h1>Picture credits</h1>",
           "<p>The pictures of the <a href=\"picture%20window.htm\">Picture window</a> come from the "
           "Stellarium planetarium's data (Debian package stellarium-data). The deep-sky photographs were "
           "converted to JPEG and reduced to at most 1024 pixels; the Sun, the Moon and the planets were "
           "drawn by Noctavo's own script as lit discs from the texture maps named below. Their authors and "
           "licences:</p>",
           "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">",
           "<tr><th>Picture</th><th>Shows</th><th>Credit</th><th>Licence</th></tr>"]
    for file_name, shows, author, licence, _ in rows:
        out.append("<tr><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>" % (
            html(file_name), html(shows), html(author), html(licence)))
    # The help stays within its own pages: the licences' addresses as text.
    out += ["</table>",
            "<p>The licences: %s.</p>" % "; ".join(
                "%s, %s" % (html(name), html(address)) for name, address in LICENCE_LINKS.items()),
            "<p>The Grasslands Observatory pictures: \"Images courtesy of Tim Hunter and James McGaha, "
            "Grasslands Observatory at http://www.3towers.com.\" The map of Mars: \"Courtesy "
            "NASA/JPL-Caltech.\"</p>",
            "<p class=\"seealso\">See also: <a href=\"picture%20window.htm\">Picture window</a>, "
            "<a href=\"contents.htm\">Contents</a>.</p>", "</body>", "</html>", ""]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


def main(argv):
    if len(argv) < 2:
        raise SystemExit(__doc__)
    root = argv[1]
    out_dir = argv[2] if len(argv) > 2 else ac.default_out_dir()
    share = os.path.join(root, "usr/share/stellarium")
    textures_dir = os.path.join(share, "textures")
    nebulae_dir = os.path.join(share, "nebulae/default")
    pictures_dir = os.path.join(out_dir, "PICTURES")
    os.makedirs(pictures_dir, exist_ok=True)
    for old in os.listdir(pictures_dir):
        if old.lower().endswith((".jpg", ".jpeg", ".bmp")):
            os.remove(os.path.join(pictures_dir, old))

    objects = read_ngc(os.path.join(out_dir, "Noctavo.ngc"))
    messier = messier_names(objects)
    number_of = {name: number for number, name in messier.items()}

    lines, rows, left_out = [], [], []
    for body in BODIES:
        image = render_body(body, textures_dir)
        save_jpeg(image, os.path.join(pictures_dir, body["file"]))
        lines.append(description_line(body["file"], ac.to_cp1252(body["description"]).decode("cp1252"),
                                      body["type"], body["name"]))
        author, licence, item = body["credit"]
        rows.append((body["file"], body["name"], author, licence,
                     "`textures/%s`, CREDITS.md %s" % (body["texture"], item)))

    used_files = set()
    for tile in read_tiles(nebulae_dir):
        source = tile["imageUrl"]
        credit = CREDIT_BY_PICTURE.get(source) or CREDITS.get(tile["credit"])
        if credit is None:
            left_out.append("%s (%s): credit not in the table of accepted licences" % (
                source, tile["credit"] or "no credit"))
            continue
        object_name = object_of(source, messier)
        if object_name is None and source not in UNLINKED:
            left_out.append("%s: shows no object of the NGC file" % source)
            continue
        if object_name is not None:
            if object_name not in objects:
                left_out.append("%s: %s is not in the NGC file" % (source, object_name))
                continue
            ra, dec, ngc_description = objects[object_name]
            # The picture must show its object: the NGC position (J2025.0) lies
            # within the picture's corners (J2000), allowing for precession.
            away = separation_deg(tile_centre(tile), (ra, dec))
            if away > tile_radius_deg(tile) + 0.4:
                left_out.append("%s: %s lies %.2f deg from the picture's centre" % (source, object_name, away))
                continue
        file_name = photo_file_name(object_name, number_of.get(object_name), source)
        if file_name in used_files:
            left_out.append("%s: a picture of %s is already there" % (source, object_name))
            continue
        used_files.add(file_name)

        image = load_rgb(os.path.join(nebulae_dir, source))
        if max(image.size) > MAX_PHOTO_SIDE:
            image.thumbnail((MAX_PHOTO_SIDE, MAX_PHOTO_SIDE), Image.LANCZOS)
        save_jpeg(image, os.path.join(pictures_dir, file_name))

        author, licence, item = credit
        if object_name is None:
            shows = UNLINKED[source]
            description = shows
            type_text, link = "Other", ""
        else:
            shows = object_name
            description = photo_description(object_name, ngc_description, number_of.get(object_name))
            type_text, link = "NGC object", object_name
        suffix = " (image %s)" % author
        room = MAX_LINE - len("%s:%s:%s:%s" % (file_name.upper(), suffix, type_text, link))
        description = ac.to_cp1252(shorten(description, room)).decode("cp1252") + suffix
        lines.append(description_line(file_name, description, type_text, link))
        rows.append((file_name, shows, author, licence, "`nebulae/default/%s`, CREDITS.md %s" % (source, item)))

    with open(os.path.join(out_dir, "Noctavo.pic"), "wb") as f:
        for line in lines:
            f.write(ac.to_cp1252(line) + b"\n")
    write_sources_section(os.path.join(out_dir, "SOURCES.md"), rows)
    help_dir = os.path.join(os.path.dirname(ac.default_out_dir()), "help")
    write_help_credits(os.path.join(help_dir, "picture credits.htm"), rows)

    total = sum(os.path.getsize(os.path.join(pictures_dir, n)) for n in os.listdir(pictures_dir))
    print("source: stellarium-data %s" % ac.package_version(root, "stellarium-data"))
    print("wrote %d pictures (%d bodies, %d photographs), %.1f MB, and Noctavo.pic" % (
        len(lines), len(BODIES), len(lines) - len(BODIES), total / 1e6))
    print("left out %d pictures:" % len(left_out))
    for text in left_out:
        print("  " + text)


if __name__ == "__main__":
    main(sys.argv)
