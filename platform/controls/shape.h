#pragma once
// A shape drawn on its container: rectangle, square, oval, circle, rounded
// rectangle or rounded square. It takes no mouse input; what lies under it
// gets the clicks.

#include "control.h"

namespace controls {

class ShapeView;

class Shape : public Control {
 public:
  Shape(Container& parent, QString name);

  // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square.
  int Kind() const { return kind_; }
  void setKind(int kind);
  // 0 transparent, 1 opaque (BackColor fills the shape).
  int BackStyle() const { return backStyle_; }
  void setBackStyle(int style);
  OleColor BorderColor() const { return borderColor_; }
  void setBorderColor(OleColor color);
  // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  // In pixels.
  int BorderWidth() const { return borderWidth_; }
  void setBorderWidth(int width);
  OleColor FillColor() const { return fillColor_; }
  void setFillColor(OleColor color);
  // 0 solid, 1 transparent, 2 to 7 hatched.
  int FillStyle() const { return fillStyle_; }
  void setFillStyle(int style);

  bool acceptsUserInput() const override { return false; }

 protected:
  void applyColors() override;

 private:
  friend class ShapeView;
  int kind_ = 0;
  int backStyle_ = 0;
  OleColor borderColor_ = vbBlack;
  int borderStyle_ = 1;
  int borderWidth_ = 1;
  OleColor fillColor_ = vbBlack;
  int fillStyle_ = 1;
};

// Pen style of a BorderStyle value, shared with lines.
Qt::PenStyle penStyle(int borderStyle);

}  // namespace controls
