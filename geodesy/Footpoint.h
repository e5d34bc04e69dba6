#pragma once

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

FootpointTerms FootpointTermsOf(const UtmPoint& grid, const Datum& row);

}  // namespace trelvan
