#!/usr/bin/env python3
"""Checks the catalogue files in data/ the way the program reads them.

Usage: check_data.py [DATA_DIR] [--source SOURCE_ROOT]

Reads Noctavo.sta, .stn, .cb1, .con and .ngc with the reader's rules (the
first star of a constellation with a letter, the first boundary line that
fits, the record layouts) and reports counts, limits and the constellation
mismatches of the boundary search on the stored 2025.0 coordinates: the
stored constellation came from the position precessed to B1875.0 and looked
up in Roman's table, the program looks the unprecessed position up in
Noctavo.cb1.  With SOURCE_ROOT (the unpacked packages, as for the
generators) it also checks every stored constellation against Roman's table
and measures how far each mismatch lies from a true boundary.  Exits with 1
when a check fails.
"""

import bisect
import collections
import math
import os
import struct
import sys

import astrocommon as ac

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)
    return condition


def from_abbreviation(text):
    return ac.GREEK_ABBREVIATIONS.index(text) if text in ac.GREEK_ABBREVIATIONS else -1


def from_name(text):
    return ac.GREEK_NAMES.index(text) if text in ac.GREEK_NAMES else -1


def read_stars(path):
    data = open(path, "rb").read()
    check(len(data) % 15 == 0, "star file length %d is not a multiple of 15" % len(data))
    stars = []
    for i in range(len(data) // 15):
        letter, suffix, ra, dec, mag, con = ac.STAR_RECORD.unpack_from(data, 15 * i)
        stars.append((letter, suffix.decode("latin-1"), ra, dec, mag, con))
    return stars


def read_boundaries(path):
    lines = []
    with open(path, "r", encoding="ascii") as f:
        for text in f:
            lo, hi, dec, abbr = text.split()
            index = ac.constellation_index(abbr)
            check(index is not None, "unknown abbreviation in boundary file: " + abbr)
            # The reader holds the numbers as single-precision floats.
            f32 = [struct.unpack("<f", struct.pack("<f", float(v)))[0] for v in (lo, hi, dec)]
            lines.append((f32[0], f32[1], f32[2], index))
    return lines


def search(lines, ra_hours, dec):
    """The reader's boundary search: the first line in file order that fits."""
    for lo, hi, low_dec, index in lines:
        if low_dec <= dec and lo <= ra_hours < hi:
            return index
    return None


class BoundaryIndex:
    """The same search, fast enough for some twenty thousand positions over
    thousands of lines: right ascension is cut at every line end, so within
    one cut a line either spans it or misses it; the first line in file order
    that spans the cut and has a lower declination at or below the position
    is the answer."""

    def __init__(self, lines):
        self.cuts = sorted({l[0] for l in lines} | {l[1] for l in lines})
        self.cells = [[] for _ in self.cuts]
        for lo, hi, low_dec, index in lines:
            for k in range(bisect.bisect_left(self.cuts, lo), bisect.bisect_left(self.cuts, hi)):
                self.cells[k].append((low_dec, index))

    def search(self, ra_hours, dec):
        k = bisect.bisect_right(self.cuts, ra_hours) - 1
        if k < 0:
            return None
        for low_dec, index in self.cells[k]:
            if low_dec <= dec:
                return index
        return None


def nearest(ra_deg, dec_deg, wanted):
    """Angular distance (degrees) from a position to the nearest point for
    which wanted(ra_deg, dec_deg) holds: rings of growing radius, then
    halving; infinity beyond 5 degrees."""
    p = ac.radec_to_vector(ra_deg, dec_deg)
    a, d = math.radians(ra_deg), math.radians(dec_deg)
    east = (-math.sin(a), math.cos(a), 0.0)
    north = (-math.sin(d) * math.cos(a), -math.sin(d) * math.sin(a), math.cos(d))

    def found(radius):
        r = math.radians(radius)
        for k in range(90):
            t = k * 2.0 * math.pi / 90
            q = [math.cos(r) * p[i] + math.sin(r) * (math.cos(t) * north[i] + math.sin(t) * east[i])
                 for i in range(3)]
            if wanted(*ac.vector_to_radec(q)):
                return True
        return False

    inner, outer = 0.0, 1e-5
    while not found(outer):
        inner, outer = outer, outer * 1.5
        if outer > 5.0:
            return float("inf")
    for _ in range(12):
        middle = 0.5 * (inner + outer)
        if found(middle):
            outer = middle
        else:
            inner = middle
    return outer


def main(argv):
    args = list(argv[1:])
    source = None
    if "--source" in args:
        k = args.index("--source")
        if k + 1 >= len(args):
            print(__doc__)
            return 2
        source = args[k + 1]
        del args[k:k + 2]
    data_dir = args[0] if args else ac.default_out_dir()
    report = []

    # Astrometry self-test: the worked example of theta Persei (J2000 to
    # 2028 Nov 13.19 TD) must come out at 2h46m11.331s +49 20' 54.54".
    jd = 2462088.69
    years = (jd - ac.JD_J2000) / 365.25
    ra0 = (2 + 44 / 60 + (11.986 + 0.03425 * years) / 3600) * 15
    dec0 = 49 + 13 / 60 + (42.48 - 0.0895 * years) / 3600
    ra1, dec1 = ac.vector_to_radec(ac.apply(ac.precession_matrix(ac.JD_J2000, jd),
                                            ac.radec_to_vector(ra0, dec0)))
    check(abs(ra1 * 240 - (2 * 3600 + 46 * 60 + 11.331)) < 0.002
          and abs(dec1 * 3600 - (49 * 3600 + 20 * 60 + 54.54)) < 0.02,
          "precession self-test failed")

    # Stars.
    stars = read_stars(os.path.join(data_dir, "Noctavo.sta"))
    report.append("Noctavo.sta: %d bytes, %d stars, %d with a Greek letter" % (
        os.path.getsize(os.path.join(data_dir, "Noctavo.sta")), len(stars),
        sum(1 for s in stars if s[0] >= 0)))
    check(8000 <= len(stars) <= 10000, "star count %d not about 9000" % len(stars))
    by_con = collections.defaultdict(list)
    for i, (letter, suffix, ra, dec, mag, con) in enumerate(stars):
        check(-1 <= letter <= 23, "star %d: letter %d" % (i, letter))
        check(suffix in "0123456789" and len(suffix) == 1, "star %d: suffix %r" % (i, suffix))
        check(0 <= ra < 360 and -90 <= dec <= 90, "star %d: position" % i)
        check(-2 <= mag <= 6.5, "star %d: magnitude %f" % (i, mag))
        check(0 <= con <= 87, "star %d: constellation %d" % (i, con))
        by_con[con].append(i)
    check(len(by_con) == 88, "stars in %d constellations only" % len(by_con))

    def first_with(con, letter):
        for i in by_con.get(con, ()):
            if stars[i][0] == letter:
                return i
        return None

    # Star names.
    names = {}
    with open(os.path.join(data_dir, "Noctavo.stn"), "rb") as f:
        for number, raw in enumerate(f, 1):
            check(len(raw) <= 999, "name line %d too long" % number)
            line = raw.decode("cp1252")
            parts = line.split(",", 2)
            if not check(len(parts) == 3, "name line %d has fewer than two commas" % number):
                continue
            letter = from_abbreviation(parts[0])
            con = ac.constellation_index(parts[1]) if parts[1] == parts[1].strip() else None
            name = parts[2].rstrip()
            if not check(letter >= 0 and con is not None, "name line %d: letter or constellation" % number):
                continue
            star = first_with(con, letter)
            if check(star is not None, "name line %d (%s) resolves to no star" % (number, line.strip())):
                names[star] = name
    report.append("Noctavo.stn: %d names, all resolvable" % len(names)
                  if not failures else "Noctavo.stn: %d names" % len(names))
    duplicates = [n for n, c in collections.Counter(names.values()).items() if c > 1]
    check(not duplicates, "names given twice: %r" % duplicates)
    by_name = {v: k for k, v in names.items()}
    for name, con, letter in (("Betelgeuse", "Ori", 0), ("Polaris", "UMi", 0),
                              ("Sirius", "CMa", 0), ("Vega", "Lyr", 0)):
        i = by_name.get(name)
        if check(i is not None, name + " missing"):
            s = stars[i]
            check(s[5] == ac.constellation_index(con) and s[0] == letter,
                  "%s: constellation %d letter %d" % (name, s[5], s[0]))
            report.append("%s: star %d, %s (%d), letter %s, RA %.4f, Dec %.4f, V %.2f" % (
                name, i, ac.CONSTELLATIONS[s[5]], s[5], ac.GREEK_NAMES[s[0]], s[2], s[3], s[4]))

    # Boundaries: the reader's rules, and whether every position fits.
    lines = read_boundaries(os.path.join(data_dir, "Noctavo.cb1"))
    check({l[3] for l in lines} == set(range(88)), "boundary file lacks constellations")
    check(all(0.0 <= lo < hi <= 24.0 and -90.0 <= dec < 90.0 for lo, hi, dec, _ in lines),
          "boundary line out of range")
    check(all(a[2] >= b[2] for a, b in zip(lines, lines[1:])),
          "boundary lines not written from north to south")
    bottom = sorted((lo, hi) for lo, hi, dec, _ in lines if dec == -90.0)
    reach = 0.0
    for lo, hi in bottom:
        if lo <= reach:
            reach = max(reach, hi)
    check(reach == 24.0, "the lines at -90 degrees do not cover 0..24 h")
    index = BoundaryIndex(lines)
    probes = [(k * 0.7373 % 24.0, -90.0 + (k * 0.5417) % 180.0) for k in range(2000)]
    check(all(index.search(ra, dec) == search(lines, ra, dec) for ra, dec in probes),
          "fast boundary search differs from the reader's walk")
    report.append("Noctavo.cb1: %d bytes, %d lines" % (
        os.path.getsize(os.path.join(data_dir, "Noctavo.cb1")), len(lines)))

    # Figures.
    segments = collections.Counter()
    with open(os.path.join(data_dir, "Noctavo.con"), "rb") as f:
        for number, raw in enumerate(f, 1):
            line = raw.decode("ascii").rstrip("\r\n")
            check(len(line) <= 300, "figure line %d longer than 300 characters" % number)
            if not check(":" in line, "figure line %d without ':'" % number):
                continue
            abbr, rest = line.split(":", 1)
            con = ac.constellation_index(abbr)
            if not check(con is not None, "figure line %d: unknown constellation" % number):
                continue
            for chain in rest.split(";"):
                words = chain.split()
                for k, word in enumerate(words):
                    letter = from_name(word)
                    check(letter >= 0, "figure line %d: %r is no letter name" % (number, word))
                    check(first_with(con, letter) is not None,
                          "figure line %d: %s %s resolves to no star" % (number, word, abbr))
                    if k > 0:
                        segments[con] += 1
    over = [ac.CONSTELLATIONS[c] for c, n in segments.items() if n > 20]
    check(not over, "more than 20 segments: %r" % over)
    missing = [ac.CONSTELLATIONS[c] for c in range(88) if segments[c] == 0]
    report.append("Noctavo.con: %d segments in %d constellations, all resolvable, at most %d "
                  "per constellation; without a figure: %s" % (
                      sum(segments.values()), len(segments), max(segments.values()),
                      ", ".join(missing) or "none"))

    # NGC objects.
    data = open(os.path.join(data_dir, "Noctavo.ngc"), "rb").read()
    p = 0
    objects = []
    while p < len(data):
        length = struct.unpack_from("<b", data, p)[0]
        p += 1
        name = data[p:p + length].decode("cp1252")
        p += length
        type_class, ra, dec, con, size, mag, dlen = struct.unpack_from("<bffbffb", data, p)
        p += struct.calcsize("<bffbffb")
        description = data[p:p + dlen].decode("cp1252")
        p += dlen
        ok = (0 <= length <= 20 and 0 <= type_class <= 16 and 0 <= con <= 87 and 0 <= dlen <= 50
              and 0 <= ra < 360 and -90 <= dec <= 90 and (mag == 9999.0 or -2 < mag < 30))
        check(ok, "NGC record %d (%s) out of range" % (len(objects), name))
        objects.append((name, type_class, ra, dec, con, size, mag, description))
    check(p == len(data), "NGC file ends inside a record")
    report.append("Noctavo.ngc: %d bytes, %d objects, %d with unknown magnitude" % (
        len(data), len(objects), sum(1 for o in objects if o[6] == 9999.0)))
    check(12000 <= len(objects) <= 14500, "NGC count %d not about 13000" % len(objects))
    by_ngc = {o[0]: o for o in objects}
    check(len(by_ngc) == len(objects), "NGC names not unique")
    m31 = by_ngc.get("NGC 224")
    if check(m31 is not None, "NGC 224 missing"):
        check(m31[4] == ac.constellation_index("And") and m31[7].startswith("M 31, Andromeda Galaxy"),
              "NGC 224: %r" % (m31,))
        report.append("NGC 224: %s, type %d, RA %.4f, Dec %.4f, mag %.2f, %r" % (
            ac.CONSTELLATIONS[m31[4]], m31[1], m31[2], m31[3], m31[6], m31[7]))

    # Boundary search on the stored 2025.0 positions against the stored
    # constellations (found by the rigorous lookup at B1875.0).
    roman = ac.read_boundaries(source) if source else None
    worst_file = worst_true = 0.0
    for kind, items in (("stars", [(s[2], s[3], s[5]) for s in stars]),
                        ("NGC objects", [(o[2], o[3], o[4]) for o in objects])):
        mismatches = []
        for ra, dec, con in items:
            found = index.search(ra / 15.0, dec)
            check(found is not None, "%s at %.4f %.4f: no boundary line fits" % (kind, ra, dec))
            if found != con:
                mismatches.append((ra, dec, con))
        share = 100.0 * len(mismatches) / len(items)
        report.append("boundary search on the stored 2025.0 positions differs from the stored "
                      "constellation for %d of %d %s (%.3f%%)" % (len(mismatches), len(items), kind, share))
        check(share < 0.5, "%s: %.2f%% boundary mismatches" % (kind, share))
        listed = []
        for ra, dec, con in mismatches:
            # How far the file's boundary is off here: the nearest point that
            # the file gives the stored constellation.
            d = nearest(ra, dec, lambda r, d, c=con: index.search(r / 15.0, d) == c)
            worst_file = max(worst_file, d)
            line = "  %s: RA %.4f Dec %.4f, stored %s, file %s, %.1f\" from a line of the file" % (
                kind, ra, dec, ac.CONSTELLATIONS[con],
                ac.CONSTELLATIONS[index.search(ra / 15.0, dec)], d * 3600.0)
            if roman:
                t = nearest(ra, dec, lambda r, d, c=con: ac.constellation_of_j2025(roman, r, d) != c)
                worst_true = max(worst_true, t)
                line += ", %.1f\" from the true boundary" % (t * 3600.0)
            if len(listed) < 20:
                listed.append(line)
        report.extend(listed)
        if len(mismatches) > len(listed):
            report.append("  ... and %d more" % (len(mismatches) - len(listed)))
        if roman:
            # A rigorous lookup (precessed to B1875) must give the stored constellation.
            rigorous_diff = sum(1 for ra, dec, con in items
                                if ac.constellation_of_j2025(roman, ra, dec) != con)
            check(rigorous_diff == 0, "%d %s differ from the lookup at B1875" % (rigorous_diff, kind))
    report.append("every mismatch lies within %.1f\" of a line of the file%s" % (
        worst_file * 3600.0,
        " and within %.1f\" of the true boundary; stored constellations agree with Roman's table"
        % (worst_true * 3600.0) if roman else " (give --source to check against Roman's table)"))

    print("\n".join(report))
    if failures:
        print("FAILED: %d problems" % len(failures))
        for text in failures[:50]:
            print("  " + text)
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
