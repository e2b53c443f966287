#include "qt/qt_canvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <QStringList>
#include <tuple>
#include <vector>

#include "qt/qt_text.h"

namespace kx {

namespace {

QColor ToQColor(Color c) { return QColor(c.r, c.g, c.b); }

QString FamilyFor(const FontSpec& spec) {
  const int family = spec.pitchAndFamily & 0xF0;
  if ((spec.pitchAndFamily & 0x03) == font::kFixedPitch || family == font::kModern) return "Liberation Mono";
  if (family == font::kRoman) return "Liberation Serif";
  return "Liberation Sans";
}

}  // namespace

bool FontMapper::Key::operator<(const Key& o) const {
  const auto& a = spec;
  const auto& b = o.spec;
  return std::tie(a.height, a.width, a.weight, a.italic, a.underline, a.pitchAndFamily, a.face) <
         std::tie(b.height, b.width, b.weight, b.italic, b.underline, b.pitchAndFamily, b.face);
}

const MappedFont& FontMapper::FontFor(const FontSpec& spec) {
  auto found = cache_.find(Key{spec});
  if (found != cache_.end()) return found->second;

  QFont font(FamilyFor(spec));
  font.setStyleStrategy(QFont::PreferDefault);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight == 0 ? 400 : spec.weight, 100, 900)));
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setHintingPreference(QFont::PreferFullHinting);
  const int cell = spec.height == 0 ? 16 : std::abs(spec.height);
  int pixels = std::max(1, cell * 87 / 100);
  font.setPixelSize(pixels);
  while (QFontMetrics(font).height() > cell && pixels > 1) font.setPixelSize(--pixels);
  while (true) {
    QFont larger = font;
    larger.setPixelSize(pixels + 1);
    if (QFontMetrics(larger).height() > cell) break;
    font = larger;
    ++pixels;
  }
  if (spec.width > 0) {
    const int natural = QFontMetrics(font).averageCharWidth();
    if (natural > 0) font.setStretch(std::clamp(100 * spec.width / natural, 1, 4000));
  }
  const QFontMetrics metrics(font);
  const int ascent = cell - metrics.descent();
  return cache_.emplace(Key{spec}, MappedFont{font, cell, ascent}).first->second;
}

FontMapper& SharedFontMapper() {
  static FontMapper mapper;
  return mapper;
}

QtCanvas::QtCanvas(QPainter* painter, int width, int height)
    : image_(nullptr), painter_(painter), width_(width), height_(height) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  SelectFont(SystemFont());
}

QtCanvas::QtCanvas(QImage* image)
    : image_(image),
      ownPainter_(std::make_unique<QPainter>(image)),
      painter_(ownPainter_.get()),
      width_(qRound(image->width() / image->devicePixelRatio())),
      height_(qRound(image->height() / image->devicePixelRatio())),
      ratio_(image->devicePixelRatio()) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  SelectFont(SystemFont());
}

QtCanvas::~QtCanvas() = default;

void QtCanvas::FillRect(const Rect& r, Color color) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  painter_->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToQColor(color));
}

void QtCanvas::FrameRect(const Rect& r, Color color) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const QColor c = ToQColor(color);
  painter_->fillRect(QRect(r.left, r.top, r.Width(), 1), c);
  painter_->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), c);
  painter_->fillRect(QRect(r.left, r.top, 1, r.Height()), c);
  painter_->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), c);
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2, int width, Color color) {
  const QColor c = ToQColor(color);
  const int w = std::max(1, width);
  if (w > 1 && (x1 == x2 || y1 == y2)) {
    const int half = w / 2;
    painter_->fillRect(QRect(std::min(x1, x2) - half, std::min(y1, y2) - half, std::abs(x2 - x1) + w,
                             std::abs(y2 - y1) + w),
                       c);
    return;
  }
  if (w == 1 && (x1 == x2 || y1 == y2)) {
    // The end point itself is not drawn.
    const int dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
    const int length = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    if (length == 0) return;
    const int left = dx < 0 ? x2 + 1 : x1, top = dy < 0 ? y2 + 1 : y1;
    painter_->fillRect(QRect(left, top, dx ? length : 1, dy ? length : 1), c);
    return;
  }
  painter_->setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap));
  painter_->drawLine(x1, y1, x2, y2);
}

void QtCanvas::SetPixel(int x, int y, Color color) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  painter_->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

Color QtCanvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return {};
  if (image_ == nullptr) return Rgb(255, 255, 255);
  // The raster painter writes straight into the image's memory; a canvas
  // pixel is read at its device pixel's top-left.
  const int dx = std::min(image_->width() - 1, static_cast<int>(x * ratio_));
  const int dy = std::min(image_->height() - 1, static_cast<int>(y * ratio_));
  const QRgb rgb = image_->pixel(dx, dy);
  return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

QRect QtCanvas::DeviceRect(const Rect& r) const {
  auto edge = [&](int v) { return static_cast<int>(std::ceil(v * ratio_ - 0.5)); };
  const int left = edge(r.left), top = edge(r.top);
  return QRect(left, top, std::max(0, edge(r.right) - left), std::max(0, edge(r.bottom) - top));
}

PixelBlock QtCanvas::ReadPixels(const Rect& r) const {
  if (image_ == nullptr) return Canvas::ReadPixels(r);
  const QRect d = DeviceRect(r);
  PixelBlock block{d.width(), d.height(), {}};
  block.pixels.reserve(static_cast<size_t>(d.width()) * d.height());
  const QRect inside = image_->rect();
  for (int y = d.top(); y <= d.bottom(); ++y)
    for (int x = d.left(); x <= d.right(); ++x) {
      const QRgb rgb = inside.contains(x, y) ? image_->pixel(x, y) : qRgb(0, 0, 0);
      block.pixels.push_back(Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb)));
    }
  return block;
}

void QtCanvas::WritePixels(const Rect& r, const PixelBlock& block) {
  if (image_ == nullptr) return Canvas::WritePixels(r, block);
  if (block.width <= 0 || block.height <= 0) return;
  QImage pixels(block.width, block.height, QImage::Format_RGB32);
  auto next = block.pixels.begin();
  for (int y = 0; y < block.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    for (int x = 0; x < block.width; ++x, ++next) row[x] = qRgb(next->r, next->g, next->b);
  }
  // Drawn one to one onto the device pixels it was read from.
  pixels.setDevicePixelRatio(ratio_);
  const QRect d = DeviceRect(r);
  painter_->drawImage(QPointF(d.left() / ratio_, d.top() / ratio_), pixels);
}

void QtCanvas::SelectFont(const FontSpec& spec) {
  font_ = SharedFontMapper().FontFor(spec);
  painter_->setFont(font_.font);
}

FontMetrics QtCanvas::Metrics() {
  return {font_.height, font_.ascent, font_.height - font_.ascent};
}

Size QtCanvas::MeasureText(std::string_view text) {
  return {QFontMetrics(font_.font).horizontalAdvance(ToQString(text)), font_.height};
}

int QtCanvas::FitCount(std::string_view text, int maxWidth) {
  const QString s = ToQString(text);
  QFontMetrics m(font_.font);
  // Ends of the code points; prefix widths grow with their length, so a
  // binary search keeps long lines of flowing help text cheap.
  std::vector<int> ends;
  ends.reserve(static_cast<size_t>(s.size()));
  for (int i = 0; i < s.size(); ++i) {
    if (s[i].isHighSurrogate() && i + 1 < s.size()) ++i;
    ends.push_back(i + 1);
  }
  int fits = 0, fails = static_cast<int>(ends.size()) + 1;
  while (fails - fits > 1) {
    const int mid = (fits + fails) / 2;
    if (m.horizontalAdvance(s.left(ends[static_cast<size_t>(mid - 1)])) > maxWidth)
      fails = mid;
    else
      fits = mid;
  }
  return fits;
}

void QtCanvas::DrawText(int x, int y, std::string_view text, Color color, std::optional<Color> background) {
  const QString s = ToQString(text);
  if (background)
    painter_->fillRect(QRect(x, y, QFontMetrics(font_.font).horizontalAdvance(s), font_.height), ToQColor(*background));
  painter_->setPen(ToQColor(color));
  painter_->drawText(x, y + font_.ascent, s);
}

Rect QtCanvas::DrawWrappedText(const Rect& rect, std::string_view text, Color color, bool calcOnly) {
  QFontMetrics m(font_.font);
  const int maxWidth = rect.Width();
  QStringList lines;
  for (const QString& paragraph : ToQString(text).split('\n')) {
    QString line;
    for (const QString& word : paragraph.split(' ')) {
      const QString candidate = line.isEmpty() ? word : line + ' ' + word;
      if (!line.isEmpty() && m.horizontalAdvance(candidate) > maxWidth) {
        lines << line;
        line = word;
      } else {
        line = candidate;
      }
    }
    lines << line;
  }
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, m.horizontalAdvance(line));
  const Rect used{rect.left, rect.top, rect.left + widest, rect.top + static_cast<int>(lines.size()) * font_.height};
  if (calcOnly) return used;
  painter_->save();
  painter_->setClipRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
  painter_->setPen(ToQColor(color));
  int y = rect.top;
  for (const QString& line : lines) {
    painter_->drawText(rect.left, y + font_.ascent, line);
    y += font_.height;
  }
  painter_->restore();
  return used;
}

void QtCanvas::DrawImage(const ImageView& view, const Rect& dest, BlitMode mode) {
  if (!view.bgr || view.width <= 0 || view.height <= 0 || dest.Width() <= 0 || dest.Height() <= 0) return;
  QImage source(view.bgr, view.width, view.height, view.stride, QImage::Format_BGR888);
  if (view.bottomUp) source = source.mirrored(false, true);
  painter_->save();
  if (mode == BlitMode::Xor) painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_->drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), source);
  painter_->restore();
}

}  // namespace kx
