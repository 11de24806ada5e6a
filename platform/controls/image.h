#pragma once
// An image control: a picture drawn on its container. Without Stretch the
// control takes the size of each picture it is given; with Stretch the
// picture is drawn over the control's size.

#include "control.h"

namespace controls {

class PictureView;

class Image : public Control {
 public:
  Image(Container& parent, QString name);

  const controls::Picture& Picture() const { return picture_; }
  void setPicture(const controls::Picture& picture);
  bool Stretch() const { return stretch_; }
  void setStretch(bool stretch);
  // 0 none, 1 a single line.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);

  void copyFrom(const Control& other) override;

 private:
  PictureView* view() const;

  controls::Picture picture_;
  bool stretch_ = false;
  int borderStyle_ = 0;
};

// The picture in `path` for `image`, a stretched image that alone shows it:
// kept no bigger than the image draws it (LoadPicture with the image's size).
controls::Picture loadPictureFor(const Image& image, const QString& path);

}  // namespace controls
