#include "picture.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "store_error.h"
#include "twips.h"

namespace controls {
namespace {

// However much memory is free, no picture is held bigger than this decoded:
// 268 megapixels.
constexpr qint64 kMostDecodedBytes = qint64(1) << 30;
// Every format decodes into at most four bytes a pixel.
constexpr qint64 kBytesPerPixel = 4;
constexpr qint64 kMegabyte = qint64(1) << 20;

// The memory the system can give without swapping, as it reports it; none
// when it reports nothing.
std::optional<qint64> availableMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  qint64 kilobytes = 0;
  std::string unit;
  while (meminfo >> key >> kilobytes) {
    std::getline(meminfo, unit);
    if (key == "MemAvailable:") return kilobytes * 1024;
  }
  return std::nullopt;
}

qint64 decodingLimit() {
  const std::optional<qint64> available = availableMemory();
  return available ? std::min(kMostDecodedBytes, *available) : kMostDecodedBytes;
}

qint64 pixelBytes(QSize size) { return qint64(size.width()) * size.height() * kBytesPerPixel; }

// The size a picture of `own` pixels is decoded at for controls of at most
// `shown` pixels: its own, or the least of its proportions that covers
// `shown`.
QSize decodedSize(QSize own, QSize shown) {
  if (shown.isEmpty()) return own;
  const double scale =
      std::max(double(shown.width()) / own.width(), double(shown.height()) / own.height());
  if (scale >= 1) return own;
  return {std::max(1, int(std::ceil(own.width() * scale))), std::max(1, int(std::ceil(own.height() * scale)))};
}

// The largest image that decoding a picture of `own` pixels at `decoded`
// makes: a JPEG decoder decodes straight at the least number of eighths of
// the picture that covers `decoded`, and scales the rest of the way; the
// other formats decode at their own size first.
QSize firstDecodedSize(QSize own, QSize decoded, const QByteArray& format) {
  if (decoded == own || format != "jpeg") return own;
  const double reduction = std::min(double(own.width()) / decoded.width(), double(own.height()) / decoded.height());
  const int eighths = std::clamp(int(std::ceil(8 / reduction)), 1, 8);
  return {(own.width() * eighths + 7) / 8, (own.height() * eighths + 7) / 8};
}

// The size of the picture a GIF or BMP file holds as its header gives it,
// where Qt reports a smaller one or none: a GIF fills its logical screen,
// which Qt passes over for its first frame's size when the screen is much
// bigger, and Qt reads no BMP of more than 16384 x 16384 pixels.
QSize headerSize(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray head = file.read(26);
  const auto word = [&head](int at) { return int(uchar(head[at])) | int(uchar(head[at + 1])) << 8; };
  const auto longWord = [&](int at) { return qint32(quint32(word(at)) | quint32(word(at + 2)) << 16); };
  if (head.startsWith("GIF8") && head.size() >= 10) return {word(6), word(8)};
  if (!head.startsWith("BM") || head.size() < 26) return {};
  // The old OS/2 header of 12 bytes holds 16-bit sizes; a negative height
  // is a picture stored top row first.
  if (longWord(14) == 12) return {word(18), word(20)};
  const qint64 height = std::abs(qint64(longWord(22)));
  return {longWord(18), int(std::min<qint64>(height, INT_MAX))};
}

[[noreturn]] void outOfMemory() { throw store::StoreError("Out of memory"); }

Picture loadPicture(const QString& path, QSize shown) {
  if (path.isEmpty()) return {};
  const QFileInfo info(path);
  if (!info.exists()) throw store::StoreError("File not found");
  // Only a plain file: a device or a pipe under a picture's name would hang
  // or never end the read.
  if (!info.isFile()) throw store::StoreError("Path/File access error");
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  const qint64 limit = decodingLimit();
  // Qt's own bound on what its decoders allocate follows this one, so that
  // it refuses nothing let through here.
  QImageReader::setAllocationLimit(int(std::min<qint64>((limit + kMegabyte - 1) / kMegabyte, INT_MAX)));

  // The size the file's header gives, read before any pixel is.
  const QSize own = reader.size().expandedTo(headerSize(path));
  const bool sizeKnown = own.width() > 0 && own.height() > 0;
  QSize first;
  bool reduced = false;
  if (sizeKnown) {
    const QSize decoded = decodedSize(own, shown);
    first = firstDecodedSize(own, decoded, reader.format());
    const qint64 needed = pixelBytes(first) + (decoded == first ? 0 : pixelBytes(decoded));
    if (needed > limit) outOfMemory();
    reduced = decoded != own;
    if (reduced) reader.setScaledSize(decoded);
  }
  QImage image = reader.read();
  if (image.isNull()) {
    if (reader.error() == QImageReader::DeviceError) throw store::StoreError("Permission denied");
    // A picture whose header is whole failed for want of memory when the
    // image its decoder makes cannot be had.
    if (sizeKnown && QImage(first, QImage::Format_ARGB32).isNull()) outOfMemory();
    throw store::StoreError("Invalid picture");
  }
  // Whole, the picture is what the decoder made of it.
  const QSize size = reduced ? own : image.size();
  QPixmap pixmap = QPixmap::fromImage(std::move(image));
  if (pixmap.isNull()) outOfMemory();
  return Picture(std::move(pixmap), size);
}

}  // namespace

double Picture::Width() const { return pixelsToTwips(size_.width()); }
double Picture::Height() const { return pixelsToTwips(size_.height()); }

Picture LoadPicture(const QString& path) { return loadPicture(path, {}); }

Picture LoadPicture(const QString& path, QSizeF shownAt) {
  // On a screen of several device pixels a pixel the control draws that
  // many more.
  const double ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  const QSize shown(int(std::ceil(twipsToPixels(shownAt.width()) * ratio)),
                    int(std::ceil(twipsToPixels(shownAt.height()) * ratio)));
  return loadPicture(path, shown.isEmpty() ? QSize(1, 1) : shown);
}

}  // namespace controls
