#include "private_temp_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace player {
namespace {

namespace fs = std::filesystem;

// The folders of this process's runs that exist, without their final "/".
struct LiveFolders {
  std::mutex mutex;
  std::vector<std::string> paths;
};

LiveFolders& liveFolders() {
  static LiveFolders folders;
  return folders;
}

// Everything but the lock file first, the lock file last: a removal cut
// short, or one that cannot remove everything, leaves a folder that a later
// start still knows for a run's that has ended.
void removeRunFolderAt(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> entries;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
    if (it->path().filename() != kRunFolderLockName) entries.push_back(it->path());
  if (ec) return;
  bool emptied = true;
  for (const fs::path& entry : entries) {
    std::error_code removeError;
    fs::remove_all(entry, removeError);
    emptied = emptied && !removeError;
  }
  if (!emptied) return;
  fs::remove(folder / kRunFolderLockName, ec);
  fs::remove(folder, ec);
}

// The lock file of a new run's folder, held; -1 when the file system keeps
// no locks (the folder then simply has none). The file takes its name only
// once it is locked, so that a player starting meanwhile never finds it free.
int lockRunFolder(const std::string& folder) {
  std::string draft = folder + "/" + kRunFolderLockName + ".XXXXXX";
  const int fd = ::mkostemp(draft.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::rename(draft.c_str(), (folder + "/" + kRunFolderLockName).c_str()) == 0)
    return fd;
  ::unlink(draft.c_str());
  ::close(fd);
  return -1;
}

// Whether `folder` is the folder of a run that has ended: a real folder of
// this user's, holding a lock file of this user's that nobody holds. While
// it answers true its lock is held in `lock`, to be closed by the caller.
bool isEndedRunsFolder(const fs::path& folder, int& lock) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return false;
  struct stat st{};
  bool ended = false;
  if (::fstat(dir, &st) == 0 && st.st_uid == ::geteuid()) {
    lock = ::openat(dir, kRunFolderLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    ended = lock >= 0 && ::fstat(lock, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(lock, LOCK_EX | LOCK_NB) == 0;
    if (!ended && lock >= 0) ::close(lock);
  }
  ::close(dir);
  return ended;
}

void removeEndedRunsFolders(const std::string& parent) {
  std::error_code ec;
  std::vector<fs::path> candidates;
  for (auto it = fs::directory_iterator(parent, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
    if (it->path().filename().string().starts_with(kRunFolderPrefix)) candidates.push_back(it->path());
  for (const fs::path& folder : candidates) {
    int lock = -1;
    if (!isEndedRunsFolder(folder, lock)) continue;
    // Held while the folder goes: another player starting now leaves it be.
    removeRunFolderAt(folder);
    ::close(lock);
  }
}

}  // namespace

std::optional<std::string> RunFolder::make(const std::string& parent) {
  if (path_) return path_;
  if (parent.empty()) return std::nullopt;
  std::string folder = parent;
  if (folder.back() != '/') folder += '/';
  removeEndedRunsFolders(folder);
  folder += std::string(kRunFolderPrefix) + "XXXXXX";
  const auto hold = holdRunFolders();
  if (!::mkdtemp(folder.data())) return std::nullopt;
  lockFile_ = lockRunFolder(folder);
  liveFolders().paths.push_back(folder);
  path_ = folder + '/';
  return path_;
}

std::optional<std::string> RunFolder::makeSubfolder(const std::string& parent, const std::string& name) {
  const auto folder = make(parent);
  if (!folder || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  // Only this user can write in the run's folder: what is there already was made by this run.
  const std::string path = *folder + name;
  const auto hold = holdRunFolders();
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  struct stat st{};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return path + '/';
}

void RunFolder::remove() {
  if (!path_) return;
  const std::string folder = path_->substr(0, path_->size() - 1);
  {
    const auto hold = holdRunFolders();
    removeRunFolderAt(folder);
    std::erase(liveFolders().paths, folder);
  }
  if (lockFile_ >= 0) ::close(lockFile_);
  lockFile_ = -1;
  path_.reset();
}

std::unique_lock<std::mutex> holdRunFolders() { return std::unique_lock(liveFolders().mutex); }

void removeRunFoldersForGood() {
  LiveFolders& live = liveFolders();
  // Never unlocked: the process ends with it held.
  live.mutex.lock();
  for (const std::string& folder : live.paths) removeRunFolderAt(folder);
}

}  // namespace player
