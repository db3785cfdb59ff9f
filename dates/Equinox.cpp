#include "Equinox.h"

#include <cmath>

#include "PhaseQueries.h"

namespace vx {

namespace {

double TwoPi = 0.0;
bool TableFilled = false;
double EquinoxTermTable[24][3];

// Meeus table 27.C: A, B (degrees), C (degrees per Julian century).
constexpr double kTable27C[24][3] = {
    {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},   {182, 27.85, 445267.112},
    {156, 73.14, 45036.886}, {136, 171.52, 22518.443}, {77, 222.54, 65928.934}, {74, 296.72, 3034.906},
    {70, 243.58, 9037.513},  {58, 119.81, 33718.147},  {52, 297.17, 150.678},   {50, 21.02, 2281.226},
    {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},   {18, 155.12, 67555.328},
    {17, 288.79, 4562.452},  {16, 198.04, 62894.029},  {14, 199.76, 31436.921}, {12, 95.39, 14577.848},
    {12, 287.11, 31931.756}, {12, 320.81, 34777.259},  {9, 227.73, 1222.114},   {8, 15.45, 16859.074},
};

double Polynomial(const double (&c)[5], double y) {
    const double y2 = y * y;
    const double y3 = y2 * y;
    const double y4 = y3 * y;
    return c[0] + c[1] * y + c[2] * y2 + c[3] * y3 + c[4] * y4;
}

// Meeus tables 27.A (years before 1000) and 27.B (from 1000).
constexpr double kTable27A[4][5] = {
    {1721139.29189, 365242.13740, 0.06134, 0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, 0.00907, 0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, 0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006},
};
constexpr double kTable27B[4][5] = {
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
};

}  // namespace

void FillEquinoxTermTable() {
    TwoPi = 6.283185307;
    for (int i = 0; i < 24; ++i) {
        EquinoxTermTable[i][0] = kTable27C[i][0];
        EquinoxTermTable[i][1] = kTable27C[i][1] / 360.0 * TwoPi;
        EquinoxTermTable[i][2] = kTable27C[i][2] / 360.0 * TwoPi;
    }
    TableFilled = true;
}

double EquinoxSolsticeJDE(SeasonEvent event, int32_t year) {
    if (!TableFilled) FillEquinoxTermTable();
    const int row = (event >= 0 && event <= 2) ? event : 3;
    const double jde0 = year < 1000 ? Polynomial(kTable27A[row], year / 1000.0)
                                    : Polynomial(kTable27B[row], (static_cast<double>(year) - 2000.0) / 1000.0);
    const double t = (jde0 - J2000) / 36525.0;
    double s = 0.0;
    for (const auto& term : EquinoxTermTable) s += term[0] * std::cos(term[1] + term[2] * t);
    const double w = (35999.373 * t - 2.47) / 360.0 * TwoPi;
    const double dl = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);
    return jde0 + 0.00001 * s / dl;
}

double EquinoxSolsticeJD(SeasonEvent event, int32_t year) {
    return EquinoxSolsticeJDE(event, year) - DaysFromMinutes(DeltaTForYear(year));
}

double MarchEquinoxJD(int32_t year) { return EquinoxSolsticeJD(0, year); }

}  // namespace vx
