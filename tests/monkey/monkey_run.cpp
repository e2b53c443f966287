#include "monkey_run.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "monkey_driver.h"
#include "monkey_player.h"

namespace kx::monkey {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() : previous_(fs::current_path().string()) {
  static int made = 0;
  path_ = (fs::temp_directory_path() / ("kx_monkey_" + std::to_string(::getpid()) + "_" + std::to_string(made++)))
              .string();
  fs::remove_all(path_);
  fs::create_directories(path_);
  fs::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path_, ignored);
}

namespace {

std::string Checked(MonkeyDriver& driver, const MonkeyOptions& options, bool last) {
  std::string failure = driver.CheckInvariants();
  if (failure.empty() && (last || driver.eventsApplied() % options.roundTripEvery == 0)) failure = driver.CheckRoundTrip();
  return failure;
}

}  // namespace

RunResult RunMonkey(uint32_t seed, int count, const MonkeyOptions& options) {
  ScratchFolder folder;
  RandomChooser playerChoices(PlayerSeed(seed)), hostChoices(HostSeed(seed));
  MonkeyDriver driver(seed, hostChoices, options.paintEvery);
  driver.RecordFrames(options.frameHashes);
  MonkeyPlayer player(playerChoices);
  RunResult result;
  result.failure = driver.CheckInvariants();
  while (result.failure.empty() && result.eventsRun < count) {
    result.events.push_back(player.Next(driver));
    driver.Apply(result.events.back());
    ++result.eventsRun;
    result.failure = Checked(driver, options, result.eventsRun == count);
  }
  result.restarts = driver.restarts();
  for (int m = 0; m < MonkeyDriver::kModes; ++m)
    result.modes += std::string(m ? ", " : "") + MonkeyDriver::ModeName(m) + " " + std::to_string(driver.modeEvents()[m]);
  result.modes += ", on a damaged game " + std::to_string(driver.damagedGameEvents());
  return result;
}

std::string ReplayPrefix(uint32_t seed, const std::vector<Event>& events, size_t n, const MonkeyOptions& options) {
  ScratchFolder folder;
  RandomChooser hostChoices(HostSeed(seed));
  MonkeyDriver driver(seed, hostChoices, options.paintEvery);
  std::string failure = driver.CheckInvariants();
  for (size_t i = 0; failure.empty() && i < n && i < events.size(); ++i) {
    driver.Apply(events[i]);
    failure = Checked(driver, options, i + 1 == n);
  }
  return failure;
}

size_t ShortestFailingPrefix(uint32_t seed, const std::vector<Event>& events, const MonkeyOptions& options) {
  // A finding stays once it is there, so the failing lengths form a tail.
  size_t low = 0, high = events.size();
  while (low + 1 < high) {
    const size_t middle = low + (high - low) / 2;
    if (ReplayPrefix(seed, events, middle, options).empty()) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return high;
}

std::string FailureReport(uint32_t seed, const std::string& failure, const std::vector<Event>& events, size_t prefix) {
  std::ostringstream text;
  text << "seed " << seed << ": " << failure << "\nshortest failing prefix: " << prefix << " events (kx_monkey --seed "
       << seed << " --events " << prefix << " replays them)\n";
  const size_t first = prefix > 60 ? prefix - 60 : 0;
  if (first > 0) text << "  ... " << first << " earlier events\n";
  for (size_t i = first; i < prefix && i < events.size(); ++i) text << "  " << i + 1 << ": " << Describe(events[i]) << "\n";
  return text.str();
}

}  // namespace kx::monkey
