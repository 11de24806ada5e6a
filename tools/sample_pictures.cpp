#include "sample_pictures.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "lettering.h"

namespace sample_data {
namespace {

const QColor kBackdrop(kBackdropRed, kBackdropGreen, kBackdropBlue);
const QColor kDeep(12, 17, 38);
const QColor kOrange(255, 170, 80);
const QColor kCoral(242, 106, 92);
const QColor kTeal(64, 196, 190);
const QColor kCream(250, 240, 222);
const QColor kViolet(112, 84, 190);

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

QImage canvas(int width, int height, const QColor& fill) {
  QImage image(width, height, QImage::Format_RGB32);
  // 72 dots an inch, so that the files carry the same density wherever
  // they are made.
  image.setDotsPerMeterX(2835);
  image.setDotsPerMeterY(2835);
  image.fill(fill);
  return image;
}

// A picture of the size and ground colour given, drawn by `draw` with
// antialiasing and no pen to start with.
template <typename Draw>
QImage drawn(int width, int height, const QColor& ground, Draw draw) {
  QImage image = canvas(width, height, ground);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  draw(p);
  return image;
}

// A glow of `inner` in an ellipse of radii rx, ry, fading to `outer` at its
// rim, so that the picture's edges keep the backdrop colour exactly.
void glow(QPainter& p, QPointF centre, double rx, double ry, const QColor& inner, const QColor& outer) {
  QRadialGradient g(QPointF(0, 0), 1);
  g.setColorAt(0, inner);
  g.setColorAt(0.55, QColor((inner.red() + outer.red()) / 2, (inner.green() + outer.green()) / 2,
                            (inner.blue() + outer.blue()) / 2));
  g.setColorAt(1, outer);
  QBrush brush(g);
  brush.setTransform(QTransform::fromTranslate(centre.x(), centre.y()).scale(rx, ry));
  p.setBrush(brush);
  p.drawEllipse(centre, rx, ry);
}

// Lettering filled with a gradient from top to bottom, over a soft shadow.
void letters(QPainter& p, const QPainterPath& outline, const QColor& top, const QColor& bottom, double shadow) {
  const QRectF bounds = outline.boundingRect();
  if (shadow > 0) {
    p.setBrush(withAlpha(kDeep, 150));
    p.drawPath(outline.translated(shadow * 0.6, shadow));
  }
  QLinearGradient g(bounds.topLeft(), bounds.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setBrush(g);
  p.drawPath(outline);
}

// The emblem of the set: a dark disc with grooves, a warm label with its
// hole, a sheen across it and a thin ring round it.
void disc(QPainter& p, QPointF centre, double radius, const QColor& hole) {
  p.setBrush(withAlpha(QColor(0, 0, 0), 90));
  p.drawEllipse(centre + QPointF(radius * 0.05, radius * 0.08), radius, radius);

  QRadialGradient body(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
  body.setColorAt(0, QColor(46, 56, 92));
  body.setColorAt(1, kDeep);
  p.setBrush(body);
  p.drawEllipse(centre, radius, radius);

  p.setBrush(Qt::NoBrush);
  for (double r = radius * 0.42; r < radius * 0.95; r += radius * 0.055) {
    p.setPen(QPen(withAlpha(kCream, 22), std::max(1.0, radius * 0.012)));
    p.drawEllipse(centre, r, r);
  }
  p.setPen(Qt::NoPen);

  QConicalGradient sheen(centre, 60);
  sheen.setColorAt(0.00, withAlpha(kCream, 0));
  sheen.setColorAt(0.08, withAlpha(kCream, 60));
  sheen.setColorAt(0.16, withAlpha(kCream, 0));
  sheen.setColorAt(0.50, withAlpha(kCream, 0));
  sheen.setColorAt(0.58, withAlpha(kCream, 44));
  sheen.setColorAt(0.66, withAlpha(kCream, 0));
  sheen.setColorAt(1.00, withAlpha(kCream, 0));
  p.setBrush(sheen);
  p.drawEllipse(centre, radius, radius);

  QLinearGradient label(centre - QPointF(radius * 0.36, radius * 0.36), centre + QPointF(radius * 0.36, radius * 0.36));
  label.setColorAt(0, kOrange);
  label.setColorAt(1, kCoral);
  p.setBrush(label);
  p.drawEllipse(centre, radius * 0.36, radius * 0.36);
  p.setBrush(withAlpha(kCream, 200));
  p.drawEllipse(centre, radius * 0.12, radius * 0.12);
  p.setBrush(hole);
  p.drawEllipse(centre, radius * 0.07, radius * 0.07);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(withAlpha(kOrange, 170), std::max(1.5, radius * 0.025)));
  p.drawEllipse(centre, radius * 1.06, radius * 1.06);
  p.setPen(Qt::NoPen);
}

// ---- Album pictures ------------------------------------------------------------

// What every album picture carries: its number in the upper left corner
// and its name on a band along the foot, under a thin warm line.
void albumFrame(QPainter& p, std::string_view number, std::string_view name, double capHeight) {
  constexpr double size = 200, band = 44;
  p.setBrush(withAlpha(kDeep, 190));
  p.drawRect(QRectF(0, size - band, size, band));
  p.setBrush(kOrange);
  p.drawRect(QRectF(0, size - band - 2, size, 2));
  const LetteringStyle nameStyle{capHeight, capHeight * 0.16, 2.6};
  letters(p, centredLettering(name, size / 2, size - band / 2 - capHeight / 2, nameStyle), kCream,
          QColor(236, 218, 190), 0);

  p.setBrush(withAlpha(kDeep, 150));
  p.drawEllipse(QPointF(24, 24), 15, 15);
  const LetteringStyle numberStyle{11, 2, 2.2};
  letters(p, centredLettering(number, 24, 24 - 5.5, numberStyle), kOrange, kOrange, 0);
}

// Two rings tied into each other, on deep teal.
QImage tiesPicture() {
  return drawn(200, 200, QColor(18, 84, 96), [](QPainter& p) {
    for (int i = -200; i < 200; i += 28) {
      p.setBrush(QColor(22, 96, 108));
      QPainterPath stripe;
      stripe.moveTo(i, 0);
      stripe.lineTo(i + 14, 0);
      stripe.lineTo(i + 214, 200);
      stripe.lineTo(i + 200, 200);
      stripe.closeSubpath();
      p.drawPath(stripe);
    }
    const QPointF left(78, 84), right(122, 84);
    const double r = 40, w = 13;
    const auto ring = [&](QPointF c, const QColor& colour) {
      p.setPen(QPen(kDeep, w + 5));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, r, r);
      p.setPen(QPen(colour, w));
      p.drawEllipse(c, r, r);
      p.setPen(Qt::NoPen);
    };
    ring(left, kOrange);
    ring(right, kCream);
    // The left ring passes over the right one at the top crossing.
    p.save();
    p.setClipRect(QRectF(85, 20, 30, 40));
    ring(left, kOrange);
    p.restore();
    albumFrame(p, "01", "TIES", 16);
  });
}

// A ship sailing off under a low sun.
QImage merchantPicture() {
  return drawn(200, 200, kBackdrop, [](QPainter& p) {
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, kViolet.darker(150));
    sky.setColorAt(0.55, kCoral);
    sky.setColorAt(1, kOrange);
    p.setBrush(sky);
    p.drawRect(QRectF(0, 0, 200, 120));
    p.setBrush(QColor(255, 214, 140));
    p.drawEllipse(QPointF(132, 104), 30, 30);

    QLinearGradient sea(0, 116, 0, 200);
    sea.setColorAt(0, QColor(60, 52, 110));
    sea.setColorAt(1, kDeep);
    p.setBrush(sea);
    p.drawRect(QRectF(0, 116, 200, 84));
    for (int row = 0; row < 5; ++row) {
      const double y = 124 + row * 7;
      p.setBrush(withAlpha(QColor(255, 200, 140), 120 - row * 20));
      p.drawRoundedRect(QRectF(112 - row * 6, y, 40 + row * 12, 2), 1, 1);
    }

    // The ship: a hull, two masts and their sails, all in shadow.
    p.setBrush(kDeep);
    QPainterPath hull;
    hull.moveTo(44, 112);
    hull.lineTo(108, 112);
    hull.lineTo(98, 124);
    hull.lineTo(54, 124);
    hull.closeSubpath();
    p.drawPath(hull);
    p.drawRect(QRectF(66, 50, 2.5, 62));
    p.drawRect(QRectF(86, 60, 2.5, 52));
    for (const QPointF& mast : {QPointF(67, 54), QPointF(87, 64)}) {
      QPainterPath sail;
      sail.moveTo(mast + QPointF(-16, 4));
      sail.quadTo(mast + QPointF(-8, 22), mast + QPointF(-15, 44));
      sail.lineTo(mast + QPointF(15, 44));
      sail.quadTo(mast + QPointF(22, 22), mast + QPointF(16, 4));
      sail.closeSubpath();
      p.drawPath(sail);
    }
    albumFrame(p, "02", "NO MORE MERCHANT", 10.5);
  });
}

// Rings spreading where a drop fell, on violet.
QImage letItPicture() {
  return drawn(200, 200, QColor(70, 52, 132), [](QPainter& p) {
    const QPointF centre(100, 104);
    for (int i = 5; i >= 0; --i) {
      const double rx = 22 + i * 15, ry = rx * 0.42;
      p.setBrush(i % 2 ? QColor(82, 62, 150) : QColor(96, 74, 170));
      p.drawEllipse(centre, rx, ry);
    }
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
      p.setPen(QPen(i == 0 ? kTeal : kCream, 2.5));
      const double rx = 16 + i * 22;
      p.drawEllipse(centre, rx, rx * 0.42);
    }
    p.setPen(Qt::NoPen);
    // The falling drop.
    QPainterPath drop;
    drop.moveTo(100, 22);
    drop.cubicTo(112, 44, 114, 52, 114, 58);
    drop.arcTo(QRectF(86, 44, 28, 28), 0, -180);
    drop.cubicTo(86, 52, 88, 44, 100, 22);
    p.setBrush(kTeal);
    p.drawPath(drop);
    p.setBrush(withAlpha(kCream, 170));
    p.drawEllipse(QPointF(94, 57), 3, 5);
    albumFrame(p, "03", "LET IT", 16);
  });
}

// A pin standing on a warm map.
QImage herePicture() {
  return drawn(200, 200, kCoral, [](QPainter& p) {
    QRadialGradient ground(QPointF(100, 118), 150);
    ground.setColorAt(0, QColor(255, 196, 120));
    ground.setColorAt(0.6, kCoral);
    ground.setColorAt(1, QColor(150, 64, 92));
    p.setBrush(ground);
    p.drawRect(QRectF(0, 0, 200, 200));
    p.setPen(QPen(withAlpha(kCream, 60), 1.2));
    for (int i = 0; i <= 200; i += 25) {
      p.drawLine(QPointF(i, 0), QPointF(i, 200));
      p.drawLine(QPointF(0, i), QPointF(200, i));
    }
    p.setPen(QPen(withAlpha(kDeep, 90), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath road;
    road.moveTo(-10, 150);
    road.cubicTo(50, 120, 60, 160, 110, 128);
    road.cubicTo(150, 102, 170, 120, 210, 86);
    p.drawPath(road);
    p.setPen(Qt::NoPen);

    const QPointF foot(100, 128);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
      p.setPen(QPen(withAlpha(kDeep, 120 - i * 35), 2));
      p.drawEllipse(foot, 14.0 * i, 5.0 * i);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kDeep, 110));
    p.drawEllipse(foot, 9, 3.5);
    QPainterPath pin;
    pin.moveTo(foot);
    pin.cubicTo(foot + QPointF(-8, -20), foot + QPointF(-28, -40), foot + QPointF(-28, -62));
    pin.arcTo(QRectF(foot.x() - 28, foot.y() - 90, 56, 56), 180, -180);
    pin.cubicTo(foot + QPointF(28, -40), foot + QPointF(8, -20), foot);
    QLinearGradient pinFill(foot + QPointF(-28, -90), foot + QPointF(28, 0));
    pinFill.setColorAt(0, kTeal.lighter(120));
    pinFill.setColorAt(1, QColor(30, 120, 130));
    p.setBrush(pinFill);
    p.drawPath(pin);
    p.setBrush(kCream);
    p.drawEllipse(foot + QPointF(0, -62), 11, 11);
    albumFrame(p, "04", "HERE", 16);
  });
}

}  // namespace

QImage titlePicture() {
  return drawn(440, 220, kBackdrop, [](QPainter& p) {
    glow(p, QPointF(220, 100), 214, 90, QColor(52, 68, 122), kBackdrop);
    disc(p, QPointF(96, 102), 58, kBackdrop);

    const LetteringStyle demo{46, 8, 2.6};
    const double textX = 184;
    const QPainterPath word = lettering("DEMO", QPointF(textX, 52), demo);
    letters(p, word, QColor(255, 226, 170), kOrange, 3);
    const double demoWidth = letteringWidth("DEMO", demo);
    // "COLLECTION" spaced out to the width of "DEMO".
    LetteringStyle collection{17, 3, 2.4};
    const double plain = letteringWidth("COLLECTION", collection);
    collection.spacing += (demoWidth - plain) / (collection.capHeight / 10) / 9;
    letters(p, lettering("COLLECTION", QPointF(textX, 118), collection), kCream, QColor(200, 226, 226), 2);
    p.setBrush(kTeal);
    p.drawRoundedRect(QRectF(textX, 148, demoWidth, 3), 1.5, 1.5);
  });
}

QImage bottomPicture() {
  return drawn(440, 80, kBackdrop, [](QPainter& p) {
    glow(p, QPointF(220, 50), 200, 28, QColor(40, 54, 100), kBackdrop);
    const LetteringStyle style{11, 1.9, 2.9};
    const std::string_view words = "SONGS * LYRICS * PICTURES";
    const double width = letteringWidth(words, style);
    letters(p, centredLettering(words, 220, 44, style), kCream, QColor(206, 226, 226), 1.5);
    for (const double side : {-1.0, 1.0}) {
      const double inner = 220 + side * (width / 2 + 14);
      QLinearGradient line(QPointF(inner, 0), QPointF(inner + side * 70, 0));
      line.setColorAt(0, kOrange);
      line.setColorAt(1, withAlpha(kOrange, 0));
      p.setBrush(line);
      p.drawRect(QRectF(std::min(inner, inner + side * 70), 48.5, 70, 2));
    }
  });
}

QImage introPicture() {
  return drawn(420, 300, kDeep, [](QPainter& p) {
    QLinearGradient back(0, 0, 0, 300);
    back.setColorAt(0, QColor(40, 48, 100));
    back.setColorAt(1, kDeep);
    p.setBrush(back);
    p.drawRect(QRectF(0, 0, 420, 300));
    glow(p, QPointF(210, 112), 190, 120, QColor(74, 70, 150), withAlpha(kBackdrop, 0));
    disc(p, QPointF(210, 112), 74, kDeep);

    const LetteringStyle title{22, 4, 2.8};
    letters(p, centredLettering("DEMO COLLECTION", 210, 214, title), QColor(255, 226, 170), kOrange, 2);
    const LetteringStyle made{9, 1.6, 2.6};
    letters(p, centredLettering("MADE WITH QUENDREL", 210, 256, made), kTeal, kTeal, 0);
    p.setBrush(kOrange);
    p.drawRect(QRectF(0, 296, 420, 4));
  });
}

QImage albumPicture(int album) {
  switch (album) {
    case 1: return tiesPicture();
    case 2: return merchantPicture();
    case 3: return letItPicture();
    case 4: return herePicture();
    default: throw std::invalid_argument("the sample has albums 1 to 4");
  }
}

}  // namespace sample_data
