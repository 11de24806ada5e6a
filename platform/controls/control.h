#pragma once
// The base of every control: a widget placed on a container at a position in
// twips, with its name (and index, in a control array), tooltip, focus and
// automatic dragging.

#include "container.h"
#include "element.h"

namespace controls {

class Control : public Element {
 public:
  ~Control() override;

  Container& parent() const { return *parent_; }
  // The element's index in its control array; -1 outside one.
  int Index() const { return index_; }

  void setVisible(bool visible) override;
  void setEnabled(bool enabled) override;

  QString ToolTipText() const { return toolTip_; }
  void setToolTipText(const QString& text);

  // 0 manual, 1 automatic: a press with the left button starts a drag of
  // the control (drag_driver.h), and letting go over a control of a window
  // of the program raises that one's DragDrop. While it is automatic the
  // control raises no mouse events of its own.
  int DragMode() const { return dragMode_; }
  void setDragMode(int mode) { dragMode_ = mode; }
  const Picture& DragIcon() const { return dragIcon_; }
  void setDragIcon(const Picture& icon) { dragIcon_ = icon; }

  void SetFocus();
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

  bool acceptsUserInput() const override;
  Form& form() override { return parent_->form(); }

  // Copies what a new element of a control array takes from element 0.
  virtual void copyFrom(const Control& other);

  bool userPress(int button, int shift, QPointF twips) override;
  bool userRelease(int button, int shift, QPointF twips, bool inside) override;
  bool userDoubleClick(int button, int shift, QPointF twips) override;
  void userMove(int buttons, int shift, QPointF twips) override;
  // Focus changes reported by the event bridge.
  void userFocus(bool in);

 protected:
  // Labels, images, shapes and lines are drawn on their container below
  // every windowed control (buttons, boxes, lists), whatever their order.
  enum class Layer { Graphic, Windowed };
  Control(Container& parent, QString name, QWidget* widget, Layer layer);

  void applyGeometry() override;

 private:
  template <typename T>
  friend class ControlArray;
  void startDrag(QPointF twips);

  Container* parent_;
  int index_ = -1;
  Layer layer_;
  QString toolTip_;
  int dragMode_ = 0;
  Picture dragIcon_;
  // From a press that started a drag to its release: the press's moves and
  // release belong to the drag.
  bool dragging_ = false;
};

}  // namespace controls
