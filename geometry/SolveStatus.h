#pragma once

namespace trelvan {

// What became of a computation of the survey geometry that may have no
// answer. The functions that return it leave their output untouched unless
// it is kSolved.
enum class SolveStatus {
  kSolved,      // the output holds the answer
  kSingular,    // a matrix or frame could not be inverted
  kNoSolution,  // no answer fits the input (a resection whose ranges no station meets)
};

}  // namespace trelvan
