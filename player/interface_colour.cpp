#include "interface_colour.h"

#include <algorithm>

#include "project_data.h"
#include "runtime_rules.h"

namespace player {
namespace {

int colourPart(const std::string& text) {
  const double value = store::colourValue(text);
  if (!(value >= -32768.5 && value < 32767.5)) return 0;
  return static_cast<int>(runtime::roundHalfEven(value));
}

}  // namespace

std::optional<std::uint32_t> interfaceColour(const std::string& red, const std::string& green,
                                             const std::string& blue) {
  const int r = colourPart(red), g = colourPart(green), b = colourPart(blue);
  if (r < 0 || g < 0 || b < 0) return std::nullopt;
  const auto part = [](int v) { return static_cast<std::uint32_t>(std::min(v, 255)); };
  return part(r) | part(g) << 8 | part(b) << 16;
}

std::uint32_t titleLinkColour(std::uint32_t background) { return (background + 48000u) & 0xFFFFFFu; }

}  // namespace player
