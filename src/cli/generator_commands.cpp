#include "cli/generator_commands.h"

#include <chrono>
#include <istream>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/puzzle_input.h"
#include "engine/difficulty.h"
#include "engine/generator.h"
#include "game/current_solution_file.h"
#include "game/difficulty_slider.h"

namespace kx::cli {

namespace {

constexpr const char* kGenerateUsage =
    "generate --level zufall|leicht|mittel|schwer|super [--count N] [--seed S] [--no-files]\n"
    "       kx-sudoku-cli generate --range MIN MAX [--thin T] [--count N] [--seed S] [--no-files]";

int Usage(std::ostream& err, const char* usage) {
  err << "usage: kx-sudoku-cli " << usage << "\n";
  return 2;
}

std::optional<Level> ParseLevel(const std::string& name) {
  static const char* kNames[kLevelCount] = {"zufall", "leicht", "mittel", "schwer", "super"};
  for (int i = 0; i < kLevelCount; ++i) {
    if (name == kNames[i]) return static_cast<Level>(i);
  }
  return std::nullopt;
}

// Reads "--level NAME" or "--range MIN MAX"; removes them from args.
std::optional<DifficultyLevel> ParseRange(Args& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--level" && i + 1 < args.size()) {
      auto level = ParseLevel(args[i + 1]);
      if (!level) return std::nullopt;
      args.erase(args.begin() + i, args.begin() + i + 2);
      return LevelRange(*level);
    }
    if (args[i] == "--range" && i + 2 < args.size()) {
      auto minimum = ParseUnsigned(args[i + 1]);
      auto maximum = ParseUnsigned(args[i + 2]);
      if (!minimum || !maximum || *minimum > 0xFFFFFFFFu || *maximum > 0xFFFFFFFFu) return std::nullopt;
      args.erase(args.begin() + i, args.begin() + i + 3);
      return DifficultyLevel{static_cast<uint32_t>(*minimum), static_cast<uint32_t>(*maximum), 0};
    }
  }
  return std::nullopt;
}

uint32_t TimeSeed() {
  return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

int RunGenerate(const Args& givenArgs, std::istream&, std::ostream& out, std::ostream& err) {
  Args args = givenArgs;
  auto range = ParseRange(args);
  if (!range) return Usage(err, kGenerateUsage);
  OptionReader options(args);
  auto thin = options.Number("--thin");
  uint64_t count = options.Number("--count").value_or(1);
  auto seed = options.Number("--seed");
  bool noFiles = options.Flag("--no-files");
  if (options.bad() || !options.Rest().empty() || (thin && *thin > 81)) return Usage(err, kGenerateUsage);
  if (thin) range->thinningTarget = static_cast<int>(*thin);

  Solver solver;
  CurrentSolutionFile file;
  if (!noFiles) solver.SetCurrentSolutionSink(&file);
  PuzzleRandom random(seed ? static_cast<uint32_t>(*seed) : TimeSeed());
  Generator generator(solver, random);
  for (uint64_t i = 0; i < count; ++i) {
    PuzzleText puzzle, solution;
    uint32_t difficulty =
        generator.GeneratePuzzle(range->minimum, range->maximum, range->thinningTarget, puzzle, solution);
    out << OutputBoard(puzzle) << ' ' << difficulty << ' ' << OutputBoard(solution) << '\n' << std::flush;
  }
  return 0;
}

int RunThin(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  static const char* kUsage = "thin T [--no-files]";
  OptionReader options(args);
  bool noFiles = options.Flag("--no-files");
  auto rest = options.Rest();
  auto target = rest.size() == 1 ? ParseUnsigned(rest[0]) : std::nullopt;
  if (!target || *target > 81) return Usage(err, kUsage);

  Solver solver;
  CurrentSolutionFile file;
  if (!noFiles) solver.SetCurrentSolutionSink(&file);
  PuzzleRandom random(0);
  Generator generator(solver, random);
  bool good = ForEachPuzzle(in, err, [&](const PuzzleText& given) {
    PuzzleText puzzle = given, scratch;
    uint32_t difficulty = solver.SolvePuzzle(puzzle, scratch, 1, 2);
    generator.ThinPuzzle(puzzle, static_cast<int>(*target), difficulty);
    out << OutputBoard(puzzle) << ' ' << difficulty << '\n';
  });
  return good ? 0 : 2;
}

int RunSlider(const Args& args, std::istream&, std::ostream& out, std::ostream& err) {
  // Coordinates may be negative; they enter the unsigned arithmetic as is.
  int64_t v[6];
  bool good = args.size() == 6;
  for (size_t i = 0; good && i < 6; ++i) {
    try {
      size_t used = 0;
      v[i] = std::stoll(args[i], &used);
      good = used == args[i].size();
    } catch (...) {
      good = false;
    }
  }
  if (!good) return Usage(err, "slider X Y L T R B");
  SliderField field{static_cast<int32_t>(v[2]), static_cast<int32_t>(v[3]), static_cast<int32_t>(v[4]),
                    static_cast<int32_t>(v[5])};
  SliderRange range = SliderToRange(static_cast<uint32_t>(v[0]), static_cast<uint32_t>(v[1]), field);
  out << range.labelNumber << ' ' << range.minimum << ' ' << range.maximum << '\n';
  return 0;
}

}  // namespace kx::cli
