#pragma once
// The media control that really plays: songs decoded by an AudioDecoder are
// pulled by an AudioOutput, on the output's thread, straight from the
// decoder. The pull applies volume and balance and counts the frames it
// hands over, and that count is the position.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "audio_decoder.h"
#include "audio_output.h"
#include "channel_gains.h"
#include "media_control.h"
#include "opening_hold.h"

namespace media {

class AudioMediaControl : public MediaControl {
 public:
  using DecoderFactory = std::function<std::unique_ptr<AudioDecoder>()>;

  // MP3 through libmpg123, sound through SDL.
  AudioMediaControl();
  // `makeDecoder` gives a fresh decoder for every open.
  AudioMediaControl(std::unique_ptr<AudioOutput> output, DecoderFactory makeDecoder);
  ~AudioMediaControl() override;
  AudioMediaControl(const AudioMediaControl&) = delete;
  AudioMediaControl& operator=(const AudioMediaControl&) = delete;

  void open(const QString& path) override;
  void play() override;
  void pause() override;
  void stop() override;
  double duration() const override;
  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;
  void setVolume(int volume) override;
  void setBalance(int balance) override;
  PlayState playState() const override;

 private:
  // Stops the pulls and leaves the state at `next`.
  void halt(PlayState next);
  bool openOutputFor(const AudioFormat& format);
  void pull(float* out, std::size_t frames, int channels);

  std::unique_ptr<AudioOutput> output_;
  DecoderFactory makeDecoder_;
  AudioFormat outputFormat_;  // what output_ is open for; invalid while closed
  bool opened_ = false;       // some open has happened
  bool hasSong_ = false;      // the last open succeeded

  // Guards decoder_ between the window thread and the pulls; never held
  // while calling into output_, whose own lock surrounds every pull.
  std::mutex songMutex_;
  std::unique_ptr<AudioDecoder> decoder_;

  std::atomic<PlayState> state_{PlayState::Stopped};
  mutable OpeningHold opening_;
  std::atomic<std::int64_t> framesPlayed_{0};
  std::atomic<std::int64_t> lengthFrames_{0};
  std::atomic<int> sampleRate_{0};
  std::atomic<int> volume_{kLoudestVolume};
  std::atomic<int> balance_{0};
};

}  // namespace media
