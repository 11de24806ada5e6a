#include "element.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <cmath>
#include <exception>

#include "control.h"
#include "dialogs/dialog_service.h"
#include "drag_driver.h"
#include "form.h"
#include "key_codes.h"
#include "twips.h"

namespace controls {

namespace {

QHash<const QWidget*, Element*>& registry() {
  static QHash<const QWidget*, Element*> elements;
  return elements;
}

// Pixel positions become twips without the noise of the division a driver
// made when it turned twips into pixels.
QPointF toTwips(QPointF pixels) {
  auto clean = [](double v) { return std::round(pixelsToTwips(v) * 1e4) / 1e4; };
  return {clean(pixels.x()), clean(pixels.y())};
}

// A handler's failure shows its description, as a run-time error would,
// instead of unwinding through Qt's event loop.
template <typename F>
bool guarded(F&& f) {
  try {
    return f();
  } catch (const std::exception& e) {
    platform::dialogs().MsgBox(QString::fromUtf8(e.what()), platform::vbCritical);
  }
  return true;
}

Qt::CursorShape cursorShape(int pointer) {
  switch (pointer) {
    case vbCrosshair: return Qt::CrossCursor;
    case vbIbeam: return Qt::IBeamCursor;
    case vbSizeNESW: return Qt::SizeBDiagCursor;
    case vbSizeNS: return Qt::SizeVerCursor;
    case vbSizeNWSE: return Qt::SizeFDiagCursor;
    case vbSizeWE: return Qt::SizeHorCursor;
    case vbUpArrow: return Qt::UpArrowCursor;
    case vbHourglass: return Qt::WaitCursor;
    case vbNoDrop: return Qt::ForbiddenCursor;
    case vbArrowHourglass: return Qt::BusyCursor;
    case vbArrowQuestion: return Qt::WhatsThisCursor;
    case 5:
    case vbSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

// Turns the Qt events of every element's widgets into the elements' events.
// One filter on the application sees the events before any widget does, so
// a disabled element's widget never acts and a pressed element keeps the
// mouse (its MouseUp) even when its MouseDown handler hid it.
class EventBridge : public QObject {
 public:
  static void ensureInstalled() {
    static EventBridge* bridge = nullptr;
    if (!bridge && qApp) {
      bridge = new EventBridge(qApp);
      qApp->installEventFilter(bridge);
    }
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        if (auto* w = qobject_cast<QWidget*>(object)) return mouse(w, static_cast<QMouseEvent*>(event));
        if (qobject_cast<QWindow*>(object)) return orphanedMouse(static_cast<QMouseEvent*>(event));
        break;
      case QEvent::Hide:
        // Qt forgets the widget that took a press once it is hidden, and
        // then hands the moves and the release to nobody.
        if (pressReceiver_ && object == pressReceiver_) orphaned_ = true;
        break;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        if (auto* w = qobject_cast<QWidget*>(object)) return key(w, static_cast<QKeyEvent*>(event));
        break;
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        if (auto* w = qobject_cast<QWidget*>(object)) return drag(w, static_cast<QDropEvent*>(event));
        break;
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        if (auto* w = qobject_cast<QWidget*>(object)) focus(w, event->type() == QEvent::FocusIn);
        break;
      default: break;
    }
    return false;
  }

 private:
  explicit EventBridge(QObject* parent) : QObject(parent) {}

  static QPointF twipsIn(const Element& element, QWidget* receiver, QPointF local) {
    QWidget* target = element.widget();
    if (receiver == target) return toTwips(local);
    if (target->isAncestorOf(receiver)) return toTwips(receiver->mapTo(target, local));
    if (receiver->isAncestorOf(target)) return toTwips(target->mapFrom(receiver, local));
    return toTwips(target->mapFromGlobal(receiver->mapToGlobal(local)));
  }

  Element* captured() const { return capture_ ? Element::of(capture_) : nullptr; }

  // A press whose widget was hidden by its own MouseDown (a picture button
  // showing its pressed look) still owns the moves and the release: they
  // are taken at the window and given to the element that took the press.
  bool orphanedMouse(QMouseEvent* e) {
    if (!orphaned_) return false;
    const bool held = e->buttons() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    Element* target = captured();
    if (!target || e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick ||
        (e->type() == QEvent::MouseMove && !held)) {
      endCapture();
      return false;
    }
    const QPointF at = toTwips(target->widget()->mapFromGlobal(e->globalPosition()));
    const int shift = shiftState(e->modifiers());
    if (e->type() == QEvent::MouseMove) {
      guarded([&] {
        target->userMove(buttonsCode(e->buttons()), shift, at);
        return true;
      });
      return true;
    }
    if (!held) endCapture();
    release(*target, at, e);
    return true;
  }

  // The release of the press `target` took, at `at` (its twips): a Click
  // when it is let go over the element.
  static bool release(Element& target, QPointF at, QMouseEvent* e) {
    const QRectF area(0, 0, target.Width(), target.Height());
    const bool inside = area.contains(at) && target.acceptsUserInput();
    return guarded(
        [&] { return target.userRelease(buttonCode(e->button()), shiftState(e->modifiers()), at, inside); });
  }

  void endCapture() {
    capture_ = nullptr;
    pressReceiver_ = nullptr;
    orphaned_ = false;
  }

  bool mouse(QWidget* receiver, QMouseEvent* e) {
    Element* element = Element::of(receiver);
    if (!element) return false;
    // Qt hands an ignored mouse event on to the parent widgets; the element
    // that had it has already answered.
    // (The copies carry the timestamp but a rounded global position.)
    if (e->timestamp() == lastTimestamp_ && e->type() == lastType_) return false;
    lastTimestamp_ = e->timestamp();
    lastType_ = e->type();
    const bool took = dispatchMouse(receiver, *element, e);
    // A handler that ran a modal window saw other events meanwhile; this one
    // is still the one its parents must not answer again.
    lastTimestamp_ = e->timestamp();
    lastType_ = e->type();
    return took;
  }

  bool dispatchMouse(QWidget* receiver, Element& elementRef, QMouseEvent* e) {
    Element* element = &elementRef;
    const int shift = shiftState(e->modifiers());
    const int button = buttonCode(e->button());
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        if (!element->acceptsUserInput()) return true;
        capture_ = element->widget();
        pressReceiver_ = receiver;
        orphaned_ = false;
        const QPointF at = twipsIn(*element, receiver, e->position());
        return guarded([&] {
          return e->type() == QEvent::MouseButtonPress ? element->userPress(button, shift, at)
                                                       : element->userDoubleClick(button, shift, at);
        });
      }
      case QEvent::MouseButtonRelease: {
        Element* target = captured() ? captured() : element;
        if (!(e->buttons() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton))) endCapture();
        if (target != element && !target->widget()) return true;
        const bool took = release(*target, twipsIn(*target, receiver, e->position()), e);
        return took || target != element;
      }
      case QEvent::MouseMove: {
        Element* target = (e->buttons() && captured()) ? captured() : element;
        if (target == element && !element->acceptsUserInput()) return true;
        const QPointF at = twipsIn(*target, receiver, e->position());
        guarded([&] {
          target->userMove(buttonsCode(e->buttons()), shift, at);
          return true;
        });
        return target != element;
      }
      default: return false;
    }
  }

  bool key(QWidget* receiver, QKeyEvent* e) {
    Element* element = Element::of(receiver);
    // An ignored key goes on to the parent widgets as the same event.
    if (!element || replacing_ || (e == lastKey_ && e->timestamp() == lastKeyTime_ && e->type() == lastKeyType_))
      return false;
    lastKey_ = e;
    lastKeyTime_ = e->timestamp();
    lastKeyType_ = e->type();
    if (!element->acceptsUserInput()) return true;
    const int shift = shiftState(e->modifiers());
    int code = keyCode(e->key());
    return guarded([&] {
      if (e->type() == QEvent::KeyRelease) {
        if (code && element->KeyUp) element->raise([&] { element->KeyUp(code, shift); });
        return code == 0 && keyCode(e->key()) != 0;
      }
      if (code && element->KeyDown) {
        element->raise([&] { element->KeyDown(code, shift); });
        if (code == 0) return true;
      }
      const QString text = e->text();
      if (text.size() != 1 || !element->KeyPress) return element->userKeyDown(code, shift);
      int ascii = text.at(0).unicode();
      const int typed = ascii;
      element->raise([&] { element->KeyPress(ascii); });
      if (ascii == typed) return element->userKeyDown(code, shift);
      if (ascii != 0) {
        // The handler typed another character in place of this one.
        const QChar replacement(static_cast<char16_t>(ascii));
        QKeyEvent other(QEvent::KeyPress, 0, e->modifiers(), QString(replacement));
        replacing_ = true;
        QApplication::sendEvent(receiver, &other);
        replacing_ = false;
      }
      return true;
    });
  }

  // A drag of one of the program's controls over a window: any element that
  // takes input takes it, and the drop is its DragDrop. Drags of anything
  // else are the widgets' own business.
  static bool drag(QWidget* receiver, QDropEvent* e) {
    Control* source = draggedControl(e->mimeData());
    if (!source) return false;
    // Qt hands the moves and the drop only to a widget that took the enter;
    // each move then tells whether the element under the pointer takes it.
    if (e->type() == QEvent::DragEnter) {
      e->setDropAction(Qt::MoveAction);
      e->accept();
      return true;
    }
    const QPoint at = e->position().toPoint();
    QWidget* under = receiver->childAt(at);
    Element* target = Element::of(under ? under : receiver);
    if (!target || !target->acceptsUserInput()) {
      e->ignore();
      return true;
    }
    e->setDropAction(Qt::MoveAction);
    e->accept();
    if (e->type() == QEvent::Drop) {
      const QPointF twips = twipsIn(*target, receiver, e->position());
      guarded([&] {
        target->userDrop(*source, twips);
        return true;
      });
    }
    return true;
  }

  static void focus(QWidget* receiver, bool in) {
    if (auto* control = dynamic_cast<Control*>(Element::of(receiver)))
      if (control->widget() == receiver || control->widget()->focusProxy() == receiver)
        guarded([&] {
          control->userFocus(in);
          return true;
        });
  }

  QPointer<QWidget> capture_;
  QPointer<QWidget> pressReceiver_;  // the widget Qt gave the press to
  bool orphaned_ = false;            // ... and has forgotten since
  quint64 lastTimestamp_ = 0;
  QEvent::Type lastType_ = QEvent::None;
  const QKeyEvent* lastKey_ = nullptr;
  quint64 lastKeyTime_ = 0;
  QEvent::Type lastKeyType_ = QEvent::None;
  bool replacing_ = false;
};

Element::Element(QString name, QWidget* widget) : name_(std::move(name)), widget_(widget) {
  EventBridge::ensureInstalled();
  registry().insert(widget, this);
  widget->setMouseTracking(true);
  widget->setObjectName(name_);
}

Element::~Element() {
  for (auto it = registry().begin(); it != registry().end();)
    it = it.value() == this ? registry().erase(it) : std::next(it);
  delete widget_.data();
}

Element* Element::of(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    if (Element* e = registry().value(widget)) return e;
    // A window of its own (a pop-up menu, a box, a list's drop-down) is not
    // part of the window it belongs to: its events are its own, even while
    // that window takes no input.
    if (widget->isWindow()) return nullptr;
  }
  return nullptr;
}

void Element::adoptWidget(QWidget* inner) {
  registry().insert(inner, this);
  inner->setMouseTracking(true);
}

void Element::setLeft(double left) {
  left_ = left;
  positionSet_ = true;
  applyGeometry();
}
void Element::setTop(double top) {
  top_ = top;
  positionSet_ = true;
  applyGeometry();
}
void Element::setWidth(double width) {
  width_ = width;
  applyGeometry();
}
void Element::setHeight(double height) {
  height_ = height;
  applyGeometry();
}
void Element::Move(double left, double top) {
  positionSet_ = true;
  left_ = left;
  top_ = top;
  applyGeometry();
}
void Element::Move(double left, double top, double width, double height) {
  positionSet_ = true;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  applyGeometry();
}

void Element::setEnabled(bool enabled) {
  enabled_ = enabled;
  widget_->setEnabled(enabled);
}

void Element::setDefaultColors(OleColor back, OleColor fore) {
  backColor_ = back;
  foreColor_ = fore;
}

void Element::setBackColor(OleColor color) {
  backColor_ = color;
  colorsSet_ = true;
  applyColors();
}

void Element::setForeColor(OleColor color) {
  foreColor_ = color;
  colorsSet_ = true;
  applyColors();
}

void Element::applyColors() {
  if (!colorsSet_) return;
  QPalette palette = widget_->palette();
  palette.setColor(backRole(), toQColor(backColor_));
  palette.setColor(foreRole(), toQColor(foreColor_));
  widget_->setPalette(palette);
  // Under a style sheet (a borderless frame's) a scroll area's viewport no
  // longer follows its parent's palette: it is given the colours itself.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_.data())) area->viewport()->setPalette(palette);
  if (backRole() == QPalette::Window) widget_->setAutoFillBackground(true);
}

QString Element::FontName() const { return widget_->font().family(); }
double Element::FontSize() const { return widget_->font().pointSizeF(); }
bool Element::FontBold() const { return widget_->font().bold(); }
bool Element::FontItalic() const { return widget_->font().italic(); }
bool Element::FontUnderline() const { return widget_->font().underline(); }

void Element::editFont(const std::function<void(QFont&)>& edit) {
  QFont f = widget_->font();
  edit(f);
  widget_->setFont(f);
}

void Element::setFontName(const QString& name) {
  editFont([&](QFont& f) { f.setFamily(name); });
}
void Element::setFontSize(double points) {
  editFont([&](QFont& f) {
    if (points > 0) f.setPointSizeF(points);
  });
}
void Element::setFontBold(bool bold) {
  editFont([&](QFont& f) { f.setBold(bold); });
}
void Element::setFontItalic(bool italic) {
  editFont([&](QFont& f) { f.setItalic(italic); });
}
void Element::setFontUnderline(bool underline) {
  editFont([&](QFont& f) { f.setUnderline(underline); });
}

void Element::setMousePointer(int pointer) {
  mousePointer_ = pointer;
  applyPointer();
}

void Element::setMouseIcon(const Picture& icon) {
  mouseIcon_ = icon;
  applyPointer();
}

void Element::applyPointer() {
  if (mousePointer_ == vbDefault)
    widget_->unsetCursor();
  else if (mousePointer_ == vbCustom && !mouseIcon_.isEmpty())
    widget_->setCursor(QCursor(mouseIcon_.pixmap()));
  else
    widget_->setCursor(cursorShape(mousePointer_));
}

void Element::raise(const std::function<void()>& handler) {
  if (!handler) return;
  Form::HandlerScope scope(form());
  handler();
}

void Element::raiseMouse(const std::function<void(int, int, double, double)>& handler, int button, int shift,
                         QPointF twips) {
  if (!handler) return;
  Form::HandlerScope scope(form());
  handler(button, shift, twips.x(), twips.y());
}

bool Element::userPress(int button, int shift, QPointF twips) {
  pressed_ = true;
  raiseMouse(MouseDown, button, shift, twips);
  return false;
}

bool Element::userRelease(int button, int shift, QPointF twips, bool inside) {
  const bool wasPressed = pressed_;
  pressed_ = false;
  raiseMouse(MouseUp, button, shift, twips);
  if (wasPressed && inside && button == vbLeftButton && clicksOnRelease()) raise(Click);
  return false;
}

bool Element::userKeyDown(int, int) { return false; }

bool Element::userDoubleClick(int button, int shift, QPointF twips) {
  if (!clicksOnRelease()) return userPress(button, shift, twips);
  // The release that follows raises MouseUp but no second Click.
  pressed_ = false;
  if (button == vbLeftButton) raise(DblClick);
  return false;
}

void Element::userMove(int buttons, int shift, QPointF twips) { raiseMouse(MouseMove, buttons, shift, twips); }

void Element::userDrop(Control& source, QPointF twips) {
  if (!DragDrop) return;
  Form::HandlerScope scope(form());
  DragDrop(source, twips.x(), twips.y());
}

QWidget* Element::inputWidgetAt(QPointF twips) const {
  const QPoint px(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
  QWidget* child = widget_->childAt(px);
  // A child that is an element of its own is not this element's surface.
  if (!child || Element::of(child) != this) return widget_;
  return child;
}

bool Element::sendMouse(int type, int button, int buttons, int shift, QPointF twips) {
  static quint64 syntheticTime = 1;
  QWidget* target = inputWidgetAt(twips);
  const QPointF px(twips.x() / kTwipsPerPixel, twips.y() / kTwipsPerPixel);
  const QPointF local = target == widget_ ? px : target->mapFrom(widget_.data(), px);
  const QPointF global = widget_->mapToGlobal(px);
  const Qt::MouseButtons held = qtButtons(buttons);
  QMouseEvent event(static_cast<QEvent::Type>(type), local, local, global,
                    button ? qtButton(button) : Qt::NoButton, held, qtModifiers(shift));
  event.setTimestamp(++syntheticTime);
  QApplication::sendEvent(target, &event);
  return true;
}

bool Element::mouseDown(int button, int shift, double x, double y) {
  if (!acceptsUserInput()) return false;
  return sendMouse(QEvent::MouseButtonPress, button, button, shift, {x, y});
}

bool Element::mouseMove(int button, int shift, double x, double y) {
  if (!acceptsUserInput() && !pressed_) return false;
  return sendMouse(QEvent::MouseMove, 0, button, shift, {x, y});
}

bool Element::mouseUp(int button, int shift, double x, double y) {
  if (!acceptsUserInput() && !pressed_) return false;
  return sendMouse(QEvent::MouseButtonRelease, button, 0, shift, {x, y});
}

bool Element::click() { return click(Width() / 2, Height() / 2); }

bool Element::dblClick() { return dblClick(Width() / 2, Height() / 2); }

bool Element::click(double x, double y) {
  if (!mouseDown(vbLeftButton, 0, x, y)) return false;
  sendMouse(QEvent::MouseButtonRelease, vbLeftButton, 0, 0, {x, y});
  return true;
}

bool Element::dblClick(double x, double y) {
  if (!click(x, y)) return false;
  if (!acceptsUserInput()) return true;
  sendMouse(QEvent::MouseButtonDblClick, vbLeftButton, vbLeftButton, 0, {x, y});
  sendMouse(QEvent::MouseButtonRelease, vbLeftButton, 0, 0, {x, y});
  return true;
}

bool Element::sendKey(int type, int code, int shift, const QString& text) {
  QWidget* target = widget_->focusProxy() ? widget_->focusProxy() : widget_.data();
  QKeyEvent event(static_cast<QEvent::Type>(type), qtKey(code) == Qt::Key_unknown ? 0 : qtKey(code),
                  qtModifiers(shift), text);
  static quint64 syntheticTime = 1;
  event.setTimestamp(++syntheticTime);
  QApplication::sendEvent(target, &event);
  return true;
}

bool Element::pressKey(int code, int shift) {
  if (!acceptsUserInput()) return false;
  const QString text = keyText(code, shift);
  sendKey(QEvent::KeyPress, code, shift, text);
  sendKey(QEvent::KeyRelease, code, shift, text);
  return true;
}

bool Element::type(const QString& text) {
  if (!acceptsUserInput()) return false;
  for (const Keystroke& k : keystrokesOf(text)) {
    sendKey(QEvent::KeyPress, k.keyCode, k.shift, k.text);
    sendKey(QEvent::KeyRelease, k.keyCode, k.shift, k.text);
  }
  return true;
}

}  // namespace controls
