#include "game/difficulty_slider.h"

#include "text/text_format.h"

namespace kx {

SliderRange SliderToRange(uint32_t x, uint32_t y, const SliderField& field) {
  const uint32_t w = static_cast<uint32_t>(field.right) - static_cast<uint32_t>(field.left);
  const uint32_t h = static_cast<uint32_t>(field.bottom) - static_cast<uint32_t>(field.top);
  const uint32_t area = w * h;
  const uint32_t t = h * (x - static_cast<uint32_t>(field.left)) + (y - static_cast<uint32_t>(field.top));
  // A field without area has no position on it: treat it as the left edge.
  const uint32_t p = area == 0 ? 0 : (t * 65535u) / area;
  const uint32_t v = (p * p) / 65536u + 500u;
  return {v, v * 1250u / 1000u, v * 1125u / 1000u};
}

std::string SliderFieldLabel(const SliderRange& range) {
  std::string label = "Neues Spiel  Schwierigkeit:   ";
  AppendGroupedDecimal(label, static_cast<int32_t>(range.labelNumber));
  return label;
}

}  // namespace kx
