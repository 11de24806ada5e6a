#pragma once
// A horizontal scroll bar (a slider). Scroll comes while the user drags the
// thumb; Change when the value has changed otherwise: an arrow or the track
// clicked, the thumb released, or Value set by the program. Min may be
// greater than Max (the bar then runs from right to left).

#include "control.h"

class QScrollBar;

namespace controls {

class HScrollBar : public Control {
 public:
  HScrollBar(Container& parent, QString name);

  int Min() const { return min_; }
  void setMin(int min);
  int Max() const { return max_; }
  void setMax(int max);
  int Value() const { return value_; }
  // A value outside Min..Max is refused and Value stays as it was, the way
  // the programs' callers skip a failed assignment.
  void setValue(int value);
  int SmallChange() const { return smallChange_; }
  void setSmallChange(int change);
  int LargeChange() const { return largeChange_; }
  void setLargeChange(int change);

  std::function<void()> Change;
  std::function<void()> Scroll;

  // Test drivers: drag the thumb to `value`; click the arrow (direction
  // +1 towards Max, -1 towards Min); click the track beside the thumb.
  bool dragThumbTo(int value);
  bool clickArrow(int direction);
  bool clickTrack(int direction);

 protected:
  bool clicksOnRelease() const override { return false; }

 private:
  QScrollBar* bar() const;
  void applyRange();
  void qtValueChanged(int qtValue);
  int low() const { return std::min(min_, max_); }
  int high() const { return std::max(min_, max_); }
  bool inRange(int value) const { return value >= low() && value <= high(); }

  int min_ = 0, max_ = 32767, value_ = 0;
  int smallChange_ = 1, largeChange_ = 1;
  int valueAtPress_ = 0;
  bool quiet_ = false;
};

}  // namespace controls
