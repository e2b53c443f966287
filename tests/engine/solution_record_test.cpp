#include "engine/solution_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kx {
namespace {

std::string RandomText(std::mt19937& rng, const std::string& alphabet) {
  std::string text(81, ' ');
  for (char& c : text) c = alphabet[rng() % alphabet.size()];
  return text;
}

TEST(SolutionRecordTest, PackingKeepsTheTextAndItsOrder) {
  std::mt19937 rng(7);
  std::vector<std::string> texts;
  for (int i = 0; i < 300; ++i) texts.push_back(RandomText(rng, " 123456789"));
  // Neighbours that differ only in the first or the last character.
  texts.push_back(std::string(80, '5') + "1");
  texts.push_back(std::string(80, '5') + "9");
  texts.push_back(std::string(80, '5') + " ");
  texts.push_back(" " + std::string(80, '9'));
  for (const auto& a : texts) {
    char back[81];
    UnpackRecord(PackRecord(a.data()), back);
    ASSERT_EQ(std::string(back, 81), a);
    EXPECT_EQ(RecordHasEmptyCell(PackRecord(a.data())), a.find(' ') != std::string::npos);
  }
  for (size_t i = 0; i + 1 < texts.size(); ++i) {
    const auto& a = texts[i];
    const auto& b = texts[i + 1];
    EXPECT_EQ(PackRecord(a.data()) < PackRecord(b.data()), a < b) << a << "\n" << b;
  }
}

TEST(SolutionRecordTest, RadixSortMatchesStdSort) {
  std::mt19937 rng(11);
  std::vector<std::vector<SolutionRecord>> cases;
  cases.push_back({});
  cases.push_back({PackRecord(std::string(81, '3').data())});
  // Arbitrary words, so that every one of the 352 bits takes part.
  std::vector<SolutionRecord> words(2000);
  for (auto& r : words)
    for (auto& w : r.words) w = static_cast<uint32_t>(rng());
  cases.push_back(words);
  // Few distinct texts with many repeats and long shared prefixes.
  std::vector<SolutionRecord> repeats;
  for (int i = 0; i < 5000; ++i) {
    std::string text = std::string(70, '4') + RandomText(rng, "12").substr(0, 11);
    repeats.push_back(PackRecord(text.data()));
  }
  cases.push_back(repeats);
  // All equal, and records that differ only in the very last bit.
  cases.push_back(std::vector<SolutionRecord>(1000, PackRecord(std::string(81, '7').data())));
  std::vector<SolutionRecord> lastBit(64, SolutionRecord{});
  for (size_t i = 0; i < lastBit.size(); ++i) lastBit[i].words[10] = static_cast<uint32_t>(i % 2);
  cases.push_back(lastBit);

  for (auto& records : cases) {
    std::vector<SolutionRecord> expected = records;
    std::sort(expected.begin(), expected.end());
    SortSolutionRecords(records.data(), records.size());
    EXPECT_EQ(records, expected);
  }
}

}  // namespace
}  // namespace kx
