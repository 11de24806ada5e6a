#include "disc_pictures.h"

#include "picture_budget.h"
#include "store_error.h"

namespace controls {

std::vector<bool> leftOutByThePlayer(const DiscPictures& pictures, qint64 budget) {
  std::vector<bool> leftOut(pictures.size(), false);
  qint64 held = 0;
  // What the picture in `place` holds once loaded; 0 when it is left out.
  const auto load = [&](std::size_t place, QSize shown, bool ownWindow) -> qint64 {
    if (place >= pictures.size() || !pictures[place] || !pictures[place]->sizeKnown()) return 0;
    PictureCost cost = decodingCost(*pictures[place], shown);
    if (ownWindow) cost = inItsOwnWindow(cost);
    if (cost.peak > budget - held) {
      leftOut[place] = true;
      return 0;
    }
    held += cost.held;
    return cost.held;
  };
  load(kDiscIcon, shownPixels(kIconShownTwips, kIconShownTwips), false);
  const qint64 intro = load(kDiscIntro, {}, true);
  load(kDiscTitle, {}, false);
  load(kDiscBottom, {}, false);
  held -= intro;
  const QSize cover = shownPixels(kCoverShownTwips, kCoverShownTwips);
  for (std::size_t place = kFirstDiscCover; place < pictures.size(); ++place) load(place, cover, false);
  return leftOut;
}

void checkThePlayerHolds(DiscPictures pictures, int place, const PictureHeader& chosen) {
  if (place < 0) return;
  const auto at = static_cast<std::size_t>(place);
  if (pictures.size() <= at) pictures.resize(at + 1);
  const std::vector<bool> before = leftOutByThePlayer(pictures, pictureBudget());
  pictures[at] = chosen;
  const std::vector<bool> after = leftOutByThePlayer(pictures, pictureBudget());
  for (std::size_t i = 0; i < after.size(); ++i)
    if (after[i] && (i == at || !before[i])) throw store::StoreError("Out of memory");
}

}  // namespace controls
