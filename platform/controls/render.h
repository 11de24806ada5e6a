#pragma once
// Renders a window, as it would be drawn on the screen, into a PNG file, so
// that a window can be looked at from a test without a display.

#include <QString>

namespace controls {

class Form;

// False when the file could not be written.
bool renderToPng(Form& form, const QString& path);

}  // namespace controls
