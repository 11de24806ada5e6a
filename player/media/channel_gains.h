#pragma once
// Volume and balance as the control takes them, in hundredths of a decibel:
// volume -6000 (quietest) to 0 (loudest); balance -10000 (left only) to
// 10000 (right only), a positive balance attenuating the left side by that
// much and a negative one the right side.

#include <cstddef>

namespace media {

constexpr int kQuietestVolume = -6000;
constexpr int kLoudestVolume = 0;
constexpr int kLeftBalance = -10000;
constexpr int kRightBalance = 10000;

struct ChannelGains {
  float left = 1.0f;
  float right = 1.0f;
};

// Linear gains for `volume` and `balance`, each clamped to its range first.
ChannelGains channelGains(int volume, int balance);

// Scales interleaved frames in place; a frame's first channel is left, its
// second right. Anything but stereo takes the volume alone.
void applyGains(float* samples, std::size_t frames, int channels, ChannelGains gains);

}  // namespace media
