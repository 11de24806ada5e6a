#include "raw_file_writer.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

clsFileIo::~clsFileIo() {
  if (handle_ != -1) ::close(handle_);
}

bool clsFileIo::failed(int error) {
  lastError_ = error;
  lastResult_ = false;
  return false;
}

bool clsFileIo::OpenFile(const QString& FileN) {
  const QByteArray path = FileN.toUtf8();
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd == -1) return failed(errno);
  if (handle_ != -1) ::close(handle_);
  handle_ = fd;
  fileName_ = FileN;
  return true;
}

bool clsFileIo::CloseFile() {
  if (fileName_.isEmpty() || handle_ == -1) return false;
  const int fd = handle_;
  handle_ = -1;
  // The descriptor is gone whatever close answers, so it is never closed
  // twice; a failure to close shows in lastResult.
  if (::close(fd) != 0) failed(errno);
  else lastResult_ = true;
  return true;
}

bool clsFileIo::WriteBytes(const void* Pointer, std::int32_t Size) {
  bytesDone_ = 0;
  if (fileName_.isEmpty() || handle_ == -1) return false;
  if (Size < 0 || (!Pointer && Size > 0)) return failed(EINVAL);
  const auto* bytes = static_cast<const char*>(Pointer);
  std::int32_t done = 0;
  while (done < Size) {
    const ssize_t n = ::write(handle_, bytes + done, static_cast<std::size_t>(Size - done));
    if (n < 0) {
      if (errno == EINTR) continue;
      bytesDone_ = done;
      return failed(errno);
    }
    if (n == 0) {
      bytesDone_ = done;
      return failed(ENOSPC);
    }
    done += static_cast<std::int32_t>(n);
  }
  bytesDone_ = done;
  lastResult_ = true;
  return true;
}

bool clsFileIo::FlushBuffers() {
  if (::fdatasync(handle_) != 0) return failed(errno);
  lastResult_ = true;
  return true;
}
