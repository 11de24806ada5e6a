#include "picture_view.h"

#include <QPainter>

namespace controls {

void PictureView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  if (!picture_.isEmpty()) {
    if (stretch_) {
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawPixmap(rect(), picture_.pixmap());
    } else if (picture_.pixmap().size() == picture_.size()) {
      painter.drawPixmap(0, 0, picture_.pixmap());
    } else {
      // A picture kept smaller than its own size is still drawn at that size.
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawPixmap(QRect(QPoint(0, 0), picture_.size()), picture_.pixmap());
    }
  }
  if (border_) {
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

}  // namespace controls
