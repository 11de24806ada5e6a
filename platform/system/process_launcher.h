#pragma once
// Starting other programs. The programs never wait for what they start; tests
// install a recording launcher instead of starting anything.

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

namespace platform {

// Window styles the programs pass when they start a program; the started
// programs read the hint from QUENDREL_WINDOW_STYLE and honour it.
enum class WindowStyle : int { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3, NormalNoFocus = 4 };

struct ProcessStart {
  QString program;           // full path, or a name looked up on PATH
  QStringList arguments;     // passed as they are, never through a shell
  QString workingDirectory;  // empty: the caller's current folder
  WindowStyle style = WindowStyle::Normal;
  QStringList environment;   // "NAME=value" entries added to the caller's environment
  // When set, called once from the event loop when the started program has
  // ended: true when it ended by itself with exit status 0. Never called for
  // a program that did not start (start() answers that), nor once the
  // program that started it is closing down.
  std::function<void(bool succeeded)> ended;
};

// Set by Setup for the player it starts after an install that failed: the
// support files are still missing, and the player plays without starting
// Setup again (each would start the other without end).
inline constexpr const char* kInstallTriedVariable = "QUENDREL_INSTALL_TRIED";

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

// The real launcher: QProcess::startDetached (the child is reaped by the
// system), no shell; the working folder is set when one is given; the window
// style goes to the child as QUENDREL_WINDOW_STYLE (its number), beside the
// rest of this process's environment. A start with `ended` stays this
// process's child, watched from the event loop, with its output and errors
// where ours go.
class QtProcessLauncher : public ProcessLauncher {
 public:
  bool start(const ProcessStart& what) override;
};

// The name of the environment variable that carries the window style.
inline constexpr const char* kWindowStyleVariable = "QUENDREL_WINDOW_STYLE";

// The window style this program was started with (QUENDREL_WINDOW_STYLE);
// empty when it is not set or is not one of the styles' numbers.
std::optional<WindowStyle> windowStyleHint();

// Opens a folder, a file or a web address (the preview's folder, the web
// links) with the desktop's program for it: starts `xdg-open` with `target`
// as its one argument through the installed launcher. False when it could not
// be started. `ended`, when given, learns later whether xdg-open found a
// program that took the target (it fails when none could).
bool openWithDesktop(const QString& target, WindowStyle style, std::function<void(bool succeeded)> ended = {});

}  // namespace platform
