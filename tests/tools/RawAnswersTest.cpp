// Random valid raw lines of every operation keep the answers, byte for byte,
// the calculator gave before its refusals were tightened
// (tests/tools/data/raw_answers.txt, made by make_raw_answers.py beside it).

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tools/calc/LineProcessor.h"
#include "tools/calc/Options.h"

namespace trelvan::calc {
namespace {

TEST(RawAnswers, RandomValidLinesOfEveryOperationKeepTheirAnswers) {
  std::ifstream file(TRELVAN_RAW_ANSWERS);
  ASSERT_TRUE(file) << TRELVAN_RAW_ANSWERS;
  int perOperation[kOperationCount] = {};
  std::string row;
  while (std::getline(file, row)) {
    const std::size_t tab1 = row.find('\t');
    const std::size_t tab2 = row.find('\t', tab1 + 1);
    ASSERT_NE(tab2, std::string::npos) << row;
    const OperationInfo* info = FindOperation(std::string_view(row).substr(0, tab1));
    ASSERT_NE(info, nullptr) << row;
    Options options;
    options.operation = info->operation;
    options.raw = true;
    // The answers were kept before IGRF-14 became the default: the
    // declination rows hold the epoch-2000 model's, which must not move.
    options.model = FieldModel::kIgrf2000;
    std::string out;
    EXPECT_EQ(ProcessLine(options, std::string_view(row).substr(tab1 + 1, tab2 - tab1 - 1), out),
              LineStatus::kResult);
    EXPECT_EQ(out, row.substr(tab2 + 1)) << row;
    ++perOperation[static_cast<int>(info->operation)];
  }
  for (int count : perOperation) EXPECT_GE(count, 100);
}

}  // namespace
}  // namespace trelvan::calc
