#include "timing/timer.h"

#include "timing/clock.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <algorithm>

namespace platform {

// Holds the timer while the window is hidden and lets it go when it is shown.
class Timer::ShownWatch : public QObject {
 public:
  ShownWatch(Timer& timer, QWidget& window) : timer_(timer) { window.installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) timer_.setHeld(false);
    else if (event->type() == QEvent::Hide) timer_.setHeld(true);
    return false;
  }

 private:
  Timer& timer_;
};

Timer::Timer() = default;

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

void Timer::tickOnlyWhileShown(QWidget& window) {
  shownWatch_ = std::make_unique<ShownWatch>(*this, window);
  setHeld(!window.isVisible());
}

void Timer::setHeld(bool held) {
  if (held == held_) return;
  held_ = held;
  restart();
  if (!held_ && isRunning()) fire();
}

void Timer::stop() {
  if (clockId_ != 0 && Clock::isAlive(clockSerial_)) clock_->cancel(clockId_);
  clockId_ = 0;
  clock_ = nullptr;
  clockSerial_ = 0;
}

void Timer::restart() {
  stop();
  if (!enabled_ || interval_ <= 0 || held_) return;
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
