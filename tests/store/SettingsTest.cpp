#include "store/Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <string>

#include "FileBytes.h"
#include "store/SafeFile.h"

namespace trelvan {

// Printing for the checks below; found by argument lookup.
void PrintTo(const AppSettings& s, std::ostream* os) {
  *os << s.inputMode << ' ' << s.angleUnit << ' ' << s.distanceUnit << ' ' << s.datumIndex
      << ' ' << s.editWaypoint << ' ' << s.baseWaypoint;
}

namespace {

using files::ReadAll;
using files::TempFolder;
using files::WriteAll;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::string Formatted(const AppSettings& s) {
  char line[80];
  const int n = FormatSettings(s, line);
  return std::string(line, static_cast<std::size_t>(n));
}

TEST(SettingsText, ExampleIsWrittenAndReadBack) {
  const AppSettings s{1, 1, 2, 17, 3, 5};
  EXPECT_EQ(Formatted(s), "1 1 2 17 3 5\n");
  EXPECT_EQ(ParseSettings(Formatted(s)), s);
  EXPECT_EQ(Formatted(AppSettings{}), "0 0 0 0 0 0\n");
  EXPECT_EQ(Formatted(AppSettings{kMin, kMax, -1, 0, 0, 0}), "-2147483648 2147483647 -1 0 0 0\n");
}

TEST(SettingsText, EverySettingInItsRangeRoundTrips) {
  for (std::int32_t datum = 0; datum < 125; datum += 31) {
    for (std::int32_t index = 0; index < 50; index += 7) {
      const AppSettings s{datum % 2, datum % 3, datum % 6, datum, index, 49 - index};
      ASSERT_EQ(ParseSettings(Formatted(s)), s);
    }
  }
}

TEST(SettingsText, ReadsTheFirstSixNumbersOfTheFirstLine) {
  struct Row {
    const char* text;
    AppSettings expected;
  };
  const Row rows[] = {
      {"1 2 3 4 5 6 7 8\n", {1, 2, 3, 4, 5, 6}},
      {"1 2 3 4 5 6 and more\n", {1, 2, 3, 4, 5, 6}},
      {"1 2 3\n", {1, 2, 3, 0, 0, 0}},
      {"", {0, 0, 0, 0, 0, 0}},
      {"abc 1 2\n", {0, 0, 0, 0, 0, 0}},
      {"1 2 x 4 5 6\n", {1, 2, 0, 0, 0, 0}},
      {"  -1\t+2 3 4 5 6", {-1, 2, 3, 4, 5, 6}},
      {"1-2 3 4 5 6\n", {1, -2, 3, 4, 5, 6}},
      {"1 2\n3 4 5 6\n", {1, 2, 0, 0, 0, 0}},
      {"1 2\r\n", {1, 2, 0, 0, 0, 0}},
      {"1 - 3 4 5 6\n", {1, 0, 0, 0, 0, 0}},
      // Numbers too large for an int give 0; those after them are still read.
      {"1 99999999999 3 4 5 6\n", {1, 0, 3, 4, 5, 6}},
      {"2147483648 -2147483649 7\n", {0, 0, 7, 0, 0, 0}},
      {"2147483647 -2147483648 7\n", {kMax, kMin, 7, 0, 0, 0}},
      // Only 29 characters are looked at: the sixth number is cut short.
      {"1 2 3 4 5                   67", {1, 2, 3, 4, 5, 6}},
      {"0 0 0 0 0 0000000000000000000000000000007", {0, 0, 0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ParseSettings(row.text), row.expected) << '"' << row.text << '"';
  }
  EXPECT_EQ(ParseSettings(std::string_view("1 2\0 3 4 5 6", 12)), (AppSettings{1, 2, 0, 0, 0, 0}));
}

TEST(SettingsFile, MissingFileAndFolderAreCreatedWithZeros) {
  TempFolder temp;
  const std::string folder = temp.File("data/trelvan");
  AppSettings s{9, 9, 9, 9, 9, 9};
  EXPECT_EQ(LoadSettings(folder.c_str(), s), LoadResult::kCreated);
  EXPECT_EQ(s, AppSettings{});
  EXPECT_EQ(ReadAll(folder + "/conf.txt"), "0 0 0 0 0 0\n");
  EXPECT_EQ(LoadSettings(folder.c_str(), s), LoadResult::kRead);
}

TEST(SettingsFile, SavedSettingsAreReadBack) {
  TempFolder temp;
  const AppSettings s{1, 1, 2, 17, 3, 5};
  ASSERT_TRUE(SaveSettings(temp.Path(), s));
  EXPECT_EQ(ReadAll(temp.File("conf.txt")), "1 1 2 17 3 5\n");
  AppSettings back{};
  EXPECT_EQ(LoadSettings(temp.Path(), back), LoadResult::kRead);
  EXPECT_EQ(back, s);
  EXPECT_EQ(temp.Entries().size(), 1u);
}

TEST(SettingsFile, AnythingButAReadableFileIsLeftAlone) {
  TempFolder temp;
  ASSERT_EQ(mkdir(temp.File("conf.txt").c_str(), 0755), 0);
  AppSettings s{};
  EXPECT_EQ(LoadSettings(temp.Path(), s), LoadResult::kCannotCreate);
  EXPECT_FALSE(SaveSettings(temp.Path(), s));
  struct stat st;
  ASSERT_EQ(stat(temp.File("conf.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));

  // A file where the folder should be.
  WriteAll(temp.File("plain"), "x");
  EXPECT_EQ(LoadSettings(temp.File("plain").c_str(), s), LoadResult::kCannotCreate);
  EXPECT_EQ(ReadAll(temp.File("plain")), "x");
}

TEST(SettingsFile, UnreadableFileIsNotOverwritten) {
  if (!files::PermissionsBind()) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder temp;
  WriteAll(temp.File("conf.txt"), "1 1 2 17 3 5\n");
  ASSERT_EQ(chmod(temp.File("conf.txt").c_str(), 0200), 0);
  AppSettings s{};
  EXPECT_EQ(LoadSettings(temp.Path(), s), LoadResult::kCannotCreate);
  ASSERT_EQ(chmod(temp.File("conf.txt").c_str(), 0600), 0);
  EXPECT_EQ(ReadAll(temp.File("conf.txt")), "1 1 2 17 3 5\n");
}

TEST(SettingsFile, FailedSaveKeepsTheOldFile) {
  TempFolder temp;
  ASSERT_TRUE(SaveSettings(temp.Path(), AppSettings{1, 1, 2, 17, 3, 5}));
  SetWriteLimitForTesting(4);
  EXPECT_FALSE(SaveSettings(temp.Path(), AppSettings{0, 0, 0, 99, 0, 0}));
  SetWriteLimitForTesting(-1);
  EXPECT_EQ(ReadAll(temp.File("conf.txt")), "1 1 2 17 3 5\n");
  EXPECT_EQ(temp.Entries().size(), 1u);
}

}  // namespace
}  // namespace trelvan
