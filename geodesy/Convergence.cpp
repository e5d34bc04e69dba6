#include "geodesy/Convergence.h"

#include <cmath>

namespace trelvan {
namespace {

constexpr double kScale = 0.9996;                      // k0
constexpr double kThreeScale2 = 2.9976004800000005;    // 3 k0^2
constexpr double kFifteenScale4 = 14.976014396160387;  // 15 k0^4
constexpr double kScale6Times315 = 314.2447555969211;  // 315 k0^6
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthing = 10000000.0;

}  // namespace

// A series in powers of the easting offset at the footpoint latitude. The
// footpoint of a southern point is found from the mirrored northing, so it
// is the latitude's absolute value and the sign is restored at the end.
double UtmConvergence(const UtmPoint& g) {
  const Datum& row = DatumRow(g.datum);

  const bool southern = g.band < 'N';
  const double northing = southern ? kFalseNorthing - g.northing : g.northing;
  const double dE = g.easting - kFalseEasting;
  const double phi1 = FootpointLatitude(northing, MeridianArcCoefficients(row.a, row.inv_f));

  const double c = std::cos(phi1);
  const double s = std::sin(phi1);
  const double t = std::tan(phi1);
  const double t2 = t * t;
  const double t4 = t2 * t2;
  const double t6 = t4 * t2;
  const double eta2 = (c * c) * row.ep2;
  const double eta4 = eta2 * eta2;
  const double eta6 = eta4 * eta2;
  const double eta8 = eta4 * eta4;
  const double nu = row.a / std::sqrt(1.0 - (s * s) * row.e2);
  const double nu2 = nu * nu;
  const double nu4 = nu2 * nu2;
  const double nu6 = nu4 * nu2;
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
