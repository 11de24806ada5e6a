#include "private_temp_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace player {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

}  // namespace

std::string privateTempFolderName() { return "Quendrel-" + std::to_string(::geteuid()); }

std::optional<std::string> makePrivateFolder(const std::string& parent, const std::string& name) {
  if (parent.empty() || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  const FileDescriptor parentFd(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!parentFd.valid()) return std::nullopt;
  // mkdirat never follows a link in the last component: a planted link makes it fail with EEXIST.
  if (::mkdirat(parentFd.get(), name.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  const FileDescriptor folder(
      ::openat(parentFd.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!folder.valid()) return std::nullopt;
  struct stat st{};
  if (::fstat(folder.get(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return std::nullopt;
  if ((st.st_mode & 077) != 0 && ::fchmod(folder.get(), 0700) != 0) return std::nullopt;
  std::string path = parent;
  if (path.back() != '/') path += '/';
  return path + name + '/';
}

}  // namespace player
