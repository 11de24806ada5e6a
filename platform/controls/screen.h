#pragma once
// The screen's size in twips, which the player lays its windows out from.
// Tests fix it so that layouts do not depend on the machine.

namespace controls {

struct Screen {
  static double Width();
  static double Height();
  static constexpr int TwipsPerPixelX = 15;
  static constexpr int TwipsPerPixelY = 15;
  // Fixes the size (twips) until reset().
  static void setSize(double width, double height);
  static void reset();
};

}  // namespace controls
