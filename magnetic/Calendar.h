#pragma once

namespace trelvan {

// A calendar date in the Gregorian calendar.
struct CalendarDate {
  int year;   // full year
  int month;  // 1..12
  int day;    // 1..31
};

// Years a date may have.
inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 9999;

// nullptr for a date that exists in years 1..9999, else which part is wrong
// ("the year is not 1..9999", "the month is not 1..12", "the day is not in
// the month").
const char* DateProblem(const CalendarDate& date);

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
