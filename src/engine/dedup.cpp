#include "engine/dedup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <set>
#include <string>

#include "engine/solution_files.h"
#include "engine/solution_record.h"
#include "engine/solution_scanner.h"

namespace kx {

namespace {

using namespace dedup_error;

constexpr int kDigits = 10;
constexpr size_t kBufferRecords = 8192;
constexpr size_t kReadChunkBytes = 256 * 1024;
constexpr size_t kOutputBufferBytes = 2048 * kSolutionLineSize;
constexpr int kLastPosition = 80;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// "KX5.tmp" with digit 3 gives "KX53.tmp": one more digit per split level.
std::string ChildName(const std::string& parent, int digit) {
  return parent.substr(0, parent.size() - 4) + static_cast<char>('0' + digit) + ".tmp";
}

// Closes a file that was written, reporting whether everything reached it.
bool CloseWritten(FilePtr& file) {
  std::FILE* raw = file.release();
  return raw == nullptr || std::fclose(raw) == 0;
}

class Deduplicator {
 public:
  Deduplicator(DedupCounters& counters, const DedupOptions& options) : counters_(counters), options_(options) {}

  // Whatever the exit, the bucket files go; a partly written rewritten log
  // is closed and left for inspection.
  ~Deduplicator() {
    for (Bucket& bucket : buckets_) bucket.file.reset();
    out_.reset();
    std::error_code ignored;
    for (const std::string& name : tempFiles_) std::filesystem::remove(name, ignored);
  }

  int Run(const char* logFile) {
    counters_ = DedupCounters{};
    if (int error = Distribute(logFile)) return error;
    return Merge(logFile);
  }

 private:
  struct Bucket {
    std::string name;
    FilePtr file;
    size_t fill = 0;
    uint64_t records = 0;
  };

  bool Cancelled() { return options_.pump && options_.pump() != 0; }
  // A single record needs no sorting, whatever the limit.
  bool FitsInMemory(uint64_t records) const {
    return records <= 1 || records <= options_.memoryLimit / SolutionRecord::kBytes;
  }

  bool CreateBuckets(const std::string& parent) {
    for (int d = 0; d < kDigits; ++d) {
      Bucket& bucket = buckets_[d];
      bucket.name = ChildName(parent, d);
      bucket.fill = 0;
      bucket.records = 0;
      bucket.file.reset(std::fopen(bucket.name.c_str(), "wb"));
      if (!bucket.file) return false;
      tempFiles_.insert(bucket.name);
    }
    return true;
  }

  SolutionRecord* BufferOf(int digit) { return buffers_.get() + static_cast<size_t>(digit) * kBufferRecords; }

  bool FlushBucket(int digit) {
    Bucket& bucket = buckets_[digit];
    if (bucket.fill == 0) return true;
    SolutionRecord* records = BufferOf(digit);
    SwapToLittleEndian(records, bucket.fill);
    const bool ok = std::fwrite(records, SolutionRecord::kBytes, bucket.fill, bucket.file.get()) == bucket.fill;
    bucket.records += bucket.fill;
    if (countDistributed_) counters_.distributed += bucket.fill;
    bucket.fill = 0;
    return ok;
  }

  // Writes the rest of every buffer and closes the files; false when
  // something did not reach the disk.
  bool FlushAndCloseBuckets() {
    bool ok = true;
    for (int d = 0; d < kDigits; ++d) {
      ok = FlushBucket(d) && ok;
      ok = CloseWritten(buckets_[d].file) && ok;
    }
    return ok;
  }

  // The common prefix is measured over every record, so that the digit
  // positions skipped when splitting really are equal in all of them.
  void NotePrefix(const SolutionRecord& record) {
    if (prefixLength_ < 0) {
      reference_ = record;
      prefixLength_ = kLastPosition;
      return;
    }
    int shared = 0;
    while (shared < prefixLength_ && RecordDigit(record, shared) == RecordDigit(reference_, shared)) ++shared;
    prefixLength_ = shared;
  }

  int Distribute(const char* logFile) {
    buffers_.reset(new (std::nothrow) SolutionRecord[kDigits * kBufferRecords]);
    if (!buffers_) return kBucketBuffers;
    // Read and write, as a log the player has write-protected is not replaced.
    FilePtr log(std::fopen(logFile, "r+b"));
    if (!log) return kOpenLog;
    if (!CreateBuckets("KX.tmp")) return kCreateBucket;

    countDistributed_ = true;
    SolutionScanner scanner(kReadChunkBytes);
    int error = 0;
    while (error == 0) {
      const size_t got = std::fread(scanner.ChunkArea(), 1, scanner.ChunkCapacity(), log.get());
      if (got == 0) break;
      scanner.Scan(got, [&](const char* text) {
        if (error != 0) return;
        const SolutionRecord record = PackRecord(text);
        NotePrefix(record);
        const int digit = text[0] & 0xF;
        Bucket& bucket = buckets_[digit];
        BufferOf(digit)[bucket.fill++] = record;
        if (bucket.fill < kBufferRecords) return;
        if (!FlushBucket(digit)) {
          error = kBucketWrite;
        } else if (Cancelled()) {
          error = kCancelDistributing;
        }
      });
    }
    if (error != 0) return error;
    // A read error would drop the rest of the log from the rewritten file.
    if (std::ferror(log.get())) return kOpenLog;
    if (!FlushAndCloseBuckets()) return kBucketFlush;
    countDistributed_ = false;
    log.reset();
    splitStart_ = prefixLength_ > 1 ? prefixLength_ : 1;
    if (Cancelled()) return kCancelAfterDistributing;
    return 0;
  }

  int Merge(const char* logFile) {
    out_.reset(std::fopen(kRewrittenLogFile, "wb"));
    if (!out_) return kCreateOutput;
    outBuffer_.reserve(kOutputBufferBytes + kSolutionLineSize);

    // A split reuses the bucket slots, so take the top level's list first.
    std::string names[kDigits];
    uint64_t counts[kDigits];
    for (int d = 0; d < kDigits; ++d) {
      names[d] = buckets_[d].name;
      counts[d] = buckets_[d].records;
    }
    for (int d = 0; d < kDigits; ++d) {
      if (counts[d] == 0) {
        Delete(names[d]);
        continue;
      }
      const int error = WriteBucket(names[d], counts[d], 0, kBucketMemory, kBucketRead, kBucketOutput);
      if (error != 0) return error;
      if (Cancelled()) return kCancelAfterBucket;
      Delete(names[d]);
    }
    if (!FlushOutput() || !CloseWritten(out_)) return kBucketOutput;
    // One rename: at every moment either the old or the new log exists.
    std::error_code error;
    std::filesystem::rename(kRewrittenLogFile, logFile, error);
    return error ? kReplaceLog : 0;
  }

  // One bucket file into the output, sorted in memory when it fits, else
  // split at the split level given.
  int WriteBucket(const std::string& name, uint64_t count, int splitLevel, int memoryError, int readError,
                  int outputError) {
    if (FitsInMemory(count)) return SortInMemory(name, count, memoryError, readError, outputError);
    if (Cancelled()) return kCancelSplitting;
    return Split(name, splitLevel);
  }

  int SortInMemory(const std::string& name, uint64_t count, int memoryError, int readError, int outputError) {
    FilePtr file(std::fopen(name.c_str(), "rb"));
    if (!file) return readError;
    const size_t records = static_cast<size_t>(count);
    std::unique_ptr<SolutionRecord[]> block(new (std::nothrow) SolutionRecord[records]);
    if (!block) return memoryError;
    if (std::fread(block.get(), SolutionRecord::kBytes, records, file.get()) != records) return readError;
    file.reset();
    Delete(name);
    SwapFromLittleEndian(block.get(), records);
    SortSolutionRecords(block.get(), records);
    for (size_t i = 0; i < records; ++i) {
      if (!WriteRecord(block[i])) return outputError;
    }
    return 0;
  }

  // Distributes a file too big for memory over ten sub-bucket files by the
  // digit at one position, then takes them in digit order, splitting again
  // one position further where still needed. Positions run in text order
  // past the prefix all records share, so the output stays sorted.
  int Split(const std::string& name, int level) {
    const int position = splitStart_ + level;
    if (position > kLastPosition) return WriteIdentical(name);
    FilePtr source(std::fopen(name.c_str(), "rb"));
    if (!source) return kReopenForSplit;
    if (!CreateBuckets(name)) return kCreateSubBucket;
    if (!readBlock_) readBlock_.reset(new (std::nothrow) SolutionRecord[kBufferRecords]);
    if (!readBlock_) return kSubBucketMemory;

    for (;;) {
      const size_t got = std::fread(readBlock_.get(), SolutionRecord::kBytes, kBufferRecords, source.get());
      SwapFromLittleEndian(readBlock_.get(), got);
      for (size_t i = 0; i < got; ++i) {
        const int digit = static_cast<int>(RecordDigit(readBlock_[i], position));
        Bucket& bucket = buckets_[digit];
        BufferOf(digit)[bucket.fill++] = readBlock_[i];
        if (bucket.fill == kBufferRecords && !FlushBucket(digit)) return kSubBucketWrite;
      }
      if (got < kBufferRecords) break;
    }
    if (std::ferror(source.get())) return kReopenForSplit;
    if (!FlushAndCloseBuckets()) return kSubBucketFlush;
    source.reset();
    Delete(name);

    std::string names[kDigits];
    uint64_t counts[kDigits];
    for (int d = 0; d < kDigits; ++d) {
      names[d] = buckets_[d].name;
      counts[d] = buckets_[d].records;
      if (counts[d] == 0) Delete(names[d]);
    }
    for (int d = 0; d < kDigits; ++d) {
      if (counts[d] == 0) continue;
      const int error =
          WriteBucket(names[d], counts[d], level + 1, kSubBucketMemory, kSubBucketRead, kSubBucketOutput);
      if (error != 0) return error;
    }
    return 0;
  }

  // Every digit position has been used: all records of the file are equal,
  // and the duplicate check keeps just the first without loading them.
  int WriteIdentical(const std::string& name) {
    FilePtr file(std::fopen(name.c_str(), "rb"));
    if (!file) return kReopenForSplit;
    SolutionRecord record;
    size_t got;
    while ((got = std::fread(&record, SolutionRecord::kBytes, 1, file.get())) == 1) {
      SwapFromLittleEndian(&record, 1);
      if (!WriteRecord(record)) return kSubBucketOutput;
    }
    if (std::ferror(file.get())) return kSubBucketRead;
    file.reset();
    Delete(name);
    return 0;
  }

  // One 104-byte line of the rewritten log, or a duplicate dropped.
  bool WriteRecord(const SolutionRecord& record) {
    if (havePrevious_ && record == previous_) {
      ++counters_.duplicates;
      return true;
    }
    previous_ = record;
    havePrevious_ = true;
    PuzzleText text;
    UnpackRecord(record, text.data());
    char line[kSolutionLineSize];
    if (std::memchr(text.data(), ' ', text.size()) != nullptr) {
      FormatPuzzleLine(line, text);
    } else {
      FormatSolutionLine(line, ++counters_.written, text);
    }
    outBuffer_.append(line, sizeof line);
    return outBuffer_.size() < kOutputBufferBytes || FlushOutput();
  }

  bool FlushOutput() {
    const bool ok = std::fwrite(outBuffer_.data(), 1, outBuffer_.size(), out_.get()) == outBuffer_.size();
    outBuffer_.clear();
    return ok;
  }

  void Delete(const std::string& name) {
    std::error_code ignored;
    std::filesystem::remove(name, ignored);
    tempFiles_.erase(name);
  }

  DedupCounters& counters_;
  const DedupOptions& options_;
  std::unique_ptr<SolutionRecord[]> buffers_;
  std::unique_ptr<SolutionRecord[]> readBlock_;
  Bucket buckets_[kDigits];
  std::set<std::string> tempFiles_;
  bool countDistributed_ = false;
  int prefixLength_ = -1;
  int splitStart_ = 1;
  SolutionRecord reference_;
  FilePtr out_;
  std::string outBuffer_;
  SolutionRecord previous_;
  bool havePrevious_ = false;
};

}  // namespace

int DeduplicateSolutionFile(const char* logFile, DedupCounters& counters, const DedupOptions& options) {
  Deduplicator deduplicator(counters, options);
  return deduplicator.Run(logFile);
}

uint64_t DedupMemoryLimit(uint64_t freePhysicalMemory) {
  // A system that reports (next to) no free memory still gets one bucket
  // buffer's worth sorted at once; below that every bucket would be split
  // down to its last digit.
  constexpr uint64_t kFloor = kBufferRecords * SolutionRecord::kBytes;
  return std::max(freePhysicalMemory / 4, kFloor);
}

}  // namespace kx
