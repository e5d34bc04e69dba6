#include "exchange/GridText.h"

#include "geodesy/GridDomain.h"
#include "text/Numbers.h"

namespace trelvan::exchange {

namespace {
constexpr int kMillimetreDecimals = 3;
}  // namespace

bool AppendGridPosition(std::string& out, const GeoPoint& p, char separator) {
  UtmPoint grid{};
  if (ToGrid(p, grid) != GridStatus::kOnGrid) return false;
  out += FormatInteger(grid.zone).view();
  out += separator;
  out += static_cast<char>(grid.band);
  out += separator;
  out += FormatFixed(grid.easting, kMillimetreDecimals).view();
  out += separator;
  out += FormatFixed(grid.northing, kMillimetreDecimals).view();
  return true;
}

}  // namespace trelvan::exchange
