#pragma once
// Showing a program's first window the way the program that started it asked
// (QUENDREL_WINDOW_STYLE, see process_launcher.h).

#include "system/process_launcher.h"

class QWidget;

namespace platform {

// Shows `window` by `style`: Hidden leaves it hidden, Normal shows it,
// Minimized and Maximized show it so, NormalNoFocus shows it without taking
// the focus.
void showWithStyle(QWidget& window, WindowStyle style);

// Shows `window` by windowStyleHint(), or normally when there is none.
void showAsStarted(QWidget& window);

}  // namespace platform
