#pragma once
// Positions and sizes are kept in twips, as the windows set them; only the
// widgets see whole pixels. 15 twips make one pixel at 96 dpi.

#include "runtime_rules.h"

namespace controls {

inline constexpr int kTwipsPerPixel = 15;

// The whole pixel nearest to `twips` (halves to even, like every other
// rounding of the programs).
inline int twipsToPixels(double twips) {
  return static_cast<int>(runtime::roundHalfEven(twips / kTwipsPerPixel));
}

inline double pixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

}  // namespace controls
