#include "lettering.h"

#include <QPainterPathStroker>
#include <QRectF>
#include <QTransform>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace sample_data {
namespace {

// One letter: its width on the grid, its strokes, and its dots.
struct Glyph {
  double width = 0;
  QPainterPath strokes;
  std::vector<QPointF> dots;
};

void polyline(QPainterPath& p, std::initializer_list<QPointF> points) {
  bool first = true;
  for (const QPointF& point : points) {
    if (first)
      p.moveTo(point);
    else
      p.lineTo(point);
    first = false;
  }
}

// A circular arc around (cx, cy); angles in degrees, counter-clockwise from
// three o'clock, as QPainterPath takes them.
void arc(QPainterPath& p, double cx, double cy, double r, double start, double sweep) {
  const QRectF box(cx - r, cy - r, 2 * r, 2 * r);
  p.arcMoveTo(box, start);
  p.arcTo(box, start, sweep);
}

// The bowl of D, P, R and B, joined to the stem: from (x, top) round to
// (x, top + 2r).
void bowl(QPainterPath& p, double x, double top, double r) {
  p.arcTo(QRectF(x - r, top, 2 * r, 2 * r), 90, -180);
}

// The stem of B, P and R with the upper bowl: up the stem, along the cap
// line to x, round the bowl of radius r and back to the stem.
void stemAndBowl(QPainterPath& p, double x, double r) {
  p.moveTo(0, 10);
  p.lineTo(0, 0);
  p.lineTo(x, 0);
  bowl(p, x, 0, r);
  p.lineTo(0, 2 * r);
}

Glyph glyph(char c) {
  Glyph g;
  QPainterPath& p = g.strokes;
  switch (c) {
    case ' ': g.width = 3.2 - 2.4; break;
    case '*': g.width = 0; g.dots = {QPointF(0, 5.2)}; break;
    case 'A':
      g.width = 6.4;
      polyline(p, {{0, 10}, {3.2, 0}, {6.4, 10}});
      polyline(p, {{1.09, 6.6}, {5.31, 6.6}});
      break;
    case 'B':
      g.width = 5.7;
      stemAndBowl(p, 2.8, 2.5);
      p.moveTo(2.8, 5);
      p.lineTo(3.2, 5);
      bowl(p, 3.2, 5, 2.5);
      p.lineTo(0, 10);
      break;
    case 'C': g.width = 8.54; arc(p, 5, 5, 5, 45, 270); break;
    case 'D':
      g.width = 7;
      p.moveTo(0, 0);
      p.lineTo(2, 0);
      bowl(p, 2, 0, 5);
      p.lineTo(0, 10);
      p.closeSubpath();
      break;
    case 'E':
      g.width = 5.2;
      polyline(p, {{5.2, 0}, {0, 0}, {0, 10}, {5.2, 10}});
      polyline(p, {{0, 5}, {4.4, 5}});
      break;
    case 'G':
      g.width = 10;
      arc(p, 5, 5, 5, 45, 315);
      p.lineTo(5.6, 5);
      break;
    case 'H':
      g.width = 6.4;
      polyline(p, {{0, 0}, {0, 10}});
      polyline(p, {{6.4, 0}, {6.4, 10}});
      polyline(p, {{0, 5}, {6.4, 5}});
      break;
    case 'I': polyline(p, {{0, 0}, {0, 10}}); break;
    case 'K':
      g.width = 5.8;
      polyline(p, {{0, 0}, {0, 10}});
      polyline(p, {{5.8, 0}, {0, 6.4}});
      polyline(p, {{2.1, 4.1}, {5.8, 10}});
      break;
    case 'L': g.width = 5; polyline(p, {{0, 0}, {0, 10}, {5, 10}}); break;
    case 'M': g.width = 8.4; polyline(p, {{0, 10}, {0, 0}, {4.2, 7}, {8.4, 0}, {8.4, 10}}); break;
    case 'N': g.width = 6.8; polyline(p, {{0, 10}, {0, 0}, {6.8, 10}, {6.8, 0}}); break;
    case 'O': g.width = 10; p.addEllipse(QRectF(0, 0, 10, 10)); break;
    case 'P':
    case 'R':
      g.width = 6;
      stemAndBowl(p, 3.25, 2.75);
      if (c == 'R') polyline(p, {{3.4, 5.5}, {6, 10}});
      break;
    case 'Q':
      g.width = 10;
      p.addEllipse(QRectF(0, 0, 10, 10));
      polyline(p, {{6.6, 6.6}, {10, 10}});
      break;
    case 'S':
      g.width = 5;
      arc(p, 2.5, 2.5, 2.5, 25, 245);
      arc(p, 2.5, 7.5, 2.5, 90, -245);
      break;
    case 'T':
      g.width = 6.4;
      polyline(p, {{0, 0}, {6.4, 0}});
      polyline(p, {{3.2, 0}, {3.2, 10}});
      break;
    case 'U':
      g.width = 6.4;
      p.moveTo(0, 0);
      p.lineTo(0, 6.8);
      p.arcTo(QRectF(0, 3.6, 6.4, 6.4), 180, 180);
      p.lineTo(6.4, 0);
      break;
    case 'V': g.width = 6.4; polyline(p, {{0, 0}, {3.2, 10}, {6.4, 0}}); break;
    case 'W': g.width = 9.6; polyline(p, {{0, 0}, {2.4, 10}, {4.8, 2.6}, {7.2, 10}, {9.6, 0}}); break;
    case 'Y':
      g.width = 6.4;
      polyline(p, {{0, 0}, {3.2, 5.2}, {6.4, 0}});
      polyline(p, {{3.2, 5.2}, {3.2, 10}});
      break;
    case '0': g.width = 6.4; p.addEllipse(QRectF(0, 0, 6.4, 10)); break;
    case '1': g.width = 2.4; polyline(p, {{0, 2.2}, {2.4, 0}, {2.4, 10}}); break;
    case '2':
      g.width = 6;
      arc(p, 3, 3, 3, 160, -200);
      p.lineTo(0, 10);
      p.lineTo(6, 10);
      break;
    case '3':
      g.width = 4.85;
      arc(p, 2.35, 2.5, 2.5, 150, -240);
      arc(p, 2.35, 7.5, 2.5, 90, -250);
      break;
    case '4':
      g.width = 6.4;
      polyline(p, {{4.6, 10}, {4.6, 0}, {0, 7}, {6.4, 7}});
      break;
    default: throw std::invalid_argument(std::string("no letter for '") + c + "'");
  }
  return g;
}

}  // namespace

double letteringWidth(std::string_view text, const LetteringStyle& style) {
  const double unit = style.capHeight / 10;
  double width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) width += style.spacing;
    width += glyph(text[i]).width;
  }
  return width * unit + style.weight;
}

QPainterPath lettering(std::string_view text, QPointF topLeft, const LetteringStyle& style) {
  const double unit = style.capHeight / 10;
  QPainterPathStroker stroker;
  stroker.setWidth(style.weight);
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);

  QPainterPath outline;
  outline.setFillRule(Qt::WindingFill);
  // The strokes' round ends reach half a weight beyond the grid.
  double x = topLeft.x() + style.weight / 2;
  const double y = topLeft.y();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) x += style.spacing * unit;
    const Glyph g = glyph(text[i]);
    const QTransform place = QTransform::fromTranslate(x, y).scale(unit, unit);
    if (!g.strokes.isEmpty()) outline.addPath(stroker.createStroke(place.map(g.strokes)));
    for (const QPointF& dot : g.dots) outline.addEllipse(place.map(dot), style.weight * 0.65, style.weight * 0.65);
    x += g.width * unit;
  }
  return outline;
}

QPainterPath centredLettering(std::string_view text, double centreX, double top, const LetteringStyle& style) {
  return lettering(text, QPointF(centreX - letteringWidth(text, style) / 2, top), style);
}

}  // namespace sample_data
