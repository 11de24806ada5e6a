#include "system/window_style.h"

#include <QWidget>

namespace platform {

void showWithStyle(QWidget& window, WindowStyle style) {
  switch (style) {
    case WindowStyle::Hidden: window.hide(); break;
    case WindowStyle::Minimized: window.showMinimized(); break;
    case WindowStyle::Maximized: window.showMaximized(); break;
    case WindowStyle::NormalNoFocus:
      window.setAttribute(Qt::WA_ShowWithoutActivating);
      window.showNormal();
      break;
    case WindowStyle::Normal:
    default: window.showNormal(); break;
  }
}

void showAsStarted(QWidget& window) { showWithStyle(window, windowStyleHint().value_or(WindowStyle::Normal)); }

}  // namespace platform
