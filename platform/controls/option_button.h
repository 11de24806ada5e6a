#pragma once
// An option button. The option buttons placed on one container form a
// group: choosing one clears the others. Click comes when one becomes
// chosen, and with every click of the user on it. With the focus the space
// bar clicks it; Enter does not.

#include "control.h"

namespace controls {

class OptionButton : public Control {
 public:
  OptionButton(Container& parent, QString name);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  bool Value() const { return value_; }
  void setValue(bool value);

 protected:
  bool clicksOnRelease() const override { return false; }

 private:
  void show(bool value);
  void userClicked();

  QString caption_;
  bool value_ = false;
};

}  // namespace controls
