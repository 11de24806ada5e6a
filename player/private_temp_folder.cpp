#include "private_temp_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace player {

std::optional<std::string> RunFolder::make(const std::string& parent) {
  if (path_) return path_;
  if (parent.empty()) return std::nullopt;
  std::string folder = parent;
  if (folder.back() != '/') folder += '/';
  folder += std::string(kRunFolderPrefix) + "XXXXXX";
  if (!::mkdtemp(folder.data())) return std::nullopt;
  path_ = folder + '/';
  return path_;
}

std::optional<std::string> RunFolder::makeSubfolder(const std::string& parent, const std::string& name) {
  const auto folder = make(parent);
  if (!folder || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  // Only this user can write in the run's folder: what is there already was made by this run.
  const std::string path = *folder + name;
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  struct stat st{};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return path + '/';
}

void RunFolder::remove() {
  if (!path_) return;
  std::error_code ec;
  std::filesystem::remove_all(path_->substr(0, path_->size() - 1), ec);
  path_.reset();
}

}  // namespace player
