#include "game/state_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/byte_order.h"
#include "base/replace_file.h"
#include "game/game_clock.h"
#include "game/history_navigation.h"
#include "game/program.h"
#include "text/text_format.h"

namespace kx {

namespace {

constexpr char kIdentification[13] = "REZodaru.ini";
constexpr size_t kTimeBytes = 8 * 2;  // eight 16-bit fields

// The sizes of the head fields in file order (StateField 1 first): the one
// table of where the reader finds and the writer puts each field.
constexpr size_t kFieldBytes[] = {4, 4, 4, 4, 4, sizeof kIdentification, StateFileContent::kPathBytes,
                                  4, kTimeBytes, 4, 4, 4};

constexpr size_t FieldStart(StateField field) {
  size_t start = 0;
  for (int f = kFieldVersion; f < field; ++f) start += kFieldBytes[f - 1];
  return start;
}
constexpr size_t FieldEnd(StateField field) { return FieldStart(field) + kFieldBytes[field - 1]; }
static_assert(FieldEnd(kFieldStepIndex) == StateFileContent::kHeadBytes);

void PutTime(uint8_t* p, const LocalTime& t) {
  const int fields[8] = {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.millisecond};
  for (int i = 0; i < 8; ++i) PutU16(p + 2 * i, static_cast<uint16_t>(fields[i]));
}

LocalTime GetTime(const uint8_t* p) {
  LocalTime t;
  int* fields[8] = {&t.year, &t.month, &t.dayOfWeek, &t.day, &t.hour, &t.minute, &t.second, &t.millisecond};
  for (int i = 0; i < 8; ++i) *fields[i] = GetU16(p + 2 * i);
  return t;
}

}  // namespace

std::string MakeTimeStamp(const LocalTime& t) {
  std::string s;
  AppendDecimal(s, t.year, 4);
  for (int part : {t.month, t.day}) {
    s += '_';
    AppendDecimal(s, part, 2);
  }
  s += '_';
  for (int part : {t.hour, t.minute, t.second}) {
    s += '_';
    AppendDecimal(s, part, 2);
  }
  return s;
}

std::string SavedGameName(const LocalTime& time, const char* suffix) {
  return "SuDoKu_" + MakeTimeStamp(time) + suffix + ".kxs";
}

bool IsSavedGameName(std::string_view path, bool ignoreCase) {
  const size_t slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  auto equal = [ignoreCase](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (ignoreCase ? std::tolower(x) != std::tolower(y) : x != y) return false;
    }
    return true;
  };
  constexpr std::string_view kPrefix = "SuDoKu_";
  if (name.size() < kPrefix.size() || !equal(name.substr(0, kPrefix.size()), kPrefix)) return false;
  const size_t dot = name.find('.', kPrefix.size());
  return dot != std::string_view::npos && equal(name.substr(dot + 1), "kxs");
}

StateFileContent ParseStateFile(const uint8_t* data, size_t size) {
  StateFileContent c;
  // Each head field counts only when all its bytes are there.
  auto has = [size](StateField field) { return size >= FieldEnd(field); };
  auto at = [data](StateField field) { return data + FieldStart(field); };
  if (!has(kFieldVersion) || GetU32(at(kFieldVersion)) != StateFileContent::kVersion) return c;
  c.fieldsRead = kFieldVersion;
  if (!has(kFieldWidth)) return c;
  c.width = static_cast<int32_t>(GetU32(at(kFieldWidth)));
  c.fieldsRead = kFieldWidth;
  if (!has(kFieldHeight)) return c;
  c.height = static_cast<int32_t>(GetU32(at(kFieldHeight)));
  c.fieldsRead = kFieldHeight;
  if (!has(kFieldSettings)) return c;
  c.settings = GetU32(at(kFieldSettings));
  c.fieldsRead = kFieldSettings;
  if (!has(kFieldFontHeight)) return c;
  c.smallFontHeight = static_cast<int32_t>(GetU32(at(kFieldFontHeight)));
  c.fieldsRead = kFieldFontHeight;
  if (!has(kFieldIdentification) ||
      std::memcmp(at(kFieldIdentification), kIdentification, sizeof kIdentification) != 0)
    return c;
  c.fieldsRead = kFieldIdentification;
  if (!has(kFieldPicturePath)) return c;
  // Always terminated within its 260 bytes, whatever the file holds.
  const char* path = reinterpret_cast<const char*>(at(kFieldPicturePath));
  c.pictureSourcePath.assign(path, strnlen(path, StateFileContent::kPathBytes - 1));
  c.fieldsRead = kFieldPicturePath;
  if (!has(kFieldGameFlags)) return c;
  c.gameFlags = GetU32(at(kFieldGameFlags));
  c.fieldsRead = kFieldGameFlags;
  if (!has(kFieldStartTime)) return c;
  c.gameStartTime = GetTime(at(kFieldStartTime));
  c.fieldsRead = kFieldStartTime;
  if (!has(kFieldRecordSize) || GetU32(at(kFieldRecordSize)) != HistoryStep::kSizeInWords) return c;
  c.fieldsRead = kFieldRecordSize;
  if (!has(kFieldStepCount)) return c;
  c.stepCount = static_cast<int32_t>(GetU32(at(kFieldStepCount)));
  c.fieldsRead = kFieldStepCount;
  if (!has(kFieldStepIndex)) return c;
  c.stepIndex = static_cast<int32_t>(GetU32(at(kFieldStepIndex)));
  c.fieldsRead = kFieldStepIndex;

  // A file without steps, with more than the limit, with fewer records than
  // it claims, or showing a step it does not hold is not a usable game.
  const int64_t count = c.stepCount;
  if (count <= 0 || count > History::kMaxSteps) return c;
  if (c.stepIndex < 0 || c.stepIndex >= count) return c;
  if (size < static_cast<size_t>(StateFileContent::kHeadBytes + count * HistoryStep::kBytes)) return c;
  c.steps.resize(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    if (!c.steps[static_cast<size_t>(i)].Parse(data + StateFileContent::kHeadBytes + i * HistoryStep::kBytes)) {
      c.steps.clear();
      return c;
    }
  }
  c.valid = true;
  return c;
}

StateFileContent LoadStateFileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::vector<uint8_t> bytes(StateFileContent::kHeadBytes);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  StateFileContent head = ParseStateFile(bytes.data(), bytes.size());
  if (head.fieldsRead < kFieldStepIndex || head.stepCount <= 0 || head.stepCount > History::kMaxSteps) return head;

  // The head claims a sane number of records: read at most those.
  const size_t wanted = static_cast<size_t>(StateFileContent::kHeadBytes) +
                        static_cast<size_t>(head.stepCount) * HistoryStep::kBytes;
  bytes.resize(wanted);
  in.read(reinterpret_cast<char*>(bytes.data()) + StateFileContent::kHeadBytes,
          static_cast<std::streamsize>(wanted - StateFileContent::kHeadBytes));
  bytes.resize(StateFileContent::kHeadBytes + static_cast<size_t>(in.gcount()));
  return ParseStateFile(bytes.data(), bytes.size());
}

std::vector<uint8_t> SerializeStateFile(const Program& p) {
  const int count = p.history.StepCount();
  std::vector<uint8_t> out(StateFileContent::kHeadBytes + static_cast<size_t>(count) * HistoryStep::kBytes, 0);
  uint8_t* d = out.data();
  auto at = [d](StateField field) { return d + FieldStart(field); };
  PutU32(at(kFieldVersion), StateFileContent::kVersion);
  PutU32(at(kFieldWidth), static_cast<uint32_t>(p.window.width));
  PutU32(at(kFieldHeight), static_cast<uint32_t>(p.window.height));
  PutU32(at(kFieldSettings), p.settings.bits());
  PutU32(at(kFieldFontHeight), static_cast<uint32_t>(p.window.smallFontHeight));
  std::memcpy(at(kFieldIdentification), kIdentification, sizeof kIdentification);
  const size_t pathLength = std::min<size_t>(p.pictureSourcePath.size(), StateFileContent::kPathBytes - 1);
  std::memcpy(at(kFieldPicturePath), p.pictureSourcePath.data(), pathLength);
  PutU32(at(kFieldGameFlags), p.state.gameFlags);
  PutTime(at(kFieldStartTime), p.state.gameStartTime);
  PutU32(at(kFieldRecordSize), HistoryStep::kSizeInWords);
  PutU32(at(kFieldStepCount), static_cast<uint32_t>(count));
  PutU32(at(kFieldStepIndex), static_cast<uint32_t>(count > 0 ? p.history.StepIndex() : 0));
  for (int i = 0; i < count; ++i) {
    HistoryStep step = p.history.Step(i);
    // The selection moves without a step (a click, an arrow key, the move
    // on after a typed-in digit); the displayed step takes the live one, so
    // that the game reopens where the player left it. The picture
    // assignment uses the selection for its marked picture.
    if (i == p.history.StepIndex() && !p.pictures.assign.Active()) step.selectedCell = p.state.selectedCell;
    step.Serialize(d + StateFileContent::kHeadBytes + i * HistoryStep::kBytes);
  }
  return out;
}

bool WriteStateFile(const Program& p, const std::string& path) {
  const std::vector<uint8_t> bytes = SerializeStateFile(p);
  return ReplaceFileContent(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void SetUpFallbackGame(Program& p) {
  GameState& s = p.state;
  p.pictureSourcePath.clear();
  TextToBoard(s.currentBoard, s.startPuzzleText);
  Board givens;
  TextToGivenBoard(givens, s.startPuzzleText);
  for (int i = 0; i < 81; ++i) s.statusBoard[i] = givens[i];
  s.selectedCell = 0;
  s.gameStatus = 0;
  s.gameFlags = 0;
  p.history.Release();
  ResetGameStatistics(p);
  // The rating of the start puzzle (621 for the built-in one).
  const int32_t rating = static_cast<int32_t>(SolveForGame(p, GivensText(s), s.solutionText));
  s.gameDifficulty = s.checkDifficulty = rating;
  AppendHistoryStep(p);
  s.browseTime = 0;
  s.lastClockTick = p.host.TickCount();
}

void ReadStateFile(Program& p, const std::string& path) {
  p.history.Release();
  ApplyStateFileContent(p, LoadStateFileContent(path));
}

void ApplyStateFileContent(Program& p, StateFileContent c) {
  p.history.Release();
  // Head fields that arrived stay in place even when the file is unusable.
  if (c.fieldsRead >= kFieldWidth) p.window.width = c.width;
  if (c.fieldsRead >= kFieldHeight) p.window.height = c.height;
  if (c.fieldsRead >= kFieldSettings) p.settings = SettingsWord(c.settings & ~0x3FFFFu);
  if (c.fieldsRead >= kFieldFontHeight) p.window.smallFontHeight = c.smallFontHeight;
  if (!c.valid) {
    SetUpFallbackGame(p);
    return;
  }
  p.pictureSourcePath = c.pictureSourcePath;
  p.state.gameFlags = c.gameFlags;
  p.state.gameStartTime = c.gameStartTime;
  p.history.Assign(std::move(c.steps), c.stepIndex);
  // Another game: the answers given for the one it replaces go with it.
  p.state.gameStatus &= ~(status::kAbortConfirmed | status::kGameSaved);
  LoadHistoryStep(p);
  SolveForGame(p, GivensText(p.state), p.state.solutionText);
  p.state.browseTime = 0;
  p.state.lastClockTick = p.host.TickCount();
}

}  // namespace kx
