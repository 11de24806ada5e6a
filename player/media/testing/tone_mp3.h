#pragma once
// Short MP3 songs made on the spot for the tests and the benchmarks.

#include <filesystem>

namespace media_testing {

constexpr int kToneRate = 44100;

// Writes `seconds` of a 440 Hz tone at half of full scale as MP3 at `path`,
// with the encoder's info frame that counts the frames and records its delay
// and padding (unless `infoFrame` is false); false when the encoder fails.
bool writeToneMp3(const std::filesystem::path& path, double seconds, int channels = 2, bool infoFrame = true);

}  // namespace media_testing
