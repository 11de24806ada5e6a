#pragma once
// The widget that draws a picture for image controls and picture boxes:
// stretched over the whole widget or at its own size from the top left.

#include <QWidget>

#include "picture.h"

namespace controls {

class PictureView : public QWidget {
 public:
  PictureView() = default;
  void setPicture(const Picture& picture) {
    picture_ = picture;
    update();
  }
  void setStretch(bool stretch) {
    stretch_ = stretch;
    update();
  }
  void setBorder(bool border) {
    border_ = border;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture picture_;
  bool stretch_ = false;
  bool border_ = false;
};

}  // namespace controls
