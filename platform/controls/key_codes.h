#pragma once
// Key codes of the KeyDown and KeyUp events (the windows compare them with
// 13 for Enter, 32 for the space bar, 114 for F3) and the Shift argument.

#include <QString>
#include <Qt>
#include <vector>

class QKeyEvent;

namespace controls {

inline constexpr int vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyEscape = 27, vbKeySpace = 32,
                     vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyDelete = 46,
                     vbKeyF1 = 112, vbKeyF3 = 114;

// Shift argument of mouse and key events: 1 Shift, 2 Ctrl, 4 Alt, combined.
inline constexpr int vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4;
// Button argument of mouse events: 1 left, 2 right, 4 middle.
inline constexpr int vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4;

int shiftState(Qt::KeyboardModifiers modifiers);
int buttonCode(Qt::MouseButton button);
int buttonsCode(Qt::MouseButtons buttons);
Qt::MouseButton qtButton(int buttonCode);
// The Qt buttons of a Button argument that may hold several.
Qt::MouseButtons qtButtons(int buttonsCode);
Qt::KeyboardModifiers qtModifiers(int shift);

// The key code of a Qt key (0 when the key has none).
int keyCode(int qtKey);
// The Qt key of a key code (Qt::Key_unknown when there is none).
int qtKey(int keyCode);
// The character a key types on its own (with Shift for letters), or "".
QString keyText(int keyCode, int shift);

// One key as typed: its code (0 for a character without one), Shift, and
// the character it types.
struct Keystroke {
  int keyCode;
  int shift;
  QString text;
};
// The keystrokes that type `text` (a line break is the Enter key).
std::vector<Keystroke> keystrokesOf(const QString& text);

}  // namespace controls
