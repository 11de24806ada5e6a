#pragma once
// The pictures of the sample collection, drawn as one set: the colours of
// the collection's interface colour, the same disc emblem and the same
// lettering. The title and bottom pictures stand at their own size on the
// album browser's backdrop and fade into it at their edges; the intro
// picture is a window of its own; the album pictures are square, as the
// browser's boxes are.

#include <QImage>

namespace sample_data {

// The collection's interface colour, the browser's backdrop.
inline constexpr int kBackdropRed = 24, kBackdropGreen = 34, kBackdropBlue = 68;

QImage titlePicture();   // 440 × 220, its foot left plain for the bottom picture
QImage bottomPicture();  // 440 × 80
QImage introPicture();   // 420 × 300

// The picture of album 1 to 4 ("01 - Ties" ... "04 - Here"), 200 × 200.
QImage albumPicture(int album);

}  // namespace sample_data
