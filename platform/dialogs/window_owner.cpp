#include "dialogs/window_owner.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace platform {
namespace {

bool onScreen(const QWindow* window, const QWindow* except) {
  if (!window || window == except || !window->isVisible()) return false;
  if (window->windowStates() & Qt::WindowMinimized) return false;
  switch (window->type()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::Desktop: return false;
    default: return true;
  }
}

}  // namespace

QWindow* ownerWindow(const QWindow* except) {
  if (QWindow* modal = QGuiApplication::modalWindow(); onScreen(modal, except)) return modal;
  if (QWindow* active = QGuiApplication::focusWindow(); onScreen(active, except)) return active;
  for (QWindow* window : QGuiApplication::topLevelWindows())
    if (onScreen(window, except)) return window;
  return nullptr;
}

void setOwnerWindow(QWidget& window, QWindow* owner) {
  if (!owner && !window.windowHandle()) return;
  window.winId();  // the native window the transient parent is set on
  if (QWindow* handle = window.windowHandle(); handle && handle != owner) handle->setTransientParent(owner);
}

void centreOver(QWidget& window, const QWindow& owner) {
  const QRect frame = owner.frameGeometry();
  QRect placed(QPoint(0, 0), window.frameGeometry().size());
  placed.moveCenter(frame.center());
  if (const QScreen* screen = owner.screen()) {
    const QRect area = screen->availableGeometry();
    placed.moveLeft(std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() - placed.width() + 1)));
    placed.moveTop(std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() - placed.height() + 1)));
  }
  window.move(placed.topLeft());
}

}  // namespace platform
