#pragma once
// A command button. Click comes from a press and release on it, or, while it
// has the focus, from Enter going down or the space bar coming up. Standard
// and graphical ones alike.

#include "control.h"

namespace controls {

class CommandButton : public Control {
 public:
  CommandButton(Container& parent, QString name);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // 0 standard, 1 graphical (shows Picture).
  int Style() const { return style_; }
  void setStyle(int style);
  const controls::Picture& Picture() const { return picture_; }
  void setPicture(const controls::Picture& picture);
  // Enter anywhere in the window presses the Default button.
  bool Default() const { return default_; }
  void setDefault(bool isDefault);
  // Pressed, by the mouse or the space bar, and not yet let go.
  bool isHeldDown() const;

  void copyFrom(const Control& other) override;

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Button; }
  QPalette::ColorRole foreRole() const override { return QPalette::ButtonText; }
  bool clicksOnRelease() const override { return false; }

 private:
  void applyPicture();

  QString caption_;
  int style_ = 0;
  controls::Picture picture_;
  bool default_ = false;
};

}  // namespace controls
