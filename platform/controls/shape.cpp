#include "shape.h"

#include <QPainter>
#include <algorithm>

namespace controls {

Qt::PenStyle penStyle(int borderStyle) {
  switch (borderStyle) {
    case 0: return Qt::NoPen;
    case 2: return Qt::DashLine;
    case 3: return Qt::DotLine;
    case 4: return Qt::DashDotLine;
    case 5: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
  }
}

class ShapeView : public QWidget {
 public:
  explicit ShapeView(Shape* owner) : owner_(owner) { setAttribute(Qt::WA_TransparentForMouseEvents); }

 protected:
  void paintEvent(QPaintEvent*) override {
    const Shape& s = *owner_;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, s.kind_ >= 2);
    const int inset = s.borderWidth_ / 2;
    QRectF area = QRectF(rect()).adjusted(inset, inset, -inset - 1, -inset - 1);
    if (s.kind_ == 1 || s.kind_ == 3 || s.kind_ == 5) {
      const double side = std::min(area.width(), area.height());
      area = QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    }
    auto draw = [&](const QBrush& brush, const QPen& pen) {
      painter.setBrush(brush);
      painter.setPen(pen);
      if (s.kind_ == 2 || s.kind_ == 3) painter.drawEllipse(area);
      else if (s.kind_ == 4 || s.kind_ == 5) painter.drawRoundedRect(area, 20, 20, Qt::RelativeSize);
      else painter.drawRect(area);
    };
    if (s.backStyle_ == 1) draw(toQColor(s.BackColor()), Qt::NoPen);
    static const Qt::BrushStyle hatches[] = {Qt::SolidPattern,  Qt::NoBrush,        Qt::HorPattern,  Qt::VerPattern,
                                             Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle fill = hatches[std::clamp(s.fillStyle_, 0, 7)];
    QPen pen(toQColor(s.borderColor_), s.borderWidth_, penStyle(s.borderStyle_));
    draw(fill == Qt::NoBrush ? QBrush() : QBrush(toQColor(s.fillColor_), fill), pen);
  }

 private:
  Shape* owner_;
};

Shape::Shape(Container& parent, QString name) : Control(parent, std::move(name), new ShapeView(this), Layer::Graphic) {
  setDefaultColors(vbWhite, vbBlack);
  Move(0, 0, 1215, 735);
}

void Shape::applyColors() { widget()->update(); }

void Shape::setKind(int kind) {
  kind_ = kind;
  widget()->update();
}
void Shape::setBackStyle(int style) {
  backStyle_ = style;
  widget()->update();
}
void Shape::setBorderColor(OleColor color) {
  borderColor_ = color;
  widget()->update();
}
void Shape::setBorderStyle(int style) {
  borderStyle_ = style;
  widget()->update();
}
void Shape::setBorderWidth(int width) {
  borderWidth_ = std::max(1, width);
  widget()->update();
}
void Shape::setFillColor(OleColor color) {
  fillColor_ = color;
  widget()->update();
}
void Shape::setFillStyle(int style) {
  fillStyle_ = style;
  widget()->update();
}

}  // namespace controls
