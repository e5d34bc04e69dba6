// The built trelvan-calc run as a program: standard input from a file,
// its output, error text and exit status.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "geodesy/Utm.h"
#include "trelvan/Version.h"

namespace trelvan::calc {
namespace {

struct ProgramRun {
  int status;
  std::string out;
  std::string err;
};

std::string Slurp(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

int TempFile() {
  std::FILE* file = std::tmpfile();
  return dup(fileno(file));  // the duplicate outlives the FILE, which is closed at exit
}

// Runs trelvan-calc with `args` on `input`; its standard output goes to
// `outputFile` when one is given.
ProgramRun Calc(std::vector<std::string> args, const std::string& input,
                const char* outputFile = nullptr) {
  const int in = TempFile();
  const int out = outputFile ? open(outputFile, O_WRONLY) : TempFile();
  const int err = TempFile();
  EXPECT_EQ(write(in, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  lseek(in, 0, SEEK_SET);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
  args.insert(args.begin(), TRELVAN_CALC_PATH);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ProgramRun run{-1, "", ""};
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = Slurp(out);
  run.err = Slurp(err);
  close(in);
  close(out);
  close(err);
  return run;
}

TEST(Program, RawLinesCommentsAndStatusZero) {
  const ProgramRun run = Calc({"--raw", "utm"}, "# header\n\n0.8989 -0.0022 45 0\n0 0 0 0");
  EXPECT_EQ(run.status, 0);
  UtmPoint a{};
  GeoToUtm(GeoPoint{0.8989, -0.0022, 45.0, 0}, a);
  UtmPoint b{};
  GeoToUtm(GeoPoint{0.0, 0.0, 0.0, 0}, b);
  char expected[200];
  std::snprintf(expected, sizeof expected, "# header\n%.17g %.17g 45 30 U 0\n%.17g 0 0 31 N 0\n",
                a.easting, a.northing, b.easting);
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");
}

TEST(Program, BadLineGivesStatusOneAndGoesOn) {
  const ProgramRun run = Calc({"utm", "--dist", "ft"}, "91 0 0\n0 0 100\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "ERROR: LAT '91' is beyond 90 degrees\n166021.443 0.000 100.000 31 N\n");
}

TEST(Program, DeclinationTakesTheDateOption) {
  const ProgramRun fixed = Calc({"declination", "--date", "2024-06-01"}, "51.5 -0.1 0\n");
  EXPECT_EQ(fixed.status, 0);
  EXPECT_EQ(fixed.out, Calc({"declination"}, "51.5 -0.1 0 2024-06-01\n").out);
  EXPECT_NE(fixed.out, Calc({"declination", "--date", "2004-06-01"}, "51.5 -0.1 0\n").out);
}

TEST(Program, UsageErrorsAreStatusTwoOnStandardError) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"convert"},
                                               {"utm", "--bogus"},
                                               {"--raw", "utm", "--angle", "mils"}}) {
    const ProgramRun run = Calc(args, "0 0 0 0\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Usage: trelvan-calc"), std::string::npos);
  }
}

TEST(Program, HelpOnStandardOutput) {
  const ProgramRun run = Calc({"--help"}, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("resection"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

TEST(Program, HelpThatCannotBeWrittenSaysSo) {
  const ProgramRun run = Calc({"--help"}, "", "/dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "trelvan-calc: cannot write the help: No space left on device\n");
}

TEST(Program, VersionOnStandardOutputWithoutReadingInput) {
  const ProgramRun version = Calc({"utm", "--version"}, "0 0 0 0\n");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("trelvan-calc ") + kVersion + "\n");
  EXPECT_EQ(version.err, "");
}

}  // namespace
}  // namespace trelvan::calc
