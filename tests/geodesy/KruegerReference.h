#pragma once

#include <cmath>

// An independent transverse Mercator for checking the projection: Krüger's
// series in the third flattening n through the conformal latitude, which is
// accurate to well under a micrometre within a few thousand kilometres of
// the central meridian. Nothing here shares code with the program's series.
namespace trelvan::test {

struct KruegerResult {
  double easting;      // metres, with the false easting 500000
  double northing;     // metres, with 10000000 added south of the equator
  double convergence;  // radians, clockwise from true north to grid north
};

// lat and dlon (longitude minus the central meridian) in radians.
inline KruegerResult KruegerProject(double a, double inv_f, double lat, double dlon) {
  const double f = 1.0 / inv_f;
  const double n = f / (2.0 - f);
  const double e = std::sqrt(f * (2.0 - f));
  const double n2 = n * n;
  const double n3 = n2 * n;
  const double n4 = n3 * n;
  const double rectifying = a / (1.0 + n) * (1.0 + n2 / 4.0 + n4 / 64.0);
  const double alpha[4] = {
      n / 2.0 - 2.0 * n2 / 3.0 + 5.0 * n3 / 16.0 + 41.0 * n4 / 180.0,
      13.0 * n2 / 48.0 - 3.0 * n3 / 5.0 + 557.0 * n4 / 1440.0,
      61.0 * n3 / 240.0 - 103.0 * n4 / 140.0,
      49561.0 * n4 / 161280.0,
  };
  const double tauConformal =
      std::sinh(std::asinh(std::tan(lat)) - e * std::atanh(e * std::sin(lat)));
  const double xi0 = std::atan2(tauConformal, std::cos(dlon));
  const double eta0 = std::asinh(
      std::sin(dlon) / std::sqrt(tauConformal * tauConformal + std::cos(dlon) * std::cos(dlon)));
  double xi = xi0;
  double eta = eta0;
  double p = 1.0;
  double q = 0.0;
  for (int j = 1; j <= 4; ++j) {
    const double k = 2.0 * j;
    const double aj = alpha[j - 1];
    xi += aj * std::sin(k * xi0) * std::cosh(k * eta0);
    eta += aj * std::cos(k * xi0) * std::sinh(k * eta0);
    p += k * aj * std::cos(k * xi0) * std::cosh(k * eta0);
    q += k * aj * std::sin(k * xi0) * std::sinh(k * eta0);
  }
  const double k0 = 0.9996;
  const double gammaSphere =
      std::atan(tauConformal / std::sqrt(1.0 + tauConformal * tauConformal) * std::tan(dlon));
  KruegerResult r;
  r.easting = k0 * rectifying * eta + 500000.0;
  r.northing = k0 * rectifying * xi + (lat < 0.0 ? 10000000.0 : 0.0);
  r.convergence = gammaSphere + std::atan2(q, p);
  return r;
}

}  // namespace trelvan::test
