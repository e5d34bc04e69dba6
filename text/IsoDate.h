#pragma once

#include <string_view>

#include "magnetic/Calendar.h"

namespace trelvan {

// Reads the form YYYY-MM-DD (exactly four, two and two digits). Only the
// form is checked; DateProblem (magnetic/Calendar.h) tells whether such a
// date exists.
bool ParseIsoDate(std::string_view text, CalendarDate& date);

}  // namespace trelvan
