#include "frame.h"

#include <QGroupBox>

namespace controls {

Frame::Frame(Container& parent, QString name) : ContainerControl(parent, std::move(name), new QGroupBox, Layer::Windowed) {
  Move(0, 0, 1815, 1215);
}

void Frame::setCaption(const QString& caption) {
  caption_ = caption;
  static_cast<QGroupBox*>(widget())->setTitle(caption);
}

void Frame::setBorderStyle(int style) {
  borderStyle_ = style;
  widget()->setStyleSheet(style == 0 ? "QGroupBox { border: none; margin: 0; padding: 0; }" : QString());
}

}  // namespace controls
