#include "engine/dedup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "engine/solution_record.h"
#include "engine/solution_scanner.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) { return "\"" + text + "\"\r\n"; }

std::string RandomSolutionText(std::mt19937& rng, const std::string& prefix = "") {
  std::string text = prefix;
  while (text.size() < 81) text.push_back(static_cast<char>('1' + rng() % 9));
  return text;
}

class DedupTest : public test::TempDirTest {
 protected:
  // A log as the search writes it: run headers, numbered lines, and some
  // things that only look like records.
  void WriteLog(const std::vector<std::string>& texts, const std::string& puzzle = std::string(81, ' ')) {
    std::string log = "\r\nInit-Sudoko:\r\n" + Quoted(puzzle) + "Solutions:\r\n";
    for (size_t i = 0; i < texts.size(); ++i) {
      char prefix[20];
      std::snprintf(prefix, sizeof prefix, "%016zX", i + 1);
      log += std::string(prefix) + " : " + Quoted(texts[i]);
      if (i % 97 == 0) log += "\"" + std::string(80, '1') + "\"\r\n\"" + std::string(82, '2') + "\"x\"\r\n";
    }
    log += "Widersprüchliche Definitionen. N i c h t  l ö s b a r !!!!!!\r\n";
    std::ofstream(kSolutionLogFile, std::ios::binary) << log;
    written_ = log;
  }

  int Run(uint64_t memoryLimit = 1 << 30, std::function<int()> pump = {}) {
    DedupOptions options;
    options.memoryLimit = memoryLimit;
    options.pump = std::move(pump);
    return DeduplicateSolutionFile(kSolutionLogFile, counters_, options);
  }

  // Checks the prefix of every line of the rewritten log and returns its
  // texts in order.
  std::vector<std::string> ReadRewritten() {
    const std::string content = ReadFile(kSolutionLogFile);
    EXPECT_EQ(content.size() % 104, 0u);
    std::vector<std::string> texts;
    unsigned long long number = 0;
    for (size_t at = 0; at + 104 <= content.size(); at += 104) {
      texts.push_back(content.substr(at + 20, 81));
      char prefix[24] = "Init - Soduku    : \"";
      if (texts.back().find(' ') == std::string::npos) std::snprintf(prefix, sizeof prefix, "%016llX : \"", ++number);
      EXPECT_EQ(content.substr(at, 20), prefix);
      EXPECT_EQ(content.substr(at + 101, 3), "\"\r\n");
    }
    EXPECT_EQ(number, counters_.written);
    return texts;
  }

  static std::vector<std::string> SortedUnique(std::vector<std::string> texts) {
    texts.push_back(std::string(81, ' '));
    std::sort(texts.begin(), texts.end());
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
    return texts;
  }

  static std::vector<std::string> TempFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(".")) {
      const std::string name = entry.path().filename().string();
      if (name != kSolutionLogFile) names.push_back(name);
    }
    return names;
  }

  // Solutions with repeats: a third of the texts occur twice or three times.
  std::vector<std::string> TextsWithRepeats(size_t distinct, const std::string& prefix = "") {
    std::mt19937 rng(3);
    std::vector<std::string> texts;
    for (size_t i = 0; i < distinct; ++i) {
      texts.push_back(RandomSolutionText(rng, prefix));
      if (i % 3 == 0) texts.push_back(texts.back());
      if (i % 9 == 0) texts.push_back(texts[rng() % texts.size()]);
    }
    std::shuffle(texts.begin(), texts.end(), rng);
    return texts;
  }

  DedupCounters counters_;
  std::string written_;
};

TEST_F(DedupTest, EveryRecordOnceSortedAndNumbered) {
  const auto texts = TextsWithRepeats(30000);
  WriteLog(texts);
  ASSERT_EQ(Run(), 0);
  const auto expected = SortedUnique(texts);
  EXPECT_EQ(ReadRewritten(), expected);
  EXPECT_EQ(counters_.distributed, texts.size() + 1);
  EXPECT_EQ(counters_.duplicates, texts.size() + 1 - expected.size());
  EXPECT_EQ(counters_.written, expected.size() - 1);
  EXPECT_TRUE(TempFiles().empty());

  // A second pass finds nothing more to remove and keeps the file as it is.
  const std::string once = ReadFile(kSolutionLogFile);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(ReadFile(kSolutionLogFile), once);
  EXPECT_EQ(counters_.duplicates, 0u);
}

TEST_F(DedupTest, SplittingGivesTheSameFileAsSortingInMemory) {
  // A long shared prefix, and one solution repeated far beyond the limit,
  // so that splits go past every digit position. With the first puzzle
  // line every record shares the prefix, and splitting may skip it.
  const std::string prefix = "123456789456789123789123456";
  auto texts = TextsWithRepeats(3000, prefix);
  texts.insert(texts.end(), 500, texts.front());
  for (const std::string& puzzle : {prefix + std::string(54, ' '), std::string(81, ' ')}) {
    WriteLog(texts, puzzle);
    ASSERT_EQ(Run(), 0);
    const std::string inMemory = ReadFile(kSolutionLogFile);
    const DedupCounters inMemoryCounters = counters_;

    WriteLog(texts, puzzle);
    int pumps = 0;
    ASSERT_EQ(Run(20 * SolutionRecord::kBytes, [&] { return ++pumps, 0; }), 0);
    EXPECT_EQ(ReadFile(kSolutionLogFile), inMemory);
    EXPECT_EQ(counters_.written, inMemoryCounters.written);
    EXPECT_EQ(counters_.duplicates, inMemoryCounters.duplicates);
    EXPECT_GT(pumps, 10);
    EXPECT_TRUE(TempFiles().empty());
  }
}

TEST_F(DedupTest, ScannerFindsRecordsAcrossChunkBoundaries) {
  std::mt19937 rng(5);
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; i < 200; ++i) {
    switch (rng() % 5) {
      case 0: bytes += "\"\""; break;  // a quote right before a record
      case 1: bytes += std::string(1, static_cast<char>(rng())); break;
      case 2: bytes += "\"" + std::string(81, '\xE4') + "\""; break;
      default: break;
    }
    std::string text = RandomSolutionText(rng);
    if (i % 4 == 0) text[rng() % 81] = ' ';
    bytes += "\"" + text + "\"";
    expected.push_back(text);
  }
  for (size_t chunk : {size_t{1}, size_t{7}, size_t{82}, size_t{83}, size_t{1000}}) {
    SolutionScanner scanner(chunk);
    std::vector<std::string> found;
    for (size_t at = 0; at < bytes.size(); at += chunk) {
      const size_t n = std::min(chunk, bytes.size() - at);
      std::copy_n(bytes.data() + at, n, scanner.ChunkArea());
      scanner.Scan(n, [&](const char* text) { found.emplace_back(text, 81); });
    }
    EXPECT_EQ(found, expected) << "chunk " << chunk;
  }
}

TEST_F(DedupTest, CancelEndsWithItsNumberAndLeavesTheLogAlone) {
  // About 28,900 records of bucket 5: three full buffers are written while
  // distributing, each followed by a pump call; then one after the
  // distribution and one after bucket 0 (the run's puzzle line).
  const auto texts = TextsWithRepeats(20000, "5");
  ASSERT_GT(texts.size(), 3u * 8192);
  ASSERT_LT(texts.size(), 4u * 8192);
  struct Case {
    uint64_t limit;
    int cancelAtCall;
    int error;
  };
  const Case cases[] = {{1 << 30, 1, 60}, {1 << 30, 4, 80}, {1 << 30, 5, 230}, {1000, 6, 100}};
  for (const Case& c : cases) {
    WriteLog(texts);
    int calls = 0;
    EXPECT_EQ(Run(c.limit, [&] { return ++calls == c.cancelAtCall ? 1 : 0; }), c.error);
    EXPECT_EQ(ReadFile(kSolutionLogFile), written_);
    for (const auto& name : TempFiles()) EXPECT_EQ(name, kRewrittenLogFile);
    fs::remove(kRewrittenLogFile);
  }
}

TEST_F(DedupTest, FilesThatCannotBeMadeOrWrittenGiveTheirErrors) {
  std::mt19937 rng(9);
  std::vector<std::string> texts;  // all in bucket 1
  for (int i = 0; i < 9000; ++i) texts.push_back(RandomSolutionText(rng, "1"));
  struct Case {
    const char* name;
    bool fullDevice;  // else a directory stands in the file's place
    long count;
    uint64_t limit;
    int error;
  };
  const Case cases[] = {{"KX3.tmp", false, 100, 1 << 30, 40},  {"KX_.tmp", false, 100, 1 << 30, 90},
                        {"KX1.tmp", true, 9000, 1 << 30, 50},  {"KX1.tmp", true, 100, 1 << 30, 70},
                        {"KX_.tmp", true, 100, 1 << 30, 220},  {"KX_.tmp", true, 9000, 1000, 180},
                        {"KX13.tmp", false, 100, 1000, 120}};
  for (const Case& c : cases) {
    WriteLog(std::vector<std::string>(texts.begin(), texts.begin() + c.count));
    if (c.fullDevice && !fs::exists("/dev/full")) continue;
    if (c.fullDevice) fs::create_symlink("/dev/full", c.name);
    else fs::create_directory(c.name);
    EXPECT_EQ(Run(c.limit), c.error) << c.name;
    EXPECT_EQ(ReadFile(kSolutionLogFile), written_);
    fs::remove(c.name);
    for (const auto& name : TempFiles()) EXPECT_EQ(name, kRewrittenLogFile) << c.name;
    fs::remove(kRewrittenLogFile);
  }
  fs::remove(kSolutionLogFile);
  EXPECT_EQ(Run(), 30);
  fs::create_directory(kSolutionLogFile);
  EXPECT_EQ(Run(), 30);
}

TEST_F(DedupTest, ReadOnlyPlacesAreRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  WriteLog(TextsWithRepeats(100));
  fs::permissions(kSolutionLogFile, fs::perms::owner_read);
  EXPECT_EQ(Run(), 30);
  fs::permissions(kSolutionLogFile, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(Run(), 40);
  fs::permissions(".", fs::perms::owner_all);
  EXPECT_EQ(ReadFile(kSolutionLogFile), written_);
}

}  // namespace
}  // namespace kx
