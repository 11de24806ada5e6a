#include "window_on_screen.h"

#include "form.h"
#include "screen.h"

namespace player {

void coverScreen(controls::Form& window) {
  const QRectF area = controls::Screen::AvailableArea();
  window.Move(area.left(), area.top(), area.width(), area.height());
}

}  // namespace player
