#pragma once
// Time for timers and elapsed-time readings. The programs run on Qt's clock;
// tests run on a virtual clock that moves only when told to.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include <QElapsedTimer>

class QTimer;

namespace platform {

class Clock {
 public:
  Clock();
  virtual ~Clock();
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;

  // Milliseconds since an arbitrary start; never goes back.
  virtual std::int64_t nowMs() const = 0;
  // Calls `tick` every `intervalMs` (> 0) from now on, on the window thread,
  // until cancel(id). Returns the id (never 0; 0 when intervalMs <= 0, and
  // nothing is started then).
  virtual int startRepeating(int intervalMs, std::function<void()> tick) = 0;
  // Stops the ticks of `id`; an id that is not running (0, cancelled, of
  // another clock) is ignored. A tick may cancel its own id.
  virtual void cancel(int id) = 0;

  // A number that names this clock for its whole life and is never reused,
  // so that a timer can tell whether the clock it started on still exists.
  std::uint64_t serial() const { return serial_; }
  static bool isAlive(std::uint64_t serial);

 private:
  std::uint64_t serial_;
};

// The installed clock; without one, Qt's.
Clock& clock();
void setClock(Clock* clock);

// Qt's clock: QElapsedTimer for nowMs, one QTimer per repeating tick (the
// ticks need the running QCoreApplication's event loop).
class QtClock : public Clock {
 public:
  QtClock();
  ~QtClock() override;
  std::int64_t nowMs() const override;
  int startRepeating(int intervalMs, std::function<void()> tick) override;
  void cancel(int id) override;

 private:
  QElapsedTimer elapsed_;
  int nextId_ = 1;
  std::map<int, QTimer*> timers_;
};

}  // namespace platform
