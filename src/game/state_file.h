#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/history.h"
#include "platform/host.h"

namespace kx {

class Program;

inline constexpr const char* kStateFileName = "REZodaru.ini";

// "YYYY_MM_DD__hh_mm_ss"
std::string MakeTimeStamp(const LocalTime& time);
// "SuDoKu_" + stamp + suffix + ".kxs"
std::string SavedGameName(const LocalTime& time, const char* suffix = "");

// Whether the file name (after the last path separator) has the form
// "SuDoKu_*.kxs": the '*' runs up to the first '.', then exactly "kxs".
bool IsSavedGameName(std::string_view path, bool ignoreCase = false);

// The fields of a state file, in file order, as far as they arrived.
struct StateFileContent {
  static constexpr uint32_t kVersion = 0x00010000;
  static constexpr int kHeadBytes = 325;
  static constexpr int kPathBytes = 260;

  // Number of head fields read whole and valid (0..12); the content is
  // complete when `valid` is set.
  int fieldsRead = 0;
  bool valid = false;

  int32_t width = 0, height = 0;
  uint32_t settings = 0;
  int32_t smallFontHeight = 0;
  std::string pictureSourcePath;
  uint32_t gameFlags = 0;
  LocalTime gameStartTime{};
  int32_t stepCount = 0, stepIndex = 0;
  std::vector<HistoryStep> steps;
};

// Head field numbers, for `fieldsRead`.
enum StateField { kFieldVersion = 1, kFieldWidth, kFieldHeight, kFieldSettings, kFieldFontHeight,
                  kFieldIdentification, kFieldPicturePath, kFieldGameFlags, kFieldStartTime,
                  kFieldRecordSize, kFieldStepCount, kFieldStepIndex };

// Parses the bytes of a state file. Never trusts a count: the records must
// be present in full, at most 100000, and the displayed index inside them.
StateFileContent ParseStateFile(const uint8_t* data, size_t size);
// Reads and parses the file; the records are read only after the head has
// shown that the file holds them.
StateFileContent LoadStateFileContent(const std::string& path);

std::vector<uint8_t> SerializeStateFile(const Program& p);

// Writes the game, the window size and the settings. The bytes go to a
// temporary file beside the target that is then renamed over it, so a
// failed write leaves the previous file intact. false when it failed.
bool WriteStateFile(const Program& p, const std::string& path);
// Replaces the game by the file's content, or sets up the fallback game
// from StartPuzzleText when the file is missing or invalid.
void ReadStateFile(Program& p, const std::string& path);

// ReadStateFile's second half: takes parsed content into the game.
void ApplyStateFileContent(Program& p, StateFileContent content);

// The game set up from StartPuzzleText with one history step.
void SetUpFallbackGame(Program& p);

}  // namespace kx
