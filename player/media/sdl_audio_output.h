#pragma once
// The default sound device through SDL2's audio callback. SDL's audio
// subsystem is brought up once per process, at the first open.

#include <cstdint>

#include "audio_output.h"

namespace media {

class SdlAudioOutput : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  bool open(const AudioFormat& format, Pull pull) override;
  void close() override;
  void setRunning(bool running) override;

 private:
  static void callback(void* self, std::uint8_t* stream, int length);

  std::uint32_t device_ = 0;
  int channels_ = 0;
  Pull pull_;
};

}  // namespace media
