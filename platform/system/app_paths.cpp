#include "system/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>

namespace platform {
namespace {

QString overriddenAppPath;

QString withoutEndSlash(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

}  // namespace

QString appPath() {
  if (!overriddenAppPath.isEmpty()) return overriddenAppPath;
  if (QCoreApplication::instance()) return withoutEndSlash(QCoreApplication::applicationDirPath());
  // No application object yet: the kernel knows the executable.
  const QFileInfo exe(QStringLiteral("/proc/self/exe"));
  return withoutEndSlash(QFileInfo(exe.symLinkTarget()).absolutePath());
}

void setAppPath(const QString& path) { overriddenAppPath = path.isEmpty() ? QString() : withoutEndSlash(path); }

QString tempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  QString folder = tmpdir && *tmpdir ? QString::fromLocal8Bit(tmpdir) : QStringLiteral("/tmp");
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

}  // namespace platform
