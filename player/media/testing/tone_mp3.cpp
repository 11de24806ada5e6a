#include "tone_mp3.h"

#include <lame.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <vector>

namespace media_testing {

bool writeToneMp3(const std::filesystem::path& path, double seconds, int channels, bool infoFrame) {
  std::unique_ptr<lame_global_flags, decltype(&lame_close)> lame(lame_init(), &lame_close);
  if (!lame) return false;
  lame_set_in_samplerate(lame.get(), kToneRate);
  lame_set_num_channels(lame.get(), channels);
  lame_set_mode(lame.get(), channels == 1 ? MONO : JOINT_STEREO);
  lame_set_brate(lame.get(), 128);
  lame_set_bWriteVbrTag(lame.get(), infoFrame ? 1 : 0);
  if (lame_init_params(lame.get()) < 0) return false;

  const int frames = static_cast<int>(std::lround(seconds * kToneRate));
  std::vector<short> tone(static_cast<std::size_t>(frames));
  for (int i = 0; i < frames; ++i)
    tone[static_cast<std::size_t>(i)] =
        static_cast<short>(16000 * std::sin(2 * std::numbers::pi * 440.0 * i / kToneRate));

  std::vector<unsigned char> mp3(static_cast<std::size_t>(frames) * 5 / 4 + 7200);
  int size = lame_encode_buffer(lame.get(), tone.data(), tone.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
  if (size < 0) return false;
  const int tail = lame_encode_flush(lame.get(), mp3.data() + size, static_cast<int>(mp3.size()) - size);
  if (tail < 0) return false;
  size += tail;

  std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "w+b"), &std::fclose);
  if (!file || std::fwrite(mp3.data(), 1, static_cast<std::size_t>(size), file.get()) != static_cast<std::size_t>(size))
    return false;
  // Rewrites the first frame with the tag that makes gapless lengths exact.
  if (infoFrame) lame_mp3_tags_fid(lame.get(), file.get());
  return true;
}

}  // namespace media_testing
