#include "text/Fields.h"

namespace trelvan {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

FieldList SplitFields(std::string_view line) {
  FieldList list;
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  std::size_t end = line.size();
  while (end > begin && IsBlank(line[end - 1])) --end;
  list.line = line.substr(begin, end - begin);
  std::size_t i = begin;
  while (i < end) {
    std::size_t j = i;
    while (j < end && !IsBlank(line[j])) ++j;
    if (list.count < kMaxFields) list.field[list.count] = line.substr(i, j - i);
    ++list.count;
    while (j < end && IsBlank(line[j])) ++j;
    i = j;
  }
  return list;
}

}  // namespace trelvan
