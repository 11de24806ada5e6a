#include "drag_driver.h"

#include <QCoreApplication>
#include <QDrag>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include "control.h"

namespace controls {

namespace {

constexpr const char* kControlDragFormat = "application/x-quendrel-control-drag";

// The window system's driver: Qt runs the drag until the button is let go.
class WindowSystemDrags : public DragDriver {
 public:
  void runDrag(QWidget& source, std::unique_ptr<QMimeData> data, const QPixmap& cursor, QPoint hotSpot) override {
    // Qt deletes the drag once it has ended.
    auto* drag = new QDrag(&source);
    drag->setMimeData(data.release());
    if (!cursor.isNull()) {
      drag->setDragCursor(cursor, Qt::MoveAction);
    } else {
      drag->setPixmap(source.grab());
      drag->setHotSpot(hotSpot);
    }
    drag->exec(Qt::MoveAction);
  }
};

DragDriver* installed = nullptr;

// The one drag of the program at a time: its number and its source.
struct CurrentDrag {
  quint64 serial = 0;
  QPointer<QWidget> source;
};

CurrentDrag& currentDrag() {
  static CurrentDrag drag;
  return drag;
}

// What the data says: this process and the drag's number, so that a drop of
// another program's drag, or of an earlier drag, names no control.
QByteArray dragToken(quint64 serial) {
  return QByteArray::number(QCoreApplication::applicationPid()) + ' ' + QByteArray::number(serial);
}

}  // namespace

DragDriver& dragDriver() {
  static WindowSystemDrags windowSystem;
  return installed ? *installed : windowSystem;
}

void setDragDriver(DragDriver* driver) { installed = driver; }

DragDriver* installedDragDriver() { return installed; }

std::unique_ptr<QMimeData> controlDragData(Control& source) {
  CurrentDrag& drag = currentDrag();
  ++drag.serial;
  drag.source = source.widget();
  auto data = std::make_unique<QMimeData>();
  data->setData(kControlDragFormat, dragToken(drag.serial));
  return data;
}

Control* draggedControl(const QMimeData* data) {
  if (!data || !data->hasFormat(kControlDragFormat)) return nullptr;
  const CurrentDrag& drag = currentDrag();
  if (data->data(kControlDragFormat) != dragToken(drag.serial) || !drag.source) return nullptr;
  auto* control = dynamic_cast<Control*>(Element::of(drag.source));
  return control && control->widget() == drag.source ? control : nullptr;
}

}  // namespace controls
