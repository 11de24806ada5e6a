#include "timing/timer.h"

#include "timing/clock.h"

#include <algorithm>

namespace platform {

Timer::Timer(int intervalMs, bool enabled) : interval_(intervalMs < 0 ? 0 : intervalMs), enabled_(enabled) {
  restart();
}

Timer::~Timer() {
  stop();
  if (destroyedFlag_) *destroyedFlag_ = true;
}

void Timer::setInterval(int intervalMs) {
  interval_ = intervalMs < 0 ? 0 : intervalMs;
  restart();
}

void Timer::setEnabled(bool enabled) {
  enabled_ = enabled;
  restart();
}

void Timer::stop() {
  if (clockId_ != 0 && Clock::isAlive(clockSerial_)) clock_->cancel(clockId_);
  clockId_ = 0;
  clock_ = nullptr;
  clockSerial_ = 0;
}

void Timer::restart() {
  stop();
  if (!enabled_ || interval_ <= 0) return;
  clock_ = &platform::clock();
  clockSerial_ = clock_->serial();
  clockId_ = clock_->startRepeating(std::max(interval_, kSystemTickMs), [this] { fire(); });
  if (clockId_ == 0) clock_ = nullptr;
}

void Timer::fire() {
  if (!onTimer) return;
  // The handler may reassign onTimer or destroy this timer while it runs.
  auto handler = onTimer;
  bool destroyed = false;
  bool* outer = destroyedFlag_;
  destroyedFlag_ = &destroyed;
  handler();
  if (destroyed) {
    if (outer) *outer = true;
    return;
  }
  destroyedFlag_ = outer;
}

}  // namespace platform
