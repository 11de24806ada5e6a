#pragma once
// How the drag that a press on a control in automatic drag mode starts is
// carried to its drop. The programs hand it to the window system (Qt's drag
// and drop, in a nested event loop until the user lets go over a window,
// which gets the drop). The offscreen platform carries no drag, so tests
// install a driver that keeps the drag's data instead (held_drags.h) and give
// the drop to a window themselves (WindowInput::dropAt), as the window
// system hands it over.
//
// A drag carries the source control as data of its own format; every window
// of the program takes such drops, and the event bridge raises DragDrop on
// the element under the pointer.

#include <QMimeData>
#include <QPixmap>
#include <QPoint>
#include <memory>

class QWidget;

namespace controls {

class Control;

class DragDriver {
 public:
  virtual ~DragDriver() = default;
  // A press on `source` has started a drag carrying `data`. The pointer shows
  // `cursor` while it lasts (a null one: the source's likeness, held at
  // `hotSpot`, pixels in the source). Returns once the drag has ended.
  virtual void runDrag(QWidget& source, std::unique_ptr<QMimeData> data, const QPixmap& cursor,
                       QPoint hotSpot) = 0;
};

// The installed driver; without one, the window system's drag and drop.
DragDriver& dragDriver();
// Installs `driver` (not owned); nullptr restores the window system's.
void setDragDriver(DragDriver* driver);
DragDriver* installedDragDriver();

// The data of a drag of `source`, which it names until the next drag starts.
std::unique_ptr<QMimeData> controlDragData(Control& source);
// The control a drag's data names: nullptr for data of anything else (text,
// files, another program's drag) and for a control that has gone since.
Control* draggedControl(const QMimeData* data);

}  // namespace controls
