#pragma once
// The bytes of picture files of one colour for the tests of big pictures,
// small on disk and quick to make whatever their number of pixels, and how
// such a picture is kept for a control.

#include <QByteArray>
#include <QColor>
#include <QSize>

#include "element.h"
#include "picture.h"

namespace controls {

// A JPEG file, written by Qt (kept for the next call of the same picture:
// a big one takes a moment to write).
QByteArray jpegFile(QSize size, QColor colour);
// A GIF file whose logical screen of `size` is filled with its background
// colour around one pixel of its own (Qt writes no GIF).
QByteArray gifFile(QSize size, QColor colour);
// An 8-bit BMP file, run-length coded.
QByteArray bmpFile(QSize size, QColor colour);
// `file`, a JPEG, GIF or BMP file of the functions above, with a header
// that claims `size` over its own pixels.
QByteArray withClaimedSize(QByteArray file, QSize size);

// Whether `picture` is kept at the size `control` shows it: the least size
// of its proportions that covers the control's pixels.
bool keptAsShownIn(const Picture& picture, const Element& control);

}  // namespace controls
