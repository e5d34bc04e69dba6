#include "tools/calc/Batch.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tools/calc/LineProcessor.h"

namespace trelvan::calc {

namespace {

constexpr std::size_t kReadBlock = std::size_t{1} << 20;
constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

// The UTF-8 byte-order mark some editors put before the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether a line, or the part of one read so far, is longer than allowed;
// the carriage return of a CR LF ending does not count.
bool Overlong(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line.size() > kMaxLineBytes;
}

class Writer {
 public:
  explicit Writer(int fd) : fd_(fd) { buffer_.reserve(kFlushBytes + kMaxLineBytes); }

  std::string& buffer() { return buffer_; }
  bool ok() const { return ok_; }

  void FlushIfFull() {
    if (buffer_.size() >= kFlushBytes) Flush();
  }

  // Writes out everything gathered; after a failure nothing more is written.
  void Flush() {
    std::size_t done = 0;
    while (ok_ && done < buffer_.size()) {
      const ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        std::fprintf(stderr, "trelvan-calc: cannot write the output: %s\n", std::strerror(errno));
        ok_ = false;
      } else {
        done += static_cast<std::size_t>(n);
      }
    }
    buffer_.clear();
  }

 private:
  int fd_;
  std::string buffer_;
  bool ok_ = true;
};

}  // namespace

int RunBatch(const Options& options, int input, int output) {
  Writer writer(output);
  std::string& out = writer.buffer();
  bool anyError = false;
  bool readFailed = false;

  auto handle = [&](std::string_view line) {
    if (Overlong(line)) {
      out += "ERROR: line longer than 65536 bytes\n";
      anyError = true;
      return;
    }
    const LineStatus status = ProcessLine(options, line, out);
    if (status == LineStatus::kSkipped) return;
    out += '\n';
    if (status == LineStatus::kError) anyError = true;
  };

  std::vector<char> block(kReadBlock);
  std::size_t have = 0;   // bytes held in block
  bool skipping = false;  // inside a line already reported as too long
  bool atStart = true;    // a byte-order mark may still come
  while (writer.ok()) {
    const std::size_t wanted = block.size() - have;
    const ssize_t n = read(input, block.data() + have, wanted);
    if (n < 0) {
      if (errno == EINTR) continue;
      std::fprintf(stderr, "trelvan-calc: cannot read the input: %s\n", std::strerror(errno));
      readFailed = true;
      break;
    }
    const bool end = n == 0;
    have += static_cast<std::size_t>(n);
    std::size_t start = 0;
    if (atStart) {
      const std::string_view head(block.data(), have);
      if (!end && head.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(head)) continue;
      if (head.starts_with(kByteOrderMark)) start = kByteOrderMark.size();
      atStart = false;
    }
    while (const void* found = std::memchr(block.data() + start, '\n', have - start)) {
      const std::size_t stop =
          static_cast<std::size_t>(static_cast<const char*>(found) - block.data());
      if (skipping) {
        skipping = false;
      } else {
        handle(std::string_view(block.data() + start, stop - start));
      }
      start = stop + 1;
      writer.FlushIfFull();
    }
    std::size_t rest = have - start;
    if (end) {
      if (rest > 0 && !skipping) handle(std::string_view(block.data() + start, rest));
      break;
    }
    if (!skipping && Overlong(std::string_view(block.data() + start, rest))) {
      handle(std::string_view(block.data() + start, rest));
      skipping = true;
    }
    if (skipping) rest = 0;
    std::memmove(block.data(), block.data() + start, rest);
    have = rest;
    if (static_cast<std::size_t>(n) < wanted) writer.Flush();
  }
  writer.Flush();
  return (anyError || readFailed || !writer.ok()) ? 1 : 0;
}

}  // namespace trelvan::calc
