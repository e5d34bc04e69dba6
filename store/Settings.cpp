#include "store/Settings.h"

#include <cstdint>
#include <cstdio>

#include "measures/FieldNumber.h"
#include "store/SafeFile.h"

namespace trelvan {
namespace {

// Characters of the first line that are looked at: the line, newline
// included, always fitted a 30-byte buffer.
constexpr std::size_t kLineLimit = 29;

// The first line as it is read: at most 29 characters, up to and including
// its newline; a zero byte ends it as well.
std::string_view FirstLine(std::string_view text) {
  const std::size_t limit = text.size() < kLineLimit ? text.size() : kLineLimit;
  std::size_t end = 0;
  while (end < limit && text[end] != '\0') {
    ++end;
    if (text[end - 1] == '\n') break;
  }
  return text.substr(0, end);
}

}  // namespace

AppSettings ParseSettings(std::string_view text) {
  const std::string_view line = FirstLine(text);
  std::int32_t values[6] = {};
  std::size_t i = 0;
  // Six signed decimal numbers, each after any blanks. Scanning stops at the
  // first thing that is not a number; a number too large for an int is read
  // past but gives 0, and the numbers after it are still read.
  for (std::int32_t& value : values) {
    const ScannedInteger scanned = ScanInteger(line, i);
    if (!scanned.hasDigits) break;
    i = scanned.end;
    if (scanned.negative && scanned.magnitude <= kInt32MagnitudeLimit) {
      value = static_cast<std::int32_t>(-scanned.magnitude);
    } else if (!scanned.negative && scanned.magnitude < kInt32MagnitudeLimit) {
      value = static_cast<std::int32_t>(scanned.magnitude);
    }
  }
  return AppSettings{values[0], values[1], values[2], values[3], values[4], values[5]};
}

int FormatSettings(const AppSettings& settings, char (&out)[80]) {
  return std::snprintf(out, sizeof out, "%d %d %d %d %d %d\n", settings.inputMode,
                       settings.angleUnit, settings.distanceUnit, settings.datumIndex,
                       settings.editWaypoint, settings.baseWaypoint);
}

ReadOutcome ReadSettings(const char* folder, AppSettings& settings) {
  settings = AppSettings{};
  char text[kLineLimit];
  std::size_t size = 0;
  const ReadOutcome outcome = ReadFileStart(folder, kSettingsFileName, text, sizeof text, size);
  if (outcome == ReadOutcome::kRead) settings = ParseSettings(std::string_view(text, size));
  return outcome;
}

LoadResult LoadSettings(const char* folder, AppSettings& settings) {
  switch (ReadSettings(folder, settings)) {
    case ReadOutcome::kRead:
      return LoadResult::kRead;
    case ReadOutcome::kMissing:
      if (SaveSettings(folder, settings)) return LoadResult::kCreated;
      return LoadResult::kCannotCreate;
    case ReadOutcome::kUnreadable:
      break;
  }
  return LoadResult::kCannotCreate;
}

bool SaveSettings(const char* folder, const AppSettings& settings) {
  char line[80];
  const int length = FormatSettings(settings, line);
  return EnsureFolder(folder) && ReplaceFile(folder, kSettingsFileName, line,
                                             static_cast<std::size_t>(length));
}

}  // namespace trelvan
