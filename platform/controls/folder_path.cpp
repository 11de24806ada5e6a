#include "folder_path.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <dirent.h>

#include "store_error.h"

namespace controls {

QString cleanFolderPath(const QString& path) {
  return QDir::cleanPath(QDir::current().absoluteFilePath(path.isEmpty() ? QStringLiteral(".") : path));
}

QString requireFolder(const QString& path) {
  const QString clean = cleanFolderPath(path);
  const QFileInfo info(clean);
  if (!info.exists() || !info.isDir()) throw store::StoreError("Path not found");
  if (DIR* dir = ::opendir(QFile::encodeName(clean).constData())) {
    ::closedir(dir);
  } else {
    throw store::StoreError(store::describeErrno(errno));
  }
  return clean;
}

}  // namespace controls
