// Random play: every seed's run must end without a finding. A failure
// prints the seed and the shortest prefix of events that fails again.
#include <gtest/gtest.h>

#include "monkey_run.h"

namespace kx::monkey {
namespace {

// Eight seeds of this many events: about 200,000 in all.
constexpr int kEventsPerSeed = 25000;

class RandomPlayTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomPlayTest, LeavesEveryRuleIntactAndTheStateFileWhole) {
  const uint32_t seed = GetParam();
  const RunResult run = RunMonkey(seed, kEventsPerSeed);
  if (!run.failure.empty()) {
    const size_t prefix = ShortestFailingPrefix(seed, run.events);
    FAIL() << FailureReport(seed, run.failure, run.events, prefix);
  }
  EXPECT_EQ(run.eventsRun, kEventsPerSeed);
  std::printf("seed %u: %d events, %d restarts; modes: %s\n", seed, run.eventsRun, run.restarts, run.modes.c_str());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlayTest, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace kx::monkey
