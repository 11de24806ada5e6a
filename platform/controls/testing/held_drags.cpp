#include "held_drags.h"

namespace controls {

HeldDrags::HeldDrags() : previous_(installedDragDriver()) { setDragDriver(this); }

HeldDrags::~HeldDrags() { setDragDriver(previous_); }

void HeldDrags::runDrag(QWidget&, std::unique_ptr<QMimeData> data, const QPixmap&, QPoint) {
  drags_.push_back(std::move(data));
}

}  // namespace controls
