#include "mp3_reading.h"

#include <mpg123.h>

namespace ripper_test {

std::optional<FrameHeader> parseFrameHeader(const std::uint8_t* b, std::size_t size) {
  if (size < 4 || b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return std::nullopt;
  FrameHeader h;
  const int versionBits = (b[1] >> 3) & 3;
  if (versionBits != 3 && versionBits != 2) return std::nullopt;
  h.mpegVersion = versionBits == 3 ? 1 : 2;
  if (((b[1] >> 1) & 3) != 1) return std::nullopt;
  h.layer = 3;
  h.crc = (b[1] & 1) == 0;
  static const int mpeg1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static const int mpeg2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
  static const int rates1[3] = {44100, 48000, 32000};
  const int bitrateIndex = b[2] >> 4, rateIndex = (b[2] >> 2) & 3;
  if (rateIndex == 3) return std::nullopt;
  h.bitrate = (h.mpegVersion == 1 ? mpeg1 : mpeg2)[bitrateIndex];
  if (h.bitrate == 0) return std::nullopt;
  h.sampleRate = rates1[rateIndex] / (h.mpegVersion == 1 ? 1 : 2);
  const bool padding = (b[2] >> 1) & 1;
  h.privateBit = b[2] & 1;
  h.channelMode = b[3] >> 6;
  h.copyright = (b[3] >> 3) & 1;
  h.original = (b[3] >> 2) & 1;
  h.emphasis = b[3] & 3;
  const int perFrame = h.mpegVersion == 1 ? 144 : 72;
  h.length = perFrame * h.bitrate * 1000 / h.sampleRate + (padding ? 1 : 0);
  return h;
}

std::optional<std::vector<FrameHeader>> framesOf(const std::vector<std::uint8_t>& stream) {
  std::vector<FrameHeader> frames;
  std::size_t at = 0;
  while (at < stream.size()) {
    const auto header = parseFrameHeader(stream.data() + at, stream.size() - at);
    if (!header || at + static_cast<std::size_t>(header->length) > stream.size()) return std::nullopt;
    frames.push_back(*header);
    at += static_cast<std::size_t>(header->length);
  }
  return frames;
}

std::optional<Decoded> decodeMp3(const std::filesystem::path& file) {
  mpg123_init();
  mpg123_handle* handle = mpg123_new(nullptr, nullptr);
  if (!handle) return std::nullopt;
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  std::optional<Decoded> result;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_open(handle, file.c_str()) == MPG123_OK &&
      mpg123_getformat(handle, &rate, &channels, &encoding) == MPG123_OK) {
    mpg123_format_none(handle);
    mpg123_format(handle, rate, channels, MPG123_ENC_SIGNED_16);
    Decoded decoded;
    decoded.rate = rate;
    decoded.channels = channels;
    std::vector<unsigned char> chunk(16384);
    for (;;) {
      std::size_t done = 0;
      const int status = mpg123_read(handle, chunk.data(), chunk.size(), &done);
      const auto* samples = reinterpret_cast<const std::int16_t*>(chunk.data());
      decoded.samples.insert(decoded.samples.end(), samples, samples + done / 2);
      if (status == MPG123_DONE) {
        result = std::move(decoded);
        break;
      }
      if (status != MPG123_OK && status != MPG123_NEW_FORMAT) break;
    }
    mpg123_close(handle);
  }
  mpg123_delete(handle);
  return result;
}

double risingCrossingsPerSecond(const Decoded& d, int channel, std::size_t from, std::size_t to) {
  int crossings = 0;
  const auto at = [&](std::size_t pair) { return d.samples[pair * static_cast<std::size_t>(d.channels) + static_cast<std::size_t>(channel)]; };
  for (std::size_t i = from + 1; i < to; ++i)
    if (at(i - 1) < 0 && at(i) >= 0) ++crossings;
  return crossings * static_cast<double>(d.rate) / static_cast<double>(to - from);
}

}  // namespace ripper_test
