#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/command_table.h"

namespace kx {

// A labelled clickable field of the side panel; the window's layout places it.
struct FunctionField {
  std::string label;
  bool isTitle = false;
  const char* helpText = nullptr;
  int commandId = command::kTitle;
};

// What of the window's focus and hover over the fields a game change voids:
// all of it (a new mode), or the hovered field (a long search begins).
enum class FieldReset { All, Hover };

class FunctionFieldTable {
 public:
  static constexpr int kMaxFunctionFields = 24;

  // 0, or -1 when the table is full.
  int AddFunctionField(std::string label, bool isTitle, const char* helpText, int commandId);
  void Clear() {
    fields_.clear();
    ++generation_;
  }
  int Count() const { return static_cast<int>(fields_.size()); }
  FunctionField& operator[](int i) { return fields_[static_cast<size_t>(i)]; }
  const FunctionField& operator[](int i) const { return fields_[static_cast<size_t>(i)]; }
  // Index of the first field with this command, or -1.
  int Find(int commandId) const;
  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }
  // Changes with every field added or removed: a layout made for another
  // generation has no rectangles for this one.
  uint32_t Generation() const { return generation_; }

 private:
  std::vector<FunctionField> fields_;
  uint32_t generation_ = 0;
};

}  // namespace kx
