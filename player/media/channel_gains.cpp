#include "channel_gains.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {

float gainOfHundredthsOfDecibel(int attenuation) { return static_cast<float>(std::pow(10.0, attenuation / 2000.0)); }

}  // namespace

ChannelGains channelGains(int volume, int balance) {
  const int level = std::clamp(volume, kQuietestVolume, kLoudestVolume);
  const int pan = std::clamp(balance, kLeftBalance, kRightBalance);
  const float base = gainOfHundredthsOfDecibel(level);
  return {pan > 0 ? base * gainOfHundredthsOfDecibel(-pan) : base,
          pan < 0 ? base * gainOfHundredthsOfDecibel(pan) : base};
}

void applyGains(float* samples, std::size_t frames, int channels, ChannelGains gains) {
  if (channels <= 0) return;
  if (channels != 2) {
    // Balance only ever attenuates, so the louder side is the volume's own gain.
    const float volume = std::max(gains.left, gains.right);
    std::for_each(samples, samples + frames * static_cast<std::size_t>(channels), [&](float& s) { s *= volume; });
    return;
  }
  for (std::size_t i = 0; i < frames; ++i) {
    samples[2 * i] *= gains.left;
    samples[2 * i + 1] *= gains.right;
  }
}

}  // namespace media
