#pragma once

#include <cstdint>
#include <functional>

namespace kx {

// The log file of the all-solutions search.
inline constexpr const char* kSolutionLogFile = "SudokuAll.txt";
// The rewritten log before it replaces the old one.
inline constexpr const char* kRewrittenLogFile = "KX_.tmp";

// Numbered errors of DeduplicateSolutionFile, shown to the player.
namespace dedup_error {
inline constexpr int kBucketBuffers = 10;
inline constexpr int kOpenLog = 30;
inline constexpr int kCreateBucket = 40;
inline constexpr int kBucketWrite = 50;
inline constexpr int kCancelDistributing = 60;
inline constexpr int kBucketFlush = 70;
inline constexpr int kCancelAfterDistributing = 80;
inline constexpr int kCreateOutput = 90;
inline constexpr int kCancelSplitting = 100;
inline constexpr int kReopenForSplit = 110;
inline constexpr int kCreateSubBucket = 120;
inline constexpr int kSubBucketWrite = 130;
inline constexpr int kSubBucketFlush = 140;
inline constexpr int kSubBucketMemory = 150;
inline constexpr int kSubBucketRead = 170;
inline constexpr int kSubBucketOutput = 180;
inline constexpr int kBucketMemory = 190;
inline constexpr int kBucketRead = 210;
inline constexpr int kBucketOutput = 220;
inline constexpr int kCancelAfterBucket = 230;
// The rewritten file could not take the log's name; the log is unchanged.
inline constexpr int kReplaceLog = 240;
}  // namespace dedup_error

// Counters of a deduplication, published as it goes for the progress display.
struct DedupCounters {
  uint64_t distributed = 0;  // records moved into bucket files
  uint64_t written = 0;      // complete solutions in the rewritten file
  uint64_t duplicates = 0;   // records dropped as equal to the one before
};

struct DedupOptions {
  // Bytes of records sorted in memory at once; larger buckets are split.
  uint64_t memoryLimit = 0;
  // Called after every block of distributed records and every bucket;
  // a non-zero result cancels.
  std::function<int()> pump;
};

// Rewrites the log so that every record stands in it once, sorted, with
// complete solutions numbered from 1. Bucket files "KX<digits>.tmp" go to
// the working directory and are removed on every exit; the log is replaced
// only after a complete merge. Returns 0 or a dedup_error number.
int DeduplicateSolutionFile(const char* logFile, DedupCounters& counters, const DedupOptions& options);

// The in-memory limit for a given amount of free physical memory: a quarter
// of it, but never less than one bucket buffer.
uint64_t DedupMemoryLimit(uint64_t freePhysicalMemory);

}  // namespace kx
