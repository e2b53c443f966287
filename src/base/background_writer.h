#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace kx {

// Writes blocks into an open file on a helper thread, so that making the
// next block and the kernel's copying of the last one overlap. Blocks come
// from a small pool and return to it once written; their bytes stay as
// they were last written (all zero at first). Without a helper thread (not
// asked for, or none to be had) each block is written when handed over.
class BackgroundWriter {
 public:
  // Makes the `bytes` bytes to write from a block handed over, on the
  // writing thread; what it returns must stay valid until its next call.
  using Transform = std::function<std::span<const uint8_t>(const uint8_t* block, size_t bytes)>;

  BackgroundWriter(int fd, size_t blockBytes, bool onHelperThread, Transform transform = {});
  ~BackgroundWriter();
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // A block to fill, once a write has given one back.
  uint8_t* NextBlock();
  // Hands over a block from NextBlock: its first `bytes` bytes, or what the
  // transform makes of it, are written at `offset`.
  void Write(uint8_t* block, size_t bytes, uint64_t offset);
  // Waits for every write; false when any failed.
  bool Finish();

 private:
  struct Job {
    uint8_t* block;
    size_t bytes;
    uint64_t offset;
  };
  bool WriteNow(const Job& job) const;
  void WriteQueued();

  const int fd_;
  const Transform transform_;
  std::vector<uint8_t> storage_;
  std::mutex lock_;
  std::condition_variable workReady_, blockFree_;
  std::vector<uint8_t*> freeBlocks_;
  std::deque<Job> queue_;
  size_t wakeAt_ = 1;  // queued jobs that wake the helper
  bool finishing_ = false;
  bool failed_ = false;
  std::jthread helper_;
};

}  // namespace kx
