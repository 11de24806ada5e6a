#include "artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <functional>

namespace artwork {
namespace {

// One palette for the whole frame: deep blue surfaces, an amber accent.
const QColor kNavyDeep(0x18, 0x22, 0x3A);
const QColor kNavy(0x22, 0x31, 0x50);
const QColor kNavyLight(0x33, 0x48, 0x72);
const QColor kLine(0x4A, 0x62, 0x94);
const QColor kAmber(0xF2, 0xA9, 0x3B);
const QColor kAmberDeep(0xC9, 0x7E, 0x22);
const QColor kInk(0x1B, 0x26, 0x3F);
const QColor kPale(0xE8, 0xEE, 0xF8);
// Keys are opaque: the pressed look painted beneath must not show through.
const QColor kKeyFace(0x3B, 0x50, 0x7C);
const QColor kKeyEdge(0x6F, 0x86, 0xB4);
const QColor kRed(0xC8, 0x46, 0x3D);
const QColor kRedDeep(0x96, 0x2E, 0x28);
const QColor kGreen(0x2E, 0x9E, 0x58);

QPixmap canvas(int width, int height, const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  draw(painter);
  return pixmap;
}

QFont font(double points, bool bold) {
  QFont f("DejaVu Sans");
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

// A rounded key, raised on a shadow while at rest, sunk into it (one pixel
// down and right, amber) while pressed.
void drawKey(QPainter& p, const QRectF& r, double radius, bool pressed) {
  p.setPen(Qt::NoPen);
  p.setBrush(kNavyDeep);
  if (!pressed) p.drawRoundedRect(r.translated(1, 1), radius, radius);
  p.setPen(QPen(pressed ? kAmberDeep : kKeyEdge, 1));
  p.setBrush(pressed ? kAmber : kKeyFace);
  p.drawRoundedRect(pressed ? r.translated(1, 1) : r, radius, radius);
}

void drawExitMark(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kKeyEdge, 1));
  p.setBrush(kKeyFace);
  p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
  p.setPen(kPale);
  p.setFont(font(6.5, true));
  p.drawText(r, Qt::AlignCenter, QStringLiteral("exit  \u2715"));
}

// Badges in the lower right corner of an icon: a disc of `colour` around
// `c`, and the pen for the white sign on it.
void drawBadgeDisc(QPainter& p, QPointF c, const QColor& colour, double signWidth) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(c, 4.5, 4.5);
  p.setPen(QPen(Qt::white, signWidth, Qt::SolidLine, Qt::RoundCap));
}

void drawPlus(QPainter& p, QPointF c) {
  drawBadgeDisc(p, c, kGreen, 1.6);
  p.drawLine(QPointF(c.x() - 2.4, c.y()), QPointF(c.x() + 2.4, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - 2.4), QPointF(c.x(), c.y() + 2.4));
}

void drawMinus(QPainter& p, QPointF c) {
  drawBadgeDisc(p, c, kRed, 1.6);
  p.drawLine(QPointF(c.x() - 2.4, c.y()), QPointF(c.x() + 2.4, c.y()));
}

void drawCross(QPainter& p, QPointF c) {
  drawBadgeDisc(p, c, kRed, 1.5);
  p.drawLine(QPointF(c.x() - 2, c.y() - 2), QPointF(c.x() + 2, c.y() + 2));
  p.drawLine(QPointF(c.x() - 2, c.y() + 2), QPointF(c.x() + 2, c.y() - 2));
}

void drawPencil(QPainter& p, QPointF tip) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kAmber);
  p.drawPolygon(QPolygonF{tip, tip + QPointF(2, -5), tip + QPointF(8, -11), tip + QPointF(11, -8), tip + QPointF(5, -2)});
}

void drawFolder(QPainter& p) {
  p.setPen(QPen(kAmberDeep, 1));
  p.setBrush(kAmber);
  p.drawPolygon(QPolygonF{{1.5, 4.5}, {6, 4.5}, {7.5, 6}, {14.5, 6}, {14.5, 13.5}, {1.5, 13.5}});
}

void drawNote(QPainter& p) {
  p.setPen(QPen(kNavyLight, 1.6));
  p.drawLine(QPointF(6.5, 12.5), QPointF(6.5, 2.5));
  p.drawLine(QPointF(6.5, 2.5), QPointF(12, 4.5));
  p.setPen(Qt::NoPen);
  p.setBrush(kNavyLight);
  p.drawEllipse(QPointF(4.5, 12.5), 2.6, 2);
}

void drawArrow(QPainter& p, bool up) {
  p.setPen(Qt::NoPen);
  p.setBrush(kNavyLight);
  const double tipY = up ? 2 : 15, baseY = up ? 9 : 8, tailY = up ? 15 : 2;
  p.drawPolygon(QPolygonF{{8.5, tipY}, {15, baseY}, {11, baseY}, {11, tailY}, {6, tailY}, {6, baseY}, {2, baseY}});
}

void drawLandscape(QPainter& p) {
  p.setPen(QPen(kNavyLight, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 2.5, 14, 12));
  p.setPen(Qt::NoPen);
  p.setBrush(kAmber);
  p.drawEllipse(QPointF(11.5, 6), 1.8, 1.8);
  p.setBrush(kGreen);
  p.drawPolygon(QPolygonF{{2, 14}, {6.5, 8}, {9.5, 11.5}, {11.5, 9.5}, {15, 14}});
}

void drawPage(QPainter& p) {
  p.setPen(QPen(kNavyLight, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3.5, 1.5, 10, 14));
  p.setPen(QPen(kNavyLight, 1));
  for (double y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
}

}  // namespace

QPixmap minimiseButton(bool pressed) {
  return canvas(50, 50, [pressed](QPainter& p) {
    const double shift = pressed ? 1 : 0;
    drawKey(p, QRectF(8.5, 8.5, 32, 32), 8, pressed);
    p.setPen(QPen(pressed ? kInk : kPale, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17 + shift, 31 + shift), QPointF(32 + shift, 31 + shift));
  });
}

QPixmap nextTabButton(bool pressed) {
  return canvas(110, 60, [pressed](QPainter& p) {
    drawExitMark(p, QRectF(64.5, 2.5, 42, 15));
    const double shift = pressed ? 1 : 0;
    const QRectF body(4.5 + shift, 22.5 + shift, 100, 32);
    if (!pressed) {
      p.setPen(Qt::NoPen);
      p.setBrush(kNavyDeep);
      p.drawRoundedRect(body.translated(1, 1), 9, 9);
    }
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, pressed ? kAmberDeep : kAmber.lighter(112));
    fill.setColorAt(1, pressed ? kAmberDeep.darker(110) : kAmberDeep);
    p.setPen(QPen(kAmberDeep.darker(120), 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, 9, 9);
    p.setPen(kInk);
    p.setFont(font(9, true));
    p.drawText(body.adjusted(0, 0, -16, 0), Qt::AlignCenter, QStringLiteral("Next tab"));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    const QPointF c(body.right() - 15, body.center().y());
    p.drawPolygon(QPolygonF{c + QPointF(-3, -6), c + QPointF(4, 0), c + QPointF(-3, 6)});
  });
}

QPixmap closeButton(bool pressed) {
  // Only the left 18 pixels of this button lie inside the window.
  return canvas(45, 70, [pressed](QPainter& p) {
    const QRectF strip = QRectF(2.5, 28.5, 14, 36).translated(pressed ? 1 : 0, pressed ? 1 : 0);
    if (!pressed) {
      p.setPen(Qt::NoPen);
      p.setBrush(kNavyDeep);
      p.drawRoundedRect(strip.translated(1, 1), 5, 5);
    }
    p.setPen(QPen(kRedDeep, 1));
    p.setBrush(pressed ? kRedDeep : kRed);
    p.drawRoundedRect(strip, 5, 5);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = strip.center();
    p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
    p.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
  });
}

QPixmap helpButton(bool pressed) {
  return canvas(45, 45, [pressed](QPainter& p) {
    const QPointF c = QPointF(22.5, 24.5) + (pressed ? QPointF(1, 1) : QPointF());
    if (!pressed) {
      p.setPen(Qt::NoPen);
      p.setBrush(kNavy.darker(130));
      p.drawEllipse(c + QPointF(1, 1), 15, 15);
    }
    p.setPen(QPen(pressed ? kAmberDeep : kKeyEdge, 1));
    p.setBrush(pressed ? kAmber : kKeyFace);
    p.drawEllipse(c, 15, 15);
    p.setPen(pressed ? kInk : kPale);
    p.setFont(font(12, true));
    p.drawText(QRectF(c.x() - 15, c.y() - 15, 30, 30), Qt::AlignCenter, QStringLiteral("?"));
  });
}

QPixmap panelGrip() {
  return canvas(17, 35, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7A, 0x8A, 0xA8));
    for (int row = 0; row < 6; ++row)
      for (int col = 0; col < 2; ++col) p.drawEllipse(QPointF(5.5 + col * 6, 5.5 + row * 5), 1.3, 1.3);
  });
}

QPixmap windowBackdrop(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(kNavy);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient body(0, 0, 0, size.height());
  body.setColorAt(0, kNavyLight);
  body.setColorAt(1, kNavyDeep);
  p.fillRect(QRect(QPoint(0, 0), size), body);

  QLinearGradient bar(0, 0, 0, kTopBarHeight);
  bar.setColorAt(0, kNavyDeep);
  bar.setColorAt(1, kNavy);
  p.fillRect(QRect(0, 0, size.width(), kTopBarHeight), bar);
  p.fillRect(QRect(0, kTopBarHeight, size.width(), 2), kAmber);

  p.fillRect(QRect(0, kBottomStripY, size.width(), size.height() - kBottomStripY), kNavyDeep);
  p.fillRect(QRect(0, kBottomStripY, size.width(), 1), kLine);

  p.setPen(QColor(0x9F, 0xB4, 0xDA));
  p.setFont(font(7.5, true));
  p.drawText(QPointF(62, 17), QStringLiteral("QUENDREL"));

  // The pressed looks, revealed when a picture button hides itself.
  p.drawPixmap(kMinimiseX, kMinimiseY, minimiseButton(true));
  p.drawPixmap(kNextTabX, kNextTabY, nextTabButton(true));
  p.drawPixmap(kCloseX, kCloseY, closeButton(true));
  p.drawPixmap(kHelpX, kHelpY, helpButton(true));
  return pixmap;
}

QPixmap buttonIcon(Glyph glyph) {
  // Each icon is a subject with an optional badge in its lower right corner.
  using Draw = void (*)(QPainter&);
  const Draw none = [](QPainter&) {};
  const Draw plus = [](QPainter& p) { drawPlus(p, {12, 12}); };
  const Draw minus = [](QPainter& p) { drawMinus(p, {12, 12}); };
  const Draw cross = [](QPainter& p) { drawCross(p, {12, 12}); };
  const Draw pencil = [](QPainter& p) { drawPencil(p, {5, 16}); };
  const Draw up = [](QPainter& p) { drawArrow(p, true); };
  const Draw down = [](QPainter& p) { drawArrow(p, false); };
  Draw subject = up, badge = none;
  switch (glyph) {
    case Glyph::MoveUp: break;
    case Glyph::MoveDown: subject = down; break;
    case Glyph::AddAlbum: subject = drawFolder, badge = plus; break;
    case Glyph::RemoveAlbum: subject = drawFolder, badge = minus; break;
    case Glyph::RenameAlbum: subject = drawFolder, badge = pencil; break;
    case Glyph::AlbumPicture: subject = drawLandscape; break;
    case Glyph::AddSong: subject = drawNote, badge = plus; break;
    case Glyph::DeleteSong: subject = drawNote, badge = cross; break;
    case Glyph::RenameSong: subject = drawNote, badge = pencil; break;
    case Glyph::Lyrics: subject = drawPage; break;
  }
  return canvas(17, 17, [subject, badge](QPainter& p) {
    subject(p);
    badge(p);
  });
}

}  // namespace artwork
