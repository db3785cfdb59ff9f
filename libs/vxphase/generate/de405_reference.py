#!/usr/bin/env python3
"""Writes reference instants for the local-sky tests from JPL's DE405.

Source: JPL's planetary and lunar ephemeris DE405 (public domain), as
Debian's package casacore-data-jpl-de405 ships it: a casacore table of the
ephemeris' 32-day Chebyshev records from 1959-12-10 to 2060-01-30 (the
package's version and the .deb's SHA-256 are written into every output
file). Only the table's data is read; the reading is our own.

The reference is computed here from first principles and shares no code with
the phase library: apparent geocentric places (light time, annual
aberration), precession IAU 1976 and the main terms of the IAU 1980 nutation,
apparent sidereal time IAU 1982, the WGS-84 ellipsoid; UT = TT - delta T of
Espenak & Meeus (2006) with the Five Millennium Canon's correction, the
program's own model (rise and set barely depend on it; eclipse contacts in
UT move with it one for one). Conventions as the program states them: a rise
or set is the upper limb on the sea-level horizon with 34' of refraction, a
transit the topocentric centre on the meridian; lunar eclipses use Danjon's
shadow (1.01 times the Moon's parallax); solar contacts use the Moon's radius
0.2725076 (outer) and 0.2722810 (inner) Earth radii.

Usage: de405_reference.py TABLE_DIR DEB_SHA256 VERSION OUTPUT_DIR
where TABLE_DIR holds the table (table.f0, table.f0i). Run
scripts/generate-de405-reference to fetch the package and write the files.
"""
import math
import os
import struct
import sys

AU = 149597870.691  # km, DE405
EMRAT = 81.30056  # Earth/Moon mass ratio, DE405
C_KM_DAY = 299792.458 * 86400.0
EARTH_A = 6378.137  # km, WGS-84
EARTH_F = 1 / 298.257223563
SUN_RADIUS = AU * math.sin(math.radians(959.63 / 3600))
MOON_K_OUTER = 0.2725076
MOON_K_INNER = 0.2722810
REFRACTION = math.radians(34 / 60)
ARCSEC = math.pi / 180 / 3600
DAYS_PER_RECORD = 32
COEFFS = 1018
# DE405's layout (header.405, group 1050) less the record's two dates:
# first coefficient, coefficients per component, sub-intervals.
MOON = (438, 13, 8)
SUN = (750, 11, 2)
EMB = (228, 13, 2)


class Ephemeris:
    """The Chebyshev records of the table's array column and their MJDs."""

    def __init__(self, folder):
        arrays = open(os.path.join(folder, "table.f0i"), "rb").read()
        marker = struct.pack("<2i", 1, COEFFS)  # one dimension of 1018
        self.records = []
        at = arrays.find(marker)
        while at >= 0:
            start = at + len(marker)
            self.records.append(struct.unpack_from("<%dd" % COEFFS, arrays, start))
            at = arrays.find(marker, start + 8 * COEFFS)
        # The MJD column (incremental storage manager): whole, 32 days apart.
        main = open(os.path.join(folder, "table.f0"), "rb").read()
        mjds = set()
        for i in range(0, len(main) - 8, 4):
            v = struct.unpack_from("<d", main, i)[0]
            if 30000 <= v <= 80000 and v == int(v) and (v - 36912) % DAYS_PER_RECORD == 0:
                mjds.add(v)
        mjds = sorted(mjds)
        if len(mjds) != len(self.records) or mjds[-1] - mjds[0] != DAYS_PER_RECORD * (len(mjds) - 1):
            sys.exit("de405_reference: the table's MJD column does not match its %d records" % len(self.records))
        self.first_jd = mjds[0] + 2400000.5
        self.last_jd = self.first_jd + DAYS_PER_RECORD * len(self.records)
        self._check_continuity()

    def _check_continuity(self):
        # Neighbouring records meet within a few metres: the records are in order.
        for i in range(1, len(self.records), 97):
            jd = self.first_jd + DAYS_PER_RECORD * i
            a = self._eval(MOON, jd - 1e-9, i - 1)[0]
            b = self._eval(MOON, jd, i)[0]
            if max(abs(a[k] - b[k]) for k in range(3)) > 0.05:
                sys.exit("de405_reference: records %d and %d do not meet" % (i - 1, i))

    def _eval(self, body, jd, index=None):
        first, n, subs = body
        if index is None:
            index = int((jd - self.first_jd) // DAYS_PER_RECORD)
        if not 0 <= index < len(self.records):
            sys.exit("de405_reference: %.1f lies outside the table" % jd)
        record = self.records[index]
        span = DAYS_PER_RECORD / subs
        x = (jd - self.first_jd - DAYS_PER_RECORD * index) / span
        sub = min(int(x), subs - 1)
        t = 2 * (x - sub) - 1
        p = [1.0, t] + [0.0] * (n - 2)
        v = [0.0, 1.0] + [0.0] * (n - 2)
        for k in range(2, n):
            p[k] = 2 * t * p[k - 1] - p[k - 2]
            v[k] = 2 * t * v[k - 1] + 2 * p[k - 1] - v[k - 2]
        pos, vel = [], []
        for c in range(3):
            base = first + (sub * 3 + c) * n
            coeff = record[base:base + n]
            pos.append(sum(a * b for a, b in zip(coeff, p)))
            vel.append(sum(a * b for a, b in zip(coeff, v)) * 2 / span)
        return pos, vel

    def moon(self, jd):
        """Geocentric Moon, km."""
        return self._eval(MOON, jd)[0]

    def earth(self, jd):
        """The Earth's barycentric position (km) and velocity (km/day)."""
        emb, embv = self._eval(EMB, jd)
        m, mv = self._eval(MOON, jd)
        f = 1 / (1 + EMRAT)
        return [emb[k] - f * m[k] for k in range(3)], [embv[k] - f * mv[k] for k in range(3)]

    def sun(self, jd):
        return self._eval(SUN, jd)[0]


def norm(v):
    return math.sqrt(sum(x * x for x in v))


def matmul(m, v):
    return [sum(m[r][c] * v[c] for c in range(3)) for r in range(3)]


def matmat(a, b):
    return [[sum(a[r][k] * b[k][c] for k in range(3)) for c in range(3)] for r in range(3)]


def rot(axis, angle):
    c, s = math.cos(angle), math.sin(angle)
    if axis == 1:
        return [[1, 0, 0], [0, c, s], [0, -s, c]]
    if axis == 2:
        return [[c, 0, -s], [0, 1, 0], [s, 0, c]]
    return [[c, s, 0], [-s, c, 0], [0, 0, 1]]


def delta_t_seconds(jd_tt):
    """Espenak & Meeus (2006) for 1941..2150 with the canon's correction."""
    y = 2000 + (jd_tt - 2451545) / 365.25
    if y < 1961:
        t = y - 1950
        dt = 29.07 + 0.407 * t - t * t / 233 + t ** 3 / 2547
    elif y < 1986:
        t = y - 1975
        dt = 45.45 + 1.067 * t - t * t / 260 - t ** 3 / 718
    elif y < 2005:
        t = y - 2000
        dt = 63.86 + 0.3345 * t - 0.060374 * t ** 2 + 0.0017275 * t ** 3 + 0.000651814 * t ** 4 + 0.00002373599 * t ** 5
    elif y < 2050:
        t = y - 2000
        dt = 62.92 + 0.32217 * t + 0.005589 * t * t
    else:
        dt = -20 + 32 * ((y - 1820) / 100) ** 2 - 0.5628 * (2150 - y)
    if not 1955 <= y <= 2005:
        dt -= 0.000012932 * (y - 1955) ** 2
    return dt


def tt_of_ut(jd_ut):
    tt = jd_ut + delta_t_seconds(jd_ut) / 86400
    return jd_ut + delta_t_seconds(tt) / 86400


class Sky:
    """Apparent places on the true equator and equinox of date."""

    def __init__(self, eph):
        self.eph = eph

    @staticmethod
    def frame(jd_tt):
        """J2000 to the true equator of date, and the equation of the equinoxes."""
        t = (jd_tt - 2451545) / 36525
        zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t ** 3) * ARCSEC
        z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t ** 3) * ARCSEC
        theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t ** 3) * ARCSEC
        precession = matmat(rot(3, -z), matmat(rot(2, theta), rot(3, -zeta)))
        node = math.radians(125.04452 - 1934.136261 * t)
        sun_l = math.radians(280.4665 + 36000.7698 * t)
        moon_l = math.radians(218.3165 + 481267.8813 * t)
        dpsi = (-17.20 * math.sin(node) - 1.32 * math.sin(2 * sun_l) - 0.23 * math.sin(2 * moon_l) +
                0.21 * math.sin(2 * node)) * ARCSEC
        deps = (9.20 * math.cos(node) + 0.57 * math.cos(2 * sun_l) + 0.10 * math.cos(2 * moon_l) -
                0.09 * math.cos(2 * node)) * ARCSEC
        eps0 = (84381.448 - 46.8150 * t - 0.00059 * t * t + 0.001813 * t ** 3) * ARCSEC
        nutation = matmat(rot(1, -(eps0 + deps)), matmat(rot(3, -dpsi), rot(1, eps0)))
        return matmat(nutation, precession), dpsi * math.cos(eps0 + deps)

    def geocentric(self, body, jd_tt, frame):
        """Apparent geocentric vector (km) of 'sun' or 'moon'."""
        earth, earth_v = self.eph.earth(jd_tt)
        tau = 0.0
        for _ in range(3):
            if body == "moon":
                e_then = self.eph.earth(jd_tt - tau)[0]
                m = self.eph.moon(jd_tt - tau)
                b = [e_then[k] + m[k] for k in range(3)]
            else:
                b = self.eph.sun(jd_tt - tau)
            p = [b[k] - earth[k] for k in range(3)]
            tau = norm(p) / C_KM_DAY
        # The distance is the geometric one: the light-time shift of the
        # Earth's own motion (about 39 km) moves the direction, not the body.
        dist = norm(m) if body == "moon" else norm(p)
        u = [x / dist for x in p]
        v = [x / C_KM_DAY for x in earth_v]
        uv = sum(u[k] * v[k] for k in range(3))
        u = [u[k] + v[k] - u[k] * uv for k in range(3)]
        n = norm(u)
        return matmul(frame, [dist * x / n for x in u])

    @staticmethod
    def sidereal(jd_ut, equation):
        t = (jd_ut - 2451545) / 36525
        gmst = 280.46061837 + 360.98564736629 * (jd_ut - 2451545) + 0.000387933 * t * t - t ** 3 / 38710000
        return math.radians(gmst % 360) + equation


def observer_vector(lat, lon, height_m, gast):
    """The observer (geodetic degrees, metres) in the equatorial frame, km."""
    phi = math.radians(lat)
    c = 1 / math.sqrt(math.cos(phi) ** 2 + (1 - EARTH_F) ** 2 * math.sin(phi) ** 2)
    s = (1 - EARTH_F) ** 2 * c
    h = height_m / 1000
    angle = gast + math.radians(lon)
    return [(EARTH_A * c + h) * math.cos(phi) * math.cos(angle), (EARTH_A * c + h) * math.cos(phi) * math.sin(angle),
            (EARTH_A * s + h) * math.sin(phi)]


class Place:
    def __init__(self, sky, lat, lon, height_m=0):
        self.sky, self.lat, self.lon, self.height = sky, lat, lon, height_m
        self._frame_jd = None

    def _frame(self, jd_tt):
        # Precession and nutation move by under 0.01" in a day: one frame per day.
        day = math.floor(jd_tt)
        if self._frame_jd != day:
            self._frame_jd = day
            self._cached = Sky.frame(day + 0.5)
        return self._cached

    def topocentric(self, body, jd_ut):
        """Topocentric vector and the local hour angle (radians, -pi..pi)."""
        tt = tt_of_ut(jd_ut)
        frame, equation = self._frame(tt)
        g = self.sky.geocentric(body, tt, frame)
        gast = Sky.sidereal(jd_ut, equation)
        o = observer_vector(self.lat, self.lon, self.height, gast)
        p = [g[k] - o[k] for k in range(3)]
        ra = math.atan2(p[1], p[0])
        ha = (gast + math.radians(self.lon) - ra + math.pi) % (2 * math.pi) - math.pi
        return p, ha

    def altitude(self, body, jd_ut):
        p, ha = self.topocentric(body, jd_ut)
        dist = norm(p)
        dec = math.asin(p[2] / dist)
        phi = math.radians(self.lat)
        alt = math.asin(math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(ha))
        return alt, dist, ha


def radius(body):
    return SUN_RADIUS if body == "sun" else MOON_K_OUTER * EARTH_A


def bisect(f, a, b, fa, tol=1e-9):
    while b - a > tol:
        m = 0.5 * (a + b)
        fm = f(m)
        if (fm > 0) == (fa > 0):
            a, fa = m, fm
        else:
            b = m
    return 0.5 * (a + b)


def day_events(place, jd0, samples=144):
    """Rises, transits and sets of the UT day from jd0: (ut, body, event),
    sampled every ten minutes unless told otherwise."""
    out = []
    step = 1 / samples
    for body in ("sun", "moon"):
        def limb(t):
            alt, dist, _ = place.altitude(body, t)
            return alt + REFRACTION + math.asin(radius(body) / dist)

        def hour_angle(t):
            return place.altitude(body, t)[2]

        def sample(t):
            alt, dist, ha = place.altitude(body, t)
            return alt + REFRACTION + math.asin(radius(body) / dist), ha

        t0 = jd0
        f0, h0 = sample(t0)
        for i in range(1, samples + 1):
            t1 = jd0 + i * step
            f1, h1 = sample(t1)
            if (f0 > 0) != (f1 > 0):
                out.append((bisect(limb, t0, t1, f0), body, "rise" if f1 > 0 else "set"))
            if h0 < 0 <= h1 and h1 - h0 < 1:
                out.append((bisect(hour_angle, t0, t1, h0), body, "transit"))
            t0, f0, h0 = t1, f1, h1
    return [e for e in sorted(out) if e[0] < jd0 + 1]


def separation(a, b):
    c = sum(a[k] * b[k] for k in range(3)) / (norm(a) * norm(b))
    return math.acos(max(-1.0, min(1.0, c)))


def golden_min(f, a, b, tol=1e-8):
    g = (math.sqrt(5) - 1) / 2
    c, d = b - g * (b - a), a + g * (b - a)
    fc, fd = f(c), f(d)
    while b - a > tol:
        if fc < fd:
            b, d, fd = d, c, fc
            c = b - g * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, d, fd
            d = a + g * (b - a)
            fd = f(d)
    return 0.5 * (a + b)


class Lunar:
    """The Moon against Danjon's shadow, geocentric, in TT."""

    def __init__(self, sky):
        self.sky = sky

    def state(self, tt):
        frame = Sky.frame(tt)[0]
        s = self.sky.geocentric("sun", tt, frame)
        m = self.sky.geocentric("moon", tt, frame)
        ds, dm = norm(s), norm(m)
        moon_par, sun_par = math.asin(EARTH_A / dm), math.asin(EARTH_A / ds)
        sun_sd, moon_sd = math.asin(SUN_RADIUS / ds), math.asin(MOON_K_OUTER * EARTH_A / dm)
        umbra = 1.01 * moon_par + sun_par - sun_sd
        penumbra = 1.01 * moon_par + sun_par + sun_sd
        return separation(m, [-x for x in s]), umbra, penumbra, moon_sd

    def eclipses(self, first, last):
        """Each eclipse: greatest (TT) and the contacts P1 U1 U2 U3 U4 P4 (TT or None)."""
        out = []
        sep = lambda t: self.state(t)[0]
        t, prev, falling = first, sep(first), False
        while t < last:
            t1 = t + 0.5
            cur = sep(t1)
            if falling and cur > prev:
                greatest = golden_min(sep, t - 0.5, t1)
                found = self._contacts(greatest)
                if found:
                    out.append(found)
            falling = cur < prev
            t, prev = t1, cur
        return out

    def _contacts(self, greatest):
        s, umbra, penumbra, sd = self.state(greatest)
        if s >= penumbra + sd:
            return None
        contacts = []
        for i, edge in enumerate((lambda u, p, d: p + d, lambda u, p, d: u + d, lambda u, p, d: u - d)):
            f = lambda t: (lambda st: st[0] - edge(st[1], st[2], st[3]))(self.state(t))
            if f(greatest) >= 0:
                contacts.append((None, None))
                continue
            contacts.append((bisect(f, greatest - 0.25, greatest, f(greatest - 0.25)),
                             bisect(f, greatest, greatest + 0.25, f(greatest))))
        (p1, p4), (u1, u4), (u2, u3) = contacts
        return greatest, [p1, u1, u2, u3, u4, p4]


class Solar:
    """Solar eclipses from a place: the topocentric Sun and Moon, in UT."""

    def __init__(self, sky):
        self.sky = sky

    def candidates(self, first, last):
        """Instants (UT) of least geocentric Sun-Moon angle under 1.6 degrees."""
        out = []

        def sep(t):
            frame = Sky.frame(t)[0]
            return separation(self.sky.geocentric("sun", t, frame), self.sky.geocentric("moon", t, frame))

        t, prev, falling = first, sep(first), False
        while t < last:
            t1 = t + 0.5
            cur = sep(t1)
            if falling and cur > prev:
                least = golden_min(sep, t - 0.5, t1, 1e-6)
                if sep(least) < math.radians(1.6):
                    out.append(least - delta_t_seconds(least) / 86400)
            falling = cur < prev
            t, prev = t1, cur
        return out

    def central_point(self, ut):
        """Where the shadow axis meets the ellipsoid at ut: (lat, lon) or None."""
        tt = tt_of_ut(ut)
        frame, equation = Sky.frame(tt)
        s, m = self.sky.geocentric("sun", tt, frame), self.sky.geocentric("moon", tt, frame)
        d = [m[k] - s[k] for k in range(3)]
        n = norm(d)
        d = [x / n for x in d]
        squash = 1 / (1 - EARTH_F)
        m2, d2 = [m[0], m[1], m[2] * squash], [d[0], d[1], d[2] * squash]
        b = sum(m2[k] * d2[k] for k in range(3))
        a = sum(x * x for x in d2)
        c = sum(x * x for x in m2) - EARTH_A ** 2
        disc = b * b - a * c
        if disc < 0:
            return None
        s_near = (-b - math.sqrt(disc)) / a
        x = [m[k] + s_near * d[k] for k in range(3)]
        lat = math.degrees(math.atan2(x[2], (1 - EARTH_F) ** 2 * math.hypot(x[0], x[1])))
        lon = math.degrees(math.atan2(x[1], x[0]) - Sky.sidereal(ut, equation))
        return lat, (lon + 180) % 360 - 180

    def local(self, place, near):
        """The contacts C1 C2 max C3 C4 (UT or None), the magnitude at a
        partial place (else None), and whether the Sun's centre is up at
        some instant between C1 and C4; None when the place misses it."""
        def state(t):
            s, _ = place.topocentric("sun", t)
            m, _ = place.topocentric("moon", t)
            ds, dm = norm(s), norm(m)
            sun_sd = math.asin(SUN_RADIUS / ds)
            outer = sun_sd + math.asin(MOON_K_OUTER * EARTH_A / dm)
            inner = abs(math.asin(MOON_K_INNER * EARTH_A / dm) - sun_sd)
            return separation(s, m), outer, inner, sun_sd

        sep = lambda t: state(t)[0]
        span = 0.2
        samples = [near - span + i * span / 16 for i in range(33)]
        values = [sep(t) for t in samples]
        i = min(range(33), key=values.__getitem__)
        if i in (0, 32):
            return None
        most = golden_min(sep, samples[i - 1], samples[i + 1])
        least, outer, inner, sun_sd = state(most)
        if least >= outer:
            return None
        f_outer = lambda t: (lambda st: st[0] - st[1])(state(t))
        f_inner = lambda t: (lambda st: st[0] - st[2])(state(t))
        c1 = bisect(f_outer, most - 0.25, most, f_outer(most - 0.25))
        c4 = bisect(f_outer, most, most + 0.25, f_outer(most))
        c2 = c3 = magnitude = None
        if least < inner:
            c2 = bisect(f_inner, most - 0.05, most, f_inner(most - 0.05))
            c3 = bisect(f_inner, most, most + 0.05, f_inner(most))
        else:
            magnitude = (outer - least) / (2 * sun_sd)
        steps = max(2, int((c4 - c1) * 720))
        seen = any(place.altitude("sun", c1 + (c4 - c1) * k / steps)[0] > 0 for k in range(steps + 1))
        return [c1, c2, most, c3, c4], magnitude, seen


def calendar_date(jd):
    """Gregorian date of the day that begins at jd (x.5)."""
    z = int(jd + 0.5)
    a = z + 32044
    b = (4 * a + 3) // 146097
    c = a - 146097 * b // 4
    d = (4 * c + 3) // 1461
    e = c - 1461 * d // 4
    m = (5 * e + 2) // 153
    return "%04d-%02d-%02d" % (100 * b + d - 4800 + m // 10, m + 3 - 12 * (m // 10), e - (153 * m + 2) // 5 + 1)


# Places for rise and set and the partial eclipses: every 10 degrees of
# latitude from 60 S to 60 N, longitudes spread by the golden angle, at
# heights of 0, 2000 and 4000 m (the height moves the observer; rise and set
# keep the sea-level horizon).
PLACES = [(lat, round((i * 137.508) % 360 - 180, 2), 2000 * (i % 3)) for i, lat in enumerate(range(-60, 61, 10))]


def ajd(x):
    return "" if x is None else "%.7f" % x


def header(out, title, sha, version, columns):
    out.write("# %s, computed from JPL's DE405 by libs/vxphase/generate/de405_reference.py\n" % title)
    out.write("# (scripts/generate-de405-reference) from the Debian package casacore-data-jpl-de405 %s,\n" % version)
    out.write("# .deb SHA-256 %s. Instants are astronomical Julian dates\n" % sha)
    out.write("# in UT = TT - delta T (Espenak & Meeus 2006 with the canon's correction).\n")
    out.write(columns + "\n")


DAY_COLUMNS = "date,latitude,longitude,height,body,event,ut"


def write_day(out, place, day, events):
    for ut, body, event in events:
        out.write("%s,%g,%g,%d,%s,%s,%s\n" % (calendar_date(day), place.lat, place.lon, place.height, body, event,
                                               ajd(ut)))


def write_rise_set(sky, eph, path, sha, version):
    with open(path, "w", newline="\n") as out:
        header(out, "Rises, upper transits and sets of the Sun and the Moon (sea-level horizon)", sha, version,
               DAY_COLUMNS)
        for i, (lat, lon, height) in enumerate(PLACES):
            place = Place(sky, lat, lon, height)
            day = math.floor(eph.first_jd) + 30.5 + 29 * i
            while day < eph.last_jd - 2:
                write_day(out, place, day, day_events(place, day))
                day += 727


# High latitudes, where the Moon or the Sun may rise and set again within an
# hour or two: the days of a year (one year per place, years apart) on which
# it does, sampled every minute.
POLAR_PLACES = [(63, 25.5, 0), (66, -150.2, 0), (69, 18.9, 0), (-64, -62.1, 0), (72, 130.4, 0)]


def grazing(events):
    """Whether a body sets within three hours of rising, or rises within
    three hours of setting."""
    last = {}
    for ut, body, event in events:
        if event == "transit":
            continue
        if body in last and last[body][1] != event and ut - last[body][0] < 0.125:
            return True
        last[body] = (ut, event)
    return False


def write_grazing(sky, eph, path, sha, version):
    with open(path, "w", newline="\n") as out:
        header(out, "Short days and nights at high latitudes (sea-level horizon)", sha, version, DAY_COLUMNS)
        for i, (lat, lon, height) in enumerate(POLAR_PLACES):
            place = Place(sky, lat, lon, height)
            first = math.floor(eph.first_jd) + 100.5 + 7000 * i
            for day in range(366):
                if grazing(day_events(place, first + day)):
                    write_day(out, place, first + day, day_events(place, first + day, 1440))


def write_lunar(sky, eph, path, sha, version):
    with open(path, "w", newline="\n") as out:
        header(out, "Contacts of every lunar eclipse (Danjon's shadow)", sha, version,
               "greatest,p1,u1,u2,u3,u4,p4")
        for greatest, contacts in Lunar(sky).eclipses(eph.first_jd + 2, eph.last_jd - 2):
            ut = [None if c is None else c - delta_t_seconds(c) / 86400 for c in [greatest] + contacts]
            out.write(",".join(ajd(x) for x in ut) + "\n")


def write_solar(sky, eph, path, sha, version):
    solar = Solar(sky)
    with open(path, "w", newline="\n") as out:
        header(out, "Local contacts of solar eclipses where the Sun is up during them", sha, version,
               "latitude,longitude,height,c1,c2,max,c3,c4,magnitude")
        for near in solar.candidates(eph.first_jd + 2, eph.last_jd - 2):
            places = list(PLACES)
            # Three points of the central line, 40 minutes apart.
            for minutes in (-40, 0, 40):
                point = solar.central_point(near + minutes / 1440)
                if point:
                    places.append((round(point[0], 4), round(point[1], 4), 0))
            for lat, lon, height in places:
                found = solar.local(Place(sky, lat, lon, height), near)
                if found and found[2]:
                    contacts, magnitude, _ = found
                    mag = "" if magnitude is None else "%.5f" % magnitude
                    out.write("%g,%g,%d,%s,%s\n" % (lat, lon, height, ",".join(ajd(x) for x in contacts), mag))


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    folder, sha, version, out = sys.argv[1:]
    eph = Ephemeris(folder)
    sky = Sky(eph)
    write_rise_set(sky, eph, os.path.join(out, "de405-rise-set.csv"), sha, version)
    write_grazing(sky, eph, os.path.join(out, "de405-grazing.csv"), sha, version)
    write_lunar(sky, eph, os.path.join(out, "de405-lunar-contacts.csv"), sha, version)
    write_solar(sky, eph, os.path.join(out, "de405-solar-local.csv"), sha, version)


if __name__ == "__main__":
    main()
