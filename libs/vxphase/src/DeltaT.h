// Delta T (TT - UT) after Espenak & Meeus, "Five Millennium Canon of Solar
// Eclipses" (NASA/TP-2006-214141), section 2.6: polynomials fitted to the
// historical record from -500 to 2150 and the long-term parabola
// -20 + 32 u^2 (u in centuries from 1820) outside it.
#pragma once

namespace vxphase {

// Seconds at a decimal year. canonCorrection adds -0.000012932 (y - 1955)^2 s,
// the adjustment the canon makes for its lunar secular acceleration
// (-25.858"/cy^2) against the -26" the polynomials assume.
double DeltaTSeconds(double decimalYear, bool canonCorrection);

}  // namespace vxphase
