#pragma once
// The Timer control of the forms: Interval (milliseconds) and Enabled, and the
// Timer event, called every Interval milliseconds while Enabled and Interval
// is not 0. Every assignment of Interval or Enabled
// starts the countdown afresh from now (Enabled := True on an enabled timer
// too); a timer disabled inside its own tick does not tick again.
//
// A timer fires at most once per system tick (15.625 ms, 64 times a
// second), so an Interval shorter than that ticks once per system tick; the
// forms rely on it (their 1 ms refresh timers) and
// it spares the window thread a thousand wake-ups a second. Here a tick is
// kSystemTickMs; longer intervals tick as set. Interval() still reads what
// was set.
//
// The ticks come from platform::clock() as installed when the timer is
// (re)started: Qt's clock in the programs, a VirtualClock in tests.

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace platform {

class Clock;

// The system tick in whole milliseconds of the clocks: 15.625 ms rounded.
inline constexpr int kSystemTickMs = 16;

class Timer {
 public:
  // Interval 0, Enabled True: the control's defaults; nothing fires until an
  // Interval is set.
  Timer();
  Timer(int intervalMs, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval() const { return interval_; }
  // A negative interval counts as 0.
  void setInterval(int intervalMs);

  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // True while ticks are due (Enabled, Interval > 0, and not held).
  bool isRunning() const { return clockId_ != 0; }

  // For a timer that only refreshes what `window` shows: its ticks are held
  // while the window is hidden, where nobody sees the refresh, and it ticks
  // once at once whenever the window is shown again, so that the window never
  // shows what the held ticks would have changed. Interval and Enabled keep
  // their values throughout.
  void tickOnlyWhileShown(QWidget& window);

  // The Timer event. It may change this timer (Interval, Enabled) and may
  // destroy it.
  std::function<void()> onTimer;

 private:
  class ShownWatch;

  void restart();
  void stop();
  void fire();
  void setHeld(bool held);

  int interval_ = 0;
  bool enabled_ = true;
  bool held_ = false;
  std::unique_ptr<ShownWatch> shownWatch_;
  Clock* clock_ = nullptr;
  std::uint64_t clockSerial_ = 0;
  int clockId_ = 0;
  // Set while fire() runs; told when the timer is destroyed meanwhile.
  bool* destroyedFlag_ = nullptr;
};

}  // namespace platform
