#pragma once
// The tests' drag driver: while it lives, a drag that a press starts is
// held here instead of being carried by the window system (the offscreen
// platform carries none). The test then drops it where the user would let
// go, through the window, as the window system would hand the drop over:
//
//     controls::HeldDrags drags;
//     controls::WindowInput user(form2);
//     user.pressOn(form2.Label1(2));                        // the drag starts
//     user.dropAt(user.middleOf(form2.Image8), drags.last());
//     user.releaseOn(form2.Image8);                         // the release ends it

#include <QMimeData>
#include <memory>
#include <vector>

#include "drag_driver.h"

namespace controls {

class HeldDrags : public DragDriver {
 public:
  HeldDrags();
  ~HeldDrags() override;
  HeldDrags(const HeldDrags&) = delete;
  HeldDrags& operator=(const HeldDrags&) = delete;

  // Drags started so far.
  int count() const { return static_cast<int>(drags_.size()); }
  // The data the last drag carries; a test that expects a drag checks
  // count() first.
  const QMimeData& last() const { return *drags_.back(); }

  void runDrag(QWidget& source, std::unique_ptr<QMimeData> data, const QPixmap& cursor, QPoint hotSpot) override;

 private:
  std::vector<std::unique_ptr<QMimeData>> drags_;
  DragDriver* previous_;
};

}  // namespace controls
