#include "label.h"

#include <QLabel>

#include "caption_text.h"
#include "twips.h"

namespace controls {

Label::Label(Container& parent, QString name) : Control(parent, std::move(name), new QLabel, Layer::Graphic) {
  label()->setTextFormat(Qt::PlainText);
  label()->setWordWrap(true);
  label()->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  label()->setAutoFillBackground(true);
  Move(0, 0, 1215, 255);
}

QLabel* Label::label() const { return static_cast<QLabel*>(widget()); }

void Label::setCaption(const QString& caption) {
  caption_ = caption;
  showCaption();
}

void Label::setUseMnemonic(bool useMnemonic) {
  useMnemonic_ = useMnemonic;
  showCaption();
}

void Label::showCaption() {
  label()->setText(useMnemonic_ ? withoutAccessMarks(caption_) : caption_);
  if (autoSize_) fitToCaption();
}

void Label::setAlignment(int alignment) {
  alignment_ = alignment;
  const Qt::Alignment h = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  label()->setAlignment(Qt::AlignTop | h);
}

void Label::setBackStyle(int style) {
  backStyle_ = style;
  label()->setAutoFillBackground(style != 0);
  applyColors();
}

void Label::setBorderStyle(int style) {
  borderStyle_ = style;
  label()->setFrameStyle(style == 1 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void Label::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize) fitToCaption();
}

void Label::fitToCaption() {
  const QSize size = label()->sizeHint();
  setWidth(pixelsToTwips(size.width()));
  setHeight(pixelsToTwips(size.height()));
}

void Label::applyColors() {
  Control::applyColors();
  label()->setAutoFillBackground(backStyle_ != 0);
}

void Label::copyFrom(const Control& other) {
  Control::copyFrom(other);
  if (auto* o = dynamic_cast<const Label*>(&other)) {
    setAlignment(o->alignment_);
    setBackStyle(o->backStyle_);
    setBorderStyle(o->borderStyle_);
    autoSize_ = o->autoSize_;
    useMnemonic_ = o->useMnemonic_;
    setCaption(o->caption_);
  }
}

}  // namespace controls
