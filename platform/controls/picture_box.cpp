#include "picture_box.h"

#include <algorithm>

#include "picture_view.h"
#include "twips.h"

namespace controls {

PictureBox::PictureBox(Container& parent, QString name)
    : ContainerControl(parent, std::move(name), new PictureView, Layer::Windowed) {
  view()->setAutoFillBackground(true);
  view()->setBorder(true);
  Move(0, 0, 1215, 1215);
}

PictureView* PictureBox::view() const { return static_cast<PictureView*>(widget()); }

void PictureBox::setPicture(const controls::Picture& picture) {
  picture_ = picture;
  view()->setPicture(picture);
  if (autoSize_ && !picture.isEmpty()) {
    setWidth(picture.Width());
    setHeight(picture.Height());
  }
}

void PictureBox::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize) setPicture(picture_);
}

void PictureBox::setBorderStyle(int style) {
  borderStyle_ = style;
  view()->setBorder(style != 0);
}

double PictureBox::ScaleWidth() const { return std::max(0.0, Width() - 2 * borderTwips()); }

double PictureBox::ScaleHeight() const { return std::max(0.0, Height() - 2 * borderTwips()); }

double PictureBox::borderTwips() const { return borderStyle_ != 0 ? pixelsToTwips(1) : 0; }

void PictureBox::copyFrom(const Control& other) {
  Control::copyFrom(other);
  if (auto* o = dynamic_cast<const PictureBox*>(&other)) {
    setBorderStyle(o->borderStyle_);
    autoSize_ = o->autoSize_;
    setPicture(o->picture_);
  }
}

}  // namespace controls
