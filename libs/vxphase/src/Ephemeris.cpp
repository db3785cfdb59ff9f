#include "Ephemeris.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxphase {

namespace {

struct VsopTerm {
    double a, b, c;  // a cos(b + c tau), a in 1e-8 rad or AU
};

// VSOP87D Earth, as abridged in Meeus, appendix III.
constexpr VsopTerm kL0[] = {
    {175347046, 0, 0},          {3341656, 4.6692568, 6283.07585}, {34894, 4.6261, 12566.1517},
    {3497, 2.7441, 5753.3849},  {3418, 2.8289, 3.5231},           {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},  {2343, 6.1352, 3930.2097},        {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.691},    {1199, 1.1096, 1577.3435},        {990, 5.233, 5884.927},
    {902, 2.045, 26.298},       {857, 3.508, 398.149},            {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},     {505, 4.583, 18849.228},          {492, 4.205, 775.523},
    {357, 2.92, 0.067},         {317, 5.849, 11790.629},          {284, 1.899, 796.298},
    {271, 0.315, 10977.079},    {243, 0.345, 5486.778},           {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},     {202, 2.458, 6069.777},           {156, 0.833, 213.299},
    {132, 3.411, 2942.463},     {126, 1.083, 20.775},             {115, 0.645, 0.98},
    {103, 0.636, 4694.003},     {102, 0.976, 15720.839},          {102, 4.267, 7.114},
    {99, 6.21, 2146.17},        {98, 0.68, 155.42},               {86, 5.98, 161000.69},
    {85, 1.3, 6275.96},         {85, 3.67, 71430.7},              {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},       {75, 1.76, 5088.63},              {74, 3.5, 3154.69},
    {74, 4.68, 801.82},         {70, 0.83, 9437.76},              {62, 3.98, 8827.39},
    {61, 1.82, 7084.9},         {57, 2.78, 6286.6},               {56, 4.39, 14143.5},
    {56, 3.47, 6279.55},        {52, 0.19, 12139.55},             {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},        {49, 0.49, 1194.45},              {41, 5.37, 8429.24},
    {41, 2.4, 19651.05},        {39, 6.17, 10447.39},             {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},        {36, 1.71, 2352.87},              {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},       {30, 0.44, 83996.85},             {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};
constexpr VsopTerm kL1[] = {
    {628331966747, 0, 0}, {206059, 2.678235, 6283.07585}, {4303, 2.6351, 12566.1517}, {425, 1.59, 3.523},
    {119, 5.796, 26.298}, {109, 2.966, 1577.344},         {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},   {67, 4.41, 5507.55},            {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.4, 796.3},     {36, 0.47, 775.52},             {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},  {19, 4.97, 213.3},              {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},  {15, 1.21, 10977.08},           {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},  {12, 2.08, 4694},               {11, 0.77, 553.57},         {10, 1.3, 6286.6},
    {10, 4.24, 1349.87},  {9, 2.7, 242.73},               {9, 5.64, 951.72},          {8, 5.3, 2352.87},
    {6, 2.65, 9437.76},   {6, 4.67, 4690.48},
};
constexpr VsopTerm kL2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.3},  {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.3},  {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};
constexpr VsopTerm kL3[] = {{289, 5.844, 6283.076}, {35, 0, 0},         {17, 5.49, 12566.15}, {3, 5.2, 155.42},
                            {1, 4.72, 3.52},        {1, 5.3, 18849.23}, {1, 5.97, 242.73}};
constexpr VsopTerm kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};
constexpr VsopTerm kL5[] = {{1, 3.14, 0}};
constexpr VsopTerm kB0[] = {{280, 3.199, 84334.662}, {102, 5.422, 5507.553}, {80, 3.88, 5223.69},
                            {44, 3.7, 2352.87},      {32, 4, 1577.34}};
constexpr VsopTerm kB1[] = {{9, 3.9, 5507.55}, {6, 1.73, 5223.69}};
constexpr VsopTerm kR0[] = {
    {100013989, 0, 0},        {1670700, 3.0984635, 6283.07585}, {13956, 3.05525, 12566.1517},
    {3084, 5.1985, 77713.7715}, {1628, 1.1739, 5753.3849},      {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.77},   {542, 4.564, 3930.21},            {472, 3.661, 5884.927},
    {346, 0.964, 5507.553},   {329, 5.9, 5223.694},             {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},  {212, 5.847, 1577.344},           {186, 5.022, 10977.079},
    {175, 3.012, 18849.228},  {110, 5.055, 5486.778},           {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},     {86, 1.27, 161000.69},            {65, 0.27, 17260.15},
    {63, 0.92, 529.69},       {57, 2.01, 83996.85},             {56, 5.24, 71430.7},
    {49, 3.25, 2544.31},      {47, 2.58, 775.52},               {45, 5.54, 9437.76},
    {43, 6.01, 6275.96},      {39, 5.36, 4694},                 {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},     {37, 4.9, 12139.55},              {36, 1.67, 12036.46},
    {35, 1.84, 2942.46},      {33, 0.24, 7084.9},               {32, 0.18, 5088.63},
    {32, 1.78, 398.15},       {28, 1.21, 6286.6},               {28, 1.9, 6279.55},
    {26, 4.59, 10447.39},
};
constexpr VsopTerm kR1[] = {{103019, 1.10749, 6283.07585}, {1721, 1.0644, 12566.1517}, {702, 3.142, 0},
                            {32, 1.02, 18849.23},          {31, 2.84, 5507.55},        {25, 1.32, 5223.69},
                            {18, 1.42, 1577.34},           {10, 5.91, 10977.08},       {9, 1.42, 6275.96},
                            {9, 0.27, 5486.78}};
constexpr VsopTerm kR2[] = {{4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0},
                            {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23}};
constexpr VsopTerm kR3[] = {{145, 4.273, 6283.076}, {7, 3.92, 12566.15}};
constexpr VsopTerm kR4[] = {{4, 2.56, 6283.08}};

template <size_t N>
double Sum(const VsopTerm (&terms)[N], double tau) {
    double s = 0;
    for (const VsopTerm& t : terms) s += t.a * std::cos(t.b + t.c * tau);
    return s;
}

struct ElpMainTerm {
    int d, f, l, lp;
    double a, b1, b2, b3, b4, b5, b6;
};

#include "ElpMainSeries.inc"

// A main-problem term with its amplitude corrected for the constants fitted
// to DE405 (Chapront & Francou 2003): arcseconds, or km for the distance.
struct PreparedTerm {
    signed char d, f, l, lp;
    double amplitude;
};

template <size_t N>
std::vector<PreparedTerm> Prepare(const ElpMainTerm (&terms)[N], bool distance, double threshold) {
    constexpr double rad = 648000.0 / kPi;
    constexpr double am = 0.074801329, alpha = 0.002571881;
    constexpr double dtasm = 2 * alpha / (3 * am);
    const double w11 = (1732559343.73604 - 0.35106) / rad;
    const double delnu = (0.55604 - 0.35106) / rad / w11;
    const double dele = (0.01789 - 0.00006) / rad;
    const double delg = (-0.08066 + 0.00085) / rad;
    const double delnp = (-0.06424 + 0.00732) / rad / w11;
    const double delep = (-0.12879 + 0.00224) / rad;
    std::vector<PreparedTerm> out;
    out.reserve(N);
    for (const ElpMainTerm& t : terms) {
        if (std::fabs(t.a) < threshold) continue;
        double a = t.a;
        if (distance) a -= 2 * a * delnu / 3;
        const double tgv = t.b1 + dtasm * t.b5;
        a += tgv * (delnp - am * delnu) + t.b2 * delg + t.b3 * dele + t.b4 * delep;
        out.push_back({static_cast<signed char>(t.d), static_cast<signed char>(t.f), static_cast<signed char>(t.l),
                       static_cast<signed char>(t.lp), a});
    }
    // Largest first, so that a coarse evaluation can take a prefix.
    std::sort(out.begin(), out.end(),
              [](const PreparedTerm& x, const PreparedTerm& y) { return std::fabs(x.amplitude) > std::fabs(y.amplitude); });
    return out;
}

// Terms under 0.005" add up to 0.03" rms, far below the perturbations this
// series leaves out; in distance 0.05 km changes the Moon's parallax and
// semi-diameter by under 0.001".
const std::vector<PreparedTerm>& LongitudeTerms() {
    static const std::vector<PreparedTerm> terms = Prepare(kElpMainLongitude, false, 0.005);
    return terms;
}
const std::vector<PreparedTerm>& LatitudeTerms() {
    static const std::vector<PreparedTerm> terms = Prepare(kElpMainLatitude, false, 0.005);
    return terms;
}
const std::vector<PreparedTerm>& DistanceTerms() {
    static const std::vector<PreparedTerm> terms = Prepare(kElpMainDistance, true, 0.05);
    return terms;
}

double Poly(const double (&c)[5], double t) { return c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * c[4]))); }
double PolyRate(const double (&c)[5], double t) { return c[1] + t * (2 * c[2] + t * (3 * c[3] + t * 4 * c[4])); }

// ELP/MPP02 mean arguments in arcseconds (constant, T, T^2, T^3, T^4), with
// the corrections fitted to DE405: W1 the Moon's mean longitude, W2 its
// perigee, W3 its node, EMB the Earth-Moon barycentre, PERI its perihelion.
constexpr double kW1[5] = {218 * 3600.0 + 18 * 60 + 59.95571 - 0.07008, 1732559343.73604 - 0.35106,
                           -6.8084 - 0.03743, 0.66040e-2 - 0.00018865, -0.31690e-4 - 0.00001024};
constexpr double kW2[5] = {83 * 3600.0 + 21 * 60 + 11.67475 + 0.20794, 14643420.3171 + 0.08017,
                           -38.2631 + 0.00470602, -0.45047e-1 - 0.00025213, 0.21301e-3};
constexpr double kW3[5] = {125 * 3600.0 + 2 * 60 + 40.39816 - 0.07215, -6967919.5383 - 0.04317,
                           6.3590 - 0.00261070, 0.76250e-2 - 0.00010712, -0.35860e-4};
constexpr double kEmb[5] = {100 * 3600.0 + 27 * 60 + 59.13885 - 0.00033, 129597742.29300 + 0.00732, -0.020200,
                            0.90000e-5, 0.15000e-6};
constexpr double kPeri[5] = {102 * 3600.0 + 56 * 60 + 14.45766 - 0.00749, 1161.24342, 0.529265, -0.11814e-3,
                             0.11379e-4};
// General precession in longitude, IAU 2006 (Capitaine et al. 2003), arcseconds.
constexpr double kPrecession[5] = {0, 5028.796195, 1.1054348, 0.00007964, -0.000023857};

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
    const double tau = (jdTT - 2451545.0) / 365250.0;
    const double L = (Sum(kL0, tau) +
                      tau * (Sum(kL1, tau) + tau * (Sum(kL2, tau) + tau * (Sum(kL3, tau) + tau * (Sum(kL4, tau) + tau * Sum(kL5, tau)))))) *
                     1e-8;
    const double B = (Sum(kB0, tau) + tau * Sum(kB1, tau)) * 1e-8;
    const double R = (Sum(kR0, tau) + tau * (Sum(kR1, tau) + tau * (Sum(kR2, tau) + tau * (Sum(kR3, tau) + tau * Sum(kR4, tau))))) * 1e-8;
    double lon = L + kPi;
    double lat = -B;
    // Conversion to the FK5 system (Meeus 32.3).
    const double t = tau * 10.0;
    const double lp = lon - (1.397 * kDegree) * t - (0.00031 * kDegree) * t * t;
    lon += -0.09033 * kArcsecond;
    lat += 0.03916 * kArcsecond * (std::cos(lp) - std::sin(lp));
    // Annual aberration.
    lon += -20.4898 * kArcsecond / R;
    return {lon, lat, R * kAuKm};
}

namespace {

// sin and cos of n * a for n = 0..4, by the angle-addition recurrence.
struct Multiples {
    double s[9], c[9];
    explicit Multiples(double a) {
        s[0] = 0, c[0] = 1, s[1] = std::sin(a), c[1] = std::cos(a);
        for (int n = 2; n < 9; ++n) {
            s[n] = s[n - 1] * c[1] + c[n - 1] * s[1];
            c[n] = c[n - 1] * c[1] - s[n - 1] * s[1];
        }
    }
    void Of(int n, double& sn, double& cn) const {
        const int k = n < 0 ? -n : n;
        sn = n < 0 ? -s[k] : s[k];
        cn = c[k];
    }
};

// sin and cos of d*D + m*M + mp*M' + f*F from the tables of multiples.
inline void Combine(const Multiples& D, const Multiples& M, const Multiples& Mp, const Multiples& F, int d, int m,
                    int mp, int f, double& sn, double& cn) {
    double s1, c1, s2, c2;
    D.Of(d, sn, cn);
    M.Of(m, s1, c1);
    double s = sn * c1 + cn * s1, c = cn * c1 - sn * s1;
    Mp.Of(mp, s1, c1);
    F.Of(f, s2, c2);
    const double s3 = s1 * c2 + c1 * s2, c3 = c1 * c2 - s1 * s2;
    sn = s * c3 + c * s3;
    cn = c * c3 - s * s3;
}

}  // namespace

EclipticPosition MoonPosition(double jdTT, double* longitudeRate) {
    return MoonPositionParts(jdTT, longitudeRate, MoonDetail::Full);
}

EclipticPosition MoonPositionParts(double jdTT, double* longitudeRate, MoonDetail detail) {
    const bool longitudeOnly = detail != MoonDetail::Full;
    // The 60 largest longitude terms: within about 10" of the whole series.
    const size_t longitudeCount = detail == MoonDetail::Coarse ? 60 : LongitudeTerms().size();
    const double t = CenturiesFromJ2000(jdTT);
    const double w1 = Poly(kW1, t), w2 = Poly(kW2, t), w3 = Poly(kW3, t), emb = Poly(kEmb, t), peri = Poly(kPeri, t);
    const double lMean = (w1 + Poly(kPrecession, t)) * kArcsecond;
    const double d = (w1 - emb) * kArcsecond + kPi;
    const double f = (w1 - w3) * kArcsecond;
    const double mp = (w1 - w2) * kArcsecond;
    const double m = (emb - peri) * kArcsecond;
    // Rates in radians per century.
    const double rw1 = PolyRate(kW1, t), rw2 = PolyRate(kW2, t), rw3 = PolyRate(kW3, t), remb = PolyRate(kEmb, t),
                 rperi = PolyRate(kPeri, t);
    const double rd = (rw1 - remb) * kArcsecond, rf = (rw1 - rw3) * kArcsecond, rmp = (rw1 - rw2) * kArcsecond,
                 rm = (remb - rperi) * kArcsecond;
    const double e = 1.0 - t * (0.002516 + t * 0.0000074);
    const Multiples D(d), M(m), Mp(mp), F(f);

    // The ELP/MPP02 main problem; the Earth's decreasing eccentricity enters
    // through E as in Meeus chapter 47.
    double sl = 0, sr = 0, slRate = 0, sb = 0;
    const double e2 = e * e;
    auto scaleOf = [&](int lp) { return lp == 0 ? 1.0 : (lp == 1 || lp == -1 ? e : e2); };
    for (size_t i = 0; i < longitudeCount; ++i) {
        const PreparedTerm& term = LongitudeTerms()[i];
        double sn, cn;
        Combine(D, M, Mp, F, term.d, term.lp, term.l, term.f, sn, cn);
        const double a = term.amplitude * scaleOf(term.lp);
        sl += a * sn;
        slRate += a * cn * (term.d * rd + term.lp * rm + term.l * rmp + term.f * rf);
    }
    if (!longitudeOnly) {
        for (const PreparedTerm& term : LatitudeTerms()) {
            double sn, cn;
            Combine(D, M, Mp, F, term.d, term.lp, term.l, term.f, sn, cn);
            sb += term.amplitude * scaleOf(term.lp) * sn;
        }
        for (const PreparedTerm& term : DistanceTerms()) {
            double sn, cn;
            Combine(D, M, Mp, F, term.d, term.lp, term.l, term.f, sn, cn);
            sr += term.amplitude * scaleOf(term.lp) * cn;
        }
    }
    // The largest planetary and figure perturbations, as Meeus chapter 47
    // gives them (1e-6 degree): Venus (A1), Jupiter (A2), the Earth's
    // flattening (L' - F), and in latitude the motion of the ecliptic.
    const double a1 = (119.75 + 131.849 * t) * kDegree;
    const double a2 = (53.09 + 479264.290 * t) * kDegree;
    double pl = 3958 * std::sin(a1) + 1962 * std::sin(lMean - f) + 318 * std::sin(a2);
    double pb = 0;
    if (!longitudeOnly) {
        const double a3 = (313.45 + 481266.484 * t) * kDegree;
        pb = -2235 * std::sin(lMean) + 382 * std::sin(a3) + 175 * std::sin(a1 - f) + 175 * std::sin(a1 + f) +
             127 * std::sin(lMean - mp) - 115 * std::sin(lMean + mp);
    }
    if (longitudeRate != nullptr) {
        const double rl = (rw1 + PolyRate(kPrecession, t)) * kArcsecond;
        *longitudeRate = (rl + slRate * kArcsecond) / 36525.0;
    }
    constexpr double kDistanceScale = 384747.9613701725 / 384747.980674318;  // DE405 / ELP mean distance
    return {lMean + sl * kArcsecond + pl * 1e-6 * kDegree, sb * kArcsecond + pb * 1e-6 * kDegree,
            sr * kDistanceScale};
}

double SunLongitude(double jdTT, double* rate) {
    const double tau = (jdTT - 2451545.0) / 365250.0;
    const double L = (Sum(kL0, tau) +
                      tau * (Sum(kL1, tau) + tau * (Sum(kL2, tau) + tau * (Sum(kL3, tau) + tau * (Sum(kL4, tau) + tau * Sum(kL5, tau)))))) *
                     1e-8;
    // The radius only enters the aberration: its three largest terms do.
    const double R = 1.00013989 + 0.01670700 * std::cos(3.0984635 + 6283.07585 * tau) +
                     0.00013956 * std::cos(3.05525 + 12566.1517 * tau) + 0.00103019 * tau * std::cos(1.10749 + 6283.07585 * tau);
    if (rate != nullptr) {
        // The mean motion and the derivatives of the two largest periodic
        // terms: good to 1e-4 of the rate, which is all a step of minutes needs.
        const double dL = 6283.31966747 - 0.03341656 * 6283.07585 * std::sin(4.6692568 + 6283.07585 * tau) -
                          0.00034894 * 12566.1517 * std::sin(4.6261 + 12566.1517 * tau);
        *rate = dL / 365250.0;
    }
    return L + kPi - 0.09033 * kArcsecond - 20.4898 * kArcsecond / R;
}

}  // namespace vxphase
