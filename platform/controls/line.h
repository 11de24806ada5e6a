#pragma once
// A line drawn on its container from (X1, Y1) to (X2, Y2), in twips of the
// container. It takes no mouse input.

#include "control.h"

namespace controls {

class Line : public Control {
 public:
  Line(Container& parent, QString name);

  double X1() const { return x1_; }
  double Y1() const { return y1_; }
  double X2() const { return x2_; }
  double Y2() const { return y2_; }
  void setX1(double x);
  void setY1(double y);
  void setX2(double x);
  void setY2(double y);

  OleColor BorderColor() const { return borderColor_; }
  void setBorderColor(OleColor color);
  // In pixels.
  int BorderWidth() const { return borderWidth_; }
  void setBorderWidth(int width);
  // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);

  bool acceptsUserInput() const override { return false; }

 private:
  friend class LineView;
  // A line is placed by its ends, not by Left, Top, Width and Height.
  using Control::Move;
  using Control::setHeight;
  using Control::setLeft;
  using Control::setTop;
  using Control::setWidth;
  void place();

  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  OleColor borderColor_ = vbBlack;
  int borderWidth_ = 1;
  int borderStyle_ = 1;
};

}  // namespace controls
