// The block reader and writer: lines across block boundaries, overlong
// lines, a last line without newline, slow pipes, and failing input or
// output.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "tools/calc/Batch.h"
#include "tools/calc/LineProcessor.h"

namespace trelvan::calc {
namespace {

Options RawUtm() {
  Options o;
  o.operation = Operation::kUtm;
  o.raw = true;
  return o;
}

struct Outcome {
  int status;
  std::string output;
};

std::string ReadAll(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  return text;
}

Outcome Batch(const Options& options, const std::string& input) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::fflush(in);
  std::rewind(in);
  const int status = RunBatch(options, fileno(in), fileno(out));
  Outcome outcome{status, ReadAll(out)};
  std::fclose(in);
  std::fclose(out);
  return outcome;
}

// The output expected of `lines` line by line through ProcessLine.
std::string Expected(const Options& options, const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    if (ProcessLine(options, line, out) != LineStatus::kSkipped) out += '\n';
  }
  return out;
}

TEST(Batch, LinesAcrossBlocksGiveTheSameAnswersAsOneByOne) {
  std::vector<std::string> lines;
  std::string input;
  for (int i = 0; input.size() < 3'500'000; ++i) {
    std::string line = std::to_string(0.001 * (i % 1500) - 0.7) + std::string(i % 7, ' ') + " " +
                       std::to_string(0.37 * (i % 17) - 3) + "\t" + std::to_string(i % 900) + " " +
                       std::to_string(i % 125);
    if (i % 97 == 0) line = "# comment " + std::to_string(i);
    if (i % 101 == 0) line.clear();
    lines.push_back(line);
    input += line + (i % 13 == 0 ? "\r\n" : "\n");
  }
  input.pop_back();  // the last line has no newline
  const Outcome outcome = Batch(RawUtm(), input);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(outcome.output == Expected(RawUtm(), lines));
}

TEST(Batch, StatusOneWhenAnyLineFails) {
  EXPECT_EQ(Batch(RawUtm(), "# only a comment\n\n").status, 0);
  EXPECT_EQ(Batch(RawUtm(), "").status, 0);
  const Outcome outcome = Batch(RawUtm(), "0 0 0 0\n1 2\n0 0 0 0\n");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.output, Expected(RawUtm(), {"0 0 0 0", "1 2", "0 0 0 0"}));
}

TEST(Batch, OverlongLinesAreReportedAndSkippedWhole) {
  const std::string limit(kMaxLineBytes, ' ');  // blank at the limit: no output
  const std::string over = std::string(kMaxLineBytes - 6, ' ') + "1 2 3 0 ";
  const std::string good = "0 0 0 0";
  const std::string goodAnswer = Expected(RawUtm(), {good});
  // Overlong lines early, across the end of the first read block (which
  // ends 100000 bytes into the doubled line) and last without a newline.
  const std::size_t before = limit.size() + over.size() + good.size() + 3;
  std::string filler;
  while (before + filler.size() < (1u << 20) - 100000) filler += "# " + std::string(97, 'x') + "\n";
  const Outcome outcome = Batch(RawUtm(), limit + "\n" + over + "\n" + good + "\n" + filler + over +
                                              over + "\n" + good + "\n" + over);
  EXPECT_EQ(outcome.status, 1);
  const std::string error = "ERROR: line longer than 65536 bytes\n";
  EXPECT_EQ(outcome.output, error + goodAnswer + filler + error + goodAnswer + error);
}

TEST(Batch, SlowPipeGivesTheSameOutput) {
  std::string input;
  for (int i = 0; i < 200; ++i)
    input += std::to_string(i * 0.005) + " 0.1 " + std::to_string(i) + " 0\n";
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::thread writer([&] {
    for (std::size_t at = 0; at < input.size(); at += 37) {
      const std::string piece = input.substr(at, 37);
      ASSERT_EQ(write(fds[1], piece.data(), piece.size()), static_cast<ssize_t>(piece.size()));
    }
    close(fds[1]);
  });
  std::FILE* out = std::tmpfile();
  const int status = RunBatch(RawUtm(), fds[0], fileno(out));
  writer.join();
  close(fds[0]);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadAll(out), Batch(RawUtm(), input).output);
  std::fclose(out);
}

TEST(Batch, FailedInputOrOutputIsStatusOne) {
  const int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  std::FILE* in = std::tmpfile();
  std::fputs("0 0 0 0\n", in);
  std::fflush(in);
  std::rewind(in);
  EXPECT_EQ(RunBatch(RawUtm(), fileno(in), full), 1);
  close(full);
  std::fclose(in);

  const int folder = open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(folder, 0);
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(RunBatch(RawUtm(), folder, fileno(out)), 1);
  close(folder);
  std::fclose(out);
}

TEST(Batch, AByteOrderMarkAtTheStartIsSkippedEvenByteByByte) {
  const std::string lines = "# grid\n0 0 0 0\n";
  EXPECT_EQ(Batch(RawUtm(), "\xEF\xBB\xBF" + lines).output, Batch(RawUtm(), lines).output);
  EXPECT_EQ(Batch(RawUtm(), "\xEF\xBB# x\n").status, 1);  // a part of one is text
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::thread writer([&] {
    for (char c : "\xEF\xBB\xBF" + lines) ASSERT_EQ(write(fds[1], &c, 1), 1);
    close(fds[1]);
  });
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(RunBatch(RawUtm(), fds[0], fileno(out)), 0);
  writer.join();
  close(fds[0]);
  EXPECT_EQ(ReadAll(out), Batch(RawUtm(), lines).output);
  std::fclose(out);
}

TEST(Batch, TheCarriageReturnOfALineEndDoesNotCountTowardsTheLimit) {
  const std::string longest = std::string(kMaxLineBytes - 7, ' ') + "0 0 0 0";
  const std::string answer = Expected(RawUtm(), {longest});
  EXPECT_EQ(Batch(RawUtm(), longest + "\r\n").output, answer);
  EXPECT_EQ(Batch(RawUtm(), " " + longest + "\r\n").status, 1);
  // The carriage return the last byte of the first read block.
  std::string filler;
  while (filler.size() < (1u << 20) - longest.size() - 60002) {
    filler += "#" + std::string(59999, 'y') + "\n";
  }
  filler += "#" + std::string((1u << 20) - longest.size() - 3 - filler.size(), 'y') + "\n";
  EXPECT_TRUE(Batch(RawUtm(), filler + longest + "\r\n").output == filler + answer);
}

}  // namespace
}  // namespace trelvan::calc
