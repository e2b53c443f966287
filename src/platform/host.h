#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kx {

enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxIcon { None, Information, Question, Exclamation, Stop };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// One message box: the exact German text and title, the buttons, the icon
// and which button (0 = first) is the default. `foreground` brings the box
// to the front even without an owner (start-up errors).
struct MessageBoxRequest {
  std::string text;
  std::string title;
  BoxButtons buttons = BoxButtons::Ok;
  BoxIcon icon = BoxIcon::None;
  int defaultButton = 0;
  bool ownedByMainWindow = true;
  bool foreground = false;
};

// The answer a box gives when its default button is taken.
inline BoxAnswer DefaultBoxAnswer(const MessageBoxRequest& request) {
  switch (request.buttons) {
    case BoxButtons::Ok: return BoxAnswer::Ok;
    case BoxButtons::YesNo: return request.defaultButton == 0 ? BoxAnswer::Yes : BoxAnswer::No;
    case BoxButtons::YesNoCancel:
      return request.defaultButton == 0   ? BoxAnswer::Yes
             : request.defaultButton == 1 ? BoxAnswer::No
                                          : BoxAnswer::Cancel;
  }
  return BoxAnswer::Ok;
}

// MessageBeep(-1) for refused input; the exclamation sound for warnings.
enum class BeepKind { Simple, Exclamation };

struct LocalTime {
  int year = 0, month = 0, day = 0;  // month 1..12
  int dayOfWeek = 0;                 // 0 = Sunday
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

struct OpenFileRequest {
  std::string title;
  std::string initialName;  // shown in the file-name field
  std::string filter;       // e.g. "SuDoKu_*.kxs" or "*.jpg *.jpeg"
};

// What the program asks of the system it runs on. Qt implements it for the
// game; tests use a scripted host with preset answers and a settable clock.
class Host {
 public:
  virtual ~Host() = default;

  virtual BoxAnswer ShowMessageBox(const MessageBoxRequest& request) = 0;
  virtual void Beep(BeepKind kind) = 0;
  virtual uint32_t TickCount() = 0;
  virtual LocalTime Now() = 0;
  // The chosen path, or nullopt when the dialog was cancelled.
  virtual std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) = 0;
  virtual void RepaintNow() = 0;
  virtual void PostClose() = 0;
  virtual bool IsMainWindowForeground() = 0;
  virtual std::string UserName() = 0;
  virtual uint64_t FreePhysicalMemory() = 0;
  virtual std::optional<uint64_t> FreeDiskSpace() = 0;
};

}  // namespace kx
