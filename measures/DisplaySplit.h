#pragma once

#include <cstdint>

namespace trelvan {

// Degrees, minutes, seconds and hundredths of a second of an angle.
struct DmsParts {
  std::int32_t deg;
  std::int32_t min;
  std::int32_t sec;
  std::int32_t hun;
};

// Whole metres and the decimetre digit of a grid coordinate.
struct DecimetreParts {
  std::uint32_t whole;
  std::int32_t dm;
};

// Whole units and hundredths of a value.
struct HundredthParts {
  std::int32_t whole;
  std::int32_t hun;
};

// Splits x >= 0 (radians) into degrees, minutes, seconds and hundredths of a
// second, each computed afresh from x with its own constant; the three
// carries (hundredths, seconds, minutes) are checked in turn, each whatever
// happened before it. The degrees are a 16-bit field.
DmsParts SplitDms(double x);

// Splits a grid coordinate v >= 0 (metres) into whole metres (32-bit
// unsigned) and a rounded decimetre digit, carrying 10 into the metres.
DecimetreParts SplitDecimetres(double v);

// Splits v >= 0 into whole units (a 16-bit field) and rounded hundredths,
// carrying 100 into the whole units.
HundredthParts SplitHundredths(double v);

// As SplitHundredths with a 32-bit whole part (ranges).
HundredthParts SplitHundredths32(double v);

// Whole parts beyond their field are never converted with undefined
// behaviour: the truncation saturates at the field's limits and NaN gives 0.

}  // namespace trelvan
