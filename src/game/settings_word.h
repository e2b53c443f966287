#pragma once

#include <cstdint>

namespace kx {

// The single-bit settings.
enum SettingsBit : int {
  kBitMoreSelection = 23,
  kBitAutoSave = 26,
  kBitPlayByTyping = 27,
  kBitMirroredPrint = 28,
  kBitHideCandidateRows = 29,
  kBitHoverPopups = 30,
  kBitFixedUnreachable = 31,
};

// All of the player's settings in one 32-bit word, stored with the game.
// Each setting is a bit field; the accessors name them.
class SettingsWord {
 public:
  static constexpr uint32_t kBuiltIn = 0x18500000;

  SettingsWord() = default;
  explicit SettingsWord(uint32_t bits) : bits_(bits) {}
  uint32_t bits() const { return bits_; }

  int SymbolSet() const { return Field(18, 0x7); }                // 0..7, 4..7 pictures
  int ValidationLevel() const { return Field(21, 0x3); }          // 0 none, 1 check, 2 prevent
  bool MoreSelectionAfterGenerating() const { return Bit(kBitMoreSelection); }   // stay in selection
  int ContinuationPolicy() const { return Field(24, 0x3); }       // history resume policy
  bool AutoSave() const { return Bit(kBitAutoSave); }
  bool PlayByTypingInSelection() const { return Bit(kBitPlayByTyping); }
  bool MirroredSolutionPrint() const { return Bit(kBitMirroredPrint); }
  bool HideCandidateRows() const { return Bit(kBitHideCandidateRows); }
  bool HoverPopups() const { return Bit(kBitHoverPopups); }
  bool FixedCellsUnreachable() const { return Bit(kBitFixedUnreachable); }

  bool IsPictureSet() const { return SymbolSet() >= 4; }

  // The cycling settings step to the next value and wrap after the last.
  void CycleSymbolSet() { SetField(18, 0x7, (SymbolSet() + 1) % 8); }
  void CycleValidationLevel() { SetField(21, 0x3, (ValidationLevel() + 1) % 3); }
  void CycleContinuationPolicy() { SetField(24, 0x3, (ContinuationPolicy() + 1) % 4); }
  bool Bit(SettingsBit bit) const { return (bits_ >> bit) & 1u; }
  void ToggleBit(int bit) { bits_ ^= 1u << bit; }

  bool operator==(const SettingsWord&) const = default;

 private:
  int Field(int shift, uint32_t mask) const { return static_cast<int>((bits_ >> shift) & mask); }
  void SetField(int shift, uint32_t mask, int value) {
    bits_ = (bits_ & ~(mask << shift)) | ((static_cast<uint32_t>(value) & mask) << shift);
  }
  uint32_t bits_ = kBuiltIn;
};

}  // namespace kx
