#pragma once
// The programs' common look: one style, palette and font for every window,
// set once at start-up before the first window is made. Windows build on it
// with their own BackColor, ForeColor and fonts.

class QApplication;

namespace controls {

class Form;
class Shape;

// The light grey of dialog windows (&HE0E0E0).
inline constexpr unsigned kDialogGrey = 0xE0E0E0;

void applyLook(QApplication& app);

// The design of the programs' small borderless panels (the message window,
// the progress window): `width` x `height` twips of dialog grey, framed just
// inside its edge by `frame`, a dark blue line.
void designFramedPanel(Form& window, Shape& frame, double width, double height);

}  // namespace controls
