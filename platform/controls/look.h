#pragma once
// The programs' common look: one style, palette and font for every window,
// set once at start-up before the first window is made. Windows build on it
// with their own BackColor, ForeColor and fonts.

class QApplication;

namespace controls {

// The light grey of dialog windows (&HE0E0E0).
inline constexpr unsigned kDialogGrey = 0xE0E0E0;

void applyLook(QApplication& app);

}  // namespace controls
