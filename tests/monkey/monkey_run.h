#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "chooser.h"
#include "monkey_event.h"

namespace kx::monkey {

// How much of the checking and painting a run does.
struct MonkeyOptions {
  int roundTripEvery = 300;  // events between state-file round trips
  int paintEvery = 1;        // events between whole paints; the layout is kept up always
  std::FILE* frameHashes = nullptr;  // a line per whole paint, for comparing builds
};

struct RunResult {
  int eventsRun = 0;
  int restarts = 0;
  std::string failure;        // empty: no finding
  std::vector<Event> events;  // what was played, up to the failure
  std::string modes;          // after how many events each mode was on
};

// The game as a fresh start in a scratch folder of its own, played with
// `count` events made up from the seed. Every event is followed by the
// invariant checks, every `roundTripEvery` events by a state-file round
// trip; the first finding ends the run.
RunResult RunMonkey(uint32_t seed, int count, const MonkeyOptions& options = {});

// The same start and the first n of the events, with every check after
// each one and a round trip at the end: the finding, or an empty text.
std::string ReplayPrefix(uint32_t seed, const std::vector<Event>& events, size_t n, const MonkeyOptions& options = {});

// The shortest prefix of a failed run's events that fails again.
size_t ShortestFailingPrefix(uint32_t seed, const std::vector<Event>& events, const MonkeyOptions& options = {});

// The seed, the finding and the events of the prefix, to print.
std::string FailureReport(uint32_t seed, const std::string& failure, const std::vector<Event>& events, size_t prefix);

// The player's decisions and the host's answers come from separate
// generators, so that replaying recorded events gives the same answers.
inline uint64_t PlayerSeed(uint32_t seed) { return 2 * uint64_t{seed} + 1; }
inline uint64_t HostSeed(uint32_t seed) { return 2 * uint64_t{seed}; }

// A fresh working folder for one run, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string previous_, path_;
};

}  // namespace kx::monkey
