// The reading of a typed field and the display splits. The first byte
// chooses: even, the rest is the text of a field, read against a reference
// model of the reading; odd, the next eight bytes are a double (any bits)
// handed to every display split, whose parts must rebuild the value where
// the value fits the fields.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "measures/DisplaySplit.h"
#include "measures/FieldNumber.h"

namespace trelvan {
namespace {

bool Blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }

// The reading written out on its own: blanks, one sign, the digits up to
// the first other character; leading zeros do not count, more than ten
// significant digits are certainly beyond 32 bits, and the value saturates.
std::int32_t ReferenceNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && Blank(text[i])) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  while (i < text.size() && text[i] == '0') ++i;
  std::size_t end = i;
  while (end < text.size() && Digit(text[end])) ++end;
  constexpr std::int32_t kLow = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHigh = std::numeric_limits<std::int32_t>::max();
  if (end - i > 10) return negative ? kLow : kHigh;
  std::int64_t v = 0;
  for (; i < end; ++i) v = v * 10 + (text[i] - '0');
  if (negative) v = -v;
  if (v < kLow) return kLow;
  if (v > kHigh) return kHigh;
  return static_cast<std::int32_t>(v);
}

// Where v fits the whole field: hundredths 0..99 after their carry, and the
// parts rebuild v (the tolerance covers the rounding of a large value).
void CheckHundredths(const HundredthParts& p, double v, double whole_limit) {
  if (v < whole_limit) {
    fuzz::Check(p.hun >= 0 && p.hun <= 99, "hundredths 0..99");
    const double rebuilt = p.whole + p.hun * 0.01;
    fuzz::Check(std::fabs(rebuilt - v) <= 0.005 + 1e-9 * (1.0 + v), "whole and hundredths");
  }
}

void CheckSplits(double x) {
  const DmsParts dms = SplitDms(x);
  const DecimetreParts dm = SplitDecimetres(x);
  const HundredthParts h16 = SplitHundredths(x);
  const HundredthParts h32 = SplitHundredths32(x);
  if (!(x >= 0.0 && std::isfinite(x))) return;

  // Angles up to a few turns: the parts are a clock reading of x.
  if (x < 20.0) {
    fuzz::Check(dms.min >= 0 && dms.min <= 59 && dms.sec >= 0 && dms.sec <= 59 && dms.hun >= 0 &&
                    dms.hun <= 99,
                "minutes, seconds and hundredths in range");
    const double seconds = ((dms.deg * 60.0 + dms.min) * 60.0 + dms.sec) + dms.hun * 0.01;
    fuzz::Check(std::fabs(seconds - x * 206264.80624709628) <= 0.005 + 1e-9,
                "degrees, minutes, seconds and hundredths rebuild the angle");
  }
  if (x < 4294967295.0) {
    fuzz::Check(dm.dm >= 0 && dm.dm <= 9, "decimetre digit 0..9");
    fuzz::Check(std::fabs(dm.whole + dm.dm * 0.1 - x) <= 0.05 + 1e-9 * (1.0 + x),
                "metres and decimetres");
  }
  CheckHundredths(h16, x, 32767.0);
  CheckHundredths(h32, x, 2147483647.0);
}

}  // namespace
}  // namespace trelvan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  if (size < 1) return 0;
  if ((data[0] & 1) == 0) {
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    fuzz::Check(ReadFieldNumber(text) == ReferenceNumber(text), "field reading equals the model");
    return 0;
  }
  double x = 0.0;
  std::memcpy(&x, data + 1, size - 1 < sizeof x ? size - 1 : sizeof x);
  CheckSplits(x);
  CheckSplits(-x);
  return 0;
}
