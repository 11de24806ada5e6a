#include "picture_cost.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "picture_budget.h"
#include "twips.h"

namespace controls {
namespace {

// Every image that is drawn has four bytes a pixel.
constexpr int kDrawnBytesPerPixel = 4;
// A JPEG decoder that holds the whole picture keeps 64 coefficients of two
// bytes for every block of 8 x 8 samples of every component.
constexpr qint64 kCoefficientBlockBytes = 64 * 2;
// A header that takes more steps than this to read is not believed: what it
// has told so far is taken at its worst.
constexpr int kMostHeaderSteps = 1 << 16;

QByteArray readAt(QIODevice& file, qint64 at, qint64 count) {
  if (!file.seek(at)) return {};
  return file.read(count);
}

int byteAt(const QByteArray& bytes, int at) { return at < bytes.size() ? int(uchar(bytes[at])) : 0; }
int littleWord(const QByteArray& bytes, int at) { return byteAt(bytes, at) | byteAt(bytes, at + 1) << 8; }
int bigWord(const QByteArray& bytes, int at) { return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1); }
qint32 littleLong(const QByteArray& bytes, int at) {
  return qint32(quint32(littleWord(bytes, at)) | quint32(littleWord(bytes, at + 2)) << 16);
}

qint64 pixelBytes(QSize size, int bytesPerPixel) {
  return saturatingProduct(saturatingProduct(std::max(size.width(), 0), std::max(size.height(), 0)), bytesPerPixel);
}

qint64 ceilDiv(qint64 a, qint64 b) { return (a + b - 1) / b; }

// What the frame and the first scan of a JPEG tell: the picture's size,
// whether its decoder holds the coefficients of the whole picture (a
// progressive picture, or one whose first scan leaves components for
// later), and how many they are.
void readJpegHeader(QIODevice& file, PictureHeader& header) {
  qint64 at = 2;  // past the start of image
  int components = 0;
  bool progressive = false;
  qint64 coefficientBytes = 0;
  // A file without a scan is never decoded; one whose header is too long
  // to read is taken at its worst.
  bool wholeBuffer = false;
  for (int step = 0;; ++step) {
    if (step == kMostHeaderSteps) {
      wholeBuffer = true;
      break;
    }
    const QByteArray marker = readAt(file, at, 4);
    if (marker.size() < 2 || byteAt(marker, 0) != 0xFF) break;
    const int code = byteAt(marker, 1);
    if (code == 0xFF) {  // a fill byte
      ++at;
      continue;
    }
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD8)) {  // markers without a segment
      at += 2;
      continue;
    }
    if (code == 0xD9 || marker.size() < 4) break;
    const int length = bigWord(marker, 2);
    if (length < 2) break;
    const bool frame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
    if (frame && components == 0) {
      const QByteArray body = readAt(file, at + 4, length - 2);
      const int height = bigWord(body, 1);
      const int width = bigWord(body, 3);
      components = byteAt(body, 5);
      progressive = code == 0xC2 || code == 0xC6 || code == 0xCA || code == 0xCE;
      header.own = {width, height};
      // Each component's sampling factors across and down (1 to 4, or the
      // decoder refuses the picture) after its identifier.
      const auto across = [&body](int c) { return std::clamp(byteAt(body, 7 + 3 * c) >> 4, 1, 4); };
      const auto down = [&body](int c) { return std::clamp(byteAt(body, 7 + 3 * c) & 0x0F, 1, 4); };
      int mostAcross = 1, mostDown = 1;
      for (int c = 0; c < components; ++c) {
        mostAcross = std::max(mostAcross, across(c));
        mostDown = std::max(mostDown, down(c));
      }
      for (int c = 0; c < components; ++c) {
        const qint64 blocksAcross =
            ceilDiv(ceilDiv(qint64(width) * across(c), qint64(mostAcross) * 8), across(c)) * across(c);
        const qint64 blocksDown = ceilDiv(ceilDiv(qint64(height) * down(c), qint64(mostDown) * 8), down(c)) * down(c);
        coefficientBytes += blocksAcross * blocksDown * kCoefficientBlockBytes;
      }
    }
    if (code == 0xDA) {
      const int scanComponents = byteAt(readAt(file, at + 4, 1), 0);
      wholeBuffer = progressive || scanComponents < components;
      break;
    }
    at += 2 + length;
  }
  header.workBytes = wholeBuffer ? coefficientBytes : 0;
  // One component decodes into grey bytes, the rest into 32-bit pixels.
  const bool oneComponent = components == 1;
  header.bytesPerPixel = oneComponent ? 1 : 4;
  header.copiedToDraw = oneComponent;
  header.copiedToScale = oneComponent;
  header.decodesInEighths = true;
}

// A GIF decodes into a 32-bit image of its whole logical screen, with alpha
// when its first frame has a transparent colour; a first frame that is to
// be restored afterwards is saved first, at its own size.
void readGifHeader(QIODevice& file, PictureHeader& header) {
  const QByteArray screen = readAt(file, 0, 13);
  header.own = {littleWord(screen, 6), littleWord(screen, 8)};
  header.bytesPerPixel = 4;
  header.copiedToDraw = false;
  // Until the first frame is found, the worst: transparent and saved.
  header.copiedToScale = true;
  header.workBytes = pixelBytes(header.own, 4);
  const int flags = byteAt(screen, 10);
  qint64 at = 13 + ((flags & 0x80) ? 3 * (2 << (flags & 7)) : 0);
  bool transparent = false;
  bool restored = false;
  for (int step = 0; step < kMostHeaderSteps; ++step) {
    const QByteArray block = readAt(file, at, 10);
    if (block.isEmpty()) return;
    if (byteAt(block, 0) == 0x2C) {
      const QSize frame(std::min(littleWord(block, 5), header.own.width()),
                        std::min(littleWord(block, 7), header.own.height()));
      header.copiedToScale = transparent;
      header.workBytes = restored ? pixelBytes(frame, 4) : 0;
      return;
    }
    if (byteAt(block, 0) != 0x21 || block.size() < 3) return;
    if (byteAt(block, 1) == 0xF9 && byteAt(block, 2) >= 4) {
      const int control = byteAt(block, 3);
      transparent = control & 1;
      restored = ((control >> 2) & 7) == 3;
    }
    // The extension's data blocks, each after its length, up to an empty one.
    at += 2;
    for (int length = -1; length != 0 && ++step < kMostHeaderSteps; at += 1 + length) {
      const QByteArray size = readAt(file, at, 1);
      if (size.isEmpty()) return;
      length = byteAt(size, 0);
    }
  }
}

// A BMP of up to 8 bits a pixel decodes into palette bytes, the deeper
// ones into 32-bit pixels, with alpha at 32 bits. The old OS/2 header of 12
// bytes holds 16-bit sizes; a negative height is a picture stored top row
// first.
void readBmpHeader(QIODevice& file, PictureHeader& header) {
  const QByteArray head = readAt(file, 0, 30);
  if (head.size() < 26) return;
  int bits = 0;
  if (littleLong(head, 14) == 12) {
    header.own = {littleWord(head, 18), littleWord(head, 20)};
    bits = littleWord(head, 24);
  } else {
    const qint64 height = std::abs(qint64(littleLong(head, 22)));
    header.own = {littleLong(head, 18), int(std::min<qint64>(height, INT_MAX))};
    bits = littleWord(head, 28);
  }
  if (bits >= 1 && bits <= 8) {
    header.bytesPerPixel = 1;
  } else if (bits == 16 || bits == 24 || bits == 32) {
    header.bytesPerPixel = 4;
    header.copiedToDraw = false;
    header.copiedToScale = bits == 32;
  }
}

// The size a picture of `own` pixels is kept at for controls of at most
// `shown` pixels: its own, or the least of its proportions that covers
// `shown`.
QSize decodedSize(QSize own, QSize shown) {
  if (shown.isEmpty()) return own;
  const double scale =
      std::max(double(shown.width()) / own.width(), double(shown.height()) / own.height());
  if (scale >= 1) return own;
  return {std::max(1, int(std::ceil(own.width() * scale))), std::max(1, int(std::ceil(own.height() * scale)))};
}

// A JPEG decoder decodes straight at the least number of eighths of the
// picture that covers `decoded`, and the rest of the way is scaled.
QSize firstDecodedSize(QSize own, QSize decoded) {
  if (decoded == own) return own;
  const double reduction = std::min(double(own.width()) / decoded.width(), double(own.height()) / decoded.height());
  const int eighths = std::clamp(int(std::ceil(8 / reduction)), 1, 8);
  return {int(ceilDiv(qint64(own.width()) * eighths, 8)), int(ceilDiv(qint64(own.height()) * eighths, 8))};
}

}  // namespace

PictureHeader readPictureHeader(QIODevice& device) {
  PictureHeader header;
  QImageReader reader(&device);
  reader.setDecideFormatFromContent(true);
  header.format = reader.format();
  if (header.format.isEmpty()) return header;
  const QSize reported = reader.size();
  if (header.format == "jpeg") readJpegHeader(device, header);
  else if (header.format == "gif") readGifHeader(device, header);
  else if (header.format == "bmp") readBmpHeader(device, header);
  else if (header.format == "ico") header.copiedToDraw = false;  // 32-bit pixels with alpha
  // Qt reports a GIF's first frame where its logical screen is much bigger,
  // and no size for a BMP of more than 16384 x 16384 pixels: the header's
  // size stands where it is the bigger one.
  header.own = reported.expandedTo(header.own);
  return header;
}

PictureHeader readPictureHeader(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return readPictureHeader(file);
}

PictureCost decodingCost(const PictureHeader& header, QSize shown) {
  PictureCost cost;
  cost.decoded = decodedSize(header.own, shown);
  cost.first = header.decodesInEighths ? firstDecodedSize(header.own, cost.decoded) : header.own;
  cost.peak = saturatingSum(header.workBytes, pixelBytes(cost.first, header.bytesPerPixel));
  if (cost.decoded != cost.first) {
    // A palette image is copied once more on its way to 32-bit pixels.
    if (header.copiedToScale) cost.peak = saturatingSum(cost.peak, pixelBytes(cost.first, kDrawnBytesPerPixel));
    if (header.copiedToScale && header.bytesPerPixel < kDrawnBytesPerPixel)
      cost.peak = saturatingSum(cost.peak, pixelBytes(cost.first, header.bytesPerPixel));
    cost.peak = saturatingSum(cost.peak, pixelBytes(cost.decoded, kDrawnBytesPerPixel));
  } else if (header.copiedToDraw) {
    cost.peak = saturatingSum(cost.peak, pixelBytes(cost.first, kDrawnBytesPerPixel));
  }
  cost.held = pixelBytes(cost.decoded, kDrawnBytesPerPixel);
  return cost;
}

PictureCost inItsOwnWindow(PictureCost cost) {
  cost.held = saturatingSum(cost.held, cost.held);
  cost.peak = std::max(cost.peak, cost.held);
  return cost;
}

QSize shownPixels(double widthTwips, double heightTwips) {
  const double ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  const QSize shown(int(std::ceil(twipsToPixels(widthTwips) * ratio)), int(std::ceil(twipsToPixels(heightTwips) * ratio)));
  return shown.isEmpty() ? QSize(1, 1) : shown;
}

}  // namespace controls
