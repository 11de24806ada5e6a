#include "system/app_paths.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

QString overriddenAppPath;

// The folder the program was started in, taken before main() can change it:
// a relative start path means a path from there.
const fs::path startFolder = [] {
  std::error_code ec;
  fs::path folder = fs::current_path(ec);
  return ec ? fs::path() : folder;
}();

QString withoutEndSlash(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

// The path the program was started by, as its starter gave it (argv[0]).
std::string startPath() {
  std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
  std::string first;
  std::getline(cmdline, first, '\0');
  return first;
}

// The folder of the path the program was started by, so that a link to the
// program in a collection folder stands for that folder, as a copy of the
// program would. A bare name was looked up on PATH, which leaves no trace of
// the folder, and a start path that does not lead to this very program
// proves nothing: then the executable's own folder serves.
fs::path startedFromFolder() {
  std::error_code ec;
  const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  const std::string started = startPath();
  if (started.find('/') != std::string::npos) {
    const fs::path absolute = (fs::path(started).is_absolute() ? fs::path(started) : startFolder / started).lexically_normal();
    if (!ec && fs::equivalent(absolute, executable, ec) && !ec) return absolute.parent_path();
  }
  return executable.parent_path();
}

}  // namespace

QString appPath() {
  if (!overriddenAppPath.isEmpty()) return overriddenAppPath;
  static const QString started = [] {
    const fs::path folder = startedFromFolder();
    if (folder.empty() && QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFile::decodeName(QByteArray::fromStdString(folder.string()));
  }();
  return withoutEndSlash(started);
}

void setAppPath(const QString& path) { overriddenAppPath = path.isEmpty() ? QString() : withoutEndSlash(path); }

QString tempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  QString folder = tmpdir && *tmpdir ? QString::fromLocal8Bit(tmpdir) : QStringLiteral("/tmp");
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

}  // namespace platform
