#include "line.h"

#include <QPainter>
#include <algorithm>

#include "shape.h"
#include "twips.h"

namespace controls {

class LineView : public QWidget {
 public:
  explicit LineView(Line* owner) : owner_(owner) { setAttribute(Qt::WA_TransparentForMouseEvents); }

 protected:
  void paintEvent(QPaintEvent*) override {
    const Line& l = *owner_;
    QPainter painter(this);
    painter.setPen(QPen(toQColor(l.borderColor_), l.borderWidth_, penStyle(l.borderStyle_)));
    const QPoint origin = pos();
    auto at = [&](double x, double y) { return QPoint(twipsToPixels(x), twipsToPixels(y)) - origin; };
    painter.drawLine(at(l.x1_, l.y1_), at(l.x2_, l.y2_));
  }

 private:
  Line* owner_;
};

Line::Line(Container& parent, QString name) : Control(parent, std::move(name), new LineView(this), Layer::Graphic) {
  place();
}

void Line::place() {
  // The widget covers the line's ends with room for its width.
  const double margin = pixelsToTwips(borderWidth_ + 1);
  const double left = std::min(x1_, x2_) - margin, top = std::min(y1_, y2_) - margin;
  Control::Move(left, top, std::abs(x2_ - x1_) + 2 * margin, std::abs(y2_ - y1_) + 2 * margin);
  widget()->update();
}

void Line::setX1(double x) {
  x1_ = x;
  place();
}
void Line::setY1(double y) {
  y1_ = y;
  place();
}
void Line::setX2(double x) {
  x2_ = x;
  place();
}
void Line::setY2(double y) {
  y2_ = y;
  place();
}
void Line::setBorderColor(OleColor color) {
  borderColor_ = color;
  widget()->update();
}
void Line::setBorderWidth(int width) {
  borderWidth_ = std::max(1, width);
  place();
}
void Line::setBorderStyle(int style) {
  borderStyle_ = style;
  widget()->update();
}

}  // namespace controls
