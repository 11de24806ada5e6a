#pragma once
// Time for timers and elapsed-time readings. The programs run on Qt's clock;
// tests run on a virtual clock that moves only when told to.

#include <cstdint>
#include <functional>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual std::int64_t nowMs() const = 0;
  // Calls `tick` every `intervalMs` (> 0) from now on, on the window thread,
  // until cancel(id). Returns the id.
  virtual int startRepeating(int intervalMs, std::function<void()> tick) = 0;
  virtual void cancel(int id) = 0;
};

// The installed clock; without one, Qt's.
Clock& clock();
void setClock(Clock* clock);

}  // namespace platform
