#include "base/background_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include "base/helper_thread.h"

namespace kx {

namespace {

// Waking a sleeping thread can take a good part of a millisecond: the helper
// is woken only once a quarter of the pool waits for it and then writes all
// it finds. A larger pool no longer fits the caches the two threads share.
constexpr size_t kHelperPoolBytes = size_t{3} << 19;
constexpr size_t kFewestBlocks = 4;

}  // namespace

BackgroundWriter::BackgroundWriter(int fd, size_t blockBytes, bool onHelperThread, Transform transform)
    : fd_(fd), transform_(std::move(transform)) {
  size_t blocks = 1;
  if (onHelperThread) {
    blocks = std::max(kFewestBlocks, kHelperPoolBytes / std::max<size_t>(blockBytes, 1));
    wakeAt_ = blocks / 4;
  }
  storage_.assign(blockBytes * blocks, 0);
  for (size_t i = 0; i < blocks; ++i) freeBlocks_.push_back(storage_.data() + blockBytes * i);
  if (onHelperThread) {
    try {
      helper_ = StartHelperThread([this] { WriteQueued(); });
    } catch (const std::system_error&) {
    }
  }
}

BackgroundWriter::~BackgroundWriter() { Finish(); }

uint8_t* BackgroundWriter::NextBlock() {
  std::unique_lock hold(lock_);
  // Every block waits for the helper: it must not sleep on them.
  if (freeBlocks_.empty()) workReady_.notify_one();
  blockFree_.wait(hold, [this] { return !freeBlocks_.empty(); });
  uint8_t* block = freeBlocks_.back();
  freeBlocks_.pop_back();
  return block;
}

void BackgroundWriter::Write(uint8_t* block, size_t bytes, uint64_t offset) {
  const Job job{block, bytes, offset};
  if (!helper_.joinable()) {
    failed_ = failed_ || !WriteNow(job);
    freeBlocks_.push_back(block);
    return;
  }
  bool wake;
  {
    std::lock_guard hold(lock_);
    queue_.push_back(job);
    wake = queue_.size() >= wakeAt_;
  }
  if (wake) workReady_.notify_one();
}

bool BackgroundWriter::Finish() {
  if (helper_.joinable()) {
    {
      std::lock_guard hold(lock_);
      finishing_ = true;
    }
    workReady_.notify_one();
    helper_.join();
  }
  return !failed_;
}

bool BackgroundWriter::WriteNow(const Job& job) const {
  const std::span<const uint8_t> bytes = transform_ ? transform_(job.block, job.bytes) : std::span(job.block, job.bytes);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(job.offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void BackgroundWriter::WriteQueued() {
  std::unique_lock hold(lock_);
  for (;;) {
    workReady_.wait(hold, [this] { return !queue_.empty() || finishing_; });
    if (queue_.empty()) return;
    const Job job = queue_.front();
    queue_.pop_front();
    // After a failure the rest is not worth writing.
    const bool skip = failed_;
    hold.unlock();
    const bool ok = skip || WriteNow(job);
    hold.lock();
    failed_ = failed_ || !ok;
    freeBlocks_.push_back(job.block);
    blockFree_.notify_one();
  }
}

}  // namespace kx
