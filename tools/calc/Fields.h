#pragma once

#include <cstdint>
#include <string_view>

#include "geodesy/GridDomain.h"
#include "magnetic/Calendar.h"

// Reading the fields of one input line of the batch calculator: splitting,
// numbers, positions typed by people, band letters, dates and datums. Every
// reader accepts a whole field or nothing; none allocates.

namespace trelvan::calc {

// The most fields that are kept of one line; a line may hold more, and
// FieldList::count says how many it held.
inline constexpr int kMaxFields = 16;

// The fields of one line: the text between runs of spaces and tabs.
struct FieldList {
  std::string_view line;               // the line without leading and trailing blanks
  std::string_view field[kMaxFields];  // the first kMaxFields fields
  int count = 0;                       // number of fields on the line
};

// Splits `line` at runs of spaces and tabs; leading and trailing blanks are
// dropped. Views point into `line`.
FieldList SplitFields(std::string_view line);

// A finite decimal number: optional sign, digits with an optional point and
// exponent. "inf", "nan", hexadecimal and anything trailing are refused, and
// so is a value beyond the range of a double.
bool ParseReal(std::string_view text, double& value);

// A decimal integer with an optional sign; false for anything else or a
// value beyond 64 bits.
bool ParseWhole(std::string_view text, std::int64_t& value);

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

// True for the UTM latitude band letters C..X without I and O.
bool IsBandLetter(char c);

// Why FromGrid (geodesy/GridDomain.h) refused a grid position, as a whole
// reason ("the grid position lies outside its zone"); "" for kOnGrid.
const char* GridProblem(GridStatus status);

// Reads the form YYYY-MM-DD (exactly four, two and two digits). Only the
// form is checked; DateProblem (magnetic/Calendar.h) tells whether such a
// date exists.
bool ParseIsoDate(std::string_view text, CalendarDate& date);

// A datum given by its index 0..124 in decimal or by its exact name.
bool FindDatum(std::string_view text, std::uint16_t& index);

}  // namespace trelvan::calc
