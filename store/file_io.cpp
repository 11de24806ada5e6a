#include "file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "ansi_text.h"
#include "store_error.h"

namespace store {
namespace {

mode_t defaultFileMode() {
  static mode_t mode = [] {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

[[noreturn]] void throwErrno(int error) { throw StoreError(describeErrno(error)); }

// The temporary files of AtomicFileWriter: "." + the final name + "." and
// the six letters or digits mkstemp() chose.
const char kTemporarySuffix[] = ".XXXXXX";

bool isTemporaryNameOf(const std::string& entry, const std::string& fileName) {
  const std::string prefix = "." + fileName + ".";
  if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

// After a rename the folder holds the new name only in memory until it is
// synced. The file is in place by then: a folder that cannot be opened or
// synced changes nothing of that, so it is not reported as a failed write.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  while (::fsync(fd) != 0 && errno == EINTR) {
  }
  ::close(fd);
}

// Closes the file however the work on it ends: a read that runs out of
// memory leaves no descriptor open.
struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};

}  // namespace

Bytes readWholeFile(const fs::path& path) {
  // Not blocking on open: a pipe under a collection file's name must not
  // hang the program; it is refused below like every other non-file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throwErrno(errno);
  const FdCloser closer{fd};
  struct stat st{};
  if (::fstat(fd, &st) != 0) throwErrno(errno);
  // Folders, devices (an endless /dev/zero) and pipes are no collection files.
  if (!S_ISREG(st.st_mode)) throw StoreError("Path/File access error");
  // Read straight into the result; a file that grows meanwhile is read to its end.
  Bytes bytes(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0) + 1);
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(bytes.size() * 2);
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwErrno(errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

AtomicFileWriter::AtomicFileWriter(const fs::path& path) : path_(path) {
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  tempPath_ = (folder / ("." + path.filename().string() + kTemporarySuffix)).string();
  fd_ = ::mkstemp(tempPath_.data());
  // The folder itself is missing: the path, not the file, is not found.
  if (fd_ < 0) throwErrno(errno == ENOENT ? ENOTDIR : errno);
  if (::fchmod(fd_, defaultFileMode()) != 0) fail(errno);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(tempPath_.c_str());
  }
}

void AtomicFileWriter::fail(int error) {
  ::close(fd_);
  ::unlink(tempPath_.c_str());
  fd_ = -1;
  throwErrno(error);
}

void AtomicFileWriter::write(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 65536) {
    flushBuffer();
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        fail(errno);
      }
      done += static_cast<std::size_t>(n);
    }
    return;
  }
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  if (buffer_.size() >= 65536) flushBuffer();
}

void AtomicFileWriter::flushBuffer() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void AtomicFileWriter::appendFile(const fs::path& source,
                                  const std::function<void(std::uint64_t size)>& beforeContents) {
  int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) throwErrno(errno);
  const FdCloser closer{in};
  struct stat st{};
  if (::fstat(in, &st) != 0) throwErrno(errno);
  if (!S_ISREG(st.st_mode)) throw StoreError("Path/File access error");
  const auto size = static_cast<std::uint64_t>(st.st_size);
  beforeContents(size);
  flushBuffer();
  // In-kernel copy where the file systems allow it, plain reads otherwise.
  std::uint64_t left = size;
  while (left > 0) {
    ssize_t n = ::copy_file_range(in, nullptr, fd_, nullptr, left, 0);
    if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (n == 0) break;
    left -= static_cast<std::uint64_t>(n);
  }
  std::uint8_t buf[65536];
  while (left > 0) {
    ssize_t n = ::read(in, buf, std::min<std::uint64_t>(left, sizeof buf));
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (n == 0) break;
    write(std::span<const std::uint8_t>(buf, static_cast<std::size_t>(n)));
    flushBuffer();
    left -= static_cast<std::uint64_t>(n);
  }
  // The file shrank while it was copied: the length field written before it is wrong.
  if (left > 0) fail(EIO);
}

void AtomicFileWriter::commit() {
  flushBuffer();
  if (::fdatasync(fd_) != 0) fail(errno);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    int e = errno;
    ::unlink(tempPath_.c_str());
    throwErrno(e);
  }
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    int e = errno;
    ::unlink(tempPath_.c_str());
    throwErrno(e);
  }
  fs::path folder = path_.parent_path();
  syncFolder(folder.empty() ? fs::path(".") : folder);
}

void AtomicFileWriter::keepTimeAndModeOf(const fs::path& source) {
  struct stat st{};
  if (::stat(source.c_str(), &st) != 0) fail(errno);
  flushBuffer();
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  if (::futimens(fd_, times) != 0) fail(errno);
  if (::fchmod(fd_, st.st_mode & 0777) != 0) fail(errno);
}

void copyFileAtomically(const fs::path& from, const fs::path& to) {
  AtomicFileWriter out(to);
  out.appendFile(from, [](std::uint64_t) {});
  out.keepTimeAndModeOf(from);
  out.commit();
}

void writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  AtomicFileWriter out(path);
  out.write(bytes);
  out.commit();
}

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
  writeFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void writeScratchFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) throwErrno(errno == ELOOP ? EACCES : errno);
  // The file is ours from here on: a part of a member is of no use to anyone.
  const auto fail = [&path](int error) {
    ::unlink(path.c_str());
    throwErrno(error);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      fail(e);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) fail(errno);
}

FileLock::FileLock(const fs::path& path) {
  // Not through a link: the lock is on a file of the folder itself.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd_ < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
    fd_ = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd_ < 0) throwErrno(errno == ELOOP ? EACCES : errno);
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    int e = errno;
    ::close(fd_);
    throwErrno(e);
  }
}

// Closing the file lets the lock go.
FileLock::~FileLock() { ::close(fd_); }

void removeAbandonedTemporaryFiles(const fs::path& path) {
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  const std::string fileName = path.filename().string();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (isTemporaryNameOf(it->path().filename().string(), fileName) &&
        it->symlink_status(typeEc).type() == fs::file_type::regular)
      ::unlink(it->path().c_str());
  }
}

std::vector<std::string> splitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0, i = 0;
  while (i < bytes.size()) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(bytes.substr(start, i - start));
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::vector<std::string> readTextLines(const fs::path& path) {
  Bytes bytes = readWholeFile(path);
  std::vector<std::string> lines =
      splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  for (auto& line : lines) line = runtime::fromAnsi(line);
  return lines;
}

std::string toAnsiOrThrow(std::string_view utf8, std::string_view what) {
  if (auto ansi = runtime::toAnsi(utf8)) return *std::move(ansi);
  std::string bad = runtime::firstUnrepresentable(utf8);
  throw StoreError("The " + std::string(what) + " cannot be stored: the character \"" + bad +
                   "\" is not part of the Windows-1252 code page.");
}

void writeTextLines(const fs::path& path, const std::vector<std::string>& lines,
                    std::string_view what) {
  std::string out;
  for (const auto& line : lines) {
    out += toAnsiOrThrow(line, what);
    out += "\r\n";
  }
  writeFileAtomically(path, out);
}

}  // namespace store
