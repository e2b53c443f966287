#include "help/help_compilation.h"

#include "help/help_errors.h"
#include "help/help_format.h"

namespace kx {

namespace {

// A segment ends at its first NUL, as every scan below treats NUL as the end.
class Segment {
 public:
  explicit Segment(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}
  unsigned char At(size_t i) const { return i < text_.size() ? static_cast<unsigned char>(text_[i]) : 0; }
  size_t size() const { return text_.size(); }
  std::string_view Slice(size_t from, size_t to) const { return text_.substr(from, to - from); }

 private:
  std::string_view text_;
};

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }
bool IsControl(unsigned char c) { return c < 0x20 || c >= 0x80; }

bool CanStartName(unsigned char c) {
  return !IsControl(c) && c != ' ' && c != '-' && !(c >= '0' && c <= '9') && c != ':' && c != '=' && c != ',';
}

size_t SkipUpToBlank(const Segment& s, size_t p) {
  while (s.At(p) != 0 && s.At(p) <= 0x20) ++p;
  return p;
}

size_t SkipBlanks(const Segment& s, size_t p) {
  while (IsBlank(s.At(p))) ++p;
  return p;
}

// Error codes of the digit checks, in the order below-0, above-9 (decimal),
// below-A, above-f, between F and a (hexadecimal).
struct DigitErrors {
  int below0, above9, belowA, aboveF, betweenFa;
};
constexpr DigitErrors kRun1Digits{-111, -112, -113, -114, -115};
constexpr DigitErrors kRun2Digits{-212, -213, -214, -215, -216};

bool EndsValueDefinition(unsigned char c) {
  return c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == ';';
}
bool EndsField(unsigned char c) { return c == 0 || c == '\t' || c == ' ' || c == ','; }

// Reads the digits of a number from p, after any sign and "0x". Digits are
// gathered four bits each, so only the last eight are kept; a decimal number
// is converted from those packed digits.
int ReadDigits(const Segment& s, size_t& p, bool hex, bool negative, bool (*ends)(unsigned char),
               const DigitErrors& errors, uint32_t& value) {
  uint32_t packed = 0;
  for (unsigned char c = s.At(p); !ends(c); c = s.At(++p)) {
    if (c < '0') return errors.below0;
    if (c > '9') {
      if (!hex) return errors.above9;
      if (c < 'A') return errors.belowA;
      if (c > 'f') return errors.aboveF;
      if (c > 'F' && c < 'a') return errors.betweenFa;
    }
    packed = packed << 4 | ((c + (c > '9' ? 9 : 0)) & 0xF);
  }
  if (hex) {
    value = packed;
    return 0;
  }
  uint32_t decimal = 0;
  for (int shift = 28; shift >= 0; shift -= 4) decimal = decimal * 10 + (packed >> shift & 0xF);
  value = negative ? 0u - decimal : decimal;
  return 0;
}

bool StartsHex(const Segment& s, size_t p) { return s.At(p) == '0' && (s.At(p + 1) == 'x' || s.At(p + 1) == 'X'); }

}  // namespace

std::string_view HelpCompilation::NameOf(const HelpLabel& label) const {
  if (label.kind == HelpLabelKind::Text || label.offset >= namePool_.size()) return {};
  return std::string_view(namePool_.c_str() + label.offset);
}

int HelpCompilation::Run1(std::string_view text) {
  Segment s(text);
  size_t i = SkipUpToBlank(s, 0);
  if (s.size() - i < 2) return -101;
  if (!CanStartName(s.At(i))) return Run1Entry(text, i);

  size_t j = i;
  for (;; ++j) {
    unsigned char c = s.At(j);
    if (IsBlank(c) || c == ':' || c == '=') break;
    if (c == ',') return Run1Entry(text, i);
    if (IsControl(c)) return -102;
  }
  unsigned char terminator = s.At(j);
  size_t sign = j;
  if (IsBlank(terminator)) {
    sign = SkipBlanks(s, j + 1);
    if (s.At(sign) == 0) return -103;
    if (s.At(sign) != ':' && s.At(sign) != '=') return Run1Entry(text, i);
  }

  auto nameOffset = static_cast<uint32_t>(namePool_.size());
  namePool_.append(s.Slice(i, j));
  namePool_.push_back('\0');

  if (s.At(sign) == ':') {
    labels_.push_back({HelpLabelKind::Anchor, nameOffset, entriesRun1_});
    return Run1Entry(text, sign + 1);
  }

  // One "=" may stand directly after the name's terminator, so "name = 5"
  // and "name=5" define; in "name  = 5" the sign is left to be refused.
  size_t p = j + 1;
  if (s.At(p) == '=') ++p;
  p = SkipBlanks(s, p);
  unsigned char c = s.At(p);
  if (c == 0) return -108;
  if (c > '9') return -109;
  if (c < '0' && c != '-') return -110;
  bool negative = c == '-';
  if (negative) ++p;
  bool hex = !negative && StartsHex(s, p);
  if (hex) p += 2;
  uint32_t value = 0;
  if (int error = ReadDigits(s, p, hex, negative, EndsValueDefinition, kRun1Digits, value)) return error;
  labels_.push_back({HelpLabelKind::Value, nameOffset, value});
  return 0;
}

int HelpCompilation::Run1Entry(std::string_view text, size_t start) {
  Segment s(text);
  size_t p = start;
  for (int commas = 0; commas < 8; ++p) {
    if (s.At(p) == 0) return kHelpRun1TextNotClosed;
    if (s.At(p) == ',') ++commas;
  }
  while (s.At(p) != '"') {
    if (s.At(p) == 0) return kHelpRun1TextNotClosed;
    ++p;
  }
  size_t begin = ++p;
  while (s.At(p) != '"') {
    if (s.At(p) == 0) return kHelpRun1TextNotClosed;
    ++p;
  }
  auto offset = static_cast<uint32_t>(textPool_.size());
  textPool_.append(s.Slice(begin, p));
  textPool_.push_back('\0');
  labels_.push_back({HelpLabelKind::Text, offset, entriesRun1_});
  ++entriesRun1_;
  return static_cast<int>(p - begin + 1);
}

int HelpCompilation::IndexLabels(bool allowDuplicates) {
  values_.clear();
  std::unordered_map<std::string_view, int> uses;
  for (const HelpLabel& label : labels_) {
    if (label.kind == HelpLabelKind::Text) continue;
    // The first definition of a name is the one fields resolve to.
    values_.emplace(NameOf(label), label.value);
    ++uses[NameOf(label)];
  }
  if (allowDuplicates) return 0;
  for (const HelpLabel& label : labels_) {
    if (label.kind != HelpLabelKind::Text && uses[NameOf(label)] > 1) {
      errorName_ = NameOf(label);
      return kHelpDuplicateLabel;
    }
  }
  return 0;
}

bool HelpCompilation::Advance(HelpLabelKind kind) {
  // The source may have changed between the passes; never step off the table.
  if (cursor_ >= labels_.size() || labels_[cursor_].kind != kind) return false;
  ++cursor_;
  return true;
}

int HelpCompilation::Run2(std::string_view text, HelpOutputFile& out) {
  Segment s(text);
  size_t i = SkipUpToBlank(s, 0);
  if (s.size() - i < 2) return -201;
  size_t fields = i;
  if (CanStartName(s.At(i))) {
    size_t j = i;
    bool named = true;
    for (;; ++j) {
      unsigned char c = s.At(j);
      if (IsBlank(c) || c == ':' || c == '=') break;
      if (c == ',') {
        named = false;
        break;
      }
      if (IsControl(c)) return -202;
    }
    if (named) {
      unsigned char terminator = s.At(j);
      size_t p = j + 1;
      if (IsBlank(terminator)) {
        p = SkipBlanks(s, p);
        if (s.At(p) == 0) return -203;
      } else {
        p = j;
      }
      if (s.At(p) == '=') return Advance(HelpLabelKind::Value) ? 0 : kHelpEntryCountMismatch;
      if (terminator == ':') {
        if (!Advance(HelpLabelKind::Anchor)) return kHelpEntryCountMismatch;
        fields = j + 1;
      } else if (s.At(p) == ':') {
        // Only a colon directly after the name makes an anchor; here the
        // colon is read as the first field and refused as a number.
        fields = p;
      }
    }
  }

  uint32_t f[8];
  size_t p = fields;
  for (uint32_t& value : f) {
    if (int error = Run2Field(text, p, value)) return error;
    while (s.At(p) != ',') {
      if (s.At(p) == 0) return -217;
      ++p;
    }
    ++p;
  }
  if (cursor_ >= labels_.size() || labels_[cursor_].kind != HelpLabelKind::Text) return kHelpEntryCountMismatch;

  HelpEntry entry;
  entry.link = f[0];
  entry.flags = f[1];
  entry.x = static_cast<int32_t>(f[2]);
  entry.y = static_cast<int32_t>(f[3]);
  entry.width = static_cast<int32_t>(f[4]);
  entry.height = static_cast<int32_t>(f[5]);
  entry.background = f[6];
  entry.textColours = f[7];
  entry.textOffset = labels_[cursor_].offset;
  unsigned char bytes[kHelpEntrySize];
  EncodeEntry(entry, bytes);
  if (int error = out.Write(bytes, sizeof bytes, -218, -219)) return error;
  ++cursor_;
  ++entriesRun2_;
  return 0;
}

int HelpCompilation::Run2Field(std::string_view text, size_t& p, uint32_t& value) {
  Segment s(text);
  p = SkipUpToBlank(s, p);
  unsigned char c = s.At(p);
  if (c == 0) return -204;
  if (CanStartName(c)) {
    size_t start = p;
    for (c = s.At(p); c != '\t' && c != ' ' && c != ','; c = s.At(++p)) {
      if (IsControl(c)) return -205;
    }
    auto found = values_.find(s.Slice(start, p));
    if (found == values_.end()) {
      errorName_ = s.Slice(start, p);
      return kHelpRun2LabelUndefined;
    }
    value = found->second;
    return 0;
  }
  if (c > '9') return -207;
  if (c < '0' && c != '-') return -208;
  if (c == '-' && s.At(p + 1) == 0) return -209;
  if (c == '0' && s.At(p + 1) == 0) return -210;
  bool hex = StartsHex(s, p);
  if (hex && s.At(p + 2) == 0) return -211;
  bool negative = c == '-';
  p += negative ? 1 : hex ? 2 : 0;
  return ReadDigits(s, p, hex, negative, EndsField, kRun2Digits, value);
}

}  // namespace kx
