#include "window_input.h"

#include <QListWidget>

#include <QDropEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#include "key_codes.h"
#include "twips.h"

// What the window system integration calls for every mouse and key event of
// a window; exported by Qt GUI for tests, declared here so that the tests
// need no test-library internals.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);
QT_END_NAMESPACE

namespace controls {

namespace {

// One clock for every window's events: Qt makes a double click of two
// presses that come close together in time, so separate clicks are kept
// apart by more than the double-click interval.
int& eventTime() {
  static int time = 1000;
  return time;
}

// A real pointer is on a whole pixel.
QPoint pixelAt(QPointF twips) { return {qRound(twips.x() / kTwipsPerPixel), qRound(twips.y() / kTwipsPerPixel)}; }

void pastDoubleClickTime() { eventTime() += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100; }

}  // namespace

bool WindowInput::reachable() const {
  QWidget* w = window_;
  return w && w->isVisible() && w->windowHandle() && !(w->windowState() & Qt::WindowMinimized);
}

QPointF WindowInput::pointIn(const Element& element, QPointF at) const {
  const QPointF px(at.x() / kTwipsPerPixel, at.y() / kTwipsPerPixel);
  QWidget* top = window_;
  const QPointF inWindow = element.widget() == top ? px : QPointF(element.widget()->mapTo(top, QPoint(0, 0))) + px;
  return {pixelsToTwips(inWindow.x()), pixelsToTwips(inWindow.y())};
}

QPointF WindowInput::entryOf(const ListControl& list, int index) const {
  auto* widget = static_cast<QListWidget*>(list.widget());
  QListWidgetItem* item = widget->item(index);
  if (!item) return {};
  widget->scrollToItem(item);
  const QPoint centre = widget->viewport()->mapTo(window_, widget->visualItemRect(item).center());
  return {pixelsToTwips(centre.x()), pixelsToTwips(centre.y())};
}

QPointF WindowInput::middleOf(const Element& element) const {
  return pointIn(element, {element.Width() / 2, element.Height() / 2});
}

void WindowInput::sendMouse(int type, QPointF at, int button, int shift) {
  QWindow* window = window_->windowHandle();
  const QPointF local = pixelAt(at);
  const QPointF global = window->mapToGlobal(local);
  qt_handleMouseEvent(window, local, global, qtButtons(held_), button ? qtButton(button) : Qt::NoButton,
                      static_cast<QEvent::Type>(type), qtModifiers(shift), ++eventTime());
}

bool WindowInput::pressAt(QPointF at, int button, int shift) {
  // A press of its own: not the second half of a double click.
  pastDoubleClickTime();
  return pressAgainAt(at, button, shift);
}

bool WindowInput::pressAgainAt(QPointF at, int button, int shift) {
  if (!reachable()) return false;
  held_ |= button;
  sendMouse(QEvent::MouseButtonPress, at, button, shift);
  return true;
}

bool WindowInput::releaseAt(QPointF at, int button, int shift) {
  if (!reachable() && !held_) return false;
  held_ &= ~button;
  // The window may have gone meanwhile; the release still belongs to it.
  if (window_ && window_->windowHandle()) sendMouse(QEvent::MouseButtonRelease, at, button, shift);
  return true;
}

bool WindowInput::moveTo(QPointF at, int shift) {
  if (!reachable() && !held_) return false;
  if (window_ && window_->windowHandle()) sendMouse(QEvent::MouseMove, at, 0, shift);
  return true;
}

bool WindowInput::clickAt(QPointF at, int button, int shift) {
  if (!pressAt(at, button, shift)) return false;
  releaseAt(at, button, shift);
  return true;
}

bool WindowInput::dblClickAt(QPointF at) {
  if (!pressAt(at)) return false;
  releaseAt(at);
  // The second press, close in time, is what Qt turns into a double click.
  if (pressAgainAt(at)) releaseAt(at);
  return true;
}

bool WindowInput::dragOver(QPointF at, const QMimeData& data, int shift) {
  if (!reachable()) return false;
  QWindow* window = window_->windowHandle();
  const QPoint local = pixelAt(at);
  const Qt::DropActions actions = Qt::MoveAction;
  const Qt::MouseButtons buttons = dragButtons();
  const Qt::KeyboardModifiers modifiers = qtModifiers(shift);
  if (!dragInside_) {
    QDragEnterEvent enter(local, actions, &data, buttons, modifiers);
    QCoreApplication::sendEvent(window, &enter);
    dragInside_ = true;
    dragTaken_ = enter.isAccepted();
  }
  // Each move starts from the answer to the one before, as Qt's own do.
  QDragMoveEvent move(local, actions, &data, buttons, modifiers);
  if (dragTaken_) {
    move.setDropAction(Qt::MoveAction);
    move.accept();
  }
  QCoreApplication::sendEvent(window, &move);
  dragTaken_ = move.isAccepted();
  return dragTaken_;
}

bool WindowInput::dropAt(QPointF at, const QMimeData& data, int shift) {
  if (!dragOver(at, data, shift)) {
    if (dragInside_ && window_ && window_->windowHandle()) {
      QDragLeaveEvent leave;
      QCoreApplication::sendEvent(window_->windowHandle(), &leave);
    }
    dragInside_ = false;
    return false;
  }
  QDropEvent drop(QPointF(pixelAt(at)), Qt::MoveAction, &data, dragButtons(), qtModifiers(shift));
  QCoreApplication::sendEvent(window_->windowHandle(), &drop);
  dragInside_ = false;
  return drop.isAccepted();
}

void WindowInput::sendQtKey(int type, int key, Qt::KeyboardModifiers modifiers, const QString& text,
                            bool repeated) {
  qt_handleKeyEvent(window_->windowHandle(), static_cast<QEvent::Type>(type), key, modifiers, text, repeated, 1);
}

void WindowInput::sendKey(int type, int keyCode, int shift, const QString& text, bool repeated) {
  const int key = qtKey(keyCode) == Qt::Key_unknown ? 0 : qtKey(keyCode);
  sendQtKey(type, key, qtModifiers(shift), text, repeated);
}

bool WindowInput::key(int keyCode, int shift) {
  if (!reachable()) return false;
  const QString text = keyText(keyCode, shift);
  sendKey(QEvent::KeyPress, keyCode, shift, text);
  if (reachable()) sendKey(QEvent::KeyRelease, keyCode, shift, text);
  return true;
}

bool WindowInput::keypadEnter() {
  if (!reachable()) return false;
  const QString text = keyText(vbKeyReturn, 0);
  sendQtKey(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, text, false);
  if (reachable()) sendQtKey(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier, text, false);
  return true;
}

bool WindowInput::holdKey(int keyCode, int repeats, int shift) {
  if (!reachable()) return false;
  const QString text = keyText(keyCode, shift);
  sendKey(QEvent::KeyPress, keyCode, shift, text);
  for (int i = 0; i < repeats && reachable(); ++i) {
    sendKey(QEvent::KeyRelease, keyCode, shift, text, true);
    sendKey(QEvent::KeyPress, keyCode, shift, text, true);
  }
  if (reachable()) sendKey(QEvent::KeyRelease, keyCode, shift, text);
  return true;
}

bool WindowInput::type(const QString& text) {
  if (!reachable()) return false;
  for (const Keystroke& k : keystrokesOf(text)) {
    sendKey(QEvent::KeyPress, k.keyCode, k.shift, k.text);
    sendKey(QEvent::KeyRelease, k.keyCode, k.shift, k.text);
  }
  return true;
}

}  // namespace controls
