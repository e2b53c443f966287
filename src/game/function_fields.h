#pragma once

#include <string>
#include <vector>

#include "platform/geometry.h"

namespace kx {

// Command ids of the function fields.
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

// A labelled clickable rectangle of the side panel.
struct FunctionField {
  std::string label;
  bool isTitle = false;
  const char* helpText = nullptr;
  int commandId = command::kTitle;
  Rect rect{-1, -1, -1, -1};  // placed by the next paint
};

class FunctionFieldTable {
 public:
  static constexpr int kMaxFunctionFields = 24;

  // 0, or -1 when the table is full.
  int AddFunctionField(std::string label, bool isTitle, const char* helpText, int commandId);
  void Clear() { fields_.clear(); }
  int Count() const { return static_cast<int>(fields_.size()); }
  FunctionField& operator[](int i) { return fields_[static_cast<size_t>(i)]; }
  const FunctionField& operator[](int i) const { return fields_[static_cast<size_t>(i)]; }
  // Index of the first field with this command, or -1.
  int Find(int commandId) const;
  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }

 private:
  std::vector<FunctionField> fields_;
};

}  // namespace kx
