#include "timing/virtual_clock.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

struct Tick {
  std::string name;
  std::int64_t at;
  bool operator==(const Tick& o) const { return name == o.name && at == o.at; }
};

std::ostream& operator<<(std::ostream& out, const Tick& t) { return out << t.name << "@" << t.at; }

TEST(VirtualClock, FiresDueTicksInTimeOrderTiesInStartOrder) {
  VirtualClock clock(1000);
  std::vector<Tick> ticks;
  auto record = [&](const char* name) { return [&ticks, &clock, name] { ticks.push_back({name, clock.nowMs() - 1000}); }; };
  clock.startRepeating(300, record("A"));
  clock.startRepeating(200, record("B"));
  clock.startRepeating(300, record("C"));
  clock.advance(600);
  EXPECT_EQ(ticks, (std::vector<Tick>{{"B", 200}, {"A", 300}, {"C", 300}, {"B", 400}, {"A", 600}, {"B", 600}, {"C", 600}}));
  EXPECT_EQ(clock.nowMs(), 1600);
  EXPECT_EQ(clock.ticksFired(), 7u);
}

TEST(VirtualClock, TimeMovesToTheEndEvenWithoutTicks) {
  VirtualClock clock;
  clock.advance(250);
  EXPECT_EQ(clock.nowMs(), 250);
  EXPECT_FALSE(clock.nextDueMs().has_value());
  const int id = clock.startRepeating(100, [] {});
  EXPECT_NE(id, 0);
  EXPECT_EQ(clock.nextDueMs(), 350);
  clock.advance(99);
  EXPECT_EQ(clock.ticksFired(), 0u);
  clock.advance(1);
  EXPECT_EQ(clock.ticksFired(), 1u);
  EXPECT_EQ(clock.nextDueMs(), 450);
}

TEST(VirtualClock, ANonPositiveIntervalStartsNothing) {
  VirtualClock clock;
  EXPECT_EQ(clock.startRepeating(0, [] {}), 0);
  EXPECT_EQ(clock.startRepeating(-5, [] {}), 0);
  EXPECT_EQ(clock.activeCount(), 0u);
  clock.cancel(0);
}

TEST(VirtualClock, ATickMayStartATimerThatFiresInTheSameAdvance) {
  VirtualClock clock;
  std::vector<Tick> ticks;
  bool started = false;
  clock.startRepeating(100, [&] {
    ticks.push_back({"outer", clock.nowMs()});
    if (!started) {
      started = true;
      clock.startRepeating(50, [&] { ticks.push_back({"inner", clock.nowMs()}); });
    }
  });
  clock.advance(250);
  EXPECT_EQ(ticks, (std::vector<Tick>{{"outer", 100}, {"inner", 150}, {"outer", 200}, {"inner", 200}, {"inner", 250}}));
}

TEST(VirtualClock, ATickMayCancelItselfOrAnotherDueAtTheSameTime) {
  VirtualClock clock;
  std::vector<Tick> ticks;
  int self = 0, other = 0;
  self = clock.startRepeating(100, [&] {
    ticks.push_back({"self", clock.nowMs()});
    clock.cancel(self);
    clock.cancel(other);
  });
  other = clock.startRepeating(100, [&] { ticks.push_back({"other", clock.nowMs()}); });
  clock.advance(1000);
  EXPECT_EQ(ticks, (std::vector<Tick>{{"self", 100}}));
  EXPECT_EQ(clock.activeCount(), 0u);
  EXPECT_FALSE(clock.isActive(self));
}

TEST(VirtualClock, ATickMayRestartItsOwnTimer) {
  VirtualClock clock;
  std::vector<Tick> ticks;
  int id = 0;
  std::function<void()> tick = [&] {
    ticks.push_back({"t", clock.nowMs()});
    clock.cancel(id);
    id = clock.startRepeating(300, tick);
  };
  id = clock.startRepeating(100, tick);
  clock.advance(700);
  EXPECT_EQ(ticks, (std::vector<Tick>{{"t", 100}, {"t", 400}, {"t", 700}}));
}

TEST(VirtualClock, AdvanceFromInsideATickFails) {
  VirtualClock clock;
  clock.startRepeating(10, [&] { clock.advance(5); });
  EXPECT_NONFATAL_FAILURE(clock.advance(10), "from inside a tick");
  EXPECT_EQ(clock.nowMs(), 10);
}

TEST(VirtualClock, TheScopeInstallsTheClock) {
  Clock* before = &clock();
  {
    ScopedClock virtualClock;
    EXPECT_EQ(&clock(), &virtualClock.get());
    virtualClock->advance(5);
    EXPECT_EQ(clock().nowMs(), 5);
  }
  EXPECT_EQ(&clock(), before);
}

}  // namespace
}  // namespace platform
