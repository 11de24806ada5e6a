#pragma once
// Starting other programs. The programs never wait for what they start; tests
// install a recording launcher instead of starting anything.

#include <QString>
#include <QStringList>

namespace platform {

// Window styles the original programs pass when they start a program; our own
// programs read the hint from QUENDREL_WINDOW_STYLE and honour it.
enum class WindowStyle : int { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3, NormalNoFocus = 4 };

struct ProcessStart {
  QString program;           // full path, or a name looked up on PATH
  QStringList arguments;     // passed as they are, never through a shell
  QString workingDirectory;  // empty: the caller's current folder
  WindowStyle style = WindowStyle::Normal;
};

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts the program without waiting for it (the child is reaped when it
  // ends). False when it could not be started.
  virtual bool start(const ProcessStart& what) = 0;
};

// The installed launcher; without one, the real one.
ProcessLauncher& processLauncher();
void setProcessLauncher(ProcessLauncher* launcher);

}  // namespace platform
