#include "measures/DisplaySplit.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "geodesy/Angles.h"
#include "geodesy/Rounding.h"

namespace trelvan {
namespace {

// Truncation towards zero into an integer field of type T. A value the field
// cannot hold gives the field's nearest limit and NaN gives 0, so that no
// conversion is undefined; inside the field the result is the plain cast.
template <typename T>
T TruncateInto(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLow = static_cast<double>(std::numeric_limits<T>::min());
  // max + 1 is a power of two and so exact as a double.
  constexpr double kHighExclusive = static_cast<double>(std::numeric_limits<T>::max()) + 1.0;
  if (v <= kLow - 1.0) return std::numeric_limits<T>::min();
  if (v >= kHighExclusive) return std::numeric_limits<T>::max();
  return static_cast<T>(v);
}

// One more unit in a field, staying at the limit instead of overflowing.
template <typename T>
T Incremented(T v) {
  return v == std::numeric_limits<T>::max() ? v : static_cast<T>(v + 1);
}

// An integer field times a whole factor as a double; the product is formed
// in 64 bits so that a saturated field cannot overflow it.
double Product(std::int64_t field, std::int64_t factor) {
  return static_cast<double>(field * factor);
}

}  // namespace

DmsParts SplitDms(double x) {
  // Each part is taken from x with its own constant, not from the remainder
  // of the part before, and the differences are formed left to right: the
  // displayed digits depend on this exact order.
  const std::int16_t deg16 = TruncateInto<std::int16_t>(x * kRadToDeg);
  DmsParts p;
  p.deg = deg16;
  p.min = TruncateInto<std::int32_t>(x * kRadToMinutes - Product(p.deg, 60));
  p.sec = TruncateInto<std::int32_t>(x * kRadToSeconds - Product(p.deg, 3600) -
                                     Product(p.min, 60));
  p.hun = RoundHalfAway(x * kRadToHundredths - Product(p.deg, 360000) -
                        Product(p.min, 6000) - Product(p.sec, 100));
  // The carries are checked one after the other, each whatever happened
  // before it: the minutes can reach 60 on their own, without any carry
  // from the hundredths.
  if (p.hun == 100) {
    p.hun = 0;
    p.sec = Incremented(p.sec);
  }
  if (p.sec == 60) {
    p.sec = 0;
    p.min = Incremented(p.min);
  }
  if (p.min == 60) {
    p.min = 0;
    p.deg = Incremented(p.deg);
  }
  return p;
}

DecimetreParts SplitDecimetres(double v) {
  DecimetreParts p;
  p.whole = TruncateInto<std::uint32_t>(v);
  p.dm = RoundHalfAway((v - static_cast<double>(p.whole)) * 10.0);
  if (p.dm == 10) {
    p.whole = Incremented(p.whole);
    p.dm = 0;
  }
  return p;
}

namespace {

// Whole units truncated into a field of type Whole, rounded hundredths, and
// the carry of 100 hundredths into the whole units.
template <typename Whole>
HundredthParts SplitHundredthsInto(double v) {
  HundredthParts p;
  p.whole = TruncateInto<Whole>(v);
  p.hun = RoundHalfAway((v - static_cast<double>(p.whole)) * 100.0);
  if (p.hun == 100) {
    p.whole = Incremented(static_cast<Whole>(p.whole));
    p.hun = 0;
  }
  return p;
}

}  // namespace

HundredthParts SplitHundredths(double v) { return SplitHundredthsInto<std::int16_t>(v); }

HundredthParts SplitHundredths32(double v) { return SplitHundredthsInto<std::int32_t>(v); }

}  // namespace trelvan
