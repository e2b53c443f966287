#pragma once

#include <QImage>
#include <string>

#include "help/help_viewer.h"
#include "qt/qt_canvas.h"

namespace kx::test {

// Flags of the program's own help: a flowing text that starts a row, and
// one that continues it.
inline constexpr uint32_t kRowText = 0x52000005, kContinuedText = 0xD2000005;
inline constexpr uint32_t kPaper = 0xB3B3B3B3;  // light yellow in every state

// Builds a help page in memory, entry by entry.
struct HelpPage {
  LoadedHelp help;
  std::string pool;

  uint32_t Add(uint32_t flags, int x, int y, const std::string& text, uint32_t link = kHelpNoLink,
               uint32_t textColours = 0, uint32_t background = kPaper) {
    HelpEntry e;
    e.flags = flags;
    e.x = x;
    e.y = y;
    e.link = link;
    e.textOffset = static_cast<uint32_t>(pool.size());
    e.background = background;
    e.textColours = textColours;
    pool += text;
    pool.push_back('\0');
    help.entries.push_back(e);
    return static_cast<uint32_t>(help.entries.size() - 1);
  }

  HelpView View() {
    HelpView v;
    v.help = help;
    v.help.textBlock.assign(pool.begin(), pool.end());
    v.help.window.titleOffset = static_cast<uint32_t>(pool.size());
    const std::string title = "Titel";
    v.help.textBlock.insert(v.help.textBlock.end(), title.begin(), title.end());
    v.help.textBlock.resize(pool.size() + kHelpTitleSize + 1, '\0');
    v.help.window.entryCount = static_cast<uint32_t>(help.entries.size());
    ResetHelpView(v, 0);
    return v;
  }
};

inline QImage Paint(HelpView& v, int width = 500, int height = 380) {
  QImage image(width, height, QImage::Format_RGB32);
  QtCanvas canvas(&image);
  PaintHelpWindow(v, canvas);
  return image;
}

inline int CentreX(const HelpRect& r) { return (r.left + r.right) / 2; }
inline int CentreY(const HelpRect& r) { return (r.top + r.bottom) / 2; }

}  // namespace kx::test
