#include "geodesy/Footpoint.h"

#include <cmath>

namespace trelvan {

FootpointTerms FootpointTermsOf(const UtmPoint& grid, const Datum& row) {
  FootpointTerms f;
  f.southern = grid.band < 'N';
  const double northing = f.southern ? kFalseNorthing - grid.northing : grid.northing;
  f.dE = grid.easting - kFalseEasting;
  f.phi1 = FootpointLatitude(northing, MeridianArcCoefficients(row.a, row.inv_f));
  f.c = std::cos(f.phi1);
  f.s = std::sin(f.phi1);
  f.t = std::tan(f.phi1);
  f.t2 = f.t * f.t;
  f.t4 = f.t2 * f.t2;
  f.t6 = f.t4 * f.t2;
  f.eta2 = (f.c * f.c) * row.ep2;
  f.eta4 = f.eta2 * f.eta2;
  f.eta6 = f.eta4 * f.eta2;
  f.eta8 = f.eta4 * f.eta4;
  f.w = 1.0 - row.e2 * (f.s * f.s);
  f.nu = row.a / std::sqrt(f.w);
  f.nu2 = f.nu * f.nu;
  f.nu4 = f.nu2 * f.nu2;
  f.nu6 = f.nu4 * f.nu2;
  return f;
}

}  // namespace trelvan
