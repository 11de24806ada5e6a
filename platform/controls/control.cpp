#include "control.h"

#include <QApplication>
#include <algorithm>

#include "form.h"
#include "twips.h"

namespace controls {

namespace {
const char* const kWindowedProperty = "quendrelWindowed";
}

Control::Control(Container& parent, QString name, QWidget* widget, Layer layer)
    : Element(std::move(name), widget), parent_(&parent), layer_(layer) {
  QWidget* host = parent.containerWidget();
  widget->setParent(host);
  widget->setProperty(kWindowedProperty, layer == Layer::Windowed);
  if (layer == Layer::Graphic) {
    for (QObject* sibling : host->children()) {
      auto* w = qobject_cast<QWidget*>(sibling);
      if (w && w != widget && w->property(kWindowedProperty).toBool()) {
        widget->stackUnder(w);
        break;
      }
    }
  }
  parent.controls_.push_back(this);
  widget->show();
}

Control::~Control() {
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Control::applyGeometry() {
  widget()->setGeometry(twipsToPixels(Left()), twipsToPixels(Top()), std::max(0, twipsToPixels(Width())),
                        std::max(0, twipsToPixels(Height())));
}

void Control::setVisible(bool visible) {
  setVisibleFlag(visible);
  widget()->setVisible(visible);
}

void Control::setEnabled(bool enabled) { Element::setEnabled(enabled); }

void Control::setToolTipText(const QString& text) {
  toolTip_ = text;
  widget()->setToolTip(text);
}

void Control::SetFocus() { widget()->setFocus(Qt::OtherFocusReason); }

bool Control::acceptsUserInput() const {
  if (!Visible() || !Enabled() || !parent_->containerShowing() || !parent_->containerEnabled()) return false;
  return parent_->form().acceptsUserInput();
}

void Control::userFocus(bool in) { raise(in ? GotFocus : LostFocus); }

bool Control::userPress(int button, int shift, QPointF twips) {
  if (dragMode_ == 1 && button == 1) {
    dragging_ = true;
    if (!dragIcon_.isEmpty()) QApplication::setOverrideCursor(QCursor(dragIcon_.pixmap()));
    return true;
  }
  return Element::userPress(button, shift, twips);
}

bool Control::userDoubleClick(int button, int shift, QPointF twips) {
  if (dragMode_ == 1) return userPress(button, shift, twips);
  return Element::userDoubleClick(button, shift, twips);
}

void Control::userMove(int buttons, int shift, QPointF twips) {
  if (dragging_) return;
  Element::userMove(buttons, shift, twips);
}

bool Control::userRelease(int button, int shift, QPointF twips, bool inside) {
  if (!dragging_) return Element::userRelease(button, shift, twips, inside);
  const QPointF px(twips.x() / kTwipsPerPixel, twips.y() / kTwipsPerPixel);
  dropAt(widget()->mapToGlobal(px).toPoint());
  return true;
}

void Control::dropAt(QPoint global) {
  dragging_ = false;
  if (!dragIcon_.isEmpty()) QApplication::restoreOverrideCursor();
  QWidget* under = QApplication::widgetAt(global);
  Element* target = Element::of(under);
  if (!target || !target->acceptsUserInput()) return;
  const QPointF local = target->widget()->mapFromGlobal(QPointF(global));
  raise([&] {
    if (target->DragDrop) target->DragDrop(*this, pixelsToTwips(local.x()), pixelsToTwips(local.y()));
  });
}

bool Control::dragTo(Element& target, double x, double y) {
  if (dragMode_ != 1 || !acceptsUserInput() || !target.acceptsUserInput()) return false;
  if (target.DragDrop) {
    Form::HandlerScope scope(target.form());
    target.DragDrop(*this, x, y);
  }
  return true;
}

void Control::copyFrom(const Control& other) {
  Move(other.Left(), other.Top(), other.Width(), other.Height());
  if (other.BackColor() != BackColor()) setBackColor(other.BackColor());
  if (other.ForeColor() != ForeColor()) setForeColor(other.ForeColor());
  widget()->setFont(other.widget()->font());
  setMousePointer(other.MousePointer());
  setMouseIcon(other.MouseIcon());
  setToolTipText(other.ToolTipText());
  setEnabled(other.Enabled());
  dragMode_ = other.dragMode_;
  dragIcon_ = other.dragIcon_;
}

}  // namespace controls
