#pragma once

namespace trelvan {

// Gregorian calendar: every fourth year, but of the century years only
// those divisible by 400 (2000 is a leap year; 1800, 1900, 2100 are not).
bool IsLeapYear(int year);

// Number of days of `month` (1..12) in `year`.
int DaysInMonth(int year, int month);

// The date as a decimal year, the time the field models are evaluated at;
// January and February of a leap year divide by 365, later months by 366.
// A month outside 1..12 yields NaN.
double DecimalYear(int month, int day, int year);

}  // namespace trelvan
