#include "control.h"

#include <algorithm>

#include "drag_driver.h"
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
  // A new press: whatever the last drag left behind is over.
  dragging_ = false;
  if (dragMode_ == 1 && button == 1) {
    startDrag(twips);
    return true;
  }
  return Element::userPress(button, shift, twips);
}

void Control::startDrag(QPointF twips) {
  dragging_ = true;
  const QPoint hotSpot(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
  const QPixmap cursor = dragIcon_.isEmpty() ? QPixmap() : dragIcon_.pixmap();
  dragDriver().runDrag(*widget(), controlDragData(*this), cursor, hotSpot);
}

bool Control::userDoubleClick(int button, int shift, QPointF twips) {
  if (dragMode_ == 1) return userPress(button, shift, twips);
  return Element::userDoubleClick(button, shift, twips);
}

void Control::userMove(int buttons, int shift, QPointF twips) {
  if (dragging_) return;
  Element::userMove(buttons, shift, twips);
}

// The window system hands the release that ended a drag back to the control
// that was pressed; it is the drag's.
bool Control::userRelease(int button, int shift, QPointF twips, bool inside) {
  if (!dragging_) return Element::userRelease(button, shift, twips, inside);
  dragging_ = false;
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
