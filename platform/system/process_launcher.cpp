#include "system/process_launcher.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace platform {
namespace {

ProcessLauncher* installedLauncher = nullptr;

}  // namespace

ProcessLauncher& processLauncher() {
  static QtProcessLauncher real;
  return installedLauncher ? *installedLauncher : real;
}

void setProcessLauncher(ProcessLauncher* launcher) { installedLauncher = launcher; }

bool QtProcessLauncher::start(const ProcessStart& what) {
  if (what.program.isEmpty()) return false;
  QProcess process;
  process.setProgram(what.program);
  process.setArguments(what.arguments);
  if (!what.workingDirectory.isEmpty()) process.setWorkingDirectory(what.workingDirectory);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(kWindowStyleVariable), QString::number(static_cast<int>(what.style)));
  for (const QString& entry : what.environment) {
    const qsizetype equals = entry.indexOf('=');
    if (equals > 0) environment.insert(entry.left(equals), entry.mid(equals + 1));
  }
  process.setProcessEnvironment(environment);
  // No standard input for the child; its output and errors go where ours go.
  process.setStandardInputFile(QProcess::nullDevice());
  return process.startDetached();
}

std::optional<WindowStyle> windowStyleHint() {
  const QByteArray value = qgetenv(kWindowStyleVariable).trimmed();
  if (value.isEmpty()) return std::nullopt;
  bool ok = false;
  const int number = value.toInt(&ok);
  if (!ok || number < static_cast<int>(WindowStyle::Hidden) || number > static_cast<int>(WindowStyle::NormalNoFocus))
    return std::nullopt;
  return static_cast<WindowStyle>(number);
}

bool openWithDesktop(const QString& target, WindowStyle style) {
  ProcessStart start;
  start.program = QStringLiteral("xdg-open");
  start.arguments = QStringList{target};
  start.style = style;
  return processLauncher().start(start);
}

}  // namespace platform
