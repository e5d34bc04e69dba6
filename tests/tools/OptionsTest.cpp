// The calculator's command line and its help.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/calc/Help.h"
#include "tools/calc/Options.h"

namespace trelvan::calc {
namespace {

constexpr CalendarDate kToday{2031, 7, 15};

Command Parse(std::vector<const char*> args, Options& options, std::string& problem) {
  args.insert(args.begin(), "trelvan-calc");
  return ParseArguments(static_cast<int>(args.size()), args.data(), kToday, options, problem);
}

TEST(Arguments, OptionsInAnyOrderAndBothValueForms) {
  Options o;
  std::string problem;
  ASSERT_EQ(
      Parse({"--angle=mils", "inverse", "--dist", "nmi", "--datum", "ED-50 MEAN"}, o, problem),
      Command::kRun);
  EXPECT_EQ(o.operation, Operation::kInverse);
  EXPECT_FALSE(o.raw);
  EXPECT_EQ(o.angleUnit, kMils);
  EXPECT_EQ(o.distanceUnit, kNauticalMiles);
  EXPECT_EQ(o.datum, 1);
  EXPECT_EQ(o.date.year, 2031);
  EXPECT_EQ(o.date.day, 15);

  ASSERT_EQ(Parse({"--raw", "mgrs", "--precision=0"}, o, problem), Command::kRun);
  EXPECT_EQ(o.precision, 0);
  ASSERT_EQ(Parse({"mgrs", "--datum", "82"}, o, problem), Command::kRun);
  EXPECT_EQ(o.precision, 5);

  ASSERT_EQ(Parse({"declination", "--date=2024-02-29", "--datum=17"}, o, problem), Command::kRun);
  EXPECT_EQ(o.date.year, 2024);
  EXPECT_EQ(o.date.month, 2);
  EXPECT_EQ(o.date.day, 29);
  EXPECT_EQ(o.datum, 17);
  EXPECT_EQ(o.angleUnit, kDegrees);
  EXPECT_EQ(o.distanceUnit, kMeters);

  EXPECT_EQ(o.model, FieldModel::kIgrf14);
  ASSERT_EQ(Parse({"--raw", "declination", "--model", "igrf2000"}, o, problem), Command::kRun);
  EXPECT_EQ(o.model, FieldModel::kIgrf2000);

  ASSERT_EQ(Parse({"resection", "--raw"}, o, problem), Command::kRun);
  EXPECT_TRUE(o.raw);
  EXPECT_EQ(o.operation, Operation::kResection);

  for (const OperationInfo& info : kOperations) {
    const std::string name(info.name);
    ASSERT_EQ(Parse({"--raw", name.c_str()}, o, problem), Command::kRun) << name;
    EXPECT_EQ(o.operation, info.operation);
    EXPECT_EQ(&InfoOf(o.operation), &info);
  }
  // As getopt_long reads them: an option shortened while it names one, and
  // "--" before the operation.
  ASSERT_EQ(Parse({"--ang", "mils", "--", "inverse"}, o, problem), Command::kRun);
  EXPECT_EQ(o.angleUnit, kMils);
  EXPECT_EQ(o.operation, Operation::kInverse);

  const char* units[] = {"m", "km", "ft", "nmi", "smi", "yd"};
  for (int code = 0; code < kDistanceUnitCount; ++code) {
    ASSERT_EQ(Parse({"utm", "--dist", units[code]}, o, problem), Command::kRun);
    EXPECT_EQ(o.distanceUnit, code);
  }
}

TEST(Arguments, HelpWinsAndMistakesAreUsageErrors) {
  Options o;
  std::string problem;
  EXPECT_EQ(Parse({"--help"}, o, problem), Command::kHelp);
  EXPECT_EQ(Parse({"bogus", "-h"}, o, problem), Command::kHelp);
  // --version comes next, before any mistake; only the whole word counts.
  EXPECT_EQ(Parse({"--version", "--help"}, o, problem), Command::kHelp);
  EXPECT_EQ(Parse({"bogus", "--version"}, o, problem), Command::kVersion);
  const std::vector<std::vector<const char*>> wrong = {
      {},
      {"--raw"},
      {"UTM"},
      {"utm", "geo"},
      {"utm", "--verbose"},
      {"utm", "-x"},
      {"utm", "--versions"},
      {"utm", "--angle", "grads"},
      {"utm", "--angle"},
      {"utm", "--dist", "miles"},
      {"utm", "--datum", "125"},
      {"utm", "--datum", "Nowhere"},
      {"utm", "--date", "2024-6-1"},
      {"declination", "--model", "wmm"},
      {"declination", "--model"},
      {"--raw", "utm", "--datum", "1"},
      {"--raw", "declination", "--date", "2024-06-01"},
      {"utm", "--precision", "2"},
      {"mgrs", "--precision", "6"},
      {"mgrs", "--precision=-1"},
      {"mgrs", "--precision", "05"},
      {"utm", "--d", "m"},  // --dist, --datum or --date
      {"utm", "--raw=1"},
      {"--", "utm", "geo"},
  };
  for (const auto& args : wrong) {
    problem.clear();
    EXPECT_EQ(Parse(args, o, problem), Command::kUsage) << (args.empty() ? "" : args.back());
    EXPECT_FALSE(problem.empty());
  }
}

TEST(Help, ExplainsEveryOperationWithWorkingExamples) {
  const std::string help = HelpText();
  for (const OperationInfo& info : kOperations) {
    EXPECT_NE(help.find("\n  " + std::string(info.name) + ": "), std::string::npos) << info.name;
    EXPECT_NE(help.find(std::string(info.rawInput)), std::string::npos) << info.name;
    EXPECT_NE(help.find(std::string(info.input)), std::string::npos) << info.name;
  }
  // Every example is answered, none with an error.
  std::size_t examples = 0;
  const std::string arrow = "\n         -> ";  // example answers, not the field lists
  for (std::size_t at = help.find(arrow); at != std::string::npos; at = help.find(arrow, at + 1)) {
    ++examples;
    EXPECT_NE(help.compare(at + arrow.size(), 6, "ERROR:"), 0) << help.substr(at, 60);
  }
  EXPECT_EQ(examples, 2u * kOperationCount);
  EXPECT_NE(help.find("30uxc9933309819 45\n         is 51d30'15.47\"N"), std::string::npos);
  EXPECT_NE(help.find("  124  Zanderij\n"), std::string::npos);
  EXPECT_NE(UsageText().find("--help"), std::string::npos);
}

}  // namespace
}  // namespace trelvan::calc
