#include "exchange/GridText.h"

#include "geodesy/GridDomain.h"
#include "tools/calc/Format.h"

namespace trelvan::exchange {

namespace {
constexpr int kMillimetreDecimals = 3;
}  // namespace

bool AppendGridPosition(std::string& out, const GeoPoint& p, char separator) {
  UtmPoint grid{};
  if (ToGrid(p, grid) != GridStatus::kOnGrid) return false;
  calc::AppendInteger(out, grid.zone);
  out += separator;
  out += static_cast<char>(grid.band);
  out += separator;
  calc::AppendFixed(out, grid.easting, kMillimetreDecimals);
  out += separator;
  calc::AppendFixed(out, grid.northing, kMillimetreDecimals);
  return true;
}

}  // namespace trelvan::exchange
