#pragma once

#include <cmath>

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"

namespace trelvan {

// The quantities at the footpoint latitude of a grid position in UTM form
// that both the inverse projection and the grid convergence are series in.
// A southern point's footpoint is found from the mirrored northing, so phi1
// is the latitude's absolute value and the callers restore the sign.
struct FootpointTerms {
  bool southern;  // band letter below 'N'
  double dE;      // easting offset from the central meridian, metres
  double phi1;    // footpoint latitude, radians
  double c, s, t;                // cosine, sine and tangent of phi1
  double t2, t4, t6;             // powers of t
  double eta2, eta4, eta6, eta8; // powers of eta^2 = c^2 ep2
  double w;                      // 1 - e2 s^2
  double nu, nu2, nu4, nu6;      // prime vertical radius a / sqrt(w) and its powers, metres
};

inline FootpointTerms FootpointTermsOf(const UtmPoint& grid, const Datum& row) {
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
