#!/usr/bin/env python3
"""Writes the NGC file Noctavo.ngc from the OpenNGC catalogue of kstars-data.

Usage: make_ngc.py SOURCE_ROOT [OUTPUT_DIR]

SOURCE_ROOT is the folder into which kstars-data and python3-astropy were
unpacked with `dpkg -x`; OUTPUT_DIR defaults to the repository's data/.

Record (little-endian, floats IEEE single precision):
  int8 name length L (0..20), L name bytes, int8 type class 0..16,
  float right ascension (degrees, equinox J2025.0), float declination,
  int8 constellation 0..87, float size (major axis in arcminutes, 0 when
  unknown), float magnitude (9999 when unknown), int8 description length
  M (0..50), M description bytes.  Text is Windows-1252.
"""

import collections
import os
import re
import sqlite3
import struct
import sys

import astrocommon as ac

CATALOGUE = "usr/share/kstars/OpenNGC.kscat"
UNKNOWN_MAGNITUDE = 9999.0
MAX_NAME = 20
MAX_DESCRIPTION = 50

# Object types of the kstars catalogue -> the program's 17 type classes.
TYPE_CLASS = {
    0: 10,   # star -> single star
    3: 1,    # open cluster
    4: 2,    # globular cluster
    5: 3,    # gaseous (emission or reflection) nebula
    6: 4,    # planetary nebula
    7: 3,    # supernova remnant -> bright emission nebula
    8: 0,    # galaxy
    13: 6,   # asterism
    14: 0,   # group or cluster of galaxies -> galaxy
    17: 9,   # multiple star -> double star
}
UNKNOWN_TYPE = 255
UNIDENTIFIED_CLASS = 12   # "Unidentified at the place given, or type unknown"


def object_name(name, identifier):
    """The object's NGC or IC name: a Messier object is stored in the
    catalogue under its M number with the NGC/IC identifier beside it."""
    m = re.fullmatch(r"(NGC|IC)0*(\d+)(.*)", identifier)
    if m:
        return "%s %s%s" % (m.group(1), m.group(2), m.group(3))
    return name


def sort_key(name):
    m = re.fullmatch(r"(NGC|IC|M) (\d+)(.*)", name)
    order = {"NGC": 0, "IC": 1, "M": 2}
    return (order[m.group(1)], int(m.group(2)), m.group(3))


def clip_items(items, limit):
    """Joins items with ", " as far as they fit into the limit (bytes of
    the program's encoding); a first item longer than the limit is cut."""
    out = b""
    for item in items:
        encoded = ac.to_cp1252(item)
        candidate = encoded if not out else out + b", " + encoded
        if len(candidate) <= limit:
            out = candidate
        elif not out:
            out = encoded[:limit].rstrip()
            break
        else:
            break
    return out


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    out_dir = argv[2] if len(argv) > 2 else ac.default_out_dir()
    boundaries = ac.read_boundaries(root)

    db = sqlite3.connect("file:%s?mode=ro" % os.path.join(root, CATALOGUE), uri=True)
    rows = db.execute("select name, catalog_identifier, type, ra, dec, magnitude, major_axis,"
                      " long_name from cat").fetchall()
    db.close()

    # Entries whose type is unknown and whose position is exactly that of a
    # typed entry are the catalogue's duplicate designations of that object.
    typed_at = {}
    for row in rows:
        if row[2] != UNKNOWN_TYPE:
            typed_at.setdefault((row[3], row[4]), row)

    objects = []
    counts = collections.Counter()
    unmapped = collections.Counter()
    for name, identifier, kind, ra, dec, magnitude, major_axis, long_name in rows:
        own = object_name(name, identifier)
        items = []
        if name.startswith("M "):
            items.append(name)
        if kind == UNKNOWN_TYPE:
            twin = typed_at.get((ra, dec))
            if twin is not None:
                type_class = TYPE_CLASS[twin[2]]
                items.append("Duplicate of " + object_name(twin[0], twin[1]))
                counts["duplicate"] += 1
            else:
                type_class = UNIDENTIFIED_CLASS
                counts["unidentified"] += 1
        elif kind in TYPE_CLASS:
            type_class = TYPE_CLASS[kind]
        else:
            unmapped[kind] += 1
            type_class = UNIDENTIFIED_CLASS
        items.extend(i.strip() for i in long_name.split(",") if i.strip() and i.strip() != own)
        ra25, dec25 = ac.j2000_to_j2025(ra, dec)
        con = ac.constellation_of_j2025(boundaries, ra25, dec25)
        name_bytes = ac.to_cp1252(own)
        description = clip_items(items, MAX_DESCRIPTION)
        if len(name_bytes) > MAX_NAME or con is None or not 0 <= type_class <= 16:
            raise ValueError("record out of range: " + own)
        objects.append((sort_key(own), name_bytes, type_class, ra25, dec25, con,
                        major_axis if major_axis is not None else 0.0,
                        magnitude if magnitude is not None else UNKNOWN_MAGNITUDE,
                        description))
    if unmapped:
        raise ValueError("unmapped object types: %r" % dict(unmapped))
    objects.sort(key=lambda o: o[0])
    names = [o[1] for o in objects]
    if len(set(names)) != len(names):
        raise ValueError("duplicate object names")

    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, "Noctavo.ngc")
    with open(path, "wb") as f:
        for _, name, type_class, ra, dec, con, size, magnitude, description in objects:
            f.write(struct.pack("<b", len(name)) + name)
            f.write(struct.pack("<bffbffb", type_class, ra, dec, con, size, magnitude,
                                len(description)))
            f.write(description)
    classes = collections.Counter(o[2] for o in objects)
    print("Noctavo.ngc: %d objects, %d bytes" % (len(objects), os.path.getsize(path)))
    print("source: kstars-data %s (OpenNGC)" % ac.package_version(root, "kstars-data"))
    print("type classes: " + ", ".join("%d: %d" % kv for kv in sorted(classes.items())))
    print("unknown type, duplicate of a typed entry: %d; unidentified: %d"
          % (counts["duplicate"], counts["unidentified"]))
    print("unknown magnitude: %d" % sum(1 for o in objects if o[7] == UNKNOWN_MAGNITUDE))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
