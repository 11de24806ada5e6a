#pragma once
// How the disc player holds a collection's pictures: the sizes it draws
// them at, to which it keeps them.

namespace controls {

// The largest a window icon is drawn, in twips (256 pixels).
inline constexpr double kIconShownTwips = 256 * 15;
// The largest a cover is drawn: the browser's picture of the selected
// album, in twips.
inline constexpr double kCoverShownTwips = 3000;

}  // namespace controls
