#include "sdl_audio_output.h"

#include <SDL.h>

#include <algorithm>
#include <mutex>

namespace media {

namespace {

// About 46 ms at 44.1 kHz: short enough that the position follows what is heard.
constexpr Uint16 kBufferFrames = 2048;

bool audioSubsystemReady() {
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] {
    // SDL would otherwise take SIGINT and SIGTERM for a quit event of its
    // own event loop, which this program never reads: the player could no
    // longer be ended by the system.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ready = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  });
  return ready;
}

}  // namespace

SdlAudioOutput::~SdlAudioOutput() { close(); }

bool SdlAudioOutput::open(const AudioFormat& format, Pull pull) {
  close();
  if (!format.isValid() || !audioSubsystemReady()) return false;

  SDL_AudioSpec wanted{};
  wanted.freq = format.sampleRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = static_cast<Uint8>(std::min(format.channels, 255));
  wanted.samples = kBufferFrames;
  wanted.callback = &SdlAudioOutput::callback;
  wanted.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware wants, so the
  // pull always sees the decoder's own format.
  SDL_AudioSpec obtained{};
  pull_ = std::move(pull);
  channels_ = format.channels;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device_ == 0) {
    pull_ = nullptr;
    return false;
  }
  return true;
}

void SdlAudioOutput::close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
  pull_ = nullptr;
}

void SdlAudioOutput::setRunning(bool running) {
  // Pausing takes the device's lock, so it returns only between two callbacks.
  if (device_ != 0) SDL_PauseAudioDevice(device_, running ? 0 : 1);
}

void SdlAudioOutput::callback(void* self, std::uint8_t* stream, int length) {
  auto* output = static_cast<SdlAudioOutput*>(self);
  const std::size_t frameBytes = sizeof(float) * static_cast<std::size_t>(output->channels_);
  output->pull_(reinterpret_cast<float*>(stream), static_cast<std::size_t>(length) / frameBytes);
}

}  // namespace media
