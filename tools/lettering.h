#pragma once
// Capital letters of our own, drawn as strokes of lines and arcs, for the
// words on the sample pictures. They need no installed font, so a picture
// comes out the same wherever it is built.
//
// Letters are laid out on a grid whose cap height is 10 units, scaled to the
// height asked for. Known characters: A-Z without F, J, X and Z, the digits
// 0 to 4, the blank, and '*' for a raised dot between words.

#include <QPainterPath>
#include <QPointF>
#include <string_view>

namespace sample_data {

struct LetteringStyle {
  double capHeight = 20;  // pixels
  double weight = 3;      // stroke width, pixels
  double spacing = 2.4;   // room between letters, in units of the grid
};

// The width of `text` in pixels, from the left edge of its first stroke to
// the right edge of its last.
double letteringWidth(std::string_view text, const LetteringStyle& style);

// The filled outline of `text`, its top-left corner at `topLeft`. Throws
// std::invalid_argument for a character it has no letter for.
QPainterPath lettering(std::string_view text, QPointF topLeft, const LetteringStyle& style);

// The same, centred on `centreX`, its cap line at `top`.
QPainterPath centredLettering(std::string_view text, double centreX, double top, const LetteringStyle& style);

}  // namespace sample_data
