#include "timing/clock.h"

#include <QCoreApplication>
#include <QTimer>

#include <set>

namespace platform {
namespace {

std::uint64_t nextSerial = 1;
std::set<std::uint64_t>& liveClocks() {
  static std::set<std::uint64_t> live;
  return live;
}

Clock* installedClock = nullptr;

}  // namespace

Clock::Clock() : serial_(nextSerial++) { liveClocks().insert(serial_); }

Clock::~Clock() { liveClocks().erase(serial_); }

bool Clock::isAlive(std::uint64_t serial) { return liveClocks().count(serial) != 0; }

Clock& clock() {
  static QtClock qtClock;
  return installedClock ? *installedClock : qtClock;
}

void setClock(Clock* clock) { installedClock = clock; }

QtClock::QtClock() { elapsed_.start(); }

QtClock::~QtClock() {
  // The timers are children of the application when there is one, and die
  // with it; those still alive here are stopped and deleted.
  auto timers = std::move(timers_);
  timers_.clear();
  for (auto& [id, timer] : timers) {
    (void)id;
    QObject::disconnect(timer, &QObject::destroyed, nullptr, nullptr);
    delete timer;
  }
}

std::int64_t QtClock::nowMs() const { return elapsed_.elapsed(); }

int QtClock::startRepeating(int intervalMs, std::function<void()> tick) {
  if (intervalMs <= 0) return 0;
  const int id = nextId_++;
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setInterval(intervalMs);
  if (intervalMs < 20) timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, timer, [tick = std::move(tick)] { tick(); });
  // The application may delete the timer first (at its end): forget it then.
  QObject::connect(timer, &QObject::destroyed, [this, id] { timers_.erase(id); });
  timers_[id] = timer;
  timer->start();
  return id;
}

void QtClock::cancel(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  QTimer* timer = it->second;
  timers_.erase(it);
  timer->stop();
  QObject::disconnect(timer, &QObject::destroyed, nullptr, nullptr);
  // A tick may cancel its own timer: the timer (and the tick it is running)
  // is deleted once control is back in the event loop.
  timer->deleteLater();
}

}  // namespace platform
