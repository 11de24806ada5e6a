#pragma once
// The screen's size in twips, which the player lays its windows out from.
// Tests fix it so that layouts do not depend on the machine.

#include <QRectF>

namespace controls {

struct Screen {
  static double Width();
  static double Height();
  // The part of the screen that windows may take (the screen without the
  // desktop's panels and docks), in twips.
  static QRectF AvailableArea();
  static constexpr int TwipsPerPixelX = 15;
  static constexpr int TwipsPerPixelY = 15;
  // Fixes the size (twips) until reset(); all of it is available to windows
  // unless setAvailableArea says otherwise.
  static void setSize(double width, double height);
  static void setAvailableArea(const QRectF& area);
  static void reset();
};

}  // namespace controls
