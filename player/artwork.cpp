#include "artwork.h"

#include <QConicalGradient>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace player::artwork {
namespace {

const QColor kInk(255, 255, 255);
const QColor kPressedInk(28, 32, 38);

using GlyphPainter = std::function<void(QPainter&, const QRectF&, const QColor&)>;

QPixmap transparentPixmap(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPen glyphPen(const QColor& ink, double width = 1.8) {
  return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The face of a button of `shape` in `look`: translucent at rest, brighter
// when lit, filled when pressed. Returns the ink the glyph is drawn with.
QColor paintFace(QPainter& p, const QPainterPath& shape, Look look) {
  switch (look) {
    case Look::Normal:
      p.fillPath(shape, QColor(255, 255, 255, 38));
      p.strokePath(shape, QPen(QColor(255, 255, 255, 150), 1.2));
      return kInk;
    case Look::Lit:
      p.fillPath(shape, QColor(255, 255, 255, 90));
      p.strokePath(shape, QPen(QColor(255, 255, 255, 235), 1.4));
      return kInk;
    case Look::Pressed:
    default:
      p.fillPath(shape, QColor(255, 255, 255, 235));
      p.strokePath(shape, QPen(QColor(255, 255, 255), 1.4));
      return kPressedInk;
  }
}

// A pill of 132 x 30 pixels with a glyph on the left and a caption.
controls::Picture pillButton(const QString& caption, const GlyphPainter& glyph, Look look) {
  QPixmap pixmap = transparentPixmap(132, 30);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(1, 1, 130, 28), 14, 14);
  const QColor ink = paintFace(p, shape, look);
  glyph(p, QRectF(12, 7, 16, 16), ink);
  QFont font = p.font();
  font.setPixelSize(12);
  font.setBold(true);
  font.setLetterSpacing(QFont::PercentageSpacing, 104);
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QRectF(36, 1, 90, 28), Qt::AlignVCenter | Qt::AlignLeft, caption);
  return controls::Picture(pixmap);
}

// A button of `size` pixels whose face is `shape`, with a glyph of
// `glyphShare` of its size in its middle.
controls::Picture glyphButton(int size, const QPainterPath& shape, double glyphShare, const GlyphPainter& glyph,
                              Look look) {
  QPixmap pixmap = transparentPixmap(size, size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink = paintFace(p, shape, look);
  const double g = size * glyphShare;
  glyph(p, QRectF((size - g) / 2, (size - g) / 2, g, g), ink);
  return controls::Picture(pixmap);
}

// A round button of `size` pixels.
controls::Picture roundButton(int size, const GlyphPainter& glyph, Look look) {
  QPainterPath shape;
  shape.addEllipse(QRectF(1, 1, size - 2, size - 2));
  return glyphButton(size, shape, 0.44, glyph, look);
}

// A rounded square of `size` pixels, outlined when off and filled when on.
controls::Picture squareButton(int size, const GlyphPainter& glyph, bool on) {
  QPainterPath shape;
  shape.addRoundedRect(QRectF(1, 1, size - 2, size - 2), 6, 6);
  return glyphButton(size, shape, 0.56, glyph, on ? Look::Pressed : Look::Normal);
}

void fillTriangle(QPainter& p, const QRectF& r, const QColor& ink, bool pointingRight) {
  QPainterPath path;
  if (pointingRight) {
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right(), r.center().y());
    path.lineTo(r.left(), r.bottom());
  } else {
    path.moveTo(r.right(), r.top());
    path.lineTo(r.left(), r.center().y());
    path.lineTo(r.right(), r.bottom());
  }
  path.closeSubpath();
  p.fillPath(path, ink);
}

// An open arc with an arrow head at its end, angles in degrees.
void arrowArc(QPainter& p, const QRectF& r, double startDeg, double spanDeg, const QColor& ink) {
  p.setPen(glyphPen(ink, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r, static_cast<int>(startDeg * 16), static_cast<int>(spanDeg * 16));
  const double end = (startDeg + spanDeg) * M_PI / 180.0;
  const QPointF tip(r.center().x() + r.width() / 2 * std::cos(end), r.center().y() - r.height() / 2 * std::sin(end));
  const QPointF along(-std::sin(end), -std::cos(end));  // the direction of travel at the end
  const QPointF across(std::cos(end), -std::sin(end));
  const double s = r.width() * 0.22;
  QPainterPath head;
  head.moveTo(tip + along * s);
  head.lineTo(tip + across * s * 0.8);
  head.lineTo(tip - across * s * 0.8);
  head.closeSubpath();
  p.fillPath(head, ink);
}

void playAllGlyph(QPainter& p, const QRectF& r, const QColor& ink) {
  arrowArc(p, r, 120, 280, ink);
  fillTriangle(p, r.adjusted(r.width() * 0.38, r.height() * 0.3, -r.width() * 0.28, -r.height() * 0.3), ink, true);
}

void minimiseGlyph(QPainter& p, const QRectF& r, const QColor& ink) {
  p.setPen(glyphPen(ink, 2.2));
  p.drawLine(QPointF(r.left() + 2, r.bottom() - 2), QPointF(r.right() - 2, r.bottom() - 2));
  p.setPen(glyphPen(ink, 1.4));
  p.drawLine(QPointF(r.center().x(), r.top() + 1), QPointF(r.center().x(), r.bottom() - 6));
  p.drawLine(QPointF(r.center().x() - 4, r.bottom() - 10), QPointF(r.center().x(), r.bottom() - 6));
  p.drawLine(QPointF(r.center().x() + 4, r.bottom() - 10), QPointF(r.center().x(), r.bottom() - 6));
}

void informationGlyph(QPainter& p, const QRectF& r, const QColor& ink) {
  p.setPen(glyphPen(ink, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
  p.setPen(glyphPen(ink, 2.0));
  p.drawLine(QPointF(r.center().x(), r.center().y() - 0.5), QPointF(r.center().x(), r.bottom() - 4));
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawEllipse(QPointF(r.center().x(), r.top() + 4.2), 1.3, 1.3);
}

void exitGlyph(QPainter& p, const QRectF& r, const QColor& ink) {
  p.setPen(glyphPen(ink, 1.8));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(1, 2, -1, 0), 120 * 16, -240 * 16);
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.center().y() + 1));
}

void transportGlyph(Transport button, QPainter& p, const QRectF& r, const QColor& ink) {
  const double w = r.width(), h = r.height();
  switch (button) {
    case Transport::Play:
      fillTriangle(p, r.adjusted(w * 0.18, 0, 0, 0), ink, true);
      break;
    case Transport::Pause:
      p.fillRect(QRectF(r.left() + w * 0.12, r.top(), w * 0.28, h), ink);
      p.fillRect(QRectF(r.right() - w * 0.40, r.top(), w * 0.28, h), ink);
      break;
    case Transport::Stop:
      p.fillRect(r.adjusted(w * 0.08, h * 0.08, -w * 0.08, -h * 0.08), ink);
      break;
    case Transport::Previous:
      p.fillRect(QRectF(r.left(), r.top(), w * 0.16, h), ink);
      fillTriangle(p, r.adjusted(w * 0.16, 0, -w * 0.42, 0), ink, false);
      fillTriangle(p, r.adjusted(w * 0.58, 0, 0, 0), ink, false);
      break;
    case Transport::Next:
      p.fillRect(QRectF(r.right() - w * 0.16, r.top(), w * 0.16, h), ink);
      fillTriangle(p, r.adjusted(0, 0, -w * 0.58, 0), ink, true);
      fillTriangle(p, r.adjusted(w * 0.42, 0, -w * 0.16, 0), ink, true);
      break;
  }
}

void toolGlyph(Tool tool, QPainter& p, const QRectF& r, const QColor& ink) {
  const double w = r.width(), h = r.height();
  p.setPen(glyphPen(ink, 1.6));
  p.setBrush(Qt::NoBrush);
  switch (tool) {
    case Tool::PersonalList:
      for (int i = 0; i < 3; ++i) {
        const double y = r.top() + h * (0.2 + 0.3 * i);
        p.drawPoint(QPointF(r.left() + 1.5, y));
        p.drawLine(QPointF(r.left() + w * 0.3, y), QPointF(r.right(), y));
      }
      break;
    case Tool::Shuffle: {
      QPainterPath a, b;
      a.moveTo(r.left(), r.top() + h * 0.25);
      a.cubicTo(r.left() + w * 0.5, r.top() + h * 0.25, r.left() + w * 0.45, r.bottom() - h * 0.25,
                r.right() - 2, r.bottom() - h * 0.25);
      b.moveTo(r.left(), r.bottom() - h * 0.25);
      b.cubicTo(r.left() + w * 0.5, r.bottom() - h * 0.25, r.left() + w * 0.45, r.top() + h * 0.25,
                r.right() - 2, r.top() + h * 0.25);
      p.drawPath(a);
      p.drawPath(b);
      for (double y : {r.top() + h * 0.25, r.bottom() - h * 0.25})
        fillTriangle(p, QRectF(r.right() - 4, y - 3.5, 4, 7), ink, true);
      break;
    }
    case Tool::ClearList:
      p.drawLine(QPointF(r.left() + w * 0.15, r.top() + h * 0.15), QPointF(r.right() - w * 0.15, r.bottom() - h * 0.15));
      p.drawLine(QPointF(r.right() - w * 0.15, r.top() + h * 0.15), QPointF(r.left() + w * 0.15, r.bottom() - h * 0.15));
      break;
    case Tool::Remove:
      p.drawLine(QPointF(r.left() + w * 0.15, r.center().y()), QPointF(r.right() - w * 0.15, r.center().y()));
      break;
    case Tool::Repeat:
      arrowArc(p, r.adjusted(w * 0.05, h * 0.05, -w * 0.05, -h * 0.05), 90, -300, ink);
      break;
    case Tool::ViewSwitch:
      for (int i = 0; i < 3; ++i) {
        const double x = r.left() + w * (0.15 + 0.35 * i);
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        const double knob = r.top() + h * (i == 1 ? 0.25 : 0.65);
        p.setBrush(ink);
        p.drawEllipse(QPointF(x, knob), 2.2, 2.2);
        p.setBrush(Qt::NoBrush);
      }
      break;
  }
}

}  // namespace

controls::Picture playAllButton(bool pressed) {
  return pillButton("Play all", playAllGlyph, pressed ? Look::Pressed : Look::Normal);
}

controls::Picture minimiseButton(bool pressed) {
  return pillButton("Minimise", minimiseGlyph, pressed ? Look::Pressed : Look::Normal);
}

controls::Picture informationButton(bool open) {
  return pillButton("Information", informationGlyph, open ? Look::Pressed : Look::Normal);
}

controls::Picture exitButton() { return pillButton("Exit", exitGlyph, Look::Normal); }

controls::Picture defaultCover() {
  constexpr int size = 200;
  QPixmap pixmap(size, size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient backdrop(QPointF(size * 0.35, size * 0.3), size * 0.9);
  backdrop.setColorAt(0, QColor(64, 76, 96));
  backdrop.setColorAt(1, QColor(18, 22, 30));
  p.fillRect(pixmap.rect(), backdrop);

  const QPointF centre(size / 2.0, size / 2.0);
  const double radius = size * 0.40;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(10, 11, 14));
  p.drawEllipse(centre, radius, radius);
  p.setBrush(Qt::NoBrush);
  for (double r = radius * 0.45; r < radius - 2; r += 3.2) {
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    p.drawEllipse(centre, r, r);
  }
  QConicalGradient sheen(centre, 45);
  sheen.setColorAt(0.00, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.10, QColor(255, 255, 255, 46));
  sheen.setColorAt(0.20, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.50, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.60, QColor(255, 255, 255, 38));
  sheen.setColorAt(0.70, QColor(255, 255, 255, 0));
  sheen.setColorAt(1.00, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawEllipse(centre, radius, radius);

  QRadialGradient label(centre, radius * 0.32);
  label.setColorAt(0, QColor(240, 168, 84));
  label.setColorAt(1, QColor(204, 112, 44));
  p.setBrush(label);
  p.drawEllipse(centre, radius * 0.32, radius * 0.32);
  p.setBrush(QColor(18, 22, 30));
  p.drawEllipse(centre, 3.5, 3.5);

  p.setPen(QPen(QColor(255, 255, 255, 40), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, size - 2, size - 2));
  return controls::Picture(pixmap);
}

controls::Picture transportButton(Transport button, Look look) {
  return roundButton(
      34, [button](QPainter& p, const QRectF& r, const QColor& ink) { transportGlyph(button, p, r, ink); }, look);
}

controls::Picture toolButton(Tool tool, bool on) {
  return squareButton(
      26, [tool](QPainter& p, const QRectF& r, const QColor& ink) { toolGlyph(tool, p, r, ink); }, on);
}

controls::Picture personalListButton(bool on) {
  return pillButton("Personal list",
                    [](QPainter& p, const QRectF& r, const QColor& ink) { toolGlyph(Tool::PersonalList, p, r, ink); },
                    on ? Look::Pressed : Look::Normal);
}

controls::Picture dropHint() {
  QPixmap pixmap = transparentPixmap(132, 22);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // An arrow up to the mode button, then the words.
  p.setPen(glyphPen(kInk, 1.4));
  p.drawLine(QPointF(9, 18), QPointF(9, 5));
  p.drawLine(QPointF(5, 9), QPointF(9, 5));
  p.drawLine(QPointF(13, 9), QPointF(9, 5));
  QFont font = p.font();
  font.setPixelSize(11);
  font.setItalic(true);
  p.setFont(font);
  p.setPen(QColor(255, 255, 255, 210));
  p.drawText(QRectF(20, 0, 112, 22), Qt::AlignVCenter | Qt::AlignLeft, "Drag songs here");
  return controls::Picture(pixmap);
}

controls::Picture songDragIcon() {
  QPixmap pixmap = transparentPixmap(32, 32);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(20, 24, 30), 1.2));
  p.setBrush(QColor(255, 255, 255));
  QPainterPath note;
  note.addEllipse(QRectF(6, 20, 10, 8));
  note.addRect(QRectF(14, 5, 2.6, 19));
  note.moveTo(16.6, 5);
  note.cubicTo(22, 7, 26, 10, 24, 17);
  note.cubicTo(23, 13, 20, 12, 16.6, 11);
  note.closeSubpath();
  p.drawPath(note.simplified());
  return controls::Picture(pixmap);
}

}  // namespace player::artwork
