#include "collection_files.h"

#include <filesystem>

#include "pack_file.h"
#include "system/file_services.h"

namespace player {

std::string collectionFile(const std::string& root, const std::string& name) {
  if (!store::isPlainFileName(name)) return {};
  const auto found = platform::findNoCase(root, name);
  if (!found) return {};
  std::error_code ec;
  return std::filesystem::is_regular_file(root + *found, ec) ? root + *found : std::string();
}

}  // namespace player
