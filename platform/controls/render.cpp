#include "render.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "form.h"

namespace controls {

bool renderToPng(Form& form, const QString& path) {
  QWidget* window = form.widget();
  const bool shown = window->isVisible();
  if (!shown) {
    // Lay the window out as it would be shown, without showing it.
    window->setAttribute(Qt::WA_DontShowOnScreen, true);
    window->show();
  }
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  const QPixmap image = window->grab();
  if (!shown) {
    window->hide();
    window->setAttribute(Qt::WA_DontShowOnScreen, false);
  }
  return image.save(path, "PNG");
}

}  // namespace controls
