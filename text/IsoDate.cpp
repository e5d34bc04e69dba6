#include "text/IsoDate.h"

#include "text/Numbers.h"

namespace trelvan {

bool ParseIsoDate(std::string_view text, CalendarDate& date) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const std::string_view y = text.substr(0, 4);
  const std::string_view m = text.substr(5, 2);
  const std::string_view dd = text.substr(8, 2);
  if (!AllDigits(y) || !AllDigits(m) || !AllDigits(dd)) return false;
  date.year = (((y[0] - '0') * 10 + (y[1] - '0')) * 10 + (y[2] - '0')) * 10 + (y[3] - '0');
  date.month = (m[0] - '0') * 10 + (m[1] - '0');
  date.day = (dd[0] - '0') * 10 + (dd[1] - '0');
  return true;
}

}  // namespace trelvan
