#include "magnetic/Calendar.h"

#include <limits>

namespace trelvan {
namespace {

// Day of the year of the first of each month in a common year, 1 January
// being day 1.
constexpr int kFirstDayOfMonth[12] = {1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDaysInMonth[month - 1];
}

const char* DateProblem(const CalendarDate& date) {
  if (date.year < kFirstYear || date.year > kLastYear) return "the year is not 1..9999";
  if (date.month < 1 || date.month > 12) return "the month is not 1..12";
  if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) {
    return "the day is not in the month";
  }
  return nullptr;
}

double DecimalYear(int month, int day, int year) {
  if (month < 1 || month > 12) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  const bool late = IsLeapYear(year) && month > 2;
  // Counted in double so that no day number, however absurd, can overflow;
  // every sum is a whole number well inside the exact range.
  double dayOfYear = kFirstDayOfMonth[month - 1] + static_cast<double>(day) - 1.0;
  if (late) {
    dayOfYear += 1.0;
    return year + dayOfYear / 366.0;
  }
  return year + dayOfYear / 365.0;
}

}  // namespace trelvan
