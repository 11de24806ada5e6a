#include "path_functions.h"

#include "path_helpers.h"

namespace player {

void AddDirSep(std::string& path) { store::AddDirSep(path); }

std::string StringFromBuffer(std::string_view buffer) { return store::StringFromBuffer(buffer); }

std::string GetWindowsSysDir() { return store::GetWindowsSysDir(); }

std::string collectionRootOf(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

QString lastComponent(QString path) {
  while (path.endsWith('/') && path.size() > 1) path.chop(1);
  return path.mid(path.lastIndexOf('/') + 1);
}

}  // namespace player
