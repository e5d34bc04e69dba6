#include "geodesy/DatumShift.h"

#include <cmath>
#include <numbers>

namespace trelvan {
namespace {

constexpr double kArcSecondsToRadians = 4.84813681109536e-06;
constexpr double kPpmToFactor = 1e-06;
constexpr std::uint16_t kWgs84 = 0;

}  // namespace

// Bowring's formula in one step, without iteration: within 10 km of the
// ellipsoid it is exact to about 2e-8 arc-seconds in latitude.
GeoPoint EcefToGeodetic(const EcefPoint& q) {
  const std::uint16_t datum = DatumRowIndex(q.datum);
  const Datum& row = DatumRow(datum);
  GeoPoint g{};
  g.datum = datum;
  g.lon = std::atan2(q.y, q.x);
  const double p = std::sqrt(q.x * q.x + q.y * q.y);
  if (p == 0.0) {
    // On the polar axis the formula divides by zero and would put a point
    // over the north pole at the south pole: the pole itself, by the sign
    // of z, and the height along the axis.
    g.lat = std::copysign(std::numbers::pi / 2.0, q.z);
    g.height = std::fabs(q.z) - row.b;
    return g;
  }
  const double theta = std::atan((q.z * row.a) / (p * row.b));
  const double sinTheta = std::sin(theta);
  const double cosTheta = std::cos(theta);
  const double sin3 = (sinTheta * sinTheta) * sinTheta;
  const double cos3 = (cosTheta * cosTheta) * cosTheta;
  const double phi = std::atan((sin3 * row.ep2 * row.b + q.z) / (p - cos3 * row.e2 * row.a));
  const double sinPhi = std::sin(phi);
  g.lat = phi;
  g.height = p / std::cos(phi) - row.a / std::sqrt(1.0 - (sinPhi * sinPhi) * row.e2);
  return g;
}

EcefPoint HelmertToWgs84(const Datum& row, const EcefPoint& q) {
  const double m = 1.0 + row.scale_ppm * kPpmToFactor;
  const double rx = row.rx * kArcSecondsToRadians;
  const double ry = row.ry * kArcSecondsToRadians;
  const double rz = row.rz * kArcSecondsToRadians;
  EcefPoint w;
  w.x = ((q.x - q.y * rz) + q.z * ry) * m + row.dx;
  w.y = ((q.x * rz + q.y) - q.z * rx) * m + row.dy;
  w.z = ((q.y * rx - q.x * ry) + q.z) * m + row.dz;
  w.datum = kWgs84;
  return w;
}

EcefPoint HelmertFromWgs84(const Datum& row, const EcefPoint& w) {
  const double rx = row.rx * kArcSecondsToRadians;
  const double ry = row.ry * kArcSecondsToRadians;
  const double rz = row.rz * kArcSecondsToRadians;
  const double dx = w.x - row.dx;
  const double dy = w.y - row.dy;
  const double dz = w.z - row.dz;
  const double M =
      1.0 / ((rx * rx + ry * ry + rz * rz + 1.0) * (1.0 + row.scale_ppm * kPpmToFactor));
  EcefPoint t;
  t.x = (((rx * ry + rz) * dy + (rx * rx + 1.0) * dx) + (rx * rz - ry) * dz) * M;
  t.y = (((rx * ry - rz) * dx + (ry * ry + 1.0) * dy) + (rz * ry + rx) * dz) * M;
  t.z = (((rx * rz + ry) * dx + (rz * ry - rx) * dy) + (rz * rz + 1.0) * dz) * M;
  t.datum = w.datum;
  return t;
}

EcefPoint DatumToWgs84(const EcefPoint& q) {
  const std::uint16_t datum = DatumRowIndex(q.datum);
  if (datum == kWgs84) {
    return EcefPoint{q.x, q.y, q.z, kWgs84};
  }
  return HelmertToWgs84(DatumRow(datum), q);
}

EcefPoint DatumFromWgs84(std::uint16_t target, const EcefPoint& q) {
  const EcefPoint w = q.datum != kWgs84 ? DatumToWgs84(q) : q;
  if (target == kWgs84) {
    return EcefPoint{w.x, w.y, w.z, kWgs84};
  }
  EcefPoint t = HelmertFromWgs84(DatumRow(target), w);
  t.datum = target;
  return t;
}

GeoPoint ConvertDatum(std::uint16_t target, const GeoPoint& p) {
  if (target == p.datum) {
    return p;
  }
  return EcefToGeodetic(DatumFromWgs84(target, DatumToWgs84(GeodeticToEcef(p))));
}

}  // namespace trelvan
