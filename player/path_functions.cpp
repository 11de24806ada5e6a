#include "path_functions.h"

namespace player {

std::string collectionRootOf(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

QString lastComponent(QString path) {
  while (path.endsWith('/') && path.size() > 1) path.chop(1);
  return path.mid(path.lastIndexOf('/') + 1);
}

}  // namespace player
