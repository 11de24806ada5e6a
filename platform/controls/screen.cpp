#include "screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <optional>

#include "twips.h"

namespace controls {

namespace {
std::optional<double> fixedWidth, fixedHeight;

QSize screenPixels() {
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().size();
  return {800, 600};
}
}  // namespace

double Screen::Width() { return fixedWidth ? *fixedWidth : pixelsToTwips(screenPixels().width()); }
double Screen::Height() { return fixedHeight ? *fixedHeight : pixelsToTwips(screenPixels().height()); }

void Screen::setSize(double width, double height) {
  fixedWidth = width;
  fixedHeight = height;
}

void Screen::reset() {
  fixedWidth.reset();
  fixedHeight.reset();
}

}  // namespace controls
