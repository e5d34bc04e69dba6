#include "geodesy/GridDomain.h"

#include <cmath>
#include <numbers>

#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "geodesy/Bands.h"

namespace trelvan {
namespace {

// How far outside its band a position may lie and still be taken as in it,
// degrees (about a kilometre).
constexpr double kBandSlackDeg = 0.01;

// True when latDeg lies in the band of `letter` widened by the slack; the
// first and last bands reach on to the overlap beyond the grid.
bool InBand(signed char letter, double latDeg) {
  const int band = BandIndex(static_cast<char>(letter));
  if (band < 0) return false;
  const double south = BandSouthDeg(band);
  const double north = BandNorthDeg(band);
  const double low = band == 0 ? kGridSouthDeg - kGridOverlapDeg : south - kBandSlackDeg;
  const double high =
      band == kBandCount - 1 ? kGridNorthDeg + kGridOverlapDeg : north + kBandSlackDeg;
  return latDeg >= low && latDeg <= high;
}

}  // namespace

GridStatus ToGrid(const GeoPoint& p, UtmPoint& out) {
  const double latDeg = EdgeDegrees(p.lat);
  if (!(latDeg >= kGridSouthDeg && latDeg <= kGridNorthDeg && std::isfinite(p.lon))) {
    return GridStatus::kBeyondLatitudes;
  }
  GeoToUtm(p, out);
  return GridStatus::kOnGrid;
}

GridStatus FromGrid(const UtmPoint& grid, BandRule rule, GeoPoint& out) {
  if (grid.zone < 1 || grid.zone > 60) return GridStatus::kNoZone;
  const bool southern = grid.band < 'N';
  const bool onSide = std::isfinite(grid.northing) &&
                      (southern ? grid.northing <= kFalseNorthing : grid.northing >= 0.0);
  if (!(std::fabs(grid.easting - kFalseEasting) <= kGridReachEasting && onSide)) {
    return GridStatus::kOutsideZone;
  }
  GeoPoint p = UtmToGeo(grid);
  const double latDeg = p.lat * kRadToDeg;
  if (!(latDeg >= kGridSouthDeg - kGridOverlapDeg && latDeg <= kGridNorthDeg + kGridOverlapDeg)) {
    return GridStatus::kBeyondLatitudes;
  }
  if (!(std::fabs((p.lon - CentralMeridian(grid.zone)) * kRadToDeg) <= kGridReachDeg)) {
    return GridStatus::kOutsideZone;
  }
  if (rule == BandRule::kLetter && !InBand(grid.band, latDeg)) return GridStatus::kBandMismatch;
  // West of zone 1 and east of zone 60 the series run past the antimeridian.
  // The test is on pi itself, so every longitude inside +-180 degrees keeps
  // its exact bits.
  if (p.lon > std::numbers::pi || p.lon < -std::numbers::pi) {
    p.lon = WrapRadians(p.lon + kHalfTurn) - kHalfTurn;
  }
  out = p;
  return GridStatus::kOnGrid;
}

}  // namespace trelvan
