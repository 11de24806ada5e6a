#pragma once
// A real user's mouse and keyboard for the window tests. The events enter at
// the top-level window, as the window system hands them to Qt, and Qt picks
// the receiver: the widget under the pointer for a press, the widget that
// took the press (or nobody) for moves with a button held and the release,
// the focus widget for keys. The element drivers (Element::click() and the
// rest) send straight to one widget and cannot show a fault of that road.
//
//     controls::WindowInput user(form5);
//     user.clickOn(form5.Image13);          // press and release in its middle
//     user.pressAt({7000, 120});            // twips in the client area
//     user.releaseAt({7000, 120});
//     user.key(vbKeyReturn);                // to whatever has the focus
//
// Each call returns false when the window is not on the screen (not shown,
// minimised), where a user could not have done it. Any top-level widget
// serves (a message box too); the element helpers need a form's elements.

#include <QMimeData>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <QString>

#include "element.h"
#include "form.h"
#include "key_codes.h"
#include "list_control.h"

namespace controls {

class WindowInput {
 public:
  explicit WindowInput(Form& form) : window_(form.widget()) {}
  explicit WindowInput(QWidget* window) : window_(window) {}

  // Points are twips in the window's client area.
  bool pressAt(QPointF at, int button = vbLeftButton, int shift = 0);
  bool releaseAt(QPointF at, int button = vbLeftButton, int shift = 0);
  // The pointer moves to `at`, with the buttons pressed so far still held.
  bool moveTo(QPointF at, int shift = 0);
  bool clickAt(QPointF at, int button = vbLeftButton, int shift = 0);
  bool dblClickAt(QPointF at);

  // The middle of an element of this window, in the window's client area.
  QPointF middleOf(const Element& element) const;
  // A point given in an element's own twips, in the window's client area.
  QPointF pointIn(const Element& element, QPointF at) const;
  // The middle of entry `index` of a list of this window, scrolled into
  // sight first, in the window's client area.
  QPointF entryOf(const ListControl& list, int index) const;
  bool pressOn(const Element& element, int button = vbLeftButton) { return pressAt(middleOf(element), button); }
  bool releaseOn(const Element& element, int button = vbLeftButton) {
    return releaseAt(middleOf(element), button);
  }
  bool clickOn(const Element& element, int button = vbLeftButton) { return clickAt(middleOf(element), button); }
  bool dblClickOn(const Element& element) { return dblClickAt(middleOf(element)); }

  // A drag carrying `data` comes over the window to `at`: its enter the
  // first time, then a move, as the window system delivers them while the
  // button is held. True when what lies there would take the drop.
  bool dragOver(QPointF at, const QMimeData& data, int shift = 0);
  // ... and is let go at `at`: the drop when what lies there takes it (true),
  // the drag's leave when not.
  bool dropAt(QPointF at, const QMimeData& data, int shift = 0);

  // A key pressed and released (with its character, when it types one).
  bool key(int keyCode, int shift = 0);
  // The Enter key of the numeric keypad, pressed and released.
  bool keypadEnter();
  // A key held down while the keyboard repeats it `repeats` times, then let
  // go; each repeat comes as the window system delivers it, a release and a
  // press both marked as repeated.
  bool holdKey(int keyCode, int repeats, int shift = 0);
  // Each character as typed on the keyboard.
  bool type(const QString& text);

 private:
  bool reachable() const;
  // The buttons a drag goes with: those held, else the left one.
  Qt::MouseButtons dragButtons() const { return qtButtons(held_ ? held_ : vbLeftButton); }
  bool pressAgainAt(QPointF at, int button = vbLeftButton, int shift = 0);
  void sendMouse(int type, QPointF at, int button, int shift);
  void sendKey(int type, int keyCode, int shift, const QString& text, bool repeated = false);
  void sendQtKey(int type, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text, bool repeated);

  QPointer<QWidget> window_;
  int held_ = 0;  // buttons held, as vbLeftButton | vbRightButton | ...
  bool dragInside_ = false;  // a drag has entered the window and not yet left
  bool dragTaken_ = false;   // ... and the last move over it was taken
};

}  // namespace controls
