#include "cli/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "base/helper_thread.h"

namespace kx::cli {

void RunOnWorkers(size_t count, unsigned workers, const std::function<void(unsigned worker, size_t index)>& work) {
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto run = [&](unsigned worker) {
    try {
      for (size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < count;) work(worker, i);
    } catch (...) {
      // The others stop after their current item.
      next.store(count, std::memory_order_relaxed);
      std::lock_guard hold(failureLock);
      if (!failure) failure = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;
    const size_t threads = std::min<size_t>(workers, count);
    for (unsigned worker = 1; worker < threads; ++worker) {
      try {
        helpers.push_back(StartHelperThread([&run, worker] { run(worker); }));
      } catch (const std::system_error&) {
        break;  // no more threads to be had: those running share the work
      }
    }
    run(0);
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace kx::cli
