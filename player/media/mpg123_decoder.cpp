#include "mpg123_decoder.h"

#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

namespace media {

namespace {

constexpr int kChannels = 2;

void initLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

// The song at `path` opened for reading when it is a plain file; -1 else.
// The open does not wait: opening a pipe for reading would wait for a writer,
// and a device under a song's name (an endless /dev/zero) is no song either.
int openPlainFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  // Reads of the song then wait for the disk, as reads of a file do.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

// Whether the song starts with the encoder's info frame: it counts the
// song's frames and gives the encoder's delay and padding, from which the
// library knows the exact length at once. Without it the length is a guess
// from the file's size.
bool hasEncoderInfo(mpg123_handle* handle) {
  long delay = -1;
  long padding = -1;
  double unused = 0;
  return mpg123_getstate(handle, MPG123_ENC_DELAY, &delay, &unused) == MPG123_OK && delay >= 0 &&
         mpg123_getstate(handle, MPG123_ENC_PADDING, &padding, &unused) == MPG123_OK && padding >= 0;
}

}  // namespace

Mpg123Decoder::Mpg123Decoder() {
  initLibraryOnce();
  handle_ = mpg123_new(nullptr, nullptr);
  if (!handle_) return;
  // Adding flags keeps the library's defaults, gapless decoding among them,
  // which makes the length and every position exclude the encoder's padding.
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_FORCE_STEREO, 0);
}

Mpg123Decoder::~Mpg123Decoder() {
  close();
  if (handle_) mpg123_delete(handle_);
}

void Mpg123Decoder::close() {
  if (open_) mpg123_close(handle_);
  // The library reads the descriptor but leaves it to us.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  open_ = false;
  atEnd_ = false;
  format_ = {};
  lengthFrames_ = 0;
}

bool Mpg123Decoder::open(const std::filesystem::path& path) {
  close();
  if (!handle_) return false;

  // Float output at whatever rate the file has, so the mixer and the device
  // never convert sample types.
  mpg123_format_none(handle_);
  const long* rates = nullptr;
  std::size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (std::size_t i = 0; i < rateCount; ++i) mpg123_format(handle_, rates[i], MPG123_STEREO, MPG123_ENC_FLOAT_32);

  fd_ = openPlainFile(path);
  if (fd_ < 0) return false;
  if (mpg123_open_fd(handle_, fd_) != MPG123_OK) {
    close();
    return false;
  }
  open_ = true;

  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK || channels != kChannels ||
      encoding != MPG123_ENC_FLOAT_32 || rate <= 0) {
    close();
    return false;
  }
  // Reading every frame takes long from a disc; only a song without the
  // encoder's info frame needs it.
  if (!hasEncoderInfo(handle_) && mpg123_scan(handle_) != MPG123_OK) {
    close();
    return false;
  }
  const off_t length = mpg123_length(handle_);
  if (length <= 0) {
    close();
    return false;
  }
  // A stream that changes its rate half-way keeps being delivered at the first one.
  mpg123_format_none(handle_);
  mpg123_format(handle_, rate, MPG123_STEREO, MPG123_ENC_FLOAT_32);

  format_ = {static_cast<int>(rate), kChannels};
  lengthFrames_ = length;
  return true;
}

std::size_t Mpg123Decoder::read(float* out, std::size_t frames) {
  if (!open_ || atEnd_) return 0;
  const std::size_t frameBytes = sizeof(float) * kChannels;
  auto* bytes = reinterpret_cast<unsigned char*>(out);
  const std::size_t wanted = frames * frameBytes;
  std::size_t got = 0;
  while (got < wanted) {
    std::size_t done = 0;
    const int result = mpg123_read(handle_, bytes + got, wanted - got, &done);
    got += done;
    if (result == MPG123_NEW_FORMAT) continue;
    // The end, or a stream too damaged to go on: both end the song here.
    if (result != MPG123_OK || done == 0) break;
  }
  return got / frameBytes;
}

std::int64_t Mpg123Decoder::seek(std::int64_t frame) {
  if (!open_) return 0;
  // The library may refuse a seek onto the very end; nothing is left to decode there anyway.
  atEnd_ = frame >= lengthFrames_;
  if (atEnd_) return lengthFrames_;
  const off_t reached = mpg123_seek(handle_, static_cast<off_t>(std::max<std::int64_t>(frame, 0)), SEEK_SET);
  if (reached >= 0) return reached;
  const off_t current = mpg123_tell(handle_);
  return current < 0 ? 0 : current;
}

}  // namespace media
