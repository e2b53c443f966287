#pragma once

#include <functional>
#include <thread>

namespace kx {

// The processors this process may run on (at least 1).
unsigned UsableCores();

// A thread for work beside the calling one that starts at once: left to
// itself, a new thread is often queued on its creator's processor and waits
// milliseconds for the creator's time slice to end although the others are
// idle. Throws std::system_error when no thread can be had.
std::jthread StartHelperThread(std::function<void()> body);

}  // namespace kx
