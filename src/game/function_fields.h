#pragma once

#include <string>
#include <vector>

#include "game/command_table.h"
#include "platform/geometry.h"

namespace kx {

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
