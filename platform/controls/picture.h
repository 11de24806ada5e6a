#pragma once
// A picture as the windows pass it around: empty, or an image loaded from a
// gif, bmp, jpg, jpeg or ico file. Copies share the image, and the part of
// the picture budget that it holds.

#include <QPixmap>
#include <QSizeF>
#include <QString>
#include <memory>

#include "picture_budget.h"

namespace controls {

class Picture {
 public:
  Picture() = default;  // the empty picture
  explicit Picture(QPixmap pixmap) : pixmap_(std::move(pixmap)), size_(pixmap_.size()) {}
  // A picture of `size` pixels kept as the smaller `pixmap`.
  Picture(QPixmap pixmap, QSize size) : pixmap_(std::move(pixmap)), size_(size) {}
  // A loaded picture, which holds `charge` of the picture budget for as
  // long as any copy of it lives.
  Picture(QPixmap pixmap, QSize size, std::shared_ptr<const PictureCharge> charge)
      : pixmap_(std::move(pixmap)), size_(size), charge_(std::move(charge)) {}

  bool isEmpty() const { return pixmap_.isNull(); }
  // The picture's own size in twips, whatever size it is kept at; 0 for the
  // empty picture.
  double Width() const;
  double Height() const;
  // The picture's own size in pixels.
  QSize size() const { return size_; }
  // What is drawn: the picture at its own size, or smaller when it was
  // loaded for a control that shows it smaller.
  const QPixmap& pixmap() const { return pixmap_; }

  friend bool operator==(const Picture& a, const Picture& b) {
    return a.pixmap_.cacheKey() == b.pixmap_.cacheKey() || (a.isEmpty() && b.isEmpty());
  }

 private:
  QPixmap pixmap_;
  QSize size_;
  std::shared_ptr<const PictureCharge> charge_;
};

// The picture in `path`. Throws store::StoreError: "File not found" when
// there is no such file, "Invalid picture" when it holds no picture Qt can
// read, "Out of memory" when it cannot be loaded: what decoding it takes at
// its peak, reckoned from its header before the decode starts, is more than
// is left of the picture budget (picture_budget.h) beside the pictures held
// now, or more than the memory the system has free, or the memory is
// refused. An empty path gives the empty picture.
Picture LoadPicture(const QString& path = {});

// The same for a picture that a window of its own size shows whole: it
// holds the window's drawing surface, as big as the picture, beside its
// pixels, so that both count against the budget.
Picture LoadPictureForItsOwnWindow(const QString& path);

// The same for controls that only ever draw the picture stretched over at
// most `shownAt` (width and height in twips): a bigger picture is decoded
// and kept at the least size of its own proportions that still covers
// `shownAt`, so that it costs the memory of what is shown. Its Width and
// Height stay its own.
Picture LoadPicture(const QString& path, QSizeF shownAt);

}  // namespace controls
