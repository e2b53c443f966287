#include "engine/solution_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kx {
namespace {

TEST(SolutionRecordTest, PackedRecordsKeepTheTextAndSortLikeIt) {
  std::mt19937 rng(7);
  std::vector<std::string> texts = {std::string(80, '5') + "1", std::string(80, '5') + " ", " " + std::string(80, '9')};
  for (int i = 0; i < 300; ++i) {
    std::string text(81, ' ');
    for (char& c : text) c = " 123456789"[rng() % 10];
    texts.push_back(text);
  }
  std::vector<SolutionRecord> records;
  for (const auto& text : texts) {
    records.push_back(PackRecord(text.data()));
    char back[81];
    UnpackRecord(records.back(), back);
    ASSERT_EQ(std::string(back, 81), text);
  }
  SortSolutionRecords(records.data(), records.size());
  std::sort(texts.begin(), texts.end());
  for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(records[i], PackRecord(texts[i].data()));
}

TEST(SolutionRecordTest, RadixSortMatchesStdSort) {
  std::mt19937 rng(11);
  std::vector<std::vector<SolutionRecord>> cases = {{}, {PackRecord(std::string(81, '3').data())}};
  // Arbitrary words, so that every one of the 352 bits takes part.
  std::vector<SolutionRecord> words(2000);
  for (auto& r : words)
    for (auto& w : r.words) w = static_cast<uint32_t>(rng());
  cases.push_back(words);
  // Few distinct records with many repeats, ranges of every small size.
  std::vector<SolutionRecord> repeats;
  for (int i = 0; i < 5000; ++i) {
    SolutionRecord r;
    r.words[9] = static_cast<uint32_t>(rng() % 300);
    r.words[10] = static_cast<uint32_t>(rng() % 2);
    repeats.push_back(r);
  }
  cases.push_back(repeats);
  cases.push_back(std::vector<SolutionRecord>(1000, PackRecord(std::string(81, '7').data())));

  for (auto& records : cases) {
    std::vector<SolutionRecord> expected = records;
    std::sort(expected.begin(), expected.end());
    SortSolutionRecords(records.data(), records.size());
    EXPECT_EQ(records, expected);
  }
}

}  // namespace
}  // namespace kx
