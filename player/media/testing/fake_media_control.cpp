#include "fake_media_control.h"

#include <algorithm>
#include <cmath>

#include "channel_gains.h"
#include "timing/clock.h"

namespace media {

namespace {

std::string text(bool on) { return on ? "true" : "false"; }

std::string text(double seconds) { return QString::number(seconds, 'g', 15).toStdString(); }

}  // namespace

FakeMediaControl::FakeMediaControl(platform::Clock& clock) : clock_(clock) {}

void FakeMediaControl::open(const QString& path) {
  record("open(" + path.toStdString() + ")");
  openedPath_ = path;
  opened_ = true;
  hasSong_ = !unplayable_.contains(path);
  const auto known = lengths_.find(path);
  length_ = !hasSong_ ? 0.0 : known != lengths_.end() ? known->second : defaultLength_;
  markPosition(0.0);
  state_ = PlayState::Playing;
  opening_.start();
}

void FakeMediaControl::play() {
  record("play()");
  if (!opened_ || state_ == PlayState::Playing) return;
  markPosition(currentPosition());
  markMs_ += resumeLatencyMs_;
  state_ = PlayState::Playing;
}

void FakeMediaControl::pause() {
  record("pause()");
  if (state_ == PlayState::Playing) halt(PlayState::Paused);
}

void FakeMediaControl::stop() {
  record("stop()");
  halt(PlayState::Stopped);
}

void FakeMediaControl::halt(PlayState next) {
  markPosition(currentPosition());
  state_ = next;
  opening_.cancel();
}

void FakeMediaControl::markPosition(double seconds) {
  markedPosition_ = seconds;
  markMs_ = clock_.nowMs();
}

double FakeMediaControl::currentPosition() const {
  if (state_ != PlayState::Playing || !hasSong_) return markedPosition_;
  const std::int64_t ran = std::max<std::int64_t>(0, clock_.nowMs() - markMs_);
  return std::min(length_, markedPosition_ + static_cast<double>(ran) / 1000.0);
}

void FakeMediaControl::setCurrentPosition(double seconds) {
  record("setCurrentPosition(" + text(seconds) + ")");
  if (hasSong_ && std::isfinite(seconds)) markPosition(std::clamp(seconds, 0.0, length_));
}

void FakeMediaControl::setVolume(int volume) {
  record("setVolume(" + std::to_string(volume) + ")");
  volume_ = std::clamp(volume, kQuietestVolume, kLoudestVolume);
}

void FakeMediaControl::setBalance(int balance) {
  record("setBalance(" + std::to_string(balance) + ")");
  balance_ = std::clamp(balance, kLeftBalance, kRightBalance);
}

PlayState FakeMediaControl::playState() const {
  if (state_ == PlayState::Playing && opening_.holds(clock_.nowMs())) return PlayState::Opening;
  return state_;
}

void FakeMediaControl::setSwitch1017(bool on) {
  record("setSwitch1017(" + text(on) + ")");
  MediaControl::setSwitch1017(on);
}

void FakeMediaControl::setSwitch1018(bool on) {
  record("setSwitch1018(" + text(on) + ")");
  MediaControl::setSwitch1018(on);
}

void FakeMediaControl::setRect(int left, int top, int width, int height) {
  record("setRect(" + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," +
         std::to_string(height) + ")");
  MediaControl::setRect(left, top, width, height);
}

void FakeMediaControl::setVisible(bool visible) {
  record("setVisible(" + text(visible) + ")");
  MediaControl::setVisible(visible);
}

}  // namespace media
