"""Writes Noctavo.loc, the city file, from the city database of kstars-data.

Usage: python3 make_locations.py UNPACKED_ROOT [OUTPUT_FOLDER]

UNPACKED_ROOT is the folder the Debian package kstars-data was unpacked into
(it holds usr/share/kstars/citydb.sqlite). The file goes to OUTPUT_FOLDER,
by default data/ of this repository.

Each line of the city file has fixed columns: the country in 0-21, the town
in 22-43, and from 44 on three numbers: latitude (degrees, north positive),
longitude (degrees, WEST positive) and the standard time zone (hours EAST of
Greenwich). The source counts longitudes east positive, so their sign is
turned; its time zones already count east. Lines of one country are
consecutive, sorted by country and then by town.
"""

import collections
import os
import re
import sqlite3
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "data"))
SOURCE = "usr/share/kstars/citydb.sqlite"

COLUMN_WIDTH = 22
# A place chosen from the list is kept in the settings store, which holds
# names shorter than 20 characters; a longer name would come back cut and
# no longer name its country or town.
NAME_LIMIT = 19

# The source's country names, where they are too long, spelled twice, or
# not as the program names them. "UK" is the country of the program's
# default place (London).
COUNTRY_NAMES = {
    "United Kingdom": "UK",
    "United Arab Emirates": "UAE",
    "Central African Republic": "Centr. African Rep.",
    "Turks and Caicos Islands": "Turks & Caicos Is.",
    "Congo (Democratic Republic)": "Congo (Dem. Rep.)",
    "Dem rep of Congo": "Congo (Dem. Rep.)",
    "Bosnia and Herzegovina": "Bosnia-Herzegovina",
    "Antigua and Barbuda": "Antigua & Barbuda",
    "Trinidad and Tobago": "Trinidad & Tobago",
    "Ivory coast": "Ivory Coast",
    "Western sahara": "Western Sahara",
    "Bénin": "Benin",
}

# Long town names, shortened by hand to the name people use.
SHORT_NAMES = {
    "Castellon de la Plana": "Castellon",
    "Cerro Tololo Int'l Obs.": "Cerro Tololo Obs.",
    "Channel-Port aux Basques": "Port aux Basques",
    "Dominion Radio Astrophysical Obs": "Dominion Radio Obs.",
    "Fred Lawrence Whipple Obs.": "Whipple Obs.",
    "Happy Valley - Goose Bay": "Goose Bay",
    "Grand Falls/Grand-Sault": "Grand Falls",
    "Hat Creek Radio Obs.": "Hat Creek Obs.",
    "Head-Smashed-In Buffalo Jump": "Head-Smashed-In",
    "Hospit. de Llobregat, L'": "L'Hospitalet",
    "Jerez de la Frontera": "Jerez",
    "Las Palmas de Gran Canaria": "Las Palmas",
    "Mengersgereuth-Hämern": "Mengersgereuth",
    "Meuselbach-Schwarzmühle": "Meuselbach",
    "Obs. Astronomico de Madrid": "Madrid Obs.",
    "Observatoire de Haute Provence": "Haute Provence Obs.",
    "Owens Valley Radio Obs.": "Owens Valley Obs.",
    "Petropavlovsk-Kamchatskiy": "Petropavlovsk",
    "Pointe au Baril Station": "Pointe au Baril",
    "R.M. Aller de S. de Compostela": "R.M. Aller Obs.",
    "Rocky Mountain House": "Rocky Mountain Hse",
    "Roque de los Muchachos": "Roque d. Muchachos",
    "Rutherford Appleton Lab.": "Rutherford Lab.",
    "Saint-Michel-des-Saints": "St-Michel-d.-Saints",
    "San Sebastián de la Gomera": "S. Sebastián Gomera",
    "Santa Cruz de Tenerife": "Sta. Cruz Tenerife",
    "Santa Cruz de la Palma": "Sta. Cruz La Palma",
    "Santa Maria Capua Vetere": "Capua Vetere",
    "Saint-Basile-de-Tableau": "Saint-Basile",
    "St. María Tonantzintla": "Tonantzintla",
    "Truth or Consequences": "Truth or Conseq.",
    "Salaberry-de-Valleyfield": "Valleyfield",
    "South Llano River SP (Llano) IDS": "South Llano Riv. SP",
    "Big Cypress National Preserve (Ochopee) IDS": "Big Cypress Pres.",
}

# Entries of the source that place a town where it is not: left out.
# (Ids of the source table.)
WRONG_ENTRIES = {
    1755: "Lusaka lies at 15.4 S; this second entry is 100 km north of it",
    3316: "Windhoek lies at 22.6 S, 17.1 E; this second entry is in South Africa",
    # Kiritimati keeps UTC+14; the program's time zones end at +12 hours.
    2334: "its time zone of +14 hours lies beyond the program's range, -12 to +12 hours",
}

# Short forms that make a long town name fit, tried in this order.
ABBREVIATIONS = [
    (r"\s+IDS$", ""),  # "International Dark Sky" places
    (r"\bNational Park\b", "NP"),
    (r"\bState Natural Area\b", "SNA"),
    (r"\bNational Preserve\b", "NPres."),
    (r"\(observatory\)", "(Obs.)"),
    (r"\bObservatoire\b", "Obs."),
    (r"\bObservatory\b", "Obs."),
    (r"\bAstrophysical\b", "Astrophys."),
    (r"\bInt'l\b\.?", "Int."),
    (r"\bNat'l\.?", "Nat."),
    (r"\bAstronomico\b", "Astr."),
    (r"\bSaint-", "St-"),
    (r"\bSanta\b", "Sta."),
    (r"\bSan\b", "S."),
    (r"\s+\([^)]*\)", ""),  # a parenthesis: the nearest town of a park
]

# Province or state abbreviations that tell two towns of the same name apart.
US_STATES = {
    "Alabama": "AL", "Alaska": "AK", "Arizona": "AZ", "Arkansas": "AR", "California": "CA",
    "Colorado": "CO", "Connecticut": "CT", "DC": "DC", "Washington, DC": "DC", "Delaware": "DE",
    "Florida": "FL", "Georgia": "GA", "Hawaii": "HI", "Idaho": "ID", "Illinois": "IL",
    "Indiana": "IN", "Iowa": "IA", "Kansas": "KS", "Kentucky": "KY", "Louisiana": "LA",
    "Maine": "ME", "Maryland": "MD", "Massachusetts": "MA", "Michigan": "MI", "Minnesota": "MN",
    "Mississippi": "MS", "Missouri": "MO", "Montana": "MT", "Nebraska": "NE", "Nevada": "NV",
    "New Hampshire": "NH", "New Jersey": "NJ", "New Mexico": "NM", "New York": "NY",
    "North Carolina": "NC", "North Dakota": "ND", "Ohio": "OH", "Oklahoma": "OK", "Oregon": "OR",
    "Pennsylvania": "PA", "Puerto Rico": "PR", "Rhode Island": "RI", "South Carolina": "SC",
    "South Dakota": "SD", "Tennessee": "TN", "Texas": "TX", "Utah": "UT", "Vermont": "VT",
    "Virginia": "VA", "Washington": "WA", "West Virginia": "WV", "Wisconsin": "WI", "Wyoming": "WY",
}
CANADIAN_PROVINCES = {
    "Alberta": "AB", "British Columbia": "BC", "Manitoba": "MB", "New Brunswick": "NB",
    "Newfoundland": "NL", "Northwest Territories": "NT", "Nova Scotia": "NS", "Nunavut": "NU",
    "Ontario": "ON", "Prince Edward Island": "PE", "Quebec": "QC", "Saskatchewan": "SK", "Yukon": "YT",
}
AUSTRALIAN_STATES = {
    "New South Wales": "NSW", "Victoria": "Vic", "Queensland": "Qld", "South Australia": "SA",
    "Western Australia": "WA", "Tasmania": "Tas", "Northern Territory": "NT",
    "Australian Capital Territory": "ACT",
}

# Two entries closer than this (degrees) are one place listed twice.
SAME_PLACE_DEGREES = 0.1

# Letters the program's fonts cannot show at their Windows-1252 codes: the
# symbol font keeps 0x7F-0xAF for Greek letters and 0xB1-0xBC for planet
# signs, so only ASCII and the Latin letters from 0xC0 on are written.
TRANSLITERATION = {"ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "œ": "oe", "Œ": "OE", "ŏ": "o", "ŭ": "u"}


def to_program_text(text):
    """The text in the bytes the program shows: ASCII and Latin-1 letters."""
    out = []
    for ch in text:
        if ord(ch) < 0x7F or 0xC0 <= ord(ch) <= 0xFF:
            out.append(ch)
        elif ch in TRANSLITERATION:
            out.append(TRANSLITERATION[ch])
        else:
            base = unicodedata.normalize("NFKD", ch)
            kept = "".join(c for c in base if ord(c) < 0x7F or 0xC0 <= ord(c) <= 0xFF)
            if not kept:
                raise ValueError("no spelling for %r in %r" % (ch, text))
            out.append(kept)
    return " ".join("".join(out).split())


def sort_key(text):
    folded = unicodedata.normalize("NFKD", text)
    return ("".join(c for c in folded if not unicodedata.combining(c)).lower(), text)


def parse_dms(text):
    """Degrees of a text like ' 51° 30' 00"', '-0° 07' 00"' or '47.8339'."""
    m = re.fullmatch(r"\s*(-?)\s*(\d+)°\s*(\d+)'\s*(\d+(?:\.\d*)?)\"\s*", text)
    if not m:
        # One entry is written as decimal degrees.
        if re.fullmatch(r"\s*-?\d+(\.\d*)?\s*", text):
            return float(text)
        raise ValueError("unreadable angle %r" % text)
    value = int(m.group(2)) + int(m.group(3)) / 60.0 + float(m.group(4)) / 3600.0
    return -value if m.group(1) else value


def shorten(name):
    for pattern, replacement in ABBREVIATIONS:
        if len(name) <= NAME_LIMIT:
            break
        name = " ".join(re.sub(pattern, replacement, name).split())
    if len(name) > NAME_LIMIT:
        # Cut at a word where one is near enough to the limit.
        head = name[:NAME_LIMIT + 1]
        cut = head.rsplit(" ", 1)[0] if " " in head else ""
        name = cut if NAME_LIMIT - 6 <= len(cut) <= NAME_LIMIT else name[:NAME_LIMIT]
        name = name.rstrip(" -,.(")
    return name


def province_tag(country, province):
    table = {"USA": US_STATES, "Canada": CANADIAN_PROVINCES, "Australia": AUSTRALIAN_STATES}.get(country, {})
    if province in table:
        return table[province]
    return to_program_text(province)[:4] if province else ""


def read_source(root, report):
    path = os.path.join(root, SOURCE)
    connection = sqlite3.connect(path)
    rows = connection.execute("SELECT id, Name, Province, Country, Latitude, Longitude, TZ FROM city ORDER BY id")
    towns = []
    for entry, name, province, country, latitude, longitude, zone in rows:
        if entry in WRONG_ENTRIES:
            report.append("left out %s, %s: %s" % (name, country, WRONG_ENTRIES[entry]))
            continue
        towns.append({
            "name": name.strip(),
            "province": (province or "").strip(),
            "country": COUNTRY_NAMES.get(country.strip(), country.strip()),
            "latitude": parse_dms(latitude),
            # The source counts east positive; the program west positive.
            "longitude": -parse_dms(longitude),
            "zone": float(zone),
        })
    connection.close()
    return towns


def drop_repeated_places(towns, report):
    kept = []
    seen = collections.defaultdict(list)
    for town in towns:
        key = (town["country"], town["name"], town["province"])
        if any(abs(town["latitude"] - o["latitude"]) < SAME_PLACE_DEGREES and
               abs(town["longitude"] - o["longitude"]) < SAME_PLACE_DEGREES for o in seen[key]):
            report.append("dropped %s, %s: listed twice" % (town["name"], town["country"]))
            continue
        seen[key].append(town)
        kept.append(town)
    return kept


def name_towns(towns, report):
    """Gives every town a name of at most NAME_LIMIT characters, unique in its country."""
    by_name = collections.Counter((t["country"], t["name"]) for t in towns)
    for town in towns:
        name = to_program_text(SHORT_NAMES.get(town["name"], town["name"]))
        if by_name[(town["country"], town["name"])] > 1:
            tag = province_tag(town["country"], town["province"])
            name = "%s, %s" % (shorten(name)[:NAME_LIMIT - len(tag) - 2], tag)
        short = shorten(name)
        if short != name:
            report.append("shortened %r to %r" % (town["name"], short))
        town["shown"] = short
        town["country_shown"] = to_program_text(town["country"])
        if len(town["country_shown"]) > NAME_LIMIT:
            raise ValueError("country name too long: %r" % town["country_shown"])
    # Whatever still clashes gets a number.
    seen = collections.Counter()
    for town in towns:
        key = (town["country_shown"], town["shown"])
        seen[key] += 1
        if seen[key] > 1:
            suffix = " %d" % seen[key]
            town["shown"] = town["shown"][:NAME_LIMIT - len(suffix)] + suffix
            report.append("numbered %s, %s" % (town["shown"], town["country_shown"]))


def city_line(town):
    numbers = "%9.4f %9.4f %6.2f" % (town["latitude"], town["longitude"], town["zone"])
    line = town["country_shown"].ljust(COLUMN_WIDTH) + town["shown"].ljust(COLUMN_WIDTH) + numbers
    assert len(line) == 70, line
    return line


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    output = argv[2] if len(argv) > 2 else DEFAULT_OUTPUT
    report = []
    towns = drop_repeated_places(read_source(root, report), report)
    name_towns(towns, report)
    towns.sort(key=lambda t: (sort_key(t["country_shown"]), sort_key(t["shown"])))
    lines = [city_line(t) for t in towns]
    path = os.path.join(output, "Noctavo.loc")
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("cp1252") + b"\n")
    for entry in report:
        print(entry)
    countries = len(set(t["country_shown"] for t in towns))
    print("wrote %s: %d towns in %d countries" % (path, len(towns), countries))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
