"""Shared tables and astrometry for the data generators.

Everything here is plain Python 3 (standard library only) so that the
generators run on a bare Debian system.
"""

import gzip
import math
import os
import struct

# Julian dates of the equinoxes and epochs used by the generators.
JD_J2000 = 2451545.0
JD_J2025 = JD_J2000 + 25.0 * 365.25          # J2025.0, the catalogue equinox and epoch
JD_B1875 = 2405889.258550475                # B1875.0, the equinox of the boundary table
ARCSEC = math.pi / (180.0 * 3600.0)

# The 88 constellations in the order of the program's abbreviation table;
# the index in this list is the constellation number stored in the files.
CONSTELLATIONS = [
    "And", "Ant", "Aps", "Aqr", "Aql", "Ara", "Ari", "Aur", "Boo", "Cae",
    "Cam", "Cnc", "CVn", "CMa", "CMi", "Cap", "Car", "Cas", "Cen", "Cep",
    "Cet", "Cha", "Cir", "Col", "Com", "CrA", "CrB", "Crv", "Crt", "Cru",
    "Cyg", "Del", "Dor", "Dra", "Equ", "Eri", "For", "Gem", "Gru", "Her",
    "Hor", "Hya", "Hyi", "Ind", "Lac", "Leo", "LMi", "Lep", "Lib", "Lup",
    "Lyn", "Lyr", "Men", "Mic", "Mon", "Mus", "Nor", "Oct", "Oph", "Ori",
    "Pav", "Peg", "Per", "Phe", "Pic", "Psc", "PsA", "Pup", "Pyx", "Ret",
    "Sge", "Sgr", "Sco", "Scl", "Sct", "Ser", "Sex", "Tau", "Tel", "Tri",
    "TrA", "Tuc", "UMa", "UMi", "Vel", "Vir", "Vol", "Vul",
]
assert len(CONSTELLATIONS) == 88
_CON_BY_LOWER = {a.lower(): i for i, a in enumerate(CONSTELLATIONS)}


def constellation_index(abbreviation):
    """Index 0..87 of an abbreviation compared without regard to case, or None."""
    return _CON_BY_LOWER.get(abbreviation.strip().lower())


# Greek letters: index, name as the figure file spells it, abbreviation as the
# star name file spells it.
GREEK_NAMES = [
    "Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta",
    "Iota", "Kappa", "Lambda", "Mu", "Nu", "Xi", "Omicron", "Pi", "Rho",
    "Sigma", "Tau", "Upsilon", "Phi", "Chi", "Psi", "Omega",
]
GREEK_ABBREVIATIONS = [
    "Alp", "Bet", "Gam", "Del", "Eps", "Zet", "Eta", "The", "Iot", "Kap",
    "Lam", "Mu", "Nu", "Xi", "Omi", "Pi", "Rho", "Sig", "Tau", "Ups", "Phi",
    "Chi", "Psi", "Ome",
]
# The three-letter forms used by the star list of kstars-data ("alp", "mu ").
_KSTARS_GREEK = {a.lower().ljust(3): i for i, a in enumerate(GREEK_ABBREVIATIONS)}
# The Unicode letters used by the designation list of stellarium-data.
_UNICODE_GREEK = {
    ch: i for i, ch in enumerate("αβγδεζηθικλμνξοπρστυφχψω")
}


def kstars_greek(three):
    """Greek letter index of a kstars three-character letter field, or -1."""
    return _KSTARS_GREEK.get(three.lower(), -1)


def unicode_greek(ch):
    return _UNICODE_GREEK.get(ch, -1)


# ---------------------------------------------------------------------------
# Vectors and precession

def radec_to_vector(ra_deg, dec_deg):
    a = math.radians(ra_deg)
    d = math.radians(dec_deg)
    return (math.cos(d) * math.cos(a), math.cos(d) * math.sin(a), math.sin(d))


def vector_to_radec(v):
    x, y, z = v
    r = math.sqrt(x * x + y * y + z * z)
    ra = math.degrees(math.atan2(y, x)) % 360.0
    if ra >= 360.0:
        ra = 0.0
    dec = math.degrees(math.asin(max(-1.0, min(1.0, z / r))))
    return ra, dec


def precession_matrix(jd_from, jd_to):
    """Rigorous IAU 1976 (Lieske et al. 1977) precession matrix taking mean
    equatorial vectors of the equinox jd_from to the equinox jd_to."""
    big_t = (jd_from - JD_J2000) / 36525.0
    t = (jd_to - jd_from) / 36525.0
    zeta = ((2306.2181 + 1.39656 * big_t - 0.000139 * big_t * big_t) * t
            + (0.30188 - 0.000344 * big_t) * t * t + 0.017998 * t ** 3) * ARCSEC
    z = ((2306.2181 + 1.39656 * big_t - 0.000139 * big_t * big_t) * t
         + (1.09468 + 0.000066 * big_t) * t * t + 0.018203 * t ** 3) * ARCSEC
    theta = ((2004.3109 - 0.85330 * big_t - 0.000217 * big_t * big_t) * t
             - (0.42665 + 0.000217 * big_t) * t * t - 0.041833 * t ** 3) * ARCSEC
    cz, sz = math.cos(zeta), math.sin(zeta)
    cZ, sZ = math.cos(z), math.sin(z)
    ct, st = math.cos(theta), math.sin(theta)
    return (
        (cz * ct * cZ - sz * sZ, -sz * ct * cZ - cz * sZ, -st * cZ),
        (cz * ct * sZ + sz * cZ, -sz * ct * sZ + cz * cZ, -st * sZ),
        (cz * st, -sz * st, ct),
    )


def apply(m, v):
    return tuple(m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2] for i in range(3))


def apply_proper_motion(ra_deg, dec_deg, pm_ra_cosdec_mas, pm_dec_mas, years):
    """Moves a position along its proper motion (mas/yr, the right-ascension
    component already multiplied by cos(dec)) for the given years, as a
    straight motion in space (no radial velocity is known)."""
    a = math.radians(ra_deg)
    d = math.radians(dec_deg)
    p = radec_to_vector(ra_deg, dec_deg)
    e_a = (-math.sin(a), math.cos(a), 0.0)
    e_d = (-math.sin(d) * math.cos(a), -math.sin(d) * math.sin(a), math.cos(d))
    mas = ARCSEC / 1000.0
    k_a = pm_ra_cosdec_mas * mas * years
    k_d = pm_dec_mas * mas * years
    moved = tuple(p[i] + k_a * e_a[i] + k_d * e_d[i] for i in range(3))
    return vector_to_radec(moved)


PRECESS_J2000_TO_J2025 = precession_matrix(JD_J2000, JD_J2025)
PRECESS_J2025_TO_B1875 = precession_matrix(JD_J2025, JD_B1875)
PRECESS_J2000_TO_B1875 = precession_matrix(JD_J2000, JD_B1875)


def j2000_to_j2025(ra_deg, dec_deg):
    return vector_to_radec(apply(PRECESS_J2000_TO_J2025, radec_to_vector(ra_deg, dec_deg)))


def j2025_to_b1875(ra_deg, dec_deg):
    return vector_to_radec(apply(PRECESS_J2025_TO_B1875, radec_to_vector(ra_deg, dec_deg)))


# ---------------------------------------------------------------------------
# Constellation boundaries (Roman 1987, equinox B1875)

ROMAN_PATH = "usr/lib/python3/dist-packages/astropy/coordinates/data/constellation_data_roman87.dat"


def read_boundaries(root):
    """The boundary lines (lower RA h, upper RA h, lower Dec deg, index) in
    the table's order."""
    lines = []
    with open(os.path.join(root, ROMAN_PATH), encoding="ascii") as f:
        for text in f:
            text = text.strip()
            if not text or text.startswith("#"):
                continue
            lo, hi, dec, abbr = text.split()
            index = constellation_index(abbr)
            if index is None:
                raise ValueError("unknown constellation in boundary table: " + abbr)
            lines.append((float(lo), float(hi), float(dec), index))
    return lines


def boundary_search(lines, ra_hours, dec_deg):
    """The first line that fits, as the program's reader takes it; None when
    no line fits."""
    for lo, hi, dec, index in lines:
        if dec <= dec_deg and lo <= ra_hours < hi:
            return index
    return None


def constellation_of_j2025(lines, ra_deg, dec_deg):
    """Constellation of a J2025.0 position, found where the boundaries are
    defined: at the equinox B1875.0."""
    ra1875, dec1875 = j2025_to_b1875(ra_deg, dec_deg)
    return boundary_search(lines, ra1875 / 15.0, dec1875)


# ---------------------------------------------------------------------------
# Package bookkeeping

def package_version(root, package):
    path = os.path.join(root, "usr/share/doc", package, "changelog.Debian.gz")
    try:
        with gzip.open(path, "rt", encoding="utf-8", errors="replace") as f:
            first = f.readline()
        return first.split("(")[1].split(")")[0]
    except (OSError, IndexError):
        return "unknown"


def to_cp1252(text):
    """The text in the program's byte encoding; letters outside it lose their
    accents."""
    try:
        return text.encode("cp1252")
    except UnicodeEncodeError:
        import unicodedata
        plain = unicodedata.normalize("NFKD", text)
        return "".join(c for c in plain if not unicodedata.combining(c)).encode(
            "cp1252", errors="replace")


def default_out_dir():
    return os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data"))


STAR_RECORD = struct.Struct("<bcfffB")
assert STAR_RECORD.size == 15
