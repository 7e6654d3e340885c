#!/usr/bin/python3
"""Writes tests/bodies/data/precise_reference.csv, the reference apparent
positions and almanac rising and setting times that PreciseCrossCheckTest
compares the program's Precise position method against.

The reference comes from PyEphem (Debian package python3-ephem: VSOP87 for
the planets, ELP 2000-82 for the Moon, its own Pluto theory and Delta T),
independent of the ERFA routines the program uses. Run it with the system
interpreter after `apt-get install python3-ephem`:

    /usr/bin/python3 tools/reference/make_precise_reference.py > tests/bodies/data/precise_reference.csv

What each column means:

* Moments are universal time, the same 201 moments from 1900 to 2100 as
  make_body_reference.py uses.
* ra, dec: apparent right ascension and declination of the true equator and
  equinox of date, degrees (nutation, aberration and light time applied).
  Geocentric for the Sun and the planets, topocentric at London (the first
  observer, at sea level) for the Moon.
* distance: from the Earth's centre, AU; the Moon's in km.
* Rising and setting as the almanacs count them, with the geocentric
  apparent centre and the Greenwich apparent sidereal time: the Sun's centre
  at -0 deg 50', planets at -0 deg 34', the Moon's centre at 0.7275 times its
  horizontal parallax less 0 deg 34'. Events are minutes from 0h UT of the
  row's date, for the window from 4 hours before to 4 hours after the UT
  day; '|' separates several, an empty field means none.
"""

import math
import sys

import ephem

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from make_body_reference import BODIES, OBSERVERS, AU_KM, WINDOW_BEFORE_H, WINDOW_AFTER_H, STEP_MIN, \
    moments, geocentric_hour_angle_dec, fmt_list  # noqa: E402

EARTH_RADIUS_KM = 6378.14


def standard_altitude(name, body):
    if name == "Sun":
        return -50.0 / 60.0
    if name == "Moon":
        parallax = math.degrees(math.asin(EARTH_RADIUS_KM / (body.earth_distance * AU_KM)))
        return 0.7275 * parallax - 34.0 / 60.0
    return -34.0 / 60.0


def height(name, body, when, lat, lon_east):
    """Altitude above the event's standard altitude, degrees."""
    gha, dec = geocentric_hour_angle_dec(body, when)
    h = gha + math.radians(lon_east)
    phi = math.radians(lat)
    s = math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(h)
    return math.degrees(math.asin(max(-1.0, min(1.0, s)))) - standard_altitude(name, body)


def events(name, body, day_start, lat, lon_east):
    step = STEP_MIN / 1440.0
    n = int((WINDOW_BEFORE_H + WINDOW_AFTER_H) * 60 / STEP_MIN)
    t0 = day_start - WINDOW_BEFORE_H / 24.0
    times = [t0 + k * step for k in range(n + 1)]
    hs = [height(name, body, t, lat, lon_east) for t in times]
    rises, sets = [], []
    for k in range(n):
        a, b = hs[k], hs[k + 1]
        if (a < 0.0) == (b < 0.0):
            continue
        lo, hi, hlo = times[k], times[k + 1], a
        while hi - lo > 0.1 / 86400.0:
            mid = (lo + hi) / 2.0
            hm = height(name, body, mid, lat, lon_east)
            if (hm < 0.0) == (hlo < 0.0):
                lo, hlo = mid, hm
            else:
                hi = mid
        (rises if a < 0.0 else sets).append(((lo + hi) / 2.0 - day_start) * 1440.0)
    return rises, sets


def main():
    out = sys.stdout
    out.write("# PyEphem %s (Debian python3-ephem); tools/reference/make_precise_reference.py\n"
              % ephem.__version__)
    out.write("# observers (name lat north+, lon east+): %s\n"
              % "; ".join("%s %.2f %.2f" % o for o in OBSERVERS))
    cols = ["date", "time_ut", "body", "ra", "dec", "distance"]
    for name, _, _ in OBSERVERS:
        cols += ["rise_" + name, "set_" + name]
    out.write(",".join(cols) + "\n")
    london = ephem.Observer()
    london.lat = str(OBSERVERS[0][1])
    london.lon = str(OBSERVERS[0][2])
    london.elevation = 0
    london.pressure = 0
    for (year, month, day, hour, minute) in moments():
        when = ephem.Date("%04d/%02d/%02d %02d:%02d:00" % (year, month, day, hour, minute))
        day_start = ephem.Date("%04d/%02d/%02d 00:00:00" % (year, month, day))
        london.date = when
        london.epoch = when
        for name, cls in BODIES:
            body = cls()
            if name == "Moon":
                body.compute(london)
                ra, dec = body.ra, body.dec
            else:
                body.compute(when, epoch=when)
                ra, dec = body.g_ra, body.g_dec
            if name == "Moon":
                # The distance from the Earth's centre, as the program gives it.
                centre = cls()
                centre.compute(when)
                dist = centre.earth_distance * AU_KM
            else:
                dist = body.earth_distance
            row = ["%04d-%02d-%02d" % (year, month, day), "%02d:%02d" % (hour, minute), name,
                   "%.6f" % math.degrees(ra), "%.6f" % math.degrees(dec),
                   ("%.1f" if name == "Moon" else "%.7f") % dist]
            for _, lat, lon_east in OBSERVERS:
                rises, sets = events(name, cls(), day_start, lat, lon_east)
                row += [fmt_list(rises), fmt_list(sets)]
            out.write(",".join(row) + "\n")


if __name__ == "__main__":
    main()
