#pragma once
// A sound device that pulls PCM frames from its owner.

#include <cstddef>
#include <functional>

#include "audio_format.h"

namespace media {

class AudioOutput {
 public:
  // Fills exactly `frames` frames at `out`; called on the device's own thread.
  using Pull = std::function<void(float* out, std::size_t frames)>;

  virtual ~AudioOutput() = default;

  // Opens the device for `format` (closing any open one), not yet running;
  // false when no device takes it.
  virtual bool open(const AudioFormat& format, Pull pull) = 0;
  // Once close() returns, `pull` is never called again.
  virtual void close() = 0;
  // Starts or stops the pulls; once it returns, no pull is in progress unless running.
  virtual void setRunning(bool running) = 0;
};

}  // namespace media
