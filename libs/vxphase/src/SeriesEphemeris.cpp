#include "SeriesEphemeris.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vxphase::series {

namespace {

struct VsopTerm {
    double a, b, c;  // a cos(b + c tau)
};
struct ElpTerm {
    double a, p0, p1, p2, p3, p4;  // a sin(p0 + p1 T + p2 T^2 + p3 T^3 + p4 T^4)
};

#include "generated/ElpMpp02.inc"
#include "generated/Vsop87BEarth.inc"

template <size_t N>
double VsopSum(const VsopTerm (&terms)[N], double tau) {
    double sum = 0;
    for (const VsopTerm& t : terms) {
        double sn, cn;
        SinCos(t.b + t.c * tau, sn, cn);
        sum += t.a * cn;
    }
    return sum;
}

// A VSOP87 coordinate: the sum over k of tau^k times the k-th series.
template <size_t N0, size_t N1, size_t N2, size_t N3, size_t N4, size_t N5>
double VsopCoordinate(const VsopTerm (&s0)[N0], const VsopTerm (&s1)[N1], const VsopTerm (&s2)[N2],
                      const VsopTerm (&s3)[N3], const VsopTerm (&s4)[N4], const VsopTerm (&s5)[N5], double tau) {
    return VsopSum(s0, tau) +
           tau * (VsopSum(s1, tau) + tau * (VsopSum(s2, tau) + tau * (VsopSum(s3, tau) + tau * (VsopSum(s4, tau) + tau * VsopSum(s5, tau)))));
}

template <size_t N>
void VsopSumAndRate(const VsopTerm (&terms)[N], double tau, double& sum, double& rate) {
    sum = rate = 0;
    for (const VsopTerm& t : terms) {
        double sn, cn;
        SinCos(t.b + t.c * tau, sn, cn);
        sum += t.a * cn;
        rate -= t.a * t.c * sn;
    }
}

// The derivative in tau of a VSOP87 coordinate.
template <size_t N0, size_t N1, size_t N2, size_t N3, size_t N4, size_t N5>
double VsopCoordinateRate(const VsopTerm (&s0)[N0], const VsopTerm (&s1)[N1], const VsopTerm (&s2)[N2],
                          const VsopTerm (&s3)[N3], const VsopTerm (&s4)[N4], const VsopTerm (&s5)[N5], double tau) {
    double sum[6], rate[6];
    VsopSumAndRate(s0, tau, sum[0], rate[0]);
    VsopSumAndRate(s1, tau, sum[1], rate[1]);
    VsopSumAndRate(s2, tau, sum[2], rate[2]);
    VsopSumAndRate(s3, tau, sum[3], rate[3]);
    VsopSumAndRate(s4, tau, sum[4], rate[4]);
    VsopSumAndRate(s5, tau, sum[5], rate[5]);
    double total = rate[0], below = 1;  // below = tau^(k-1)
    for (int k = 1; k < 6; ++k) {
        total += below * (tau * rate[k] + k * sum[k]);
        below *= tau;
    }
    return total;
}

// The sum of an ELP series and, when asked, its derivative in T.
struct SeriesValue {
    double value = 0, rate = 0;
};
template <size_t N>
void AddElp(const ElpTerm (&terms)[N], size_t count, double t, int power, bool withRate, SeriesValue& out) {
    double sum = 0, rateSum = 0;
    const size_t n = count < N ? count : N;
    for (size_t i = 0; i < n; ++i) {
        const ElpTerm& e = terms[i];
        const double arg = e.p0 + t * (e.p1 + t * (e.p2 + t * (e.p3 + t * e.p4)));
        double sn, cn;
        SinCos(arg, sn, cn);
        sum += e.a * sn;
        if (withRate) rateSum += e.a * cn * (e.p1 + t * (2 * e.p2 + t * (3 * e.p3 + t * 4 * e.p4)));
    }
    const double tk = power == 0 ? 1.0 : std::pow(t, power);
    out.value += tk * sum;
    if (withRate) {
        const double dtk = power == 0 ? 0.0 : power * std::pow(t, power - 1);
        out.rate += tk * rateSum + dtk * sum;
    }
}

double Poly(const double (&c)[6], double t) {
    return c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * (c[4] + t * c[5]))));
}
double PolyRate(const double (&c)[6], double t) {
    return c[1] + t * (2 * c[2] + t * (3 * c[3] + t * (4 * c[4] + t * 5 * c[5])));
}

// General precession in longitude, IAU 2006 (Capitaine et al. 2003), arcseconds.
constexpr double kPrecession[6] = {0, 5028.796195, 1.1054348, 0.00007964, -0.000023857, -0.0000000383};

// The frame of the Moon's series: the mean ecliptic of date with the
// departure point of J2000. Laskar's P and Q (as ELP/MPP02 uses them) turn it
// into the ecliptic and equinox of J2000; the Sun, from VSOP87B on J2000, is
// turned the other way into the same frame, and both then take the same
// precession in longitude. One frame and one precession for both bodies:
// the elongation carries no precession error.
struct Vec3 {
    double x, y, z;
};
Vec3 J2000ToEclipticOfDate(const Vec3& v, double t) {
    const double p =
        t * (0.10180391e-4 + t * (0.47020439e-6 + t * (-0.5417367e-9 + t * (-0.2507948e-11 + t * 0.463486e-14))));
    const double q =
        t * (-0.113469002e-3 + t * (0.12372674e-6 + t * (0.1265417e-8 + t * (-0.1371808e-11 - t * 0.320334e-14))));
    const double ra = 2 * std::sqrt(1 - p * p - q * q);
    // The transpose of the series' rotation from the ecliptic of date to J2000.
    return {(1 - 2 * p * p) * v.x + 2 * p * q * v.y - p * ra * v.z,
            2 * p * q * v.x + (1 - 2 * q * q) * v.y + q * ra * v.z,
            p * ra * v.x - q * ra * v.y + (1 - 2 * p * p - 2 * q * q) * v.z};
}

constexpr double kLightKmPerDay = 299792.458 * 86400.0;
constexpr double kMeanMoonDistanceKm = 385000.5;

// The Earth's distance from the Sun from its three largest terms, to 1e-4
// au: all the aberration needs.
double ApproximateDistanceAu(double tau) {
    return 1.00013989 + 0.01670700 * std::cos(3.0984635 + 6283.07585 * tau) +
           0.00013956 * std::cos(3.05525 + 12566.1517 * tau) + 0.00103019 * tau * std::cos(1.10749 + 6283.07585 * tau);
}

// The Sun's geometric geocentric longitude, latitude and distance in the
// Moon's frame, before the precession in longitude; for a longitude only,
// the latitude is taken as 0 and the distance from its largest terms.
EclipticPosition SunInSeriesFrame(double jdTT, bool full) {
    const double tau = (jdTT - 2451545.0) / 365250.0;
    const double l = VsopCoordinate(kEarthL0, kEarthL1, kEarthL2, kEarthL3, kEarthL4, kEarthL5, tau);
    const double b = full ? VsopCoordinate(kEarthB0, kEarthB1, kEarthB2, kEarthB3, kEarthB4, kEarthB5, tau) : 0.0;
    const double r = full ? VsopCoordinate(kEarthR0, kEarthR1, kEarthR2, kEarthR3, kEarthR4, kEarthR5, tau)
                          : ApproximateDistanceAu(tau);
    // Geocentric Sun: the Earth's heliocentric direction reversed.
    const Vec3 j2000{-std::cos(b) * std::cos(l), -std::cos(b) * std::sin(l), -std::sin(b)};
    const Vec3 v = J2000ToEclipticOfDate(j2000, tau * 10.0);
    return {std::atan2(v.y, v.x), std::asin(std::clamp(v.z, -1.0, 1.0)), r * kAuKm};
}

}  // namespace

EclipticPosition SunPosition(double jdTT) {
    EclipticPosition sun = SunInSeriesFrame(jdTT, true);
    const double t = CenturiesFromJ2000(jdTT);
    // The precession in longitude, and the annual aberration.
    sun.longitude += Poly(kPrecession, t) * kArcsecond - 20.4898 * kArcsecond / (sun.distanceKm / kAuKm);
    return sun;
}

double SunLongitude(double jdTT, double* rate) {
    // The latitude (under 1.2") moves the longitude of date by under 0.02".
    const EclipticPosition sun = SunInSeriesFrame(jdTT, false);
    const double t = CenturiesFromJ2000(jdTT);
    if (rate != nullptr) {
        // The series' own derivative (the frame's turning is far below
        // 1e-6 of it), in radians per day.
        const double tau = (jdTT - 2451545.0) / 365250.0;
        *rate = VsopCoordinateRate(kEarthL0, kEarthL1, kEarthL2, kEarthL3, kEarthL4, kEarthL5, tau) / 365250.0 +
                PolyRate(kPrecession, t) * kArcsecond / 36525.0;
    }
    return sun.longitude + Poly(kPrecession, t) * kArcsecond - 20.4898 * kArcsecond / (sun.distanceKm / kAuKm);
}

EclipticPosition MoonPosition(double jdTT, double* longitudeRate) {
    return series::MoonPositionParts(jdTT, longitudeRate, MoonDetail::Full);
}

EclipticPosition MoonPositionParts(double jdTT, double* longitudeRate, MoonDetail detail) {
    const double t = CenturiesFromJ2000(jdTT);
    const bool withRate = longitudeRate != nullptr;
    // The 60 largest terms: within about 10" of the whole series.
    const size_t count = detail == MoonDetail::Coarse ? 60 : SIZE_MAX;
    SeriesValue lon;
    AddElp(kElpLongitude0, count, t, 0, withRate, lon);
    // Far from J2000 the terms in T and T^2 grow to minutes of arc: the
    // coarse series takes their largest too.
    AddElp(kElpLongitude1, detail == MoonDetail::Coarse ? 8 : count, t, 1, withRate, lon);
    AddElp(kElpLongitude2, detail == MoonDetail::Coarse ? 4 : count, t, 2, withRate, lon);
    AddElp(kElpLongitude3, count, t, 3, withRate, lon);
    double latitude = 0, distance = kMeanMoonDistanceKm;
    if (detail == MoonDetail::Full) {
        SeriesValue lat, dist;
        AddElp(kElpLatitude0, count, t, 0, false, lat);
        AddElp(kElpLatitude1, count, t, 1, false, lat);
        AddElp(kElpLatitude2, count, t, 2, false, lat);
        AddElp(kElpDistance0, count, t, 0, false, dist);
        AddElp(kElpDistance1, count, t, 1, false, dist);
        AddElp(kElpDistance2, count, t, 2, false, dist);
        AddElp(kElpDistance3, count, t, 3, false, dist);
        latitude = lat.value * kArcsecond;
        distance = dist.value;
    }
    double w1Rate = 0;
    for (int k = 4; k >= 1; --k) w1Rate = w1Rate * t + k * kElpW1[k];
    const double w1 = kElpW1[0] + t * (kElpW1[1] + t * (kElpW1[2] + t * (kElpW1[3] + t * kElpW1[4])));
    // Radians per day: the mean longitude, the series, the precession.
    const double rate = (w1Rate + lon.rate * kArcsecond + PolyRate(kPrecession, t) * kArcsecond) / 36525.0;
    if (withRate) *longitudeRate = rate;
    // Seen where it was when its light left it (1.3 s, 0.7"); without the
    // rate asked for, the rate of the twelve largest terms is close enough.
    double lightRate = rate;
    if (!withRate) {
        SeriesValue largest;
        AddElp(kElpLongitude0, 12, t, 0, true, largest);
        lightRate = (w1Rate + largest.rate * kArcsecond + PolyRate(kPrecession, t) * kArcsecond) / 36525.0;
    }
    const double lightTime = distance / kLightKmPerDay;
    const double longitude = w1 + lon.value * kArcsecond + Poly(kPrecession, t) * kArcsecond - lightRate * lightTime;
    return {longitude, latitude, distance};
}

}  // namespace vxphase::series
