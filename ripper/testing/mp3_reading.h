#pragma once
// Reading back what the encoder wrote: the MPEG frame headers of a stream
// and its samples decoded through libmpg123.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace ripper_test {

struct FrameHeader {
  int mpegVersion = 0;  // 1: MPEG-1
  int layer = 0;
  bool crc = false;
  int bitrate = 0;      // kbit/s
  int sampleRate = 0;
  bool privateBit = false;
  int channelMode = 0;  // 0 stereo, 1 joint stereo, 2 dual, 3 mono
  bool copyright = false;
  bool original = false;
  int emphasis = 0;
  int length = 0;       // bytes of the whole frame
};

// The header at `bytes`, when it is one of an MPEG-1 or MPEG-2 layer III frame.
std::optional<FrameHeader> parseFrameHeader(const std::uint8_t* bytes, std::size_t size);

// The headers of the frames the stream is made of, back to back from its
// first byte; none when anything else is in it (a tag, a gap, a cut frame).
std::optional<std::vector<FrameHeader>> framesOf(const std::vector<std::uint8_t>& stream);

struct Decoded {
  long rate = 0;
  int channels = 0;
  std::vector<std::int16_t> samples;  // interleaved
  std::size_t pairs() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};
// The file decoded to 16-bit samples; none when libmpg123 cannot read it.
std::optional<Decoded> decodeMp3(const std::filesystem::path& file);

// How often channel `channel` of the decoded samples crosses zero upwards
// a second, over the pairs from `from` to `to`.
double risingCrossingsPerSecond(const Decoded& decoded, int channel, std::size_t from, std::size_t to);

}  // namespace ripper_test
