#include "picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <climits>
#include <fstream>
#include <optional>
#include <string>

#include "picture_cost.h"
#include "store_error.h"
#include "twips.h"

namespace controls {
namespace {

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
    if (key == "MemAvailable:") return saturatingProduct(kilobytes, 1024);
  }
  return std::nullopt;
}

qint64 heldBytes(const QPixmap& pixmap) {
  return saturatingProduct(saturatingProduct(pixmap.width(), pixmap.height()), std::max(pixmap.depth(), 8) / 8);
}

[[noreturn]] void outOfMemory() { throw store::StoreError("Out of memory"); }

// Of the picture in `path` for controls of at most `shown` pixels (empty:
// whole), or for a window of its own size.
Picture loadPicture(const QString& path, QSize shown, bool ownWindow) {
  if (path.isEmpty()) return {};
  const QFileInfo info(path);
  if (!info.exists()) throw store::StoreError("File not found");
  // Only a plain file: a device or a pipe under a picture's name would hang
  // or never end the read.
  if (!info.isFile()) throw store::StoreError("Path/File access error");

  // The whole decode is reckoned from the header, before any pixel is read.
  const PictureHeader header = readPictureHeader(path);
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  std::shared_ptr<PictureCharge> charge;
  PictureCost cost;
  if (header.sizeKnown()) {
    cost = decodingCost(header, shown);
    if (ownWindow) cost = inItsOwnWindow(cost);
    const std::optional<qint64> available = availableMemory();
    if (available && cost.peak > *available) outOfMemory();
    charge = chargePictureBudget(cost.peak);
    if (cost.decoded != header.own) reader.setScaledSize(cost.decoded);
  } else {
    // A header that tells no size is charged once its image is there.
    charge = chargePictureBudget(0);
  }
  // Qt's own bound on what its decoders allocate follows this one: it
  // refuses nothing let through here, and bounds what no header told.
  const qint64 allowed = header.sizeKnown() ? charge->bytes() : pictureBudgetLeft();
  QImageReader::setAllocationLimit(int(std::min<qint64>((allowed + kMegabyte - 1) / kMegabyte + 1, INT_MAX)));

  QImage image = reader.read();
  if (image.isNull()) {
    if (reader.error() == QImageReader::DeviceError) throw store::StoreError("Permission denied");
    // A picture whose header is whole failed for want of memory when the
    // image its decoder makes cannot be had.
    if (header.sizeKnown() && QImage(cost.first, QImage::Format_ARGB32).isNull()) outOfMemory();
    throw store::StoreError("Invalid picture");
  }
  // Whole, the picture is what the decoder made of it.
  const QSize size = header.sizeKnown() && cost.decoded != header.own ? header.own : image.size();
  QPixmap pixmap = QPixmap::fromImage(std::move(image));
  if (pixmap.isNull()) outOfMemory();
  const qint64 held = saturatingProduct(heldBytes(pixmap), ownWindow ? 2 : 1);
  if (held <= charge->bytes()) charge->shrinkTo(held);
  else charge = chargePictureBudget(held);
  return Picture(std::move(pixmap), size, std::move(charge));
}

}  // namespace

double Picture::Width() const { return pixelsToTwips(size_.width()); }
double Picture::Height() const { return pixelsToTwips(size_.height()); }

Picture LoadPicture(const QString& path) { return loadPicture(path, {}, false); }

Picture LoadPictureForItsOwnWindow(const QString& path) { return loadPicture(path, {}, true); }

Picture LoadPicture(const QString& path, QSizeF shownAt) {
  return loadPicture(path, shownPixels(shownAt.width(), shownAt.height()), false);
}

}  // namespace controls
