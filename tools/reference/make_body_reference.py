#!/usr/bin/python3
"""Writes tests/bodies/data/body_reference.csv, the reference positions and
rising and setting times that ReferenceCrossCheckTest compares the program's
Sun, Moon and planets against.

The reference comes from PyEphem (Debian package python3-ephem: VSOP87 for
the planets, ELP 2000-82 for the Moon), an independent high-precision
library. Run it with the system interpreter after
`apt-get install python3-ephem`:

    /usr/bin/python3 tools/reference/make_body_reference.py > tests/bodies/data/body_reference.csv

Choices, so that the reference measures the same thing the program means:

* Moments are universal time; PyEphem applies its own Delta T, which the
  program ignores (at most about 1.5' of Moon motion by 2100).
* Positions are geocentric, astrometric (light time, no aberration, no
  nutation), referred to the mean ecliptic and equinox of date, because the
  program's mean motions are tropical (they carry precession) and it applies
  no nutation or aberration. The same position is also given in the
  ecliptic of 1980 January 0.0, the program's epoch, so the test can show
  which frame fits better.
* Distances: AU, the Moon's in km (centre to centre).
* Rising and setting: the geocentric apparent centre of the body crossing
  the true horizon (altitude 0, no refraction, no parallax, no
  semi-diameter), found from sampled altitudes every 10 minutes refined by
  bisection to a fraction of a second. This is what the program computes,
  the Moon included (its search uses the Moon's geocentric centre).
  Events are listed in minutes from 0h UT of the row's date, for the window
  from 4 hours before to 4 hours after the UT day, so that the test can
  match an event close to midnight to the right one; '|' separates several,
  an empty field means none in the window.
"""

import math
import sys

import ephem

BODIES = [
    ("Sun", ephem.Sun), ("Moon", ephem.Moon), ("Mercury", ephem.Mercury),
    ("Venus", ephem.Venus), ("Mars", ephem.Mars), ("Jupiter", ephem.Jupiter),
    ("Saturn", ephem.Saturn), ("Uranus", ephem.Uranus),
    ("Neptune", ephem.Neptune), ("Pluto", ephem.Pluto),
]

# name, latitude (north +), longitude (EAST +, degrees): the test turns the
# longitude into the program's west-positive convention.
OBSERVERS = [
    ("london", 51.5, -0.17),
    ("n70", 70.0, 19.0),
    ("s45", -45.0, 170.0),
    ("equator", 0.0, -78.5),
]

AU_KM = 149597870.7
EPOCH_1980 = ephem.Date("1979/12/31 00:00:00")
WINDOW_BEFORE_H = 4.0
WINDOW_AFTER_H = 28.0
STEP_MIN = 10.0


def moments():
    """About one moment a year from 1900 to 2100, spread over the months,
    days and hours of the day."""
    out = []
    for i in range(201):
        year = 1900 + i
        month = 1 + (i * 7) % 12
        day = 1 + (i * 11) % 28
        hour = (i * 5 + 3) % 24
        minute = (i * 17) % 60
        out.append((year, month, day, hour, minute))
    return out


def ecliptic_of(body, when, frame_epoch):
    eq = ephem.Equatorial(body.a_ra, body.a_dec, epoch=when)
    ecl = ephem.Ecliptic(eq, epoch=frame_epoch)
    return math.degrees(ecl.lon), math.degrees(ecl.lat)


_greenwich = ephem.Observer()
_greenwich.lon = "0"
_greenwich.lat = "0"
_greenwich.elevation = 0
_greenwich.pressure = 0


def geocentric_hour_angle_dec(body, when):
    """Greenwich apparent hour angle and apparent declination (radians) of
    the body's geocentric centre."""
    body.compute(when)
    _greenwich.date = when
    gast = float(_greenwich.sidereal_time())
    return gast - float(body.g_ra), float(body.g_dec)


def altitude(body, when, lat, lon_east):
    gha, dec = geocentric_hour_angle_dec(body, when)
    h = gha + math.radians(lon_east)
    phi = math.radians(lat)
    s = math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(h)
    return math.degrees(math.asin(max(-1.0, min(1.0, s))))


def events(body, day_start, lat, lon_east):
    """Rises and sets (minutes from day_start) within the window."""
    step = STEP_MIN / 1440.0
    n = int((WINDOW_BEFORE_H + WINDOW_AFTER_H) * 60 / STEP_MIN)
    t0 = day_start - WINDOW_BEFORE_H / 24.0
    times = [t0 + k * step for k in range(n + 1)]
    alts = [altitude(body, t, lat, lon_east) for t in times]
    rises, sets = [], []
    for k in range(n):
        a, b = alts[k], alts[k + 1]
        if (a < 0.0) == (b < 0.0):
            continue
        lo, hi, alo = times[k], times[k + 1], a
        while hi - lo > 0.1 / 86400.0:
            mid = (lo + hi) / 2.0
            am = altitude(body, mid, lat, lon_east)
            if (am < 0.0) == (alo < 0.0):
                lo, alo = mid, am
            else:
                hi = mid
        minutes = ((lo + hi) / 2.0 - day_start) * 1440.0
        (rises if a < 0.0 else sets).append(minutes)
    return rises, sets


def fmt_list(values):
    return "|".join("%.1f" % v for v in values)


def main():
    out = sys.stdout
    out.write("# PyEphem %s (Debian python3-ephem); tools/reference/make_body_reference.py\n"
              % ephem.__version__)
    out.write("# observers (name lat north+, lon east+): %s\n"
              % "; ".join("%s %.2f %.2f" % o for o in OBSERVERS))
    cols = ["date", "time_ut", "body", "lon_date", "lat_date", "lon_1980", "lat_1980", "distance"]
    for name, _, _ in OBSERVERS:
        cols += ["rise_" + name, "set_" + name]
    out.write(",".join(cols) + "\n")
    for (year, month, day, hour, minute) in moments():
        when = ephem.Date("%04d/%02d/%02d %02d:%02d:00" % (year, month, day, hour, minute))
        day_start = ephem.Date("%04d/%02d/%02d 00:00:00" % (year, month, day))
        for name, cls in BODIES:
            body = cls()
            body.compute(when, epoch=when)
            lon_d, lat_d = ecliptic_of(body, when, when)
            lon_80, lat_80 = ecliptic_of(body, when, EPOCH_1980)
            dist = body.earth_distance * (AU_KM if name == "Moon" else 1.0)
            row = ["%04d-%02d-%02d" % (year, month, day), "%02d:%02d" % (hour, minute), name,
                   "%.5f" % lon_d, "%.5f" % lat_d, "%.5f" % lon_80, "%.5f" % lat_80,
                   ("%.1f" if name == "Moon" else "%.7f") % dist]
            for _, lat, lon_east in OBSERVERS:
                rises, sets = events(cls(), day_start, lat, lon_east)
                row += [fmt_list(rises), fmt_list(sets)]
            out.write(",".join(row) + "\n")


if __name__ == "__main__":
    main()
