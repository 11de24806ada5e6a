#pragma once
// For tests: a clock that moves only when told to. advance(ms) fires every
// tick that falls due within the next `ms` milliseconds in time order (ties
// in the order the timers were started), moving nowMs() to each tick's time
// as it fires; ticks may start and cancel timers (their own too) meanwhile.
//
//   platform::ScopedClock clock;   // a VirtualClock, installed
//   form.Timer1.setEnabled(true);
//   clock->advance(1500);          // Timer1 ticks once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "system/scoped_install.h"
#include "timing/clock.h"

namespace platform {

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::int64_t startMs = 0) : now_(startMs) {}

  std::int64_t nowMs() const override { return now_; }
  int startRepeating(int intervalMs, std::function<void()> tick) override;
  void cancel(int id) override;

  // Moves the time on by `ms` (>= 0), firing the ticks due meanwhile.
  void advance(std::int64_t ms);

  // How many repeating timers are running.
  std::size_t activeCount() const { return timers_.size(); }
  bool isActive(int id) const { return timers_.count(id) != 0; }
  // When the next tick falls due; empty when no timer runs.
  std::optional<std::int64_t> nextDueMs() const;
  // How many ticks advance() has fired in all.
  std::uint64_t ticksFired() const { return ticksFired_; }

 private:
  struct Entry {
    int intervalMs;
    std::int64_t dueMs;
    std::uint64_t startOrder;
    std::shared_ptr<std::function<void()>> tick;
  };

  std::int64_t now_;
  int nextId_ = 1;
  std::uint64_t nextStartOrder_ = 0;
  std::uint64_t ticksFired_ = 0;
  bool advancing_ = false;
  std::map<int, Entry> timers_;
};

using ScopedClock = ScopedInstall<Clock, VirtualClock, &clock, &setClock>;

}  // namespace platform
