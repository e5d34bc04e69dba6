#pragma once

#include <string_view>

#include "text/FormattedText.h"

// Latitudes and longitudes as text: read as people type them, written as
// degrees, minutes and seconds.

namespace trelvan {

// Which coordinate a geographic angle is: it fixes the hemisphere letters
// (N/S or E/W) and the largest magnitude (90 or 180 degrees).
enum class Axis { kLatitude, kLongitude };

// A latitude or longitude typed by a person, in radians (north and east
// positive). Accepted forms, written without spaces:
//   decimal degrees      51.504305  -0.12775  +3  51.5N  0.12775W
//   degrees and minutes  51d30.25'N
//   degrees, minutes and seconds  51d30'15.5"N  -0d7'39.9"
// A hemisphere letter (upper or lower case) or a sign, not both. Minutes and
// seconds must be below 60 and the degrees whole when minutes follow; the
// magnitude must not exceed 90 (latitude) or 180 degrees (longitude), and
// no part may be a number beyond the range of a double.
// The value is formed by DmsRadians (measures/DmsEntry.h) from the whole
// degrees, minutes, whole seconds and hundredths, as the forms form it from
// their fields, so that the same typed position gives the same doubles
// here and there.
// Returns nullptr on success, else the reason it was refused, worded to
// follow the field ("is beyond 90 degrees").
const char* ParseGeographic(std::string_view text, Axis axis, double& radians);

// Room for any double's degrees, minutes, seconds and hundredths (four
// whole doubles), their marks and the hemisphere letter.
using DmsText = FormattedText<4 * kWholeDoubleChars + 5>;

// A latitude or longitude in radians as degrees, two-digit minutes, seconds
// with hundredths and a hemisphere letter: 51d30'15.50"N, 0d07'39.90"W.
// The hundredths of a second are rounded half away from zero and carried
// into seconds, minutes and degrees; a value that rounds to zero takes N or E.
DmsText FormatDms(double radians, Axis axis);

}  // namespace trelvan
