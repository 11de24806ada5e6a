#include "picture.h"

#include <QFileInfo>
#include <QImageReader>

#include "store_error.h"
#include "twips.h"

namespace controls {

double Picture::Width() const { return pixelsToTwips(pixmap_.width()); }
double Picture::Height() const { return pixelsToTwips(pixmap_.height()); }

Picture LoadPicture(const QString& path) {
  if (path.isEmpty()) return {};
  const QFileInfo info(path);
  if (!info.exists()) throw store::StoreError("File not found");
  // Only a plain file: a device or a pipe under a picture's name would hang
  // or never end the read.
  if (!info.isFile()) throw store::StoreError("Path/File access error");
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  QImage image = reader.read();
  if (image.isNull()) {
    if (reader.error() == QImageReader::DeviceError) throw store::StoreError("Permission denied");
    throw store::StoreError("Invalid picture");
  }
  return Picture(QPixmap::fromImage(std::move(image)));
}

}  // namespace controls
