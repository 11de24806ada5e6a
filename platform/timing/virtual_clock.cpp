#include "timing/virtual_clock.h"

#include <gtest/gtest.h>

namespace platform {

int VirtualClock::startRepeating(int intervalMs, std::function<void()> tick) {
  if (intervalMs <= 0) return 0;
  const int id = nextId_++;
  timers_[id] = Entry{intervalMs, now_ + intervalMs, nextStartOrder_++,
                      std::make_shared<std::function<void()>>(std::move(tick))};
  return id;
}

void VirtualClock::cancel(int id) { timers_.erase(id); }

std::optional<std::int64_t> VirtualClock::nextDueMs() const {
  std::optional<std::int64_t> next;
  for (const auto& [id, e] : timers_) {
    (void)id;
    if (!next || e.dueMs < *next) next = e.dueMs;
  }
  return next;
}

void VirtualClock::advance(std::int64_t ms) {
  if (advancing_) {
    ADD_FAILURE() << "VirtualClock::advance called from inside a tick";
    return;
  }
  if (ms < 0) {
    ADD_FAILURE() << "VirtualClock::advance with a negative time (" << ms << ")";
    return;
  }
  advancing_ = true;
  const std::int64_t target = now_ + ms;
  for (;;) {
    // The earliest due tick; of ticks due together, the timer started first.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.dueMs > target) continue;
      if (next == timers_.end() || it->second.dueMs < next->second.dueMs ||
          (it->second.dueMs == next->second.dueMs && it->second.startOrder < next->second.startOrder))
        next = it;
    }
    if (next == timers_.end()) break;
    now_ = next->second.dueMs;
    next->second.dueMs += next->second.intervalMs;
    // Held here, so that the tick may cancel its own timer while it runs.
    auto tick = next->second.tick;
    ++ticksFired_;
    if (*tick) (*tick)();
  }
  now_ = target;
  advancing_ = false;
}

}  // namespace platform
