#include "command_button.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>

#include "twips.h"

namespace controls {

namespace {

// A Qt push button takes Enter only as a dialog's button; ours takes it
// whenever it has the focus, in any window, with or without Shift, Ctrl or
// Alt, as the buttons of the message boxes do. Enter presses it at once, once
// each time the key goes down: the repeats of a held Enter press it no more.
class ButtonWidget : public QPushButton {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
      QPushButton::keyPressEvent(event);
      return;
    }
    // A KeyDown handler may have hidden the button before the press got here.
    if (!event->isAutoRepeat() && isVisible()) click();
  }
};

}  // namespace

CommandButton::CommandButton(Container& parent, QString name)
    : Control(parent, std::move(name), new ButtonWidget, Layer::Windowed) {
  auto* button = static_cast<QPushButton*>(widget());
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button, [this] { raise(Click); });
  setDefaultColors(vbButtonFace, vbButtonText);
  Move(0, 0, 1215, 375);
}

void CommandButton::setCaption(const QString& caption) {
  caption_ = caption;
  static_cast<QPushButton*>(widget())->setText(caption);
}

void CommandButton::setStyle(int style) {
  style_ = style;
  applyPicture();
}

void CommandButton::setPicture(const controls::Picture& picture) {
  picture_ = picture;
  applyPicture();
}

void CommandButton::applyPicture() {
  auto* button = static_cast<QPushButton*>(widget());
  if (style_ == 1 && !picture_.isEmpty()) {
    button->setIcon(QIcon(picture_.pixmap()));
    button->setIconSize(picture_.size());
  } else {
    button->setIcon(QIcon());
  }
}

void CommandButton::setDefault(bool isDefault) {
  default_ = isDefault;
  static_cast<QPushButton*>(widget())->setDefault(isDefault);
}

bool CommandButton::isHeldDown() const { return static_cast<const QPushButton*>(widget())->isDown(); }

void CommandButton::copyFrom(const Control& other) {
  Control::copyFrom(other);
  if (auto* o = dynamic_cast<const CommandButton*>(&other)) {
    setCaption(o->caption_);
    style_ = o->style_;
    setPicture(o->picture_);
  }
}

}  // namespace controls
