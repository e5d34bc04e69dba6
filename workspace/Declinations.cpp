#include "workspace/Declinations.h"

#include <cstdint>
#include <limits>

#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/GridDomain.h"
#include "magnetic/Igrf14.h"

namespace trelvan {
namespace {

DateStamp DateStampFrom(const QDateTime& time) {
  const QDate date = time.date();
  const QTime clock = time.time();
  return DateStamp{static_cast<double>(clock.second()),
                   static_cast<std::int16_t>(clock.minute()),
                   static_cast<std::int16_t>(clock.hour()),
                   static_cast<std::int16_t>(date.day()),
                   static_cast<std::int16_t>(date.month()),
                   static_cast<std::int16_t>(date.year())};
}

}  // namespace

double MagneticVarianceAt(const QDateTime& clock, const GeoPoint& position) {
  return Igrf14Variance(DateStampFrom(clock), position);
}

Declinations DeclinationsAt(const QDateTime& clock, const GeoPoint& p) {
  const double variance = MagneticVarianceAt(clock, p) * kDegToRad;
  UtmPoint grid{};
  return Declinations{variance, ToGrid(p, grid) == GridStatus::kOnGrid
                                    ? UtmConvergence(grid)
                                    : std::numeric_limits<double>::quiet_NaN()};
}

}  // namespace trelvan
