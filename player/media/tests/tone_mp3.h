#pragma once
// Short MP3 songs made on the spot for the decoder and control tests.

#include <filesystem>

namespace media_testing {

constexpr int kToneRate = 44100;

// Writes `seconds` of a 440 Hz tone at half of full scale as MP3 at `path`,
// with the encoder's tag that records its delay and padding; false when the
// encoder fails.
bool writeToneMp3(const std::filesystem::path& path, double seconds, int channels = 2);

}  // namespace media_testing
