#pragma once
// How the disc player holds a collection's pictures, for the player to load
// them so and for the authoring program to check a choice against. The
// player loads the icon at the size of a window icon, then the intro, title
// and bottom pictures whole (the intro with the window of its own size that
// shows it), lets the intro go once its window has gone, and then loads the
// covers album by album at the size of its large picture of the selected
// album: all within the one picture budget, where a picture that does not
// fit is left out and the next one is tried.

#include <QSizeF>
#include <optional>
#include <vector>

#include "picture_cost.h"

namespace controls {

// The largest a window icon is drawn, in twips (256 pixels).
inline constexpr double kIconShownTwips = 256 * 15;
// The largest a cover is drawn: the browser's picture of the selected
// album, in twips.
inline constexpr double kCoverShownTwips = 3000;

// The places of a collection's pictures, in the order the player loads
// them; the covers follow, album by album.
enum DiscPicture { kDiscIcon, kDiscIntro, kDiscTitle, kDiscBottom, kFirstDiscCover };

// The headers of a collection's pictures by place; none where it has none.
using DiscPictures = std::vector<std::optional<PictureHeader>>;

// Which of `pictures` the player leaves out, by place, with `budget` for
// all of them.
std::vector<bool> leftOutByThePlayer(const DiscPictures& pictures, qint64 budget);

// Throws store::StoreError "Out of memory" when the player, with the
// picture budget in force, would leave out `chosen` in `place` of
// `pictures`, or would leave out for it another picture that it shows now.
void checkThePlayerHolds(DiscPictures pictures, int place, const PictureHeader& chosen);

}  // namespace controls
