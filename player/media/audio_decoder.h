#pragma once
// A song file turned into PCM frames.

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "audio_format.h"

namespace media {

class AudioDecoder {
 public:
  virtual ~AudioDecoder() = default;

  // Opens the song at `path`, closing any open one; false leaves it closed.
  virtual bool open(const std::filesystem::path& path) = 0;
  // The format read() delivers; invalid while closed.
  virtual AudioFormat format() const = 0;
  // Exact length of the open song in frames (without encoder padding); 0 while closed.
  virtual std::int64_t lengthFrames() const = 0;
  // Decodes up to `frames` frames into `out`; returns the frames written, 0 at the end.
  virtual std::size_t read(float* out, std::size_t frames) = 0;
  // Moves to `frame`, clamped to the song; returns the frame reached.
  virtual std::int64_t seek(std::int64_t frame) = 0;
};

}  // namespace media
