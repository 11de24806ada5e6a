#include "screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <optional>

#include "twips.h"

namespace controls {

namespace {
std::optional<double> fixedWidth, fixedHeight;
std::optional<QRectF> fixedArea;

QSize screenPixels() {
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().size();
  return {800, 600};
}
}  // namespace

double Screen::Width() { return fixedWidth ? *fixedWidth : pixelsToTwips(screenPixels().width()); }
double Screen::Height() { return fixedHeight ? *fixedHeight : pixelsToTwips(screenPixels().height()); }

QRectF Screen::AvailableArea() {
  if (fixedArea) return *fixedArea;
  if (fixedWidth || fixedHeight) return {0, 0, Width(), Height()};
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {0, 0, Width(), Height()};
  const QRect area = s->availableGeometry();
  return {pixelsToTwips(area.x()), pixelsToTwips(area.y()), pixelsToTwips(area.width()),
          pixelsToTwips(area.height())};
}

void Screen::setSize(double width, double height) {
  fixedWidth = width;
  fixedHeight = height;
  fixedArea.reset();
}

void Screen::setAvailableArea(const QRectF& area) { fixedArea = area; }

void Screen::reset() {
  fixedWidth.reset();
  fixedHeight.reset();
  fixedArea.reset();
}

}  // namespace controls
