#pragma once
// What loading a picture takes in memory, read from its file's header
// before any pixel is decoded: what its decoder holds beside the image
// (a progressive JPEG's coefficients, a GIF's saved frame), every image
// made on the way (the decoder's own, at full size for every format but
// JPEG; a 32-bit copy where its pixels are converted; the scaled one), and
// what the picture is kept at afterwards.

#include <QByteArray>
#include <QIODevice>
#include <QSize>
#include <QString>

namespace controls {

// How a picture file decodes, as its header tells.
struct PictureHeader {
  QByteArray format;  // as Qt names it ("jpeg", "gif", "bmp", ...); empty when Qt reads none
  QSize own;          // the picture's own size; empty when the header tells none
  // The image the decoder makes: its bytes a pixel, whether it is copied
  // into 32-bit pixels before it is drawn, and whether it is copied so
  // before it is scaled down.
  int bytesPerPixel = 4;
  bool copiedToDraw = true;
  bool copiedToScale = true;
  // A JPEG decoder decodes straight at eighths of the picture.
  bool decodesInEighths = false;
  // What the decoder holds beside its image, at the picture's own size
  // whatever size it decodes at.
  qint64 workBytes = 0;

  bool sizeKnown() const { return own.width() > 0 && own.height() > 0; }
};

// The header of the picture in `path`, or in `device` (open for reading,
// and able to seek); a file that cannot be read tells no format.
PictureHeader readPictureHeader(const QString& path);
PictureHeader readPictureHeader(QIODevice& device);

struct PictureCost {
  QSize decoded;      // the size the picture is kept at
  QSize first;        // the size its decoder makes, before any scaling
  qint64 peak = 0;    // the most it takes at once while it loads
  qint64 held = 0;    // what it takes once loaded
};

// The cost of loading the picture of `header` for controls of at most
// `shown` pixels (empty: whole). A picture bigger than `shown` is kept at
// the least size of its own proportions that covers `shown`. Sums and
// products saturate: a claim too big to count costs more than any budget.
// Only for a header whose size is known.
PictureCost decodingCost(const PictureHeader& header, QSize shown);

// What holding a picture whole in a window of its own size takes: the
// window's drawing surface is as big as the picture.
PictureCost inItsOwnWindow(PictureCost cost);

// `shownAt` (twips) in the pixels of the screen: on a screen of several
// device pixels a pixel the control draws that many more.
QSize shownPixels(double widthTwips, double heightTwips);

}  // namespace controls
