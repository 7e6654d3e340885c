#!/usr/bin/env python3
"""Writes the star file Noctavo.sta, the star name file Noctavo.stn and the
constellation figure file Noctavo.con.

Usage: make_stars.py SOURCE_ROOT [OUTPUT_DIR]

SOURCE_ROOT is a folder into which the Debian packages kstars-data,
stellarium-data and python3-astropy were unpacked with `dpkg -x` (so that
SOURCE_ROOT/usr/share/kstars/stars.dat exists).  OUTPUT_DIR defaults to the
repository's data/ folder.

The three files are made together because the names and the figures refer
to stars by Greek letter, and the reader resolves a letter to the FIRST star
of the constellation with that letter in star-file order: the order of the
star file is chosen here so that every name and every figure line reaches
the intended star.
"""

import collections
import math
import os
import struct
import sys

import astrocommon as ac

MAG_LIMIT = 6.5
MAX_SEGMENTS = 20
MAX_FIGURE_LINE = 300
MATCH_ARCSEC = 2.0

KSTARS = "usr/share/kstars"
STELLARIUM = "usr/share/stellarium"


# ---------------------------------------------------------------------------
# Sources

class Star:
    __slots__ = ("seq", "ra2000", "dec2000", "pmra", "pmdec", "mag", "genitive",
                 "long_name", "ra", "dec", "con", "letter", "suffix", "hip",
                 "name", "bayer_con", "bayer_letter", "bayer_suffix")


def read_kstars_text(root):
    """The Hipparcos-based star list of kstars-data: J2000 positions at epoch
    J2000.0, proper motions in mas/yr, visual magnitudes, designations."""
    stars = []
    path = os.path.join(root, KSTARS, "stars.dat")
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("#") or len(line) < 51:
                continue
            mag = float(line[46:51])
            if mag > MAG_LIMIT:
                continue
            s = Star()
            s.seq = len(stars)
            s.ra2000 = 15.0 * (int(line[0:2]) + int(line[2:4]) / 60.0 + float(line[4:9]) / 3600.0)
            sign = -1.0 if line[10] == "-" else 1.0
            s.dec2000 = sign * (int(line[11:13]) + int(line[13:15]) / 60.0 + float(line[15:19]) / 3600.0)
            s.pmra = float(line[20:29])
            s.pmdec = float(line[29:38])
            s.mag = mag
            fields = line.rstrip("\r\n").split(",")
            s.genitive = fields[1].strip() if len(fields) > 1 else ""
            s.long_name = fields[2].strip() if len(fields) > 2 else ""
            s.hip = None
            s.name = None
            stars.append(s)
    return stars


def read_kstars_binary(root):
    """The binary star lists of kstars-data with Henry Draper numbers:
    (ra, dec, total proper motion in mas/yr, HD).  Their positions are for
    the equinox J2000 but not always for the epoch J2000.0 of the text list,
    so a match allows for some years of proper motion."""
    out = []
    for fn in ("namedstars.dat", "unnamedstars.dat"):
        with open(os.path.join(root, KSTARS, fn), "rb") as f:
            data = f.read()
        p = 124
        if data[p:p + 2] != b"SK":
            raise ValueError(fn + ": unexpected byte order mark")
        nfields = struct.unpack_from("<H", data, p + 3)[0]
        p += 5 + 16 * nfields
        ntrixels = struct.unpack_from("<I", data, p)[0]
        p += 4
        for i in range(ntrixels):
            _, offset, count = struct.unpack_from("<III", data, p + 12 * i)
            for k in range(count):
                ra, dec, dra, ddec, _, hd, mag, _, _, _, _ = struct.unpack_from(
                    "<iiiiiihh2sBB", data, offset + 32 * k)
                if mag > 800:
                    continue
                out.append((ra / 1e6 * 15.0, dec / 1e5, math.hypot(dra, ddec) / 10.0, hd))
    return out


def read_cross_ids(root):
    hip_to_hd = collections.defaultdict(set)
    with open(os.path.join(root, STELLARIUM, "stars/default/cross-id.dat"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            cols = line.rstrip("\n").split("\t")
            if len(cols) >= 4 and cols[0].strip() and cols[3].strip():
                hip_to_hd[int(cols[0])].add(int(cols[3]))
    return hip_to_hd


def read_designations(root):
    """HIP -> list of (constellation, letter, suffix) from stellarium's list
    of Bayer designations."""
    out = collections.defaultdict(list)
    with open(os.path.join(root, STELLARIUM, "stars/default/name.fab"), encoding="utf-8") as f:
        for line in f:
            if "|" not in line:
                continue
            hip, text = line.strip().split("|", 1)
            letter = ac.unicode_greek(text[0])
            if letter < 0 or "_" not in text:
                continue
            mark, con = text.split("_", 1)
            suffix = mark[1:] if len(mark) > 1 else "0"
            index = ac.constellation_index(con)
            if index is None or not (len(suffix) == 1 and suffix.isdigit()):
                continue
            out[int(hip)].append((index, letter, suffix))
    return out


# References of the western star names: the IAU's catalogue and list of star
# names come first, then the dictionary of modern star names; names with
# other references only are not taken.
NAME_REFERENCE_RANK = {"6": 0, "12": 0, "1": 1}


def read_proper_names(root):
    """HIP -> (rank, name) of the best-ranked name of stellarium's western
    sky culture (the first one listed among equals)."""
    names = {}
    path = os.path.join(root, STELLARIUM, "skycultures/western/star_names.fab")
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#") or "|" not in line:
                continue
            hip, rest = line.split("|", 1)
            start = rest.find('_("')
            end = rest.find('")', start + 3)
            if start < 0 or end < 0:
                continue
            hip = int(hip)
            ranks = [NAME_REFERENCE_RANK[r] for r in rest[end + 2:].strip().split(",")
                     if r in NAME_REFERENCE_RANK]
            if not ranks:
                continue
            candidate = (min(ranks), rest[start + 3:end])
            if hip not in names or candidate[0] < names[hip][0]:
                names[hip] = candidate
    return names


def read_figures(root):
    """Abbreviation -> list of HIP pairs of stellarium's western figures."""
    figures = collections.OrderedDict()
    path = os.path.join(root, STELLARIUM, "skycultures/western/constellationship.fab")
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if len(words) < 2:
                continue
            count = int(words[1])
            hips = [int(w) for w in words[2:2 + 2 * count]]
            figures.setdefault(words[0], []).extend(zip(hips[0::2], hips[1::2]))
    return figures


# ---------------------------------------------------------------------------
# Matching and designations

class Grid:
    """Positions binned by degree for nearest-neighbour searches."""

    def __init__(self, items):
        self.cells = collections.defaultdict(list)
        for item in items:
            self.cells[self.key(item[0], item[1])].append(item)

    @staticmethod
    def key(ra, dec):
        return (int(ra) % 360, int(math.floor(dec)))

    def nearest(self, ra, dec, limit_arcsec):
        best = None
        kr, kd = self.key(ra, dec)
        # Near the poles a degree of declination spans many degrees of
        # right ascension: search the whole ring there.
        ras = [(kr + dr) % 360 for dr in (-1, 0, 1)] if abs(dec) < 80 else range(360)
        for cell_ra in ras:
            for dd in (-1, 0, 1):
                for item in self.cells.get((cell_ra, kd + dd), ()):
                    sep = separation(ra, dec, item[0], item[1])
                    if sep <= limit_arcsec and (best is None or sep < best[0]):
                        best = (sep, item)
        return best


def separation(ra1, dec1, ra2, dec2):
    v1 = ac.radec_to_vector(ra1, dec1)
    v2 = ac.radec_to_vector(ra2, dec2)
    dot = sum(a * b for a, b in zip(v1, v2))
    cross = math.sqrt(sum(c * c for c in (
        v1[1] * v2[2] - v1[2] * v2[1], v1[2] * v2[0] - v1[0] * v2[2], v1[0] * v2[1] - v1[1] * v2[0])))
    return math.degrees(math.atan2(cross, dot)) * 3600.0


def identify_hip(stars, binary, hip_to_hd, designations):
    """Gives our stars their HIP numbers: HIP -> HD -> kstars binary star ->
    nearest of our stars (within MATCH_ARCSEC plus ten years of the star's
    proper motion); a HIP number that finds no star this way is matched by
    its Greek-letter designation when exactly one of our stars carries it."""
    by_hd = collections.defaultdict(list)
    for ra, dec, pm, hd in binary:
        if hd > 0:
            by_hd[hd].append((ra, dec, pm))
    grid = Grid([(s.ra2000, s.dec2000, s) for s in stars])
    hip_to_star = {}
    for hip, hds in sorted(hip_to_hd.items()):
        best = None
        for hd in hds:
            for ra, dec, pm in by_hd.get(hd, ()):
                found = grid.nearest(ra, dec, MATCH_ARCSEC + pm * 10.0 / 1000.0)
                if found and (best is None or found[0] < best[0]):
                    best = found
        if best:
            star = best[1][2]
            if star.hip is None:
                star.hip = hip
                hip_to_star[hip] = star
    by_designation = collections.defaultdict(list)
    for s in stars:
        d = kstars_designation(s.genitive)
        if d:
            by_designation[d].append(s)
    for hip, ds in designations.items():
        if hip in hip_to_star:
            continue
        for d in ds:
            found = by_designation.get(d, [])
            if len(found) == 1 and found[0].hip is None:
                found[0].hip = hip
                hip_to_star[hip] = found[0]
                break
    return hip_to_star


def kstars_designation(genitive):
    """(constellation, letter, suffix) of a kstars designation like
    "alp1Cen" or "pi  Men"; None when it is no Greek-letter designation."""
    if len(genitive) < 7:
        return None
    letter = ac.kstars_greek(genitive[0:3])
    if letter < 0:
        return None
    suffix = genitive[3]
    if suffix == " ":
        suffix = "0"
    if not suffix.isdigit():
        return None
    con = ac.constellation_index(genitive[4:7])
    if con is None:
        return None
    return con, letter, suffix


# ---------------------------------------------------------------------------

def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    out_dir = argv[2] if len(argv) > 2 else ac.default_out_dir()
    report = []

    boundaries = ac.read_boundaries(root)
    stars = read_kstars_text(root)
    binary = read_kstars_binary(root)
    hip_to_hd = read_cross_ids(root)
    designations = read_designations(root)
    proper_names = read_proper_names(root)
    figures = read_figures(root)
    hip_to_star = identify_hip(stars, binary, hip_to_hd, designations)
    report.append("stars to V %.1f: %d, identified with a HIP number: %d"
                  % (MAG_LIMIT, len(stars), sum(1 for s in stars if s.hip)))

    # Positions for 2025.0 and constellations from the boundaries.
    for s in stars:
        ra, dec = ac.apply_proper_motion(s.ra2000, s.dec2000, s.pmra, s.pmdec, 25.0)
        s.ra, s.dec = ac.j2000_to_j2025(ra, dec)
        s.con = ac.constellation_of_j2025(boundaries, s.ra, s.dec)
        if s.con is None:
            raise ValueError("no boundary line fits a star")

    # Greek letters: the designation of the kstars list, completed from the
    # stellarium list where kstars has none.
    added = []
    disagree = 0
    kstars_used = {kstars_designation(s.genitive) for s in stars} - {None}
    for s in stars:
        d = kstars_designation(s.genitive)
        other = designations.get(s.hip, []) if s.hip else []
        if d is None and len(other) == 1 and other[0] not in kstars_used:
            d = other[0]
            added.append("%s %s%s (V %.2f)" % (ac.GREEK_ABBREVIATIONS[d[1]], ac.CONSTELLATIONS[d[0]],
                                              "" if d[2] == "0" else d[2], s.mag))
        elif d is not None and other and all((o[0], o[1]) != (d[0], d[1]) for o in other):
            disagree += 1
        s.bayer_con, s.bayer_letter, s.bayer_suffix = d if d else (None, -1, "0")
    report.append("Greek letters taken from the stellarium list where kstars has none: %d"
                  % len(added))
    report.append("  " + ", ".join(added))
    report.append("kstars and stellarium letters that disagree (kstars kept): %d" % disagree)

    # A letter is stored only when the star lies inside the constellation of
    # its designation; the reader files letters under the stored constellation.
    outside = []
    for s in stars:
        if s.bayer_letter >= 0 and s.bayer_con == s.con:
            s.letter, s.suffix = s.bayer_letter, s.bayer_suffix
        else:
            if s.bayer_letter >= 0:
                outside.append("%s %s%s lies in %s" % (
                    ac.GREEK_ABBREVIATIONS[s.bayer_letter],
                    ac.CONSTELLATIONS[s.bayer_con],
                    "" if s.bayer_suffix == "0" else " (" + s.bayer_suffix + ")",
                    ac.CONSTELLATIONS[s.con]))
            s.letter, s.suffix = -1, "0"
    report.append("designations dropped because the star lies in another constellation: %d"
                  % len(outside))
    report.extend("  " + text for text in outside)

    # Two stars with the same letter and suffix in one constellation would be
    # indistinguishable; keep the brighter designation.
    seen = {}
    for s in sorted(stars, key=lambda s: (s.mag, s.seq)):
        if s.letter < 0:
            continue
        key = (s.con, s.letter, s.suffix)
        if key in seen:
            report.append("  duplicate designation %s %s%s dropped on the fainter star"
                          % (ac.GREEK_ABBREVIATIONS[s.letter], ac.CONSTELLATIONS[s.con], s.suffix))
            s.letter, s.suffix = -1, "0"
        else:
            seen[key] = s

    # Proper names: the IAU names of stellarium first, then the dictionary
    # names, then the names of the kstars list; a name is given only once.
    candidates = []
    for s in stars:
        if s.letter < 0:
            continue
        if s.hip in proper_names:
            rank, name = proper_names[s.hip]
            candidates.append((rank, s.mag, s.seq, name, s))
        if s.long_name:
            candidates.append((2, s.mag, s.seq, s.long_name, s))
    used_names = set()
    for rank, _, _, name, s in sorted(candidates, key=lambda c: c[:3]):
        if s.name is None and name not in used_names:
            s.name = name
            used_names.add(name)

    # Figures: HIP pairs to star pairs inside one constellation.  The figure
    # file names stars by Greek letter only, so a figure vertex without any
    # Greek letter (a star with a Latin letter or a number only, or one
    # fainter than the catalogue) is bridged where the figure merely passes
    # through it: its two segments become one.
    figure_pairs = collections.OrderedDict((a, []) for a in ac.CONSTELLATIONS)
    dropped_segments = collections.Counter()
    bridged = collections.Counter()
    for abbr, pairs in figures.items():
        con = ac.constellation_index(abbr)
        edges = []
        for h1, h2 in pairs:
            if h1 != h2 and (h1, h2) not in edges and (h2, h1) not in edges:
                edges.append((h1, h2))

        def lettered_here(hip):
            star = hip_to_star.get(hip)
            return star is not None and star.letter >= 0 and star.con == con

        def letterless(hip):
            star = hip_to_star.get(hip)
            return star is None or (star.letter < 0 and star.bayer_letter < 0)

        changed = True
        while changed:
            changed = False
            degree = collections.Counter()
            for a, b in edges:
                degree[a] += 1
                degree[b] += 1
            for hip, count in degree.items():
                if count != 2 or not letterless(hip):
                    continue
                ends = [e for e in edges if hip in e]
                a = ends[0][0] if ends[0][1] == hip else ends[0][1]
                b = ends[1][0] if ends[1][1] == hip else ends[1][1]
                if a == b or (a, b) in edges or (b, a) in edges:
                    continue
                edges[edges.index(ends[0])] = (a, b)
                edges.remove(ends[1])
                bridged[abbr] += 1
                changed = True
                break
        for h1, h2 in edges:
            if lettered_here(h1) and lettered_here(h2):
                figure_pairs[abbr].append((hip_to_star[h1], hip_to_star[h2]))
            else:
                dropped_segments[abbr] += 1

    # Order: brightest first, then within each (constellation, letter) group
    # the preferred star is moved to the group's first place: the named star,
    # else the one the figure uses, else the brightest.
    stars.sort(key=lambda s: (s.mag, s.seq))
    used_in_figure = set()
    for pairs in figure_pairs.values():
        for a, b in pairs:
            used_in_figure.add(id(a))
            used_in_figure.add(id(b))
    groups = collections.defaultdict(list)
    for position, s in enumerate(stars):
        if s.letter >= 0:
            groups[(s.con, s.letter)].append(position)
    unnamed_conflicts = []
    for key, positions in groups.items():
        members = [stars[p] for p in positions]
        named = [m for m in members if m.name]
        if named:
            preferred = named[0]
            for other in named[1:]:
                unnamed_conflicts.append("%s (%s %s%s)" % (
                    other.name, ac.GREEK_ABBREVIATIONS[other.letter],
                    ac.CONSTELLATIONS[other.con], other.suffix))
                other.name = None
        else:
            in_fig = [m for m in members if id(m) in used_in_figure]
            preferred = in_fig[0] if in_fig else members[0]
        if preferred is not members[0]:
            i, j = positions[0], positions[members.index(preferred)]
            stars[i], stars[j] = stars[j], stars[i]
    report.append("names left out because another star of the same letter carries one: %d"
                  % len(unnamed_conflicts))
    report.extend("  " + text for text in unnamed_conflicts)

    # A figure segment must name the first star of its letter, or it would
    # be drawn to another star; such segments go.
    first_of = {}
    for s in stars:
        if s.letter >= 0:
            first_of.setdefault((s.con, s.letter), s)
    for abbr in figure_pairs:
        kept = []
        for a, b in figure_pairs[abbr]:
            if first_of[(a.con, a.letter)] is a and first_of[(b.con, b.letter)] is b:
                kept.append((a, b))
            else:
                dropped_segments[abbr] += 1
        figure_pairs[abbr] = kept

    # At most 20 segments: prune faint end points of open branches first.
    pruned = {}
    for abbr, pairs in figure_pairs.items():
        removed = 0
        while len(pairs) > MAX_SEGMENTS:
            degree = collections.Counter()
            for a, b in pairs:
                degree[id(a)] += 1
                degree[id(b)] += 1

            def leaf_magnitude(pair):
                a, b = pair
                ends = [s.mag for s in (a, b) if degree[id(s)] == 1]
                return max(ends) if ends else -99.0
            victim = max(pairs, key=leaf_magnitude)
            pairs.remove(victim)
            removed += 1
        if removed:
            pruned[abbr] = removed
    report.append("figure segments not representable (star without a Greek letter, in another "
                  "constellation or not the first of its letter): %d" % sum(dropped_segments.values()))
    report.append("  per constellation: " + ", ".join(
        "%s %d" % (a, n) for a, n in sorted(dropped_segments.items())))
    report.append("figure vertices without a Greek letter bridged: " + ", ".join(
        "%s %d" % (a, n) for a, n in sorted(bridged.items())))
    report.append("figure segments pruned to keep 20 per constellation: " + ", ".join(
        "%s %d" % (a, n) for a, n in sorted(pruned.items())))

    os.makedirs(out_dir, exist_ok=True)
    write_stars(os.path.join(out_dir, "Noctavo.sta"), stars)
    name_count = write_names(os.path.join(out_dir, "Noctavo.stn"), stars)
    segment_count = write_figures(os.path.join(out_dir, "Noctavo.con"), figure_pairs)
    report.insert(0, "Noctavo.sta: %d stars, %d with a Greek letter" % (
        len(stars), sum(1 for s in stars if s.letter >= 0)))
    report.insert(1, "Noctavo.stn: %d names" % name_count)
    report.insert(2, "Noctavo.con: %d segments in %d constellations" % (
        segment_count, sum(1 for p in figure_pairs.values() if p)))
    report.insert(3, "sources: kstars-data %s, stellarium-data %s, python3-astropy %s" % (
        ac.package_version(root, "kstars-data"), ac.package_version(root, "stellarium-data"),
        ac.package_version(root, "python3-astropy")))
    print("\n".join(report))
    return 0


def write_stars(path, stars):
    with open(path, "wb") as f:
        for s in stars:
            if not 0 <= s.con <= 87 or not -1 <= s.letter <= 23:
                raise ValueError("star record out of range")
            f.write(ac.STAR_RECORD.pack(s.letter, s.suffix.encode("ascii"),
                                        s.ra, s.dec, s.mag, s.con))


def write_names(path, stars):
    lines = []
    for s in stars:
        if s.letter >= 0 and s.name:
            text = ac.to_cp1252(s.name.strip())
            line = b"%s,%s,%s" % (ac.GREEK_ABBREVIATIONS[s.letter].encode("ascii"),
                                  ac.CONSTELLATIONS[s.con].encode("ascii"), text)
            if len(line) > 999:
                raise ValueError("name line too long")
            lines.append((s.con, s.letter, line))
    lines.sort(key=lambda t: (t[0], t[1]))
    with open(path, "wb") as f:
        for _, _, line in lines:
            f.write(line + b"\n")
    return len(lines)


def chains_of(pairs):
    """Joins segments into chains: each chain is a list of stars whose
    consecutive members are the segments, every segment used once."""
    remaining = list(pairs)
    chains = []
    while remaining:
        a, b = remaining.pop(0)
        chain = [a, b]
        grown = True
        while grown:
            grown = False
            for k, (c, d) in enumerate(remaining):
                if c is chain[-1]:
                    chain.append(d)
                elif d is chain[-1]:
                    chain.append(c)
                elif d is chain[0]:
                    chain.insert(0, c)
                elif c is chain[0]:
                    chain.insert(0, d)
                else:
                    continue
                remaining.pop(k)
                grown = True
                break
        chains.append(chain)
    return chains


def write_figures(path, figure_pairs):
    total = 0
    with open(path, "wb") as f:
        for abbr, pairs in figure_pairs.items():
            if not pairs:
                continue
            texts = [" ".join(ac.GREEK_NAMES[s.letter] for s in chain) for chain in chains_of(pairs)]
            total += len(pairs)
            line = abbr + ":"
            for text in texts:
                candidate = line + (text if line.endswith(":") else ";" + text)
                if len(candidate) > MAX_FIGURE_LINE:
                    f.write(line.encode("ascii") + b"\n")
                    line = abbr + ":" + text
                else:
                    line = candidate
            f.write(line.encode("ascii") + b"\n")
    return total


if __name__ == "__main__":
    sys.exit(main(sys.argv))
