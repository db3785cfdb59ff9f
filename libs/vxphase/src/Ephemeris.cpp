#include "Ephemeris.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vxphase {

namespace {

struct VsopTerm {
    double a, b, c;  // a cos(b + c tau)
};
struct ElpTerm {
    double a, p0, p1, p2, p3, p4;  // a sin(p0 + p1 T + p2 T^2 + p3 T^3 + p4 T^4)
};

#include "generated/ElpMpp02.inc"
#include "generated/Vsop87BEarth.inc"

// The series as columns, so that one loop takes four terms at a time (on a
// processor with AVX2 and FMA; two elsewhere).
struct VsopColumns {
    std::vector<double> a, b, c;
};
struct ElpColumns {
    std::vector<double> a, p0, p1, p2, p3, p4;
};
template <size_t N>
VsopColumns Columns(const VsopTerm (&terms)[N]) {
    VsopColumns out;
    for (const VsopTerm& t : terms) {
        out.a.push_back(t.a);
        out.b.push_back(t.b);
        out.c.push_back(t.c);
    }
    return out;
}
template <size_t N>
ElpColumns Columns(const ElpTerm (&terms)[N]) {
    ElpColumns out;
    for (const ElpTerm& t : terms) {
        out.a.push_back(t.a);
        out.p0.push_back(t.p0);
        out.p1.push_back(t.p1);
        out.p2.push_back(t.p2);
        out.p3.push_back(t.p3);
        out.p4.push_back(t.p4);
    }
    return out;
}

// sum of a cos(b + c tau) and, with rate, of -a c sin(b + c tau).
__attribute__((target_clones("fma", "default"))) void VsopKernel(const VsopColumns& s, double tau, bool withRate,
                                                                 double& sum, double& rate) {
    const double *a = s.a.data(), *b = s.b.data(), *c = s.c.data();
    const size_t n = s.a.size();
    double total = 0, totalRate = 0;
    if (withRate) {
#pragma omp simd reduction(+ : total, totalRate)
        for (size_t i = 0; i < n; ++i) {
            double sn, cn;
            SinCos(b[i] + c[i] * tau, sn, cn);
            total += a[i] * cn;
            totalRate -= a[i] * c[i] * sn;
        }
    } else {
#pragma omp simd reduction(+ : total)
        for (size_t i = 0; i < n; ++i) {
            double sn, cn;
            SinCos(b[i] + c[i] * tau, sn, cn);
            total += a[i] * cn;
        }
    }
    sum = total;
    rate = totalRate;
}

// sum of a sin(arg) and, with rate, of a cos(arg) d(arg)/dT, over the first n terms.
__attribute__((target_clones("fma", "default"))) void ElpKernel(const ElpColumns& s, size_t n, double t, bool withRate,
                                                                double& sum, double& rate) {
    const double *a = s.a.data(), *p0 = s.p0.data(), *p1 = s.p1.data(), *p2 = s.p2.data(), *p3 = s.p3.data(),
                 *p4 = s.p4.data();
    double total = 0, totalRate = 0;
    if (withRate) {
#pragma omp simd reduction(+ : total, totalRate)
        for (size_t i = 0; i < n; ++i) {
            double sn, cn;
            SinCos(p0[i] + t * (p1[i] + t * (p2[i] + t * (p3[i] + t * p4[i]))), sn, cn);
            total += a[i] * sn;
            totalRate += a[i] * cn * (p1[i] + t * (2 * p2[i] + t * (3 * p3[i] + t * 4 * p4[i])));
        }
    } else {
#pragma omp simd reduction(+ : total)
        for (size_t i = 0; i < n; ++i) {
            double sn, cn;
            SinCos(p0[i] + t * (p1[i] + t * (p2[i] + t * (p3[i] + t * p4[i]))), sn, cn);
            total += a[i] * sn;
        }
    }
    sum = total;
    rate = totalRate;
}

// A VSOP87 coordinate, the sum over k of tau^k times the k-th series, and
// optionally its derivative in tau.
struct VsopSeries {
    std::array<VsopColumns, 6> powers;
};
double VsopCoordinate(const VsopSeries& series, double tau, double* rate = nullptr) {
    double sum[6], rates[6];
    for (int k = 0; k < 6; ++k) VsopKernel(series.powers[k], tau, rate != nullptr, sum[k], rates[k]);
    double value = 0;
    for (int k = 5; k >= 0; --k) value = value * tau + sum[k];
    if (rate != nullptr) {
        double total = rates[0], below = 1;  // below = tau^(k-1)
        for (int k = 1; k < 6; ++k) {
            total += below * (tau * rates[k] + k * sum[k]);
            below *= tau;
        }
        *rate = total;
    }
    return value;
}
const VsopSeries& EarthL() {
    static const VsopSeries s{{Columns(kEarthL0), Columns(kEarthL1), Columns(kEarthL2), Columns(kEarthL3),
                               Columns(kEarthL4), Columns(kEarthL5)}};
    return s;
}
const VsopSeries& EarthB() {
    static const VsopSeries s{{Columns(kEarthB0), Columns(kEarthB1), Columns(kEarthB2), Columns(kEarthB3),
                               Columns(kEarthB4), Columns(kEarthB5)}};
    return s;
}
const VsopSeries& EarthR() {
    static const VsopSeries s{{Columns(kEarthR0), Columns(kEarthR1), Columns(kEarthR2), Columns(kEarthR3),
                               Columns(kEarthR4), Columns(kEarthR5)}};
    return s;
}

// An ELP coordinate: the lists for T^0..T^3.
struct ElpSeries {
    std::array<ElpColumns, 4> powers;
};
const ElpSeries& MoonLongitude() {
    static const ElpSeries s{
        {Columns(kElpLongitude0), Columns(kElpLongitude1), Columns(kElpLongitude2), Columns(kElpLongitude3)}};
    return s;
}
const ElpSeries& MoonLatitude() {
    static const ElpSeries s{{Columns(kElpLatitude0), Columns(kElpLatitude1), Columns(kElpLatitude2), ElpColumns{}}};
    return s;
}
const ElpSeries& MoonDistance() {
    static const ElpSeries s{
        {Columns(kElpDistance0), Columns(kElpDistance1), Columns(kElpDistance2), Columns(kElpDistance3)}};
    return s;
}

// The sum of an ELP series and, when asked, its derivative in T.
struct SeriesValue {
    double value = 0, rate = 0;
};
// counts: how many of each list's largest terms; SIZE_MAX for all.
SeriesValue ElpCoordinate(const ElpSeries& series, const std::array<size_t, 4>& counts, double t, bool withRate) {
    SeriesValue out;
    double tk = 1, below = 0;  // t^k and k t^(k-1)
    for (int k = 0; k < 4; ++k) {
        const ElpColumns& columns = series.powers[k];
        const size_t n = std::min(counts[k], columns.a.size());
        double sum = 0, rate = 0;
        if (n > 0) ElpKernel(columns, n, t, withRate, sum, rate);
        out.value += tk * sum;
        out.rate += tk * rate + below * sum;
        below = (k + 1) * tk;
        tk *= t;
    }
    return out;
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
// the latitude is taken as 0 and the distance from its largest terms. rate:
// the series' longitude rate in radians per millennium.
EclipticPosition SunInSeriesFrame(double jdTT, bool full, double* rate = nullptr) {
    const double tau = (jdTT - 2451545.0) / 365250.0;
    const double l = VsopCoordinate(EarthL(), tau, rate);
    const double b = full ? VsopCoordinate(EarthB(), tau) : 0.0;
    const double r = full ? VsopCoordinate(EarthR(), tau) : ApproximateDistanceAu(tau);
    // Geocentric Sun: the Earth's heliocentric direction reversed.
    const Vec3 j2000{-std::cos(b) * std::cos(l), -std::cos(b) * std::sin(l), -std::sin(b)};
    const Vec3 v = J2000ToEclipticOfDate(j2000, tau * 10.0);
    return {std::atan2(v.y, v.x), std::asin(std::clamp(v.z, -1.0, 1.0)), r * kAuKm};
}

}  // namespace

double WrapPi(double a) {
    a = std::remainder(a, 2 * kPi);
    return a;
}

double MeanObliquity(double jdTT) {
    const double t = CenturiesFromJ2000(jdTT);
    const double arcsec =
        84381.406 + t * (-46.836769 + t * (-0.0001831 + t * (0.00200340 + t * (-0.000000576 - t * 0.0000000434))));
    return arcsec * kArcsecond;
}

EclipticPosition SunPosition(double jdTT) {
    EclipticPosition sun = SunInSeriesFrame(jdTT, true);
    const double t = CenturiesFromJ2000(jdTT);
    // The precession in longitude, and the annual aberration.
    sun.longitude += Poly(kPrecession, t) * kArcsecond - 20.4898 * kArcsecond / (sun.distanceKm / kAuKm);
    return sun;
}

double SunLongitude(double jdTT, double* rate) {
    // The latitude (under 1.2") moves the longitude of date by under 0.02".
    double seriesRate = 0;
    const EclipticPosition sun = SunInSeriesFrame(jdTT, false, rate != nullptr ? &seriesRate : nullptr);
    const double t = CenturiesFromJ2000(jdTT);
    // The series' own derivative (the frame's turning is far below 1e-6 of
    // it), in radians per day.
    if (rate != nullptr) *rate = seriesRate / 365250.0 + PolyRate(kPrecession, t) * kArcsecond / 36525.0;
    return sun.longitude + Poly(kPrecession, t) * kArcsecond - 20.4898 * kArcsecond / (sun.distanceKm / kAuKm);
}

EclipticPosition MoonPosition(double jdTT, double* longitudeRate) {
    return MoonPositionParts(jdTT, longitudeRate, MoonDetail::Full);
}

EclipticPosition MoonPositionParts(double jdTT, double* longitudeRate, MoonDetail detail) {
    const double t = CenturiesFromJ2000(jdTT);
    const bool withRate = longitudeRate != nullptr;
    // The coarse series: the 60 largest terms, and the largest in T and T^2,
    // which far from J2000 grow to minutes of arc; within 35" of the whole.
    constexpr std::array<size_t, 4> kAll{SIZE_MAX, SIZE_MAX, SIZE_MAX, SIZE_MAX};
    const std::array<size_t, 4> counts = detail == MoonDetail::Coarse ? std::array<size_t, 4>{60, 8, 4, 2} : kAll;
    const SeriesValue lon = ElpCoordinate(MoonLongitude(), counts, t, withRate);
    double latitude = 0, distance = kMeanMoonDistanceKm;
    if (detail == MoonDetail::Full) {
        latitude = ElpCoordinate(MoonLatitude(), kAll, t, false).value * kArcsecond;
        distance = ElpCoordinate(MoonDistance(), kAll, t, false).value;
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
        const SeriesValue largest = ElpCoordinate(MoonLongitude(), {12, 0, 0, 0}, t, true);
        lightRate = (w1Rate + largest.rate * kArcsecond + PolyRate(kPrecession, t) * kArcsecond) / 36525.0;
    }
    const double lightTime = distance / kLightKmPerDay;
    const double longitude = w1 + lon.value * kArcsecond + Poly(kPrecession, t) * kArcsecond - lightRate * lightTime;
    return {longitude, latitude, distance};
}

}  // namespace vxphase
