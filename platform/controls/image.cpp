#include "image.h"

#include "picture_view.h"

namespace controls {

Image::Image(Container& parent, QString name) : Control(parent, std::move(name), new PictureView, Layer::Graphic) {
  Move(0, 0, 495, 495);
}

PictureView* Image::view() const { return static_cast<PictureView*>(widget()); }

void Image::setPicture(const controls::Picture& picture) {
  picture_ = picture;
  view()->setPicture(picture);
  if (!stretch_ && !picture.isEmpty()) {
    setWidth(picture.Width());
    setHeight(picture.Height());
  }
}

void Image::setStretch(bool stretch) {
  stretch_ = stretch;
  view()->setStretch(stretch);
}

void Image::setBorderStyle(int style) {
  borderStyle_ = style;
  view()->setBorder(style == 1);
}

void Image::copyFrom(const Control& other) {
  Control::copyFrom(other);
  if (auto* o = dynamic_cast<const Image*>(&other)) {
    setStretch(o->stretch_);
    setBorderStyle(o->borderStyle_);
    picture_ = o->picture_;
    view()->setPicture(picture_);
  }
}

Picture loadPictureFor(const Image& image, const QString& path) {
  return LoadPicture(path, {image.Width(), image.Height()});
}

}  // namespace controls
