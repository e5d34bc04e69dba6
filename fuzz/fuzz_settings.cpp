// The settings reader on any text: the six numbers read are those of an
// independent scan of the first line, formatting and reading them again
// gives them back when the line fits, and loading a file of these bytes
// equals parsing them.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "store/FileResult.h"
#include "store/SafeFile.h"
#include "store/Settings.h"

namespace trelvan {
namespace {

// The longest first line that is read.
constexpr std::size_t kReadLimit = 29;

fuzz::ScratchFolder& Folder() {
  static fuzz::ScratchFolder folder;
  return folder;
}

bool Same(const AppSettings& a, const AppSettings& b) {
  return a.inputMode == b.inputMode && a.angleUnit == b.angleUnit &&
         a.distanceUnit == b.distanceUnit && a.datumIndex == b.datumIndex &&
         a.editWaypoint == b.editWaypoint && a.baseWaypoint == b.baseWaypoint;
}

bool Blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }

// The reading as a scanf-like scan would do it, written without the
// reader's code: the line ends after its newline, at a zero byte or after
// 29 characters; a number is blanks, one sign and digits, and a number out
// of the int range gives 0 while the scan goes on.
AppSettings Reference(std::string_view text) {
  std::string_view line = text.substr(0, kReadLimit);
  const std::size_t zero = line.find('\0');
  if (zero != std::string_view::npos) line = line.substr(0, zero);
  const std::size_t newline = line.find('\n');
  if (newline != std::string_view::npos) line = line.substr(0, newline + 1);

  std::int32_t values[6] = {};
  std::size_t i = 0;
  for (std::int32_t& value : values) {
    while (i < line.size() && Blank(line[i])) ++i;
    const bool negative = i < line.size() && line[i] == '-';
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
    if (i == line.size() || !Digit(line[i])) break;
    std::size_t end = i;
    while (end < line.size() && Digit(line[end])) ++end;
    std::string_view digits = line.substr(i, end - i);
    i = end;
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 10) continue;
    std::int64_t v = 0;
    for (char c : digits) v = v * 10 + (c - '0');
    if (negative) v = -v;
    if (v >= std::numeric_limits<std::int32_t>::min() &&
        v <= std::numeric_limits<std::int32_t>::max()) {
      value = static_cast<std::int32_t>(v);
    }
  }
  return AppSettings{values[0], values[1], values[2], values[3], values[4], values[5]};
}

}  // namespace
}  // namespace trelvan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const AppSettings parsed = ParseSettings(text);
  fuzz::Check(Same(parsed, Reference(text)), "parse equals the reference scan");

  char line[80];
  const int length = FormatSettings(parsed, line);
  fuzz::Check(length > 0 && length < static_cast<int>(sizeof line), "formatted length");
  if (static_cast<std::size_t>(length) <= kReadLimit) {
    fuzz::Check(Same(ParseSettings(std::string_view(line, length)), parsed),
                "format then parse gives the same settings");
  }

  const fuzz::ScratchFolder& folder = Folder();
  fuzz::Check(ReplaceFile(folder.Path(), kSettingsFileName, data, size), "write raw file");
  AppSettings loaded{};
  fuzz::Check(LoadSettings(folder.Path(), loaded) == LoadResult::kRead, "load raw file");
  fuzz::Check(Same(loaded, parsed), "loading a file equals parsing its bytes");
  return 0;
}
