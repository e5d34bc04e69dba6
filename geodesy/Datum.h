#pragma once

#include <cstddef>
#include <cstdint>

namespace trelvan {

// One row of the datum table: the ellipsoid of a map datum and its shift to
// WGS-84 (a seven-parameter Helmert shift, position-vector form).
struct Datum {
  double a;          // semi-major axis, metres
  double b;          // semi-minor axis a(1 - f), metres
  double inv_f;      // reciprocal flattening 1/f
  double e2;         // first eccentricity squared f(2 - f)
  double ep2;        // second eccentricity squared e2/(1 - e2)
  double dx;         // X translation to WGS-84, metres
  double dy;         // Y translation to WGS-84, metres
  double dz;         // Z translation to WGS-84, metres
  double rx;         // rotation about X, arc-seconds
  double ry;         // rotation about Y, arc-seconds
  double rz;         // rotation about Z, arc-seconds
  double scale_ppm;  // scale difference, parts per million
};

// A geographic position: latitude and longitude in radians (north and east
// positive), height in metres above the ellipsoid of `datum`.
//
// The record is 32 bytes, exactly the image of bytes 24..55 of a waypoint
// record on disk; `unused` holds the last six bytes so that a record read
// from a file is written back byte for byte.
struct GeoPoint {
  double lat;
  double lon;
  double height;
  std::uint16_t datum;
  std::uint8_t unused[6] = {};
};
static_assert(sizeof(GeoPoint) == 32);
static_assert(offsetof(GeoPoint, datum) == 24);

// Number of rows in the datum table; valid indices are 0..kDatumCount-1.
inline constexpr std::uint16_t kDatumCount = 125;

// The datum index that a lookup actually uses: indices above 124 read row 2
// ("ED-50A"). Every computation that reads ellipsoid or shift parameters
// stores this replaced index in its result.
std::uint16_t DatumRowIndex(std::uint16_t index);

// The row of datum `index`; an index above 124 yields row 2 ("ED-50A").
const Datum& DatumRow(std::uint16_t index);

// The display name of datum `index`; an index above 124 yields the name of
// row 0, "WGS-84" (a different fall-back from DatumRow on purpose).
const char* DatumName(std::uint16_t index);

}  // namespace trelvan
