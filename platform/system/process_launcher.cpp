#include "system/process_launcher.h"

#include <QCoreApplication>
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
  const auto prepare = [&what](QProcess& process) {
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
    process.setProcessChannelMode(QProcess::ForwardedChannels);
  };
  if (!what.ended) {
    QProcess process;
    prepare(process);
    return process.startDetached();
  }
  // Owned by the application, so that a child still running when it closes
  // goes with it rather than outlive its watcher.
  auto* process = new QProcess(QCoreApplication::instance());
  prepare(*process);
  QObject::connect(process, &QProcess::finished, process,
                   [process, ended = what.ended](int exitCode, QProcess::ExitStatus status) {
                     process->deleteLater();
                     if (!QCoreApplication::closingDown()) ended(status == QProcess::NormalExit && exitCode == 0);
                   });
  process->start();
  if (!process->waitForStarted()) {
    delete process;
    return false;
  }
  return true;
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

bool openWithDesktop(const QString& target, WindowStyle style, std::function<void(bool succeeded)> ended) {
  ProcessStart start;
  start.program = QStringLiteral("xdg-open");
  start.arguments = QStringList{target};
  start.style = style;
  start.ended = std::move(ended);
  return processLauncher().start(start);
}

}  // namespace platform
