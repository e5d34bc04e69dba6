#include "text/DatumName.h"

#include "geodesy/Datum.h"
#include "text/Numbers.h"

namespace trelvan {

bool FindDatum(std::string_view text, std::uint16_t& index) {
  if (AllDigits(text)) {
    std::int64_t value = 0;
    if (!ParseWhole(text, value) || value >= kDatumCount) return false;
    index = static_cast<std::uint16_t>(value);
    return true;
  }
  for (std::uint16_t i = 0; i < kDatumCount; ++i) {
    if (text == DatumName(i)) {
      index = i;
      return true;
    }
  }
  return false;
}

}  // namespace trelvan
