#pragma once

#include <array>
#include <string>
#include <string_view>

#include "game/settings_word.h"

namespace kx {

class Program;
struct CommandHooks;

// Command ids of the function fields; stored in no file, but the gaps are
// kept so that the ids stay those the help and the tests name.
namespace command {
inline constexpr int kNewOwnGame = 0, kFinishEntry = 1, kNewRandom = 2, kNewEasy = 3, kNewMedium = 4,
                     kNewHard = 5, kNewSuperHard = 6, kSolveAll = 7, kCheck = 8, kSetAllCandidates = 9,
                     kLoadGame = 10, kAllSolutions = 12, kHelp = 13, kSettings = 14, kQuit = 15, kAbandon = 16,
                     kSetCellCandidates = 17, kPlayShown = 18, kSaveGame = 19, kSolveCell = 20,
                     kRemoveWrong = 21, kPrint = 23, kSlider = 24;
inline constexpr int kSymbolSet = 120, kValidation = 122, kAfterGenerating = 123, kContinuation = 125,
                     kAutoSave = 126, kLeaveSelection = 127, kPrintout = 128, kCandidateRows = 129,
                     kPopups = 130, kReachability = 131, kLeaveSettings = 199, kTitle = 200;
inline constexpr int kAssignPictures = 300, kChoosePictureSource = 301, kAssignPicture = 302,
                     kEndPictureAssignment = 303;
}  // namespace command

// One label a field can show and the pop-up help that goes with it: a
// heading line, an empty line and the body, lines separated by "\n".
struct FieldText {
  std::string_view label;
  const char* help = nullptr;
};

// A command of the side panel: everything a field needs, in one row. A
// settings field has one text per value of its setting; the title field
// one per mode.
struct CommandRow {
  int id = -1;
  // 0 when done, 1 when refused.
  int (*run)(Program&, const CommandHooks&) = nullptr;
  // Which text shows now (-1: none); without it, the first.
  int (*shownText)(const SettingsWord&) = nullptr;
  std::array<FieldText, 8> texts{};

  int TextCount() const;
};

// The row of a command id, or nullptr for an id without a command.
const CommandRow* FindCommand(int commandId);
// Whether a field id has a command behind it (title fields count).
inline bool IsKnownCommand(int commandId) { return FindCommand(commandId) != nullptr; }

// The label and help a field of this command shows with these settings;
// empty for an unknown id or a setting value without a field.
FieldText ShownFieldText(int commandId, const SettingsWord& settings);
inline std::string FieldLabel(int commandId, const SettingsWord& settings) {
  return std::string(ShownFieldText(commandId, settings).label);
}

// The title field's texts, one per mode, in the order of its row.
enum class Title { HistoryView, Settings, Play, AutoSolved, ManualEntry, Solved, Select };
FieldText TitleText(Title title);

}  // namespace kx
