#include "geodesy/Convergence.h"

#include <cmath>

#include "geodesy/Footpoint.h"

namespace trelvan {
namespace {

constexpr double kScale = 0.9996;                      // k0
constexpr double kThreeScale2 = 2.9976004800000005;    // 3 k0^2
constexpr double kFifteenScale4 = 14.976014396160387;  // 15 k0^4
constexpr double kScale6Times315 = 314.2447555969211;  // 315 k0^6

}  // namespace

// A series in powers of the easting offset at the footpoint latitude. The
// footpoint of a southern point is found from the mirrored northing, so it
// is the latitude's absolute value and the sign is restored at the end.
double UtmConvergence(const UtmPoint& g) {
  const Datum& row = DatumRow(g.datum);

  const FootpointTerms f = FootpointTermsOf(g, row);
  const bool southern = f.southern;
  const double dE = f.dE;
  const double t = f.t;
  const double t2 = f.t2, t4 = f.t4, t6 = f.t6;
  const double eta2 = f.eta2, eta4 = f.eta4, eta6 = f.eta6, eta8 = f.eta8;
  const double nu = f.nu, nu2 = f.nu2, nu4 = f.nu4, nu6 = f.nu6;
  const double dE2 = dE * dE;
  const double dE4 = dE2 * dE2;

  const double T19 = t / (nu * kScale);
  const double T20 = (1.0 + t2 - eta2 - 2.0 * eta4) * (1.0 / (nu2 * kThreeScale2)) * T19;
  const double T21 = (5.0 * t2 + 3.0 * t4 + 2.0 + 2.0 * eta2 + 20.0 * eta6 - 7.0 * t2 * eta4 -
                      27.0 * t2 * eta6 + 11.0 * eta8 - 24.0 * t2 * eta8) *
                     (1.0 / (nu4 * kFifteenScale4)) * T19;
  const double T22 =
      (1.0 / (nu6 * kScale6Times315)) * (17.0 + 77.0 * t2 + 105.0 * t4 + 45.0 * t6) * T19;
  const double gamma = (((T19 - T20 * dE2) + T21 * dE4) - T22 * dE4 * dE2) * dE;
  return southern ? -gamma : gamma;
}

double GridConvergence(const GeoPoint& p) {
  UtmPoint grid{};
  GeoToUtm(p, grid);
  return UtmConvergence(grid);
}

}  // namespace trelvan
