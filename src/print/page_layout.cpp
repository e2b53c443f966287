#include "print/page_layout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "text/text_format.h"

namespace kx {

Margins DefaultMargins(bool landscape) {
  if (landscape) return Margins{1000, 2500, 1000, 1000};
  return Margins{};
}

namespace {

// Margin limits of one axis: the unprintable offset and 90 % of the extent.
int ClampMargin(int margin, int offsetPx, int sizeMm, int res) {
  const int64_t low = static_cast<int64_t>(offsetPx) * sizeMm * 100 / res;
  const int64_t high = static_cast<int64_t>(sizeMm) * 100 * 9 / 10;
  return static_cast<int>(std::clamp<int64_t>(margin, std::min(low, high), high));
}

int ToPixels(int hundredthsMm, int res, int sizeMm) {
  return static_cast<int>(static_cast<int64_t>(hundredthsMm) * res / (static_cast<int64_t>(sizeMm) * 100));
}

void Edges(const PageGeometry& page, const Margins& m, Rect* r) {
  r->left = std::max(0, ToPixels(m.left, page.horzRes, page.horzSizeMm) - page.offsetX);
  r->top = std::max(0, ToPixels(m.top, page.vertRes, page.vertSizeMm) - page.offsetY);
  r->right = std::min(page.horzRes - 1, page.horzRes + page.offsetX - ToPixels(m.right, page.horzRes, page.horzSizeMm));
  r->bottom =
      std::min(page.vertRes - 1, page.vertRes + page.offsetY - ToPixels(m.bottom, page.vertRes, page.vertSizeMm));
}

}  // namespace

Rect ContentRect(const PageGeometry& page, Margins* m) {
  m->left = ClampMargin(m->left, page.offsetX, page.horzSizeMm, page.horzRes);
  m->right = ClampMargin(m->right, page.offsetX, page.horzSizeMm, page.horzRes);
  m->top = ClampMargin(m->top, page.offsetY, page.vertSizeMm, page.vertRes);
  m->bottom = ClampMargin(m->bottom, page.offsetY, page.vertSizeMm, page.vertRes);
  Rect r;
  Edges(page, *m, &r);
  if (r.left == r.right) {
    m->left = m->right = 0;
    Edges(page, *m, &r);
  }
  if (r.top == r.bottom) {
    m->top = m->bottom = 0;
    Edges(page, *m, &r);
  }
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

FontSpec BaseFont(const Rect& content) {
  FontSpec f;
  f.height = std::max(1, std::min(content.Height() / 120, content.Height() / 8));
  f.width = std::max(1, std::min(content.Width() / 200, content.Width() / 40));
  f.weight = 400;
  f.pitchAndFamily = font::kRoman;
  return f;
}

const char* GermanWeekday(int dayOfWeek) {
  static const char* const kNames[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                       "Donnerstag", "Freitag", "Samstag"};
  return kNames[((dayOfWeek % 7) + 7) % 7];
}

std::string DateLine(const LocalTime& t) {
  std::string s = "Datum:   ";
  s += GermanWeekday(t.dayOfWeek);
  s += "   ";
  AppendDecimal(s, t.day, 2);
  s += ".";
  AppendDecimal(s, t.month, 2);
  s += ".";
  AppendDecimal(s, t.year, 4);
  s += "   ";
  AppendDecimal(s, t.hour, 2);
  s += ":";
  AppendDecimal(s, t.minute, 2);
  s += ":";
  AppendDecimal(s, t.second, 2);
  return s;
}

std::string VersionText(int driverVersion, int deviceModeVersion) {
  std::string s = "   Version: " + std::to_string(driverVersion / 256) + ".";
  AppendDecimal(s, driverVersion % 256, 2);
  s += " - " + std::to_string(deviceModeVersion / 100) + ".";
  AppendDecimal(s, deviceModeVersion % 100, 2);
  return s;
}

std::string ResolutionText(int dpiX, int dpiY) {
  return "   Drucker-Auflösung: " + std::to_string(dpiX) + " x " + std::to_string(dpiY) + " dpi";
}

namespace {

// Byte offsets of the code points of a UTF-8 text, with the end appended.
std::vector<size_t> CodePointStarts(const std::string& s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
  starts.push_back(s.size());
  return starts;
}

}  // namespace

std::string ShortenCaption(Canvas& canvas, const std::string& caption, int maxWidth) {
  const std::vector<size_t> starts = CodePointStarts(caption);
  const int length = static_cast<int>(starts.size()) - 1;
  std::string text = caption;
  int shown = length;
  // Each step shows one character fewer; "..." stands for the cut middle.
  while (shown >= 8 && canvas.MeasureText(text).width > maxWidth) {
    --shown;
    const int kept = shown - 3;
    if (kept < 1) break;
    const int head = (kept + 1) / 2, tail = kept - head;
    text = caption.substr(0, starts[head]) + "..." + caption.substr(starts[length - tail]);
  }
  return text;
}

}  // namespace kx
