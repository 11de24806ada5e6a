#pragma once
// A clock that moves only when the test says so; it never ticks timers.

#include <cstdint>
#include <functional>

#include "timing/clock.h"

namespace media_testing {

class ManualClock : public platform::Clock {
 public:
  std::int64_t nowMs() const override { return nowMs_; }
  int startRepeating(int, std::function<void()>) override { return ++lastId_; }
  void cancel(int) override {}

  void advance(std::int64_t ms) { nowMs_ += ms; }

 private:
  std::int64_t nowMs_ = 1000;
  int lastId_ = 0;
};

}  // namespace media_testing
