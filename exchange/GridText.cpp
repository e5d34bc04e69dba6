#include "exchange/GridText.h"

#include "geodesy/Utm.h"
#include "tools/calc/Format.h"

namespace trelvan::exchange {

namespace {
constexpr int kMillimetreDecimals = 3;
}  // namespace

bool AppendGridPosition(std::string& out, const GeoPoint& p, char separator) {
  if (!OnUtmGrid(p)) return false;
  UtmPoint grid{};
  GeoToUtm(p, grid);
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
