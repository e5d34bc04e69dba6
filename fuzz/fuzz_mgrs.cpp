// The reading and writing of grid references. The first byte chooses: even,
// the rest is the text of a reference (lettered for the datum the second
// byte names), and whatever it reads must write back as a reference that
// reads to the same cell; odd, the next bytes are an easting, a northing,
// a zone, a band and a precision (any bits), and whatever is written must
// read back to a cell that holds the position.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "geodesy/Mgrs.h"

namespace trelvan {
namespace {

double CellSize(int precision) { return std::pow(10.0, 5 - precision); }

void CheckReading(std::string_view text, std::uint16_t datum) {
  UtmPoint corner{};
  int precision = -1;
  if (MgrsToUtm(text, datum, corner, precision) != MgrsStatus::kOk) return;
  fuzz::Check(precision >= 0 && precision <= kMgrsMaxPrecision, "precision 0..5");
  fuzz::Check(corner.easting >= 100000.0 && corner.easting < 900000.0, "easting in a square");
  fuzz::Check(corner.northing >= 0.0 && corner.northing < 10100000.0, "northing on the grid");
  char again[kMgrsTextSize];
  fuzz::Check(
      UtmToMgrs(corner, precision, MgrsStyle::kCompact, again, sizeof again) == MgrsStatus::kOk,
      "a cell read is written");
  UtmPoint back{};
  int backPrecision = -1;
  fuzz::Check(MgrsToUtm(again, datum, back, backPrecision) == MgrsStatus::kOk &&
                  back.easting == corner.easting && back.northing == corner.northing &&
                  back.zone == corner.zone && back.band == corner.band &&
                  backPrecision == precision,
              "the written reference reads to the same cell");
}

void CheckWriting(const std::uint8_t* data, std::size_t size) {
  std::uint8_t bytes[21] = {};
  std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
  UtmPoint grid{};
  std::memcpy(&grid.easting, bytes, 8);
  std::memcpy(&grid.northing, bytes + 8, 8);
  grid.zone = bytes[16];
  grid.band = static_cast<signed char>(bytes[17]);
  grid.datum = bytes[18];
  const int precision = bytes[19] % 7;  // 6 is refused
  const MgrsStyle style = bytes[20] % 2 == 0 ? MgrsStyle::kCompact : MgrsStyle::kSpaced;
  char text[kMgrsTextSize];
  if (UtmToMgrs(grid, precision, style, text, sizeof text) != MgrsStatus::kOk) {
    fuzz::Check(text[0] == '\0', "a refusal writes an empty text");
    return;
  }
  fuzz::Check(std::strlen(text) < kMgrsTextSize, "the reference fits");
  UtmPoint corner{};
  int read = -1;
  fuzz::Check(MgrsToUtm(text, grid.datum, corner, read) == MgrsStatus::kOk, "written reads back");
  const double cell = CellSize(read);
  fuzz::Check(read == precision && corner.zone == grid.zone && corner.band == grid.band &&
                  grid.easting >= corner.easting && grid.easting < corner.easting + cell &&
                  grid.northing >= corner.northing && grid.northing < corner.northing + cell,
              "the cell read holds the position written");
}

}  // namespace
}  // namespace trelvan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  if (size < 2) return 0;
  if ((data[0] & 1) == 0) {
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    CheckReading(text, data[1]);
    return 0;
  }
  CheckWriting(data + 1, size - 1);
  return 0;
}
