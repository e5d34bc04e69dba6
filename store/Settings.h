#pragma once

#include <cstdint>
#include <string_view>

#include "store/FileResult.h"
#include "store/SafeFile.h"

namespace trelvan {

// The six settings, in the order of the settings file.
struct AppSettings {
  std::int32_t inputMode;     // Waypoints form input: 0 Lat/Lon, 1 UTM
  std::int32_t angleUnit;     // 0 mils, any other value degrees
  std::int32_t distanceUnit;  // 0 m, 1 km, 2 ft, 3 nmi, 4 smi, 5 yd
  std::int32_t datumIndex;    // map datum, 0..124
  std::int32_t editWaypoint;  // record the Waypoints form opens on
  std::int32_t baseWaypoint;  // record that is the base position

  friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

inline constexpr const char* kSettingsFileName = "conf.txt";

// Scans the first line (at most 29 characters) for six integers in order;
// what cannot be read, or does not fit an int, is 0.
AppSettings ParseSettings(std::string_view text);

// Formats the settings as "%d %d %d %d %d %d\n" into `out` (six values of
// at most 11 characters each, six separators and the zero byte fit in 80);
// returns the length.
int FormatSettings(const AppSettings& settings, char (&out)[80]);

// Reads "conf.txt" in `folder` into `settings` without creating anything:
// zeros where the file is missing or cannot be read, as the outcome says.
ReadOutcome ReadSettings(const char* folder, AppSettings& settings);

// Reads "conf.txt" in `folder`, or creates it (and the folder, when missing)
// with six zeros and leaves zeros in `settings` when it does not exist. A
// file that exists but cannot be read is never overwritten: kCannotCreate,
// zeros in `settings`, and the caller must not save over it.
LoadResult LoadSettings(const char* folder, AppSettings& settings);

// Replaces "conf.txt" in `folder` (made again when missing); the old file
// stays whole on failure.
bool SaveSettings(const char* folder, const AppSettings& settings);

}  // namespace trelvan
