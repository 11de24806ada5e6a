#include "key_codes.h"

#include <array>
#include <utility>

namespace controls {

int shiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? vbShiftMask : 0) | (modifiers & Qt::ControlModifier ? vbCtrlMask : 0) |
         (modifiers & Qt::AltModifier ? vbAltMask : 0);
}

Qt::KeyboardModifiers qtModifiers(int shift) {
  Qt::KeyboardModifiers m;
  if (shift & vbShiftMask) m |= Qt::ShiftModifier;
  if (shift & vbCtrlMask) m |= Qt::ControlModifier;
  if (shift & vbAltMask) m |= Qt::AltModifier;
  return m;
}

int buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
  }
}

int buttonsCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? vbLeftButton : 0) | (buttons & Qt::RightButton ? vbRightButton : 0) |
         (buttons & Qt::MiddleButton ? vbMiddleButton : 0);
}

Qt::MouseButtons qtButtons(int codes) {
  Qt::MouseButtons buttons;
  if (codes & vbLeftButton) buttons |= Qt::LeftButton;
  if (codes & vbRightButton) buttons |= Qt::RightButton;
  if (codes & vbMiddleButton) buttons |= Qt::MiddleButton;
  return buttons;
}

Qt::MouseButton qtButton(int code) {
  switch (code) {
    case vbRightButton: return Qt::RightButton;
    case vbMiddleButton: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

namespace {

constexpr std::array<std::pair<int, int>, 24> kNamedKeys{{
    {Qt::Key_Backspace, vbKeyBack}, {Qt::Key_Tab, vbKeyTab},     {Qt::Key_Return, vbKeyReturn},
    {Qt::Key_Enter, vbKeyReturn},   {Qt::Key_Escape, vbKeyEscape}, {Qt::Key_Space, vbKeySpace},
    {Qt::Key_PageUp, 33},           {Qt::Key_PageDown, 34},      {Qt::Key_End, 35},
    {Qt::Key_Home, 36},             {Qt::Key_Left, vbKeyLeft},   {Qt::Key_Up, vbKeyUp},
    {Qt::Key_Right, vbKeyRight},    {Qt::Key_Down, vbKeyDown},   {Qt::Key_Insert, 45},
    {Qt::Key_Delete, vbKeyDelete},  {Qt::Key_Shift, 16},         {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},              {Qt::Key_Pause, 19},         {Qt::Key_CapsLock, 20},
    {Qt::Key_Print, 44},            {Qt::Key_NumLock, 144},      {Qt::Key_ScrollLock, 145},
}};

}  // namespace

int keyCode(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vbKeyF1 + (key - Qt::Key_F1);
  for (auto [qt, code] : kNamedKeys)
    if (qt == key) return code;
  return 0;
}

int qtKey(int code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
  if (code >= vbKeyF1 && code < vbKeyF1 + 24) return Qt::Key_F1 + (code - vbKeyF1);
  for (auto [qt, named] : kNamedKeys)
    if (named == code) return qt;
  return Qt::Key_unknown;
}

QString keyText(int code, int shift) {
  if (code == vbKeyReturn) return "\r";
  if (code == vbKeyBack) return "\b";
  if (code == vbKeyEscape) return QString(QChar(27));
  if (code == vbKeyTab) return "\t";
  if (code == vbKeySpace || (code >= '0' && code <= '9')) return QString(QChar(code));
  if (code >= 'A' && code <= 'Z') return QString(QChar(shift & vbShiftMask ? code : code + 32));
  return {};
}

std::vector<Keystroke> keystrokesOf(const QString& text) {
  std::vector<Keystroke> keys;
  for (QChar c : text) {
    if (c == '\n' || c == '\r') {
      keys.push_back({vbKeyReturn, 0, keyText(vbKeyReturn, 0)});
      continue;
    }
    const QChar upper = c.toUpper();
    int code = 0;
    if ((upper >= 'A' && upper <= 'Z') || (c >= '0' && c <= '9') || c == ' ') code = upper.unicode();
    keys.push_back({code, c.isUpper() ? vbShiftMask : 0, QString(c)});
  }
  return keys;
}

}  // namespace controls
