#pragma once

#include <cstddef>
#include <functional>

namespace kx::cli {

// Calls work(worker, index) once for every index below `count`, on up to
// `workers` threads, the calling one among them; `worker` is below
// `workers` and names the thread, so that each can keep state of its own.
// Indices go out one at a time in rising order, so uneven items even out.
// Returns when every call has; the first exception thrown by a call is
// rethrown here once all threads have stopped.
void RunOnWorkers(size_t count, unsigned workers, const std::function<void(unsigned worker, size_t index)>& work);

}  // namespace kx::cli
