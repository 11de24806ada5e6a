#pragma once
// The shape of the PCM that flows from a decoder to an output: interleaved
// 32-bit float samples, `channels` of them a frame.

namespace media {

struct AudioFormat {
  int sampleRate = 0;
  int channels = 0;

  bool isValid() const { return sampleRate > 0 && channels > 0; }
  friend bool operator==(const AudioFormat&, const AudioFormat&) = default;
};

}  // namespace media
