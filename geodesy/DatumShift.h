#pragma once

#include <cmath>
#include <cstdint>

#include "geodesy/Datum.h"

namespace trelvan {

// An earth-centred, earth-fixed position in metres on the ellipsoid and
// origin of datum `datum`: x towards 0N 0E, y towards 0N 90E, z north.
struct EcefPoint {
  double x;
  double y;
  double z;
  std::uint16_t datum;
};

// Geodetic to cartesian on p's own datum (index replaced as by DatumRow).
// Inline: every polar computation converts one or two points this way.
inline EcefPoint GeodeticToEcef(const GeoPoint& p) {
  const std::uint16_t datum = DatumRowIndex(p.datum);
  const Datum& row = DatumRow(datum);
  const double sinPhi = std::sin(p.lat);
  const double cosPhi = std::cos(p.lat);
  const double nu = row.a / std::sqrt(1.0 - (sinPhi * sinPhi) * row.e2);
  EcefPoint q;
  q.x = ((nu + p.height) * std::cos(p.lon)) * cosPhi;
  q.y = ((nu + p.height) * std::sin(p.lon)) * cosPhi;
  q.z = ((1.0 - row.e2) * nu + p.height) * sinPhi;
  q.datum = datum;
  return q;
}

// Cartesian to geodetic on q's own datum by Bowring's one-step formula.
GeoPoint EcefToGeodetic(const EcefPoint& q);

// The seven-parameter shift of `row` from its datum to WGS-84, position-
// vector form with small-angle rotations; the result carries datum 0.
EcefPoint HelmertToWgs84(const Datum& row, const EcefPoint& q);

// The exact inverse of HelmertToWgs84: the rotation matrix is inverted
// through its adjugate and determinant rather than by flipping the signs, so
// a shift there and back returns the point to rounding. The result carries
// w's datum index; the caller sets the one it means.
EcefPoint HelmertFromWgs84(const Datum& row, const EcefPoint& w);

// Shifts q from its datum to WGS-84 (result datum 0).
EcefPoint DatumToWgs84(const EcefPoint& q);

// Shifts q (any datum, taken to WGS-84 first) into datum `target` by the
// exact inverse of that datum's shift; the result carries `target` as given.
EcefPoint DatumFromWgs84(std::uint16_t target, const EcefPoint& q);

// The same position expressed in datum `target`. When `target` equals
// p.datum the result is p itself, bit for bit.
GeoPoint ConvertDatum(std::uint16_t target, const GeoPoint& p);

}  // namespace trelvan
