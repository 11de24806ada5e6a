#pragma once
// What the player's windows set on a control when they lay it out.

#include "image.h"
#include "label.h"

namespace player {

// A transparent label at its place, in its size and colour.
inline void designLabel(controls::Label& label, double left, double top, double width, double height,
                        double points, controls::OleColor colour, bool bold = false) {
  label.Move(left, top, width, height);
  label.setBackStyle(0);
  label.setFontSize(points);
  label.setFontBold(bold);
  label.setForeColor(colour);
}

// A hidden image that holds one look of a button.
inline void designLook(controls::Image& image, const controls::Picture& picture) {
  image.setPicture(picture);
  image.setVisible(false);
}

}  // namespace player
