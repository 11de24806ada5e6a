#pragma once
// A picture box: a windowed control with a background colour that draws its
// picture from the top left at the picture's own size and holds controls of
// its own.

#include "container_control.h"

namespace controls {

class PictureView;

class PictureBox : public ContainerControl {
 public:
  PictureBox(Container& parent, QString name);

  const controls::Picture& Picture() const { return picture_; }
  void setPicture(const controls::Picture& picture);
  // Whether the box takes the size of each picture it is given.
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool autoSize);
  // 0 none, 1 a single line (the default).
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  // The inner size: the box less its border line on each side.
  double ScaleWidth() const;
  double ScaleHeight() const;

  void copyFrom(const Control& other) override;

 private:
  PictureView* view() const;
  double borderTwips() const;

  controls::Picture picture_;
  bool autoSize_ = false;
  int borderStyle_ = 1;
};

}  // namespace controls
