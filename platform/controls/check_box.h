#pragma once
// A check box. Value 0 unchecked, 1 checked, 2 greyed; Click comes with
// every change of Value, the user's and the program's alike. With the focus
// the space bar clicks it; Enter does not.

#include "control.h"

class QCheckBox;

namespace controls {

inline constexpr int vbUnchecked = 0, vbChecked = 1, vbGrayed = 2;

class CheckBox : public Control {
 public:
  CheckBox(Container& parent, QString name);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  int Value() const { return value_; }
  void setValue(int value);

 protected:
  bool clicksOnRelease() const override { return false; }

 private:
  QCheckBox* box() const;
  void userToggled();

  QString caption_;
  int value_ = vbUnchecked;
};

}  // namespace controls
