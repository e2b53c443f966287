#include "help/compile_error_box.h"

#include "help/cp1252.h"
#include "help/help_errors.h"

namespace kx {

namespace {

// Characters are gathered only while fewer than this many are in the box.
constexpr size_t kMaxBoxText = 2045;
constexpr size_t kMaxFollowing = 512;
constexpr int kMaxFollowingLines = 5;

class BoxText {
 public:
  void Put(char c) {
    if (text_.size() < kMaxBoxText) text_.push_back(c);
  }
  void Put(std::string_view s) {
    for (char c : s) Put(c);
  }
  void EndLine() { Put("\r\n"); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

bool IsControlOrBlank(unsigned char c) { return c <= 0x20; }

// The source after the segment: leading blanks skipped, every control
// character but a tab starts a new line, and the fifth one ends it all.
void PutFollowing(BoxText& box, std::string_view following) {
  if (following.size() > kMaxFollowing) following = following.substr(0, kMaxFollowing);
  size_t i = 0;
  while (i < following.size() && IsControlOrBlank(following[i])) ++i;
  int breaks = 0;
  while (i < following.size()) {
    auto c = static_cast<unsigned char>(following[i]);
    if (c < 0x20 && c != '\t') {
      box.EndLine();
      if (++breaks == kMaxFollowingLines) return;
      while (i < following.size() && IsControlOrBlank(following[i])) ++i;
      continue;
    }
    box.Put(static_cast<char>(c));
    ++i;
  }
}

}  // namespace

std::string BuildCompileErrorText(int code, std::string_view segment, std::string_view following,
                                  std::string_view name) {
  BoxText box;
  box.Put(HelpErrorText(code));
  box.EndLine();
  if (code == kHelpDuplicateLabel || code == kHelpRun2LabelUndefined) {
    size_t end = 0;
    while (end < name.size() && name[end] != ',' && static_cast<unsigned char>(name[end]) > 0x20) ++end;
    box.Put("Label = ");
    box.Put(name.substr(0, end));
    box.EndLine();
  }
  if (IsSegmentError(code)) {
    box.Put(segment);
    box.EndLine();
    PutFollowing(box, following);
  }
  // The limit counts source bytes; the box speaks UTF-8.
  return Cp1252ToUtf8(box.text());
}

void ShowCompileError(Host& host, int code, std::string_view segment, std::string_view following,
                      std::string_view name) {
  MessageBoxRequest request;
  request.text = BuildCompileErrorText(code, segment, following, name);
  request.title = kHelpErrorBoxTitle;
  request.buttons = BoxButtons::Ok;
  request.ownedByMainWindow = true;
  host.ShowMessageBox(request);
}

}  // namespace kx
