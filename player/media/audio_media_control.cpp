#include "audio_media_control.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "mpg123_decoder.h"
#include "sdl_audio_output.h"

namespace media {

namespace {

std::int64_t steadyNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

AudioMediaControl::AudioMediaControl()
    : AudioMediaControl(std::make_unique<SdlAudioOutput>(), [] { return std::make_unique<Mpg123Decoder>(); }) {}

AudioMediaControl::AudioMediaControl(std::unique_ptr<AudioOutput> output, DecoderFactory makeDecoder)
    : output_(std::move(output)), makeDecoder_(std::move(makeDecoder)) {}

AudioMediaControl::~AudioMediaControl() { output_->close(); }

void AudioMediaControl::open(const QString& path) {
  halt(PlayState::Stopped);

  std::unique_ptr<AudioDecoder> decoder = makeDecoder_();
  const bool ok = decoder && decoder->open(std::filesystem::path(QFile::encodeName(path).toStdString())) &&
                  openOutputFor(decoder->format());
  const AudioFormat format = ok ? decoder->format() : AudioFormat{};
  const std::int64_t length = ok ? decoder->lengthFrames() : 0;
  if (!ok) decoder.reset();
  {
    std::lock_guard lock(songMutex_);
    decoder_.swap(decoder);
    framesPlayed_ = 0;
  }
  decoder.reset();  // the previous song, closed outside the lock
  sampleRate_ = format.sampleRate;
  lengthFrames_ = length;
  hasSong_ = ok;
  opened_ = true;

  state_ = PlayState::Playing;
  opening_.start();
  if (hasSong_) output_->setRunning(true);
}

bool AudioMediaControl::openOutputFor(const AudioFormat& format) {
  if (outputFormat_ == format) return true;
  output_->close();
  outputFormat_ = {};
  const int channels = format.channels;
  if (!output_->open(format, [this, channels](float* out, std::size_t frames) { pull(out, frames, channels); }))
    return false;
  outputFormat_ = format;
  return true;
}

void AudioMediaControl::play() {
  if (!opened_ || state_ == PlayState::Playing) return;
  state_ = PlayState::Playing;
  if (hasSong_) output_->setRunning(true);
}

void AudioMediaControl::pause() {
  if (state_ == PlayState::Playing) halt(PlayState::Paused);
}

void AudioMediaControl::stop() { halt(PlayState::Stopped); }

void AudioMediaControl::halt(PlayState next) {
  state_ = next;
  opening_.cancel();
  output_->setRunning(false);
}

double AudioMediaControl::duration() const {
  const int rate = sampleRate_;
  return rate > 0 ? static_cast<double>(lengthFrames_) / rate : 0.0;
}

double AudioMediaControl::currentPosition() const {
  const int rate = sampleRate_;
  return rate > 0 ? static_cast<double>(framesPlayed_) / rate : 0.0;
}

void AudioMediaControl::setCurrentPosition(double seconds) {
  if (!hasSong_ || !std::isfinite(seconds)) return;
  const double frame = std::clamp(seconds * sampleRate_, 0.0, static_cast<double>(lengthFrames_));
  std::lock_guard lock(songMutex_);
  framesPlayed_ = decoder_->seek(std::llround(frame));
}

void AudioMediaControl::setVolume(int volume) { volume_ = std::clamp(volume, kQuietestVolume, kLoudestVolume); }

void AudioMediaControl::setBalance(int balance) { balance_ = std::clamp(balance, kLeftBalance, kRightBalance); }

PlayState AudioMediaControl::playState() const {
  const PlayState state = state_;
  if (state == PlayState::Playing && opening_.holds(steadyNowMs())) return PlayState::Opening;
  return state;
}

void AudioMediaControl::pull(float* out, std::size_t frames, int channels) {
  std::size_t got = 0;
  {
    std::lock_guard lock(songMutex_);
    if (decoder_ && state_ == PlayState::Playing) got = decoder_->read(out, frames);
    framesPlayed_ += static_cast<std::int64_t>(got);
  }
  applyGains(out, got, channels, channelGains(volume_, balance_));
  std::fill(out + got * channels, out + frames * channels, 0.0f);
}

}  // namespace media
