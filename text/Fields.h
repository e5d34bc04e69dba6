#pragma once

#include <string_view>

// A line of fields separated by blanks, as the batch calculator reads its
// input and its own field lists.

namespace trelvan {

// The most fields that are kept of one line; a line may hold more, and
// FieldList::count says how many it held.
inline constexpr int kMaxFields = 16;

// The fields of one line: the text between runs of spaces and tabs.
struct FieldList {
  std::string_view line;               // the line without leading and trailing blanks
  std::string_view field[kMaxFields];  // the first kMaxFields fields
  int count = 0;                       // number of fields on the line
};

// Splits `line` at runs of spaces and tabs; leading and trailing blanks are
// dropped. Views point into `line`.
FieldList SplitFields(std::string_view line);

}  // namespace trelvan
