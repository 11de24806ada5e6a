#include "system/unchangeable_folder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <system_error>
#include <utility>

namespace platform {
namespace fs = std::filesystem;
namespace {

// Sets or clears the immutable flag of `folder`; true when it now has `on`.
bool setImmutable(const fs::path& folder, bool on) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return done;
}

}  // namespace

UnchangeableFolder::UnchangeableFolder(fs::path folder) : folder_(std::move(folder)) {
  immutable_ = setImmutable(folder_, true);
  if (immutable_) return;
  std::error_code ec;
  perms_ = fs::status(folder_, ec).permissions();
  fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, ec);
}

UnchangeableFolder::~UnchangeableFolder() {
  if (immutable_) {
    setImmutable(folder_, false);
    return;
  }
  std::error_code ec;
  fs::permissions(folder_, perms_, fs::perm_options::replace, ec);
}

bool UnchangeableFolder::holds() const {
  const fs::path probe = folder_ / ".unchangeable-probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return true;
  ::close(fd);
  ::unlink(probe.c_str());
  return false;
}

}  // namespace platform
