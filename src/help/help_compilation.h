#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "help/help_output_file.h"

namespace kx {

enum class HelpLabelKind : uint8_t { Value = 1, Anchor = 2, Text = 4 };

// One definition of the source, in source order. For a text record the
// offset is into the text pool, otherwise into the name pool.
struct HelpLabel {
  HelpLabelKind kind;
  uint32_t offset;
  uint32_t value;  // the number, the anchored entry, or the entry of the text
};

// The tables of one compilation and its two passes over the segments.
class HelpCompilation {
 public:
  // First pass: records definitions and texts. Returns the bytes the
  // segment adds to the text pool, or an error.
  int Run1(std::string_view segment);
  // Between the passes: indexes the names for Run2. Unless duplicates are
  // allowed, returns kHelpDuplicateLabel when a name is defined twice
  // (errorName() then holds it).
  int IndexLabels(bool allowDuplicates);
  // Second pass: resolves the eight fields and writes one entry.
  int Run2(std::string_view segment, HelpOutputFile& out);

  uint32_t entryCount() const { return entriesRun1_; }
  uint32_t entriesWritten() const { return entriesRun2_; }
  const std::string& textPool() const { return textPool_; }
  const std::string& errorName() const { return errorName_; }
  std::string_view NameOf(const HelpLabel& label) const;

 private:
  int Run1Entry(std::string_view segment, size_t start);
  int Run2Field(std::string_view segment, size_t& pos, uint32_t& value);
  // Moves the record cursor over a record of the expected kind.
  bool Advance(HelpLabelKind kind);

  std::vector<HelpLabel> labels_;
  std::string namePool_;
  std::string textPool_;
  uint32_t entriesRun1_ = 0;
  uint32_t entriesRun2_ = 0;
  size_t cursor_ = 0;
  std::unordered_map<std::string_view, uint32_t> values_;
  std::string errorName_;
};

}  // namespace kx
