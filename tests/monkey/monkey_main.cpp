// kx_monkey: random play from the shell.
//   kx_monkey --seed S --events N            one run; a finding is reduced and printed
//   kx_monkey --seed S --seeds K --events N  K runs with seeds S..S+K-1 (a campaign)
//   --paint-every P      paints every P-th event whole (default 1)
//   --frame-hashes FILE  writes a hash of every whole frame, to compare builds
//   --write-states DIR   keeps the saved games and state files the runs make
//   --write-streams DIR  writes each run's decisions as an input of fuzz_events
// Prints events per second; exit status 1 after a finding.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/state_file.h"
#include "monkey_driver.h"
#include "monkey_player.h"
#include "monkey_run.h"

namespace {

namespace fs = std::filesystem;
using kx::monkey::RunResult;

// One run that keeps the program's files it wrote on the way.
void CollectStates(uint32_t seed, int events, const std::string& to) {
  kx::monkey::ScratchFolder folder;
  kx::monkey::RandomChooser playerChoices(kx::monkey::PlayerSeed(seed)), hostChoices(kx::monkey::HostSeed(seed));
  kx::monkey::MonkeyDriver driver(seed, hostChoices);
  kx::monkey::MonkeyPlayer player(playerChoices);
  fs::create_directories(to);
  int kept = 0;
  for (int i = 0; i < events; ++i) {
    driver.Apply(player.Next(driver));
    if (i % 500 != 499) continue;
    for (const auto& entry : fs::directory_iterator(".")) {
      const std::string name = entry.path().filename().string();
      if (name != kx::kStateFileName && !kx::IsSavedGameName(name)) continue;
      fs::copy_file(entry.path(), fs::path(to) / (std::to_string(seed) + "_" + std::to_string(kept++) + "_" + name),
                    fs::copy_options::overwrite_existing);
    }
  }
}

// One run whose decisions are kept as the bytes the fuzz target reads.
void WriteStream(uint32_t seed, int events, const std::string& to) {
  kx::monkey::ScratchFolder folder;
  kx::monkey::RecordingChooser choices(kx::monkey::PlayerSeed(seed));
  kx::monkey::MonkeyDriver driver(seed, choices);
  kx::monkey::MonkeyPlayer player(choices);
  for (int i = 0; i < events; ++i) driver.Apply(player.Next(driver));
  fs::create_directories(to);
  std::FILE* file = std::fopen((fs::path(to) / ("stream_" + std::to_string(seed))).c_str(), "wb");
  if (!file) return;
  std::fwrite(choices.recorded.data(), 1, choices.recorded.size(), file);
  std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  uint32_t seed = 1;
  int seeds = 1, events = 100000;
  std::string statesDir, streamsDir;
  kx::monkey::MonkeyOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--seed") seed = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    else if (option == "--seeds") seeds = std::atoi(argv[i + 1]);
    else if (option == "--events") events = std::atoi(argv[i + 1]);
    else if (option == "--write-states") statesDir = argv[i + 1];
    else if (option == "--write-streams") streamsDir = argv[i + 1];
    else if (option == "--paint-every") options.paintEvery = std::atoi(argv[i + 1]);
    else if (option == "--frame-hashes") options.frameHashes = std::fopen(argv[i + 1], "w");
    else {
      std::fprintf(stderr, "unknown option %s\n", option.c_str());
      return 2;
    }
  }
  if (!streamsDir.empty()) {
    for (int k = 0; k < seeds; ++k) WriteStream(seed + static_cast<uint32_t>(k), events, streamsDir);
    return 0;
  }
  if (!statesDir.empty()) {
    for (int k = 0; k < seeds; ++k) CollectStates(seed + static_cast<uint32_t>(k), events, statesDir);
    return 0;
  }

  long long total = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int k = 0; k < seeds; ++k) {
    const uint32_t s = seed + static_cast<uint32_t>(k);
    const auto runStart = std::chrono::steady_clock::now();
    const RunResult run = kx::monkey::RunMonkey(s, events, options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count();
    total += run.eventsRun;
    std::printf("seed %u: %d events, %d restarts, %.0f events/s; modes: %s\n", s, run.eventsRun, run.restarts,
                run.eventsRun / seconds, run.modes.c_str());
    std::fflush(stdout);
    if (!run.failure.empty()) {
      const size_t prefix = kx::monkey::ShortestFailingPrefix(s, run.events, options);
      std::printf("%s", kx::monkey::FailureReport(s, run.failure, run.events, prefix).c_str());
      return 1;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%lld events in %.0f s (%.0f events/s), no finding\n", total, seconds, total / seconds);
  return 0;
}
