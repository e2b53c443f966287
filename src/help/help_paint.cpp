#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "help/cp1252.h"
#include "help/help_picture.h"
#include "help/help_viewer.h"

namespace kx {

Color HelpPaletteColour(uint8_t index) {
  if (index < 216) return Rgb(51 * (index % 6), 51 * (index / 6 % 6), 51 * (index / 36));
  const int q = 0xFF0000 / 40;
  const int k = index - 215;
  const int c = (k * q) >> 16;
  return Rgb(c, c, c);
}

FontSpec HelpFont(int number) {
  struct Row { int height, width, weight; bool underline; int family; };
  static constexpr Row kRows[7] = {{24, 0, 1000, true, 0x30},  {24, 0, 1000, false, 0x30}, {16, 8, 400, false, 0x10},
                                   {20, 10, 400, false, 0x10}, {24, 0, 1000, true, 0x30},  {36, 18, 400, false, 0x10},
                                   {48, 20, 400, false, 0x10}};
  if (number < 1 || number > 7) return SystemFont();
  const Row& r = kRows[number - 1];
  FontSpec f;
  f.height = r.height;
  f.width = r.width;
  f.weight = std::min(r.weight, 900);  // weights stop at 900
  f.underline = r.underline;
  f.pitchAndFamily = r.family;
  return f;
}

namespace {

bool Has(const HelpEntry& e, uint32_t bit) { return (e.flags & bit) != 0; }

constexpr int32_t kFarAway = 1 << 20;

HelpRect ToHelpRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void Widen(HelpRect& box, const Rect& r) {
  if (box.right <= box.left && box.bottom <= box.top) {
    box = ToHelpRect(r);
    return;
  }
  box.left = std::min(box.left, r.left);
  box.top = std::min(box.top, r.top);
  box.right = std::max(box.right, r.right);
  box.bottom = std::max(box.bottom, r.bottom);
}

Color EntryColour(const HelpEntry& e, uint32_t field, int state) {
  if (Has(e, helpflag::kRgbColours)) return Rgb(field & 0xFF, (field >> 8) & 0xFF, (field >> 16) & 0xFF);
  return HelpPaletteColour(static_cast<uint8_t>(field >> (8 * (state - 1))));
}

// The layout state of one paint.
struct Pen {
  int x = 0;
  int rowTop = 0, rowBottom = 0, rowRight = 0;
  int lastLineHeight = 0;
  int nextLineTop = 0;  // where the entry's next text line would start
};

// Bytes that are no text become blanks, the DOS letters become their
// Windows forms, and 0xFF ends the text. Running it twice changes nothing.
void TranslateText(char* text) {
  for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
    switch (*p) {
      case 0x81: *p = 0xFC; break;
      case 0x84: *p = 0xE4; break;
      case 0x8E: *p = 0xC4; break;
      case 0x94: *p = 0xF6; break;
      case 0x99: *p = 0xD6; break;
      case 0x9A: *p = 0xDC; break;
      case 0xE1: *p = 0xDF; break;
      case 0xFF: *p = 0; return;
      default:
        if (*p < 0x20 && *p != '\n') *p = ' ';
    }
  }
}

bool IsBreakChar(unsigned char c) { return std::strchr("!)+,-./:;=?\\", c) != nullptr && c != 0; }

class Painter {
 public:
  Painter(HelpView& v, Canvas& c) : v_(v), c_(c), width_(c.Width()), height_(c.Height()) {}

  void Run();

 private:
  void DrawEntry(uint32_t index, HelpEntry& e, int state);
  void FlowText(HelpEntry& e, const char* text, Color bg, Color fg);
  void TextLine(HelpEntry& e, const char* text, Color bg, Color fg);
  void TextBox(HelpEntry& e, const char* text, Color bg, Color fg);
  void Picture(HelpEntry& e, const char* text, Color bg, int state);
  void DrawPiece(HelpEntry& e, const std::string& cp, int x, int top, Color bg, Color fg, bool first);
  void FocusFrame(const HelpRect& box);

  HelpView& v_;
  Canvas& c_;
  int width_, height_;
  Pen pen_;
  int lastPictureBottom_ = 0;
};

void Painter::DrawPiece(HelpEntry& e, const std::string& cp, int x, int top, Color bg, Color fg, bool first) {
  const std::string text = Cp1252ToUtf8(cp);
  const Size size = c_.MeasureText(text);
  const Rect r{x, top, x + size.width, top + size.height};
  c_.FillRect(r, bg);
  c_.DrawText(x, top, text, fg);
  if (first) e.firstLine = ToHelpRect(r);
  Widen(e.bounds, r);
  e.lastLine = ToHelpRect(r);
  pen_.x = r.right;
  pen_.lastLineHeight = size.height;
}

void Painter::FlowText(HelpEntry& e, const char* raw, Color bg, Color fg) {
  const std::string_view text(raw);
  if (text.empty()) return;
  const int ax = std::abs(e.x);
  if (ax + 10 > width_) return;
  bool continuing = false;
  int column = 0;
  if (e.x >= 0) {
    column = e.x + 5;
  } else {
    column = ax + 5;
    continuing = pen_.x > ax;
  }
  int right = e.width <= 0 ? width_ - 5 : column + e.width;
  if (e.x >= 0 && e.width > 0) right = std::min(right, width_ - 5);
  int top = e.y >= 0 ? pen_.rowBottom + e.y : e.y == -2 ? pen_.rowBottom - pen_.lastLineHeight : pen_.rowTop;
  const int entryTop = top;
  const int lineHeight = c_.Metrics().height;
  int x = continuing ? pen_.x : column;
  size_t pos = 0;
  bool first = true;
  auto newLine = [&] {
    top += lineHeight;
    x = column;
    continuing = false;
    return !(e.height > 0 && top > entryTop + e.height);
  };
  while (pos < text.size() && top < height_) {
    std::string piece(text.substr(pos, 256));
    if (size_t lf = piece.find('\n'); lf != std::string::npos) piece.resize(lf + 1);
    const int room = right - x;
    const int fit = room > 0 ? std::min<int>(c_.FitCount(Cp1252ToUtf8(piece), room), static_cast<int>(piece.size())) : 0;
    if (fit == 0) {
      if (continuing && newLine()) continue;
      break;
    }
    if (fit == static_cast<int>(piece.size())) {
      DrawPiece(e, piece, x, top, bg, fg, first);
      first = false;
      x = pen_.x;
      pos += piece.size();
      continue;
    }
    const bool onlyBlanksFollow =
        std::all_of(piece.begin() + fit, piece.end(), [](char ch) { return static_cast<unsigned char>(ch) <= 0x20; });
    if (onlyBlanksFollow) {
      DrawPiece(e, piece.substr(0, fit), x, top, bg, fg, first);
      break;
    }
    int breakAt = 0;
    for (int i = fit; i >= 1; --i) {
      const unsigned char ch = static_cast<unsigned char>(piece[i]);
      if (ch <= 0x20 || (i < fit && IsBreakChar(ch))) {
        breakAt = i + 1;
        break;
      }
    }
    if (breakAt == 0) {
      if (continuing) {
        if (!newLine()) break;
        continue;
      }
      breakAt = fit;
    }
    std::string line = piece.substr(0, breakAt);
    if (!line.empty() && line.back() == '\n') line.back() = ' ';
    DrawPiece(e, line, x, top, bg, fg, first);
    first = false;
    pos += breakAt;
    if (!newLine()) break;
  }
  // The line the entry's text would go on with.
  pen_.nextLineTop = first ? top : std::max(top, e.lastLine.bottom);
}

void Painter::TextLine(HelpEntry& e, const char* raw, Color bg, Color fg) {
  const std::string text = Cp1252ToUtf8(raw);
  const Size size = c_.MeasureText(text);
  const int top = e.y + (e.height - e.y - size.height) / 2;
  const Rect r{e.x, top, e.x + size.width, top + size.height};
  c_.FillRect({r.left - 5, r.top, r.right + 5, r.bottom}, bg);
  c_.DrawText(e.x, top, text, fg);
  e.firstLine = e.lastLine = e.bounds = ToHelpRect(r);
  pen_.x = r.right;
  pen_.lastLineHeight = size.height;
  pen_.nextLineTop = r.bottom;
}

void Painter::TextBox(HelpEntry& e, const char* raw, Color bg, Color fg) {
  const int ax = std::abs(e.x);
  if (ax + 10 > width_) return;
  e.x = ax;
  Rect box;
  box.left = ax + 5;
  box.top = e.y < 0 ? pen_.rowTop : e.y + pen_.rowBottom;
  box.right = e.width <= 0 ? width_ - 5 : box.left + e.width;
  box.bottom = e.height <= 0 ? height_ : box.top + e.height;
  const std::string text = Cp1252ToUtf8(raw);
  const Rect used = c_.DrawWrappedText(box, text, fg, true);
  const Rect fill = Has(e, helpflag::kFillOwn) ? used : Rect{box.left, used.top, box.right, used.bottom};
  c_.FillRect(fill, bg);
  c_.DrawWrappedText(box, text, fg, false);
  e.firstLine = e.lastLine = e.bounds = ToHelpRect(fill);
  pen_.x = fill.right;
  pen_.lastLineHeight = used.Height();
  pen_.nextLineTop = fill.bottom;
}

void Painter::Picture(HelpEntry& e, const char* name, Color bg, int state) {
  (void)state;
  auto place = [&]() {
    Rect b;
    b.left = e.x >= 0 ? e.x : pen_.x + std::abs(e.x);
    b.top = e.y > 0 ? pen_.rowBottom + e.y - 1 : e.y < 0 ? pen_.rowBottom + e.y + 1 : pen_.rowTop;
    b.top = std::max(b.top, 0);
    b.right = e.width > 0 ? b.left + e.width : e.width == 0 ? width_ : width_ + e.width;
    b.bottom = e.height > 0 ? b.top + e.height : e.height == 0 ? height_ : lastPictureBottom_ + e.height;
    return b;
  };
  // A picture that does not fit may start a new row.
  auto wrapIfPastTheEdge = [&](Rect& box, int right) {
    if (right <= width_ || !Has(e, helpflag::kMayWrap) || e.x >= 0 || pen_.x == 0) return;
    pen_.x = 0;
    pen_.rowTop = pen_.rowBottom + std::abs(e.x) + 1;
    pen_.rowBottom = pen_.rowTop;
    box = place();
  };
  auto skipped = [&](const Rect& box) {
    return box.top >= height_ || box.left >= width_ || box.Width() < 8 || box.Height() < 8;
  };
  Rect box = place();
  wrapIfPastTheEdge(box, box.right);
  pen_.nextLineTop = box.bottom;
  if (skipped(box)) return;
  Dib image;
  if (!LoadHelpPicture(name, &image)) return;  // the box stays unpainted
  if (e.textColours == 2) {
    // The width follows from the height: only now is the picture's right
    // edge known.
    wrapIfPastTheEdge(box, box.left + HelpPictureSize(image, box, 2).width);
    pen_.nextLineTop = box.bottom;
    if (skipped(box)) return;
  }
  const Rect drawn =
      DrawHelpPicture(c_, image, box, e.textColours, Has(e, helpflag::kCentreH), Has(e, helpflag::kCentreV));
  if (drawn.Width() <= 0) return;
  if (Has(e, helpflag::kFillOwn)) {
    // The rest of the box around the picture.
    const int top = std::clamp(drawn.top, box.top, box.bottom), bottom = std::clamp(drawn.bottom, box.top, box.bottom);
    c_.FillRect({box.left, box.top, box.right, top}, bg);
    c_.FillRect({box.left, bottom, box.right, box.bottom}, bg);
    c_.FillRect({box.left, top, std::min(drawn.left, box.right), bottom}, bg);
    c_.FillRect({std::max(drawn.right, box.left), top, box.right, bottom}, bg);
  }
  e.firstLine = e.lastLine = e.bounds = ToHelpRect(box);
  lastPictureBottom_ = box.bottom;
  pen_.x = drawn.right + 1;
}

void Painter::DrawEntry(uint32_t index, HelpEntry& e, int state) {
  (void)index;
  char* text = v_.help.Text(e);
  Color bg = EntryColour(e, e.background, state);
  Color fg = EntryColour(e, e.textColours, state);
  switch (e.flags & helpflag::kTypeMask) {
    case 0:
      c_.FillRect({e.x, e.y, e.width, e.height}, bg);
      e.bounds = {e.x, e.y, e.width, e.height};
      break;
    case 1:
    case 3: TextLine(e, text, bg, fg); break;
    case 2:
      if (Has(e, helpflag::kDisabled)) {
        bg = EntryColour(e, e.background, 1);
        fg = EntryColour(e, e.background, 2);
      }
      TextLine(e, text, bg, fg);
      break;
    case 4: TextBox(e, text, bg, fg); break;
    case 5:
      TranslateText(text);
      FlowText(e, text, bg, fg);
      break;
    case 15: Picture(e, text, bg, state); break;
    default: break;  // unknown element: drawn as nothing
  }
}

void Painter::FocusFrame(const HelpRect& box) {
  const int w = box.right - box.left, h = box.bottom - box.top;
  const int t = std::min({3, w / 4, h / 4});
  auto invert = [&](int l, int tp, int r, int b) {
    const Rect inside{std::max(l, 0), std::max(tp, 0), std::min(r, width_), std::min(b, height_)};
    if (inside.right <= inside.left || inside.bottom <= inside.top) return;
    ChangePixels(c_, inside, [](Color c) { return Rgb(255 - c.r, 255 - c.g, 255 - c.b); });
  };
  invert(box.left, box.top, box.right, box.top + t);
  invert(box.left, box.bottom - t, box.right, box.bottom);
  invert(box.left, box.top + t, box.left + t, box.bottom - t);
  invert(box.right - t, box.top + t, box.right, box.bottom - t);
}

void Painter::Run() {
  const uint32_t n = v_.Count();
  HelpScrollInfo& s = v_.Scroll();
  v_.firstDrawn = 0;
  v_.drawnCount = 0;
  const Color paper = n > 0 ? EntryColour(v_.help.entries[0], v_.help.entries[0].background, 1) : Rgb(255, 255, 255);
  c_.FillRect({0, 0, width_, height_}, paper);
  if (n == 0) return;
  s.position = std::clamp(s.position, s.minimum, std::max(s.minimum, s.maximum));
  if (v_.hasScrollBar) {
    const bool towardsStart = (v_.help.window.statusWord & helpstatus::kTowardsStart) != 0;
    int p = s.position;
    auto isContinuation = [&](int i) { return Has(v_.help.entries[static_cast<uint32_t>(i)], helpflag::kContinuation); };
    if (towardsStart)
      while (p > s.minimum && isContinuation(p)) --p;
    else
      while (p < s.maximum - 1 && isContinuation(p)) ++p;
    // A row of continuations to the end: fall back to its start.
    while (p > s.minimum && isContinuation(p)) --p;
    s.position = p;
  }
  const uint32_t first = v_.hasScrollBar ? static_cast<uint32_t>(s.position) : 0;
  v_.firstDrawn = first;
  uint32_t visible = 0;
  bool countingVisible = true;
  v_.focusFrame = n;
  for (uint32_t i = first; i < n; ++i) {
    HelpEntry& e = v_.help.entries[i];
    e.firstLine = e.bounds = e.lastLine = HelpRect{};
    // Placements far beyond any screen would only overflow the arithmetic.
    for (int32_t* field : {&e.x, &e.y, &e.width, &e.height}) *field = std::clamp(*field, -kFarAway, kFarAway);
    c_.SelectFont(HelpFont((e.flags >> 8) & 7));
    const bool current = i == v_.current, hot = i == v_.hot;
    const int state = current ? (hot ? 4 : 3) : (hot ? 2 : 1);
    pen_.nextLineTop = pen_.rowBottom;
    DrawEntry(i, e, state);
    ++v_.drawnCount;
    const bool drew = e.bounds.right > e.bounds.left || e.bounds.bottom > e.bounds.top;
    if (drew) {
      if (e.bounds.top != pen_.rowTop) {
        pen_.rowTop = e.bounds.top;
        pen_.rowBottom = e.bounds.bottom;
        pen_.rowRight = e.bounds.right;
      } else {
        pen_.rowBottom = std::max(pen_.rowBottom, e.bounds.bottom);
        pen_.rowRight = std::max(pen_.rowRight, e.bounds.right);
      }
    }
    if (countingVisible && e.bounds.bottom <= height_)
      ++visible;
    else
      countingVisible = false;
    const uint32_t type = e.flags & helpflag::kTypeMask;
    if (type != 0 && pen_.nextLineTop >= height_) break;
    if (Has(e, helpflag::kEndOfPage)) break;
  }
  if (v_.hasScrollBar && v_.current >= first && v_.current < first + v_.drawnCount) {
    const HelpEntry& e = v_.help.entries[v_.current];
    if (Has(e, helpflag::kFocusFrame)) {
      FocusFrame(e.bounds);
      v_.focusFrame = v_.current;
    }
  }
  const int maxPage = std::max(1, s.maximum);
  s.page = static_cast<uint32_t>(std::clamp(static_cast<int>(visible), 1, maxPage));
}

}  // namespace

void PaintHelpWindow(HelpView& v, Canvas& canvas) {
  v.help.window.statusWord &= ~(helpstatus::kRepaint | helpstatus::kRepaintAgain);
  v.help.window.statusWord |= helpstatus::kPainting;
  Painter(v, canvas).Run();
  v.help.window.statusWord &= ~helpstatus::kPainting;
}

}  // namespace kx
