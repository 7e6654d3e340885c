#!/usr/bin/env python3
"""Writes the constellation boundary file Noctavo.cb1.

Usage: make_boundaries.py SOURCE_ROOT [OUTPUT_DIR]

SOURCE_ROOT is the folder into which python3-astropy was unpacked with
`dpkg -x`; OUTPUT_DIR defaults to the repository's data/.

The boundaries are defined at the equinox B1875.0 (the table of Roman, 1987,
that astropy ships), but the program looks positions up as they are, and all
its catalogues hold positions for the equinox J2025.0.  So the table is
re-expressed in the J2025.0 frame: the constellation of a J2025.0 position is
the one that Roman's table gives for that position precessed rigorously to
B1875.0, and the file approximates that map with lines that the program's
first-fitting-line rule searches directly.

Layout of the file.  The sky is cut into declination bands.  A line
"lowerRA upperRA lowerDec abbreviation" fits every position north of
lowerDec within its right-ascension run, so with the lines written from the
northmost band to the southmost, the line that fits first is the one of the
northmost band at or below the position that has a line over its right
ascension.  The southmost band (lower declination -90) has runs over the
whole of 0..24 h; every band above it holds lines only where its runs differ
from those of the band below, so a band in which no edge moved costs
nothing.  This keeps thin bands cheap where they are needed: where a
boundary of constant B1875 declination, now tilted by up to 0.8 degrees,
crosses.

Run edges are found exactly: along a J2025.0 parallel the constellation can
change only where the parallel crosses the J2025.0 image of a meridian or a
parallel of the table's grid, and those crossings have closed forms.  Bands
are split (halved, from 1 degree down) wherever a tilted B1875 parallel of a
real boundary passes, where the sequence of constellations at the top and
bottom of a band differs, or where an edge moves more than a tolerance
within the band.  Each band uses the runs at its middle declination; an edge
that drifts slowly from band to band is held at one position while its
drift stays within a tolerance, so that it costs a line only when it has to
move.
"""

import bisect
import math
import os
import sys

import astrocommon as ac

# Bands are halved from this height...
BAND_MAX = 1.0
# ...down to this height (degrees) where a boundary of constant B1875
# declination crosses them: the staircase that stands for such a tilted
# boundary then strays from it by at most half this height.
BAND_MIN = 1.0 / 128.0
# Largest move (degrees on the sky) of a run edge from the bottom to the top
# of a band before the band is split.
BAND_EDGE_MOVE = 0.003
# Largest distance (degrees on the sky) by which a run edge held over several
# bands may stand off the edge computed at the middle of each band.
EDGE_HOLD = 0.004
# Runs narrower than this (degrees on the sky) are slivers at corners; they
# are given to a neighbour.
SLIVER = 0.0002
# Digits written: 0.00001 h and 0.0001 degree, well below the tolerances and
# still distinct when the program reads them as single-precision floats.
RA_DECIMALS = 5
DEC_DECIMALS = 4

TWO_PI = 2.0 * math.pi
HOURS_PER_RADIAN = 12.0 / math.pi


class RomanTable:
    """Roman's B1875.0 table with the first-fitting-line search, sped up by
    cutting right ascension into the cells between the table's RA values:
    within a cell, the lines that fit are those that span the cell, and the
    first of them in table order with a lower declination at or below the
    position is the answer, exactly as a walk over the whole table gives."""

    def __init__(self, lines):
        self.lines = lines
        self.ra_values = sorted({l[0] for l in lines} | {l[1] for l in lines})
        self.dec_values = sorted({l[2] for l in lines})
        self.cells = []
        for a, b in zip(self.ra_values, self.ra_values[1:]):
            self.cells.append([(dec, index) for lo, hi, dec, index in lines if lo <= a and b <= hi])

    def lookup(self, ra_hours, dec_deg):
        i = bisect.bisect_right(self.ra_values, ra_hours) - 1
        i = min(max(i, 0), len(self.cells) - 1)
        for dec, index in self.cells[i]:
            if dec <= dec_deg:
                return index
        return None


class J2025Map:
    """The constellation of a J2025.0 position by Roman's table at B1875.0,
    and the exact runs of constellations along a J2025.0 parallel."""

    def __init__(self, roman):
        self.roman = roman
        m = ac.PRECESS_J2025_TO_B1875
        self.m = m
        # A J2025.0 unit vector v lies on the B1875.0 meridian r where
        # n . v = 0 with n = -sin r * row0 + cos r * row1, on its half where
        # cos r * (row0 . v) + sin r * (row1 . v) > 0.
        self.meridians = []
        for r in roman.ra_values:
            if r >= 24.0:
                continue
            rr = r / HOURS_PER_RADIAN
            n = [-math.sin(rr) * m[0][k] + math.cos(rr) * m[1][k] for k in range(3)]
            self.meridians.append((math.hypot(n[0], n[1]), math.atan2(n[1], n[0]), n[2],
                                   math.cos(rr), math.sin(rr)))
        # It lies on the B1875.0 parallel d where row2 . v = sin d.
        p = m[2]
        self.pole = (math.hypot(p[0], p[1]), math.atan2(p[1], p[0]), p[2])
        self.parallels = [math.sin(math.radians(d)) for d in roman.dec_values if -90.0 < d < 90.0]

    def to_b1875(self, ra_hours, dec_deg):
        a = ra_hours / HOURS_PER_RADIAN
        d = math.radians(dec_deg)
        cd = math.cos(d)
        v = (cd * math.cos(a), cd * math.sin(a), math.sin(d))
        m = self.m
        x = m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2]
        y = m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2]
        z = m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]
        ra = (math.atan2(y, x) * HOURS_PER_RADIAN) % 24.0
        if ra >= 24.0:
            ra = 0.0
        return ra, math.degrees(math.asin(max(-1.0, min(1.0, z))))

    def from_b1875(self, ra_hours, dec_deg):
        a = ra_hours / HOURS_PER_RADIAN
        d = math.radians(dec_deg)
        cd = math.cos(d)
        v = (cd * math.cos(a), cd * math.sin(a), math.sin(d))
        m = self.m  # orthogonal: its transpose goes back
        x = m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2]
        y = m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2]
        z = m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]
        ra = (math.atan2(y, x) * HOURS_PER_RADIAN) % 24.0
        return ra, math.degrees(math.asin(max(-1.0, min(1.0, z))))

    def constellation(self, ra_hours, dec_deg):
        return self.roman.lookup(*self.to_b1875(ra_hours, dec_deg))

    def crossings(self, dec_deg):
        """Right ascensions (radians, 0..2pi) where the J2025.0 parallel
        crosses an image of the table's grid; the constellation is constant
        between two of them."""
        d = math.radians(dec_deg)
        sd, cd = math.sin(d), math.cos(d)
        found = []

        def solve(rho, phi, q):
            # rho * cos(a - phi) = q
            if rho == 0.0 or abs(q) > rho:
                return ()
            w = math.acos(q / rho)
            return (phi + w, phi - w)

        m = self.m
        for rho, phi, nz, cr, sr in self.meridians:
            for a in solve(rho, phi, -nz * sd / cd):
                v = (cd * math.cos(a), cd * math.sin(a), sd)
                side = (cr * (m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2])
                        + sr * (m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2]))
                if side > -1e-9:
                    found.append(a % TWO_PI)
        rho, phi, pz = self.pole
        for s in self.parallels:
            for a in solve(rho, phi, (s - pz * sd) / cd):
                found.append(a % TWO_PI)
        found.sort()
        return found

    def runs(self, dec_deg):
        """The runs along the parallel: [(start hours, constellation), ...],
        the first starting at 0; each ends where the next starts, the last at
        24.  Slivers narrower than SLIVER are given to a neighbour."""
        dec_deg = max(-89.999999, min(89.999999, dec_deg))
        points = [0.0] + self.crossings(dec_deg) + [TWO_PI]
        runs = []
        for a, b in zip(points, points[1:]):
            if b - a < 1e-12:
                continue
            index = self.constellation(0.5 * (a + b) * HOURS_PER_RADIAN, dec_deg)
            if runs and runs[-1][1] == index:
                continue
            runs.append((a * HOURS_PER_RADIAN, index))
        runs[0] = (0.0, runs[0][1])
        scale = 15.0 * math.cos(math.radians(dec_deg))
        while True:
            ends = [r[0] for r in runs[1:]] + [24.0]
            narrow = [k for k in range(len(runs)) if (ends[k] - runs[k][0]) * scale < SLIVER]
            if not narrow or len(runs) == 1:
                break
            k = narrow[0]
            if k == 0:
                runs[1] = (0.0, runs[1][1])
                del runs[0]
            else:
                del runs[k]
            merged = [runs[0]]
            for r in runs[1:]:
                if r[1] != merged[-1][1]:
                    merged.append(r)
            runs = merged
        return runs


def horizontal_boundaries(roman, sky):
    """Declination ranges (J2025.0) swept by the table's real boundaries of
    constant B1875 declination: pieces of a table parallel with different
    constellations just north and just south of it."""
    ranges = []
    cells = list(zip(roman.ra_values, roman.ra_values[1:]))
    for d in roman.dec_values:
        if d <= -90.0:
            continue
        piece = None
        for a, b in cells + [(None, None)]:
            real = False
            if a is not None:
                mid = 0.5 * (a + b)
                real = roman.lookup(mid, d + 1e-6) != roman.lookup(mid, d - 1e-6)
            if real and piece is not None and piece[1] == a:
                piece[1] = b
            elif real:
                if piece is not None:
                    ranges.append(swept_range(sky, d, piece))
                piece = [a, b]
            elif piece is not None:
                ranges.append(swept_range(sky, d, piece))
                piece = None
    return ranges


def swept_range(sky, dec, piece):
    a, b = piece
    steps = max(8, int(math.ceil((b - a) / 0.02)))
    decs = [sky.from_b1875(a + (b - a) * k / steps, dec)[1] for k in range(steps + 1)]
    return (min(decs) - 0.001, max(decs) + 0.001)


def edges_of(runs):
    return [(runs[k][0], runs[k - 1][1], runs[k][1]) for k in range(1, len(runs))]


def sequence(runs):
    return [r[1] for r in runs]


def cos_in_band(bottom, top):
    if bottom <= 0.0 <= top:
        return 1.0
    return math.cos(math.radians(min(abs(bottom), abs(top))))


def make_bands(sky, swept):
    """Band limits from south to north."""
    cache = {}

    def runs_at(dec):
        if dec not in cache:
            cache[dec] = sky.runs(dec)
        return cache[dec]

    def crosses_parallel(bottom, top):
        return any(lo < top and hi > bottom for lo, hi in swept)

    def settled(bottom, top):
        low, high = runs_at(bottom), runs_at(top)
        if sequence(low) != sequence(high):
            return False
        scale = 15.0 * cos_in_band(bottom, top)
        return all(abs(p - q) * scale <= BAND_EDGE_MOVE
                   for p, q in zip((r[0] for r in low), (r[0] for r in high)))

    limits = [-90.0]
    stack = [(float(k), float(k + 1)) for k in range(89, -91, -1)]
    while stack:
        bottom, top = stack.pop()
        height = top - bottom
        split = height > BAND_MAX or (height > BAND_MIN * 1.5 and (
            crosses_parallel(bottom, top) or not settled(bottom, top)))
        if split:
            middle = 0.5 * (bottom + top)
            stack.append((middle, top))
            stack.append((bottom, middle))
        else:
            limits.append(top)
    return limits


def match_edges(old, new):
    """Pairs (old index, new index) of the same boundary in two neighbouring
    bands: all edges in order when the sequences agree, otherwise edges with
    the same constellations on either side, nearest first."""
    if [e[1:] for e in old] == [e[1:] for e in new]:
        return list(zip(range(len(old)), range(len(new))))
    pairs = []
    candidates = sorted((abs(o[0] - n[0]), i, j) for i, o in enumerate(old)
                        for j, n in enumerate(new) if o[1:] == n[1:] and abs(o[0] - n[0]) < 0.2)
    used_old, used_new = set(), set()
    for _, i, j in candidates:
        if i not in used_old and j not in used_new:
            pairs.append((i, j))
            used_old.add(i)
            used_new.add(j)
    return pairs


def hold_edges(bands):
    """Follows every edge from band to band and holds it at one position for
    as long as the positions computed at the band middles stay within
    EDGE_HOLD of it; bands are (bottom, top, runs).  Returns the runs with
    the held edges."""
    edges = [edges_of(runs) for _, _, runs in bands]
    track_of = []
    tracks = []
    for k, band_edges in enumerate(edges):
        ids = [None] * len(band_edges)
        if k > 0:
            for i, j in match_edges(edges[k - 1], band_edges):
                ids[j] = track_of[k - 1][i]
        for j in range(len(band_edges)):
            if ids[j] is None:
                ids[j] = len(tracks)
                tracks.append([])
            tracks[ids[j]].append((k, j))
        track_of.append(ids)
    held = [[e[0] for e in band_edges] for band_edges in edges]
    for track in tracks:
        start = 0
        while start < len(track):
            lo = hi = held[track[start][0]][track[start][1]]
            widest = cos_in_band(bands[track[start][0]][0], bands[track[start][0]][1])
            end = start + 1
            while end < len(track):
                k, j = track[end]
                if k != track[end - 1][0] + 1:
                    break
                p = held[k][j]
                c = max(widest, cos_in_band(bands[k][0], bands[k][1]))
                if (max(hi, p) - min(lo, p)) * 15.0 * c > 2.0 * EDGE_HOLD:
                    break
                lo, hi, widest = min(lo, p), max(hi, p), c
                end += 1
            middle = 0.5 * (lo + hi)
            for k, j in track[start:end]:
                held[k][j] = middle
            start = end
    result = []
    for (bottom, top, runs), positions in zip(bands, held):
        ordered = all(a < b for a, b in zip([0.0] + positions, positions + [24.0]))
        if not ordered:  # held edges must not pass each other: keep the computed ones
            positions = [e[0] for e in edges_of(runs)]
        result.append((bottom, top, [(0.0, runs[0][1])]
                       + [(p, r[1]) for p, r in zip(positions, runs[1:])]))
    return result


def rounded(runs):
    """Runs with edges at RA_DECIMALS digits, emptied runs dropped."""
    out = []
    for start, index in runs:
        start = round(start, RA_DECIMALS)
        if out and start <= out[-1][0]:
            out[-1] = (out[-1][0], index)
        else:
            out.append((start, index))
        if len(out) > 1 and out[-1][1] == out[-2][1]:
            out.pop()
    return out


def run_at(runs, ra_hours):
    return runs[bisect.bisect_right([r[0] for r in runs], ra_hours) - 1][1]


def delta_lines(bands):
    """The file's lines, band by band from the south: the southmost band in
    full, every other band where it differs from the band below."""
    lines = []
    previous = None
    for bottom, _, runs in bands:
        ends = [r[0] for r in runs[1:]] + [24.0]
        if previous is None:
            lines.extend((start, end, bottom, index) for (start, index), end in zip(runs, ends))
        else:
            cuts = sorted({r[0] for r in runs} | {r[0] for r in previous} | {24.0})
            open_run = None
            for a, b in zip(cuts, cuts[1:]):
                new = run_at(runs, a)
                if new != run_at(previous, a):
                    if open_run is not None and open_run[3] == new:
                        open_run[1] = b
                        continue
                    if open_run is not None:
                        lines.append(tuple(open_run))
                    open_run = [a, b, bottom, new]
                elif open_run is not None:
                    lines.append(tuple(open_run))
                    open_run = None
            if open_run is not None:
                lines.append(tuple(open_run))
        previous = runs
    lines.sort(key=lambda l: (-l[2], l[0]))
    return lines


def distance_to_other(sky, ra_hours, dec_deg, index):
    """Angular distance (degrees) from a position to the nearest point that
    the rigorous lookup puts in another constellation than index: rings of
    growing radius are searched, then the radius is halved down."""
    p = ac.radec_to_vector(ra_hours * 15.0, dec_deg)
    a = ra_hours / HOURS_PER_RADIAN
    d = math.radians(dec_deg)
    east = (-math.sin(a), math.cos(a), 0.0)
    north = (-math.sin(d) * math.cos(a), -math.sin(d) * math.sin(a), math.cos(d))

    def differs(radius):
        r = math.radians(radius)
        for k in range(90):
            t = k * TWO_PI / 90
            q = [math.cos(r) * p[i] + math.sin(r) * (math.cos(t) * north[i] + math.sin(t) * east[i])
                 for i in range(3)]
            ra, dec = ac.vector_to_radec(q)
            if sky.constellation(ra / 15.0, dec) != index:
                return True
        return False

    inner, outer = 0.0, 1e-5
    while not differs(outer):
        inner, outer = outer, outer * 1.5
        if outer > 5.0:
            return float("inf")
    for _ in range(12):
        middle = 0.5 * (inner + outer)
        if differs(middle):
            outer = middle
        else:
            inner = middle
    return outer


def misassigned(sky, bands, samples=200000):
    """Compares the bands with the rigorous lookup at an even lattice of
    points on the sphere: the share of points given another constellation,
    and the largest distance of such a point from a true boundary."""
    bottoms = [b[0] for b in bands]
    wrong = []
    golden = math.pi * (3.0 - math.sqrt(5.0))
    for k in range(samples):
        z = 1.0 - (2.0 * k + 1.0) / samples
        dec = math.degrees(math.asin(z))
        ra = ((k * golden) % TWO_PI) * HOURS_PER_RADIAN
        runs = bands[bisect.bisect_right(bottoms, dec) - 1][2]
        true = sky.constellation(ra, dec)
        if run_at(runs, ra) != true:
            wrong.append((ra, dec, true))
    worst = max((distance_to_other(sky, ra, dec, true) for ra, dec, true in wrong), default=0.0)
    return len(wrong) / samples, worst


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    out_dir = argv[2] if len(argv) > 2 else ac.default_out_dir()
    table = ac.read_boundaries(root)
    roman = RomanTable(table)
    sky = J2025Map(roman)

    swept = horizontal_boundaries(roman, sky)
    limits = make_bands(sky, swept)
    limits = [round(v, DEC_DECIMALS) for v in limits]
    assert all(a < b for a, b in zip(limits, limits[1:])) and limits[0] == -90.0
    bands = [(bottom, top, sky.runs(0.5 * (bottom + top)))
             for bottom, top in zip(limits, limits[1:])]
    bands = hold_edges(bands)
    bands = [(bottom, top, rounded(runs)) for bottom, top, runs in bands]
    lines = delta_lines(bands)

    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, "Noctavo.cb1")
    ra_format = "%%.%df" % RA_DECIMALS
    dec_format = "%%.%df" % DEC_DECIMALS
    with open(path, "w", encoding="ascii", newline="\n") as f:
        for lo, hi, dec, index in lines:
            f.write("%s %s %s %s\n" % (ra_format % lo, ra_format % hi, dec_format % dec,
                                       ac.CONSTELLATIONS[index]))
    used = {l[3] for l in lines}
    share, worst = misassigned(sky, bands)
    print("Noctavo.cb1: %d lines, %d bytes, %d bands, %d constellations" % (
        len(lines), os.path.getsize(path), len(bands), len(used)))
    print("  sky given another constellation than at B1875.0: %.4f%% (about %.1f square "
          "degrees), all of it within %.1f\" of a boundary"
          % (100.0 * share, share * 4.0 * math.pi * (180.0 / math.pi) ** 2, worst * 3600.0))
    print("source: python3-astropy %s (constellation_data_roman87.dat)"
          % ac.package_version(root, "python3-astropy"))
    return 0 if len(used) == 88 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
