#pragma once
// A picture as the windows pass it around: empty, or an image loaded from a
// gif, bmp, jpg, jpeg or ico file. Copies share the image.

#include <QPixmap>
#include <QString>

namespace controls {

class Picture {
 public:
  Picture() = default;  // the empty picture
  explicit Picture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}

  bool isEmpty() const { return pixmap_.isNull(); }
  // Size in twips; 0 for the empty picture.
  double Width() const;
  double Height() const;
  const QPixmap& pixmap() const { return pixmap_; }

  friend bool operator==(const Picture& a, const Picture& b) {
    return a.pixmap_.cacheKey() == b.pixmap_.cacheKey() || (a.isEmpty() && b.isEmpty());
  }

 private:
  QPixmap pixmap_;
};

// The picture in `path`. Throws store::StoreError: "File not found" when
// there is no such file, "Invalid picture" when it holds no picture Qt can
// read. An empty path gives the empty picture.
Picture LoadPicture(const QString& path = {});

}  // namespace controls
