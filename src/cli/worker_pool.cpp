#include "cli/worker_pool.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace kx::cli {

unsigned UsableCores() {
  // The affinity mask, unlike the count of installed processors, honours
  // taskset and container limits.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1u, std::thread::hardware_concurrency());
}

namespace {

// A new thread is often queued on its creator's processor, where it waits
// milliseconds for the creator's time slice to end although the others
// are idle. The creator yields once so that the helper gets to run at
// once; the helper steps off the creator's processor and then lets the
// scheduler place it freely again.
void LeaveProcessor(int creatorCpu) {
  cpu_set_t all;
  CPU_ZERO(&all);
  if (creatorCpu < 0 || ::sched_getaffinity(0, sizeof all, &all) != 0) return;
  cpu_set_t others = all;
  CPU_CLR(creatorCpu, &others);
  if (CPU_COUNT(&others) == 0 || ::sched_setaffinity(0, sizeof others, &others) != 0) return;
  ::sched_setaffinity(0, sizeof all, &all);
}

}  // namespace

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
  const int creatorCpu = ::sched_getcpu();
  auto help = [&](unsigned worker) {
    LeaveProcessor(creatorCpu);
    run(worker);
  };
  {
    std::vector<std::jthread> helpers;
    const size_t threads = std::min<size_t>(workers, count);
    for (unsigned worker = 1; worker < threads; ++worker) {
      try {
        helpers.emplace_back(help, worker);
        ::sched_yield();
      } catch (const std::system_error&) {
        break;  // no more threads to be had: those running share the work
      }
    }
    run(0);
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace kx::cli
