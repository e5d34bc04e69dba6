// The batch calculator's line processing on any text, in every operation
// and both modes. The first eight bytes choose the options: the operation,
// raw or people's mode, the angle and distance units, the datum and the
// date of --date (any date its form allows, checked or not). The rest is
// split into lines as the batch loop splits its input. Each line gives at
// most one line of output: nothing for a blank line, "ERROR: " and a
// printable reason for an error, the line itself for a comment, printable
// text otherwise; a result of geo is a latitude within 90 degrees and a
// declination an angle within half a turn, as the calculator refuses the
// rest.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "geodesy/Angles.h"
#include "geodesy/Datum.h"
#include "measures/Units.h"
#include "tools/calc/LineProcessor.h"
#include "tools/calc/Options.h"

namespace trelvan::calc {
namespace {

constexpr std::size_t kOptionBytes = 8;

Options OptionsFrom(const std::uint8_t* b) {
  Options o;
  o.operation = static_cast<Operation>(b[0] % kOperationCount);
  o.raw = (b[1] & 1) != 0;
  o.angleUnit = (b[1] & 2) != 0 ? kMils : kDegrees;
  o.distanceUnit = static_cast<std::int32_t>(b[2] % kDistanceUnitCount);
  o.datum = static_cast<std::uint16_t>(b[3] % kDatumCount);
  // Four, two and two digits: what the form YYYY-MM-DD can hold.
  o.date.year = (b[4] | (b[5] << 8)) % 10000;
  o.date.month = b[6] % 100;
  o.date.day = b[7] % 100;
  return o;
}

// The first field of a result: a raw number, or the whole degrees before
// the 'd' of people's latitude.
void CheckResult(const Options& options, std::string_view answer) {
  const std::string first(answer.substr(0, answer.find(' ')));
  const double value = std::fabs(std::strtod(first.c_str(), nullptr));
  if (options.operation == Operation::kGeo) {
    fuzz::Check(value <= (options.raw ? kQuarterTurn : 90.0), "geo gives a latitude");
  }
  if (options.operation == Operation::kDeclination) {
    const bool degrees = options.raw || options.angleUnit == kDegrees;
    fuzz::Check(value <= (degrees ? 180.0 : 3200.0), "a declination is an angle");
  }
}

void CheckLine(const Options& options, std::string_view line) {
  std::string out = "kept";
  const LineStatus status = ProcessLine(options, line, out);
  fuzz::Check(out.compare(0, 4, "kept") == 0, "output is appended");
  const std::string_view answer = std::string_view(out).substr(4);
  fuzz::Check(answer.find('\n') == std::string_view::npos, "one line of output");

  std::string_view text = line;
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (!text.empty() && text.front() == '#') {
    fuzz::Check(status == LineStatus::kResult && answer == text, "a comment is copied");
    return;
  }
  switch (status) {
    case LineStatus::kSkipped:
      fuzz::Check(answer.empty(), "a skipped line writes nothing");
      fuzz::Check(text.find_first_not_of(" \t") == std::string_view::npos,
                  "only a blank line is skipped");
      return;
    case LineStatus::kError:
      fuzz::Check(answer.rfind("ERROR: ", 0) == 0, "an error says so");
      break;
    case LineStatus::kResult:
      fuzz::Check(!answer.empty() && answer.rfind("ERROR", 0) != 0, "a result is not an error");
      CheckResult(options, answer);
      break;
  }
  for (char c : answer) fuzz::Check(c >= ' ' && c <= '~', "printable output");
}

}  // namespace
}  // namespace trelvan::calc

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan::calc;
  if (size < kOptionBytes) return 0;
  const Options options = OptionsFrom(data);
  std::string_view rest(reinterpret_cast<const char*>(data + kOptionBytes), size - kOptionBytes);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    CheckLine(options, rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return 0;
}
