#include "base/helper_thread.h"

#include <sched.h>

#include <algorithm>
#include <utility>

namespace kx {

namespace {

// Steps off the creator's processor, then lets the scheduler place the
// thread freely again.
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

unsigned UsableCores() {
  // The affinity mask, unlike the count of installed processors, honours
  // taskset and container limits.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1u, std::thread::hardware_concurrency());
}

std::jthread StartHelperThread(std::function<void()> body) {
  const int creatorCpu = ::sched_getcpu();
  std::jthread thread([creatorCpu, body = std::move(body)] {
    LeaveProcessor(creatorCpu);
    body();
  });
  // Lets the helper run now should it be queued behind the creator.
  ::sched_yield();
  return thread;
}

}  // namespace kx
