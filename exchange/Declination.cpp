#include "exchange/Declination.h"

#include <cmath>
#include <cstdint>

#include "magnetic/Igrf14.h"

namespace trelvan::exchange {

std::optional<double> ExportDeclination(const QDate& date, const GeoPoint& point) {
  const DateStamp stamp{0.0,
                        0,
                        0,
                        static_cast<std::int16_t>(date.day()),
                        static_cast<std::int16_t>(date.month()),
                        static_cast<std::int16_t>(date.year())};
  const double degrees = Igrf14Variance(stamp, point);
  // The model marks a vanishing horizontal field with a value far beyond a
  // half turn.
  if (!(std::isfinite(degrees) && std::fabs(degrees) <= 180.0)) return std::nullopt;
  return degrees;
}

}  // namespace trelvan::exchange
