#pragma once
// The open project's pictures as the disc player will load them, so that a
// picture the player would leave out is refused when it is chosen: the
// icon of the project folder, the intro, title and bottom pictures packed
// in dop.qd, and the cover in each album's folder of the mirror, which the
// compile packs.

#include <optional>
#include <string>

#include "disc_pictures.h"

class Form5;

// The name of the album's cover in its mirror folder `folder`: intro.jpg,
// intro.jpeg, intro.gif or intro.bmp, in any case, the first found. None
// when it has none.
std::optional<std::string> albumCoverIn(const std::string& folder);

// The headers of the open project's pictures by place (disc_pictures.h).
controls::DiscPictures playerPictures(const Form5& form);

// Throws store::StoreError "Out of memory" when the player would leave out
// the picture in `file`, chosen for `place`, or another picture for it
// (controls::checkThePlayerHolds), and "File not found" when there is no
// such file.
void checkThePlayerHolds(const Form5& form, int place, const std::string& file);
