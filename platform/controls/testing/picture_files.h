#pragma once
// The bytes of picture files of one colour for the tests of big pictures,
// small on disk and quick to make whatever their number of pixels, and how
// such a picture is kept for a control.

#include <QByteArray>
#include <QColor>
#include <QSize>

#include "element.h"
#include "picture.h"
#include "picture_budget.h"

namespace controls {

// A JPEG file, written by Qt (kept for the next call of the same picture:
// a big one takes a moment to write).
QByteArray jpegFile(QSize size, QColor colour);
// The same written in progressive scans.
QByteArray progressiveJpegFile(QSize size, QColor colour);
// `jpeg` (of jpegFile) with a first scan that holds only its first
// component, as in a file whose components come one scan each; the data
// after it are left as they were, so it is a header more than a picture.
QByteArray withFirstScanOfOneComponent(QByteArray jpeg);
// A GIF file whose logical screen of `size` is filled with its background
// colour around one pixel of its own (Qt writes no GIF).
QByteArray gifFile(QSize size, QColor colour);
// The same with a transparent colour around its one pixel: Qt decodes it
// with alpha.
QByteArray transparentGifFile(QSize size, QColor colour);
// An 8-bit BMP file, run-length coded.
QByteArray bmpFile(QSize size, QColor colour);
// A 24-bit BMP file.
QByteArray trueColourBmpFile(QSize size, QColor colour);
// `file`, a JPEG, GIF or BMP file of the functions above, with a header
// that claims `size` over its own pixels.
QByteArray withClaimedSize(QByteArray file, QSize size);

// The picture budget is `bytes` while this lives, so that a few small
// pictures fill it.
class ScopedPictureBudget {
 public:
  explicit ScopedPictureBudget(qint64 bytes) { setPictureBudget(bytes); }
  ScopedPictureBudget(const ScopedPictureBudget&) = delete;
  ScopedPictureBudget& operator=(const ScopedPictureBudget&) = delete;
  ~ScopedPictureBudget() { setPictureBudget(kPictureBudget); }
};

// The most memory this process has had resident so far, in bytes.
qint64 peakResidentBytes();

// Whether `picture` is kept at the size `control` shows it: the least size
// of its proportions that covers the control's pixels.
bool keptAsShownIn(const Picture& picture, const Element& control);

}  // namespace controls
