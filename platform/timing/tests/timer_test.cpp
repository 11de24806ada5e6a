#include "timing/timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>
#include <vector>

#include "timing/virtual_clock.h"

namespace platform {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  ScopedClock clock;
  std::vector<std::int64_t> ticks;
  void count(Timer& t) {
    t.onTimer = [this] { ticks.push_back(clock->nowMs()); };
  }
};

TEST_F(TimerTest, DefaultsAreEnabledWithInterval0AndNeverFire) {
  Timer t;
  count(t);
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Interval(), 0);
  EXPECT_FALSE(t.isRunning());
  clock->advance(100000);
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, TicksEveryIntervalWhileEnabled) {
  Timer t(1500, true);
  count(t);
  clock->advance(1499);
  EXPECT_TRUE(ticks.empty());
  clock->advance(1);
  clock->advance(3000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1500, 3000, 4500}));
}

TEST_F(TimerTest, ADisabledTimerDoesNotTick) {
  Timer t(1000, false);
  count(t);
  clock->advance(5000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_FALSE(t.isRunning());
  t.setEnabled(true);
  clock->advance(1000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{6000}));
}

TEST_F(TimerTest, SettingIntervalRestartsTheCountdown) {
  Timer t(1000, true);
  count(t);
  clock->advance(600);
  t.setInterval(1000);
  clock->advance(900);
  EXPECT_TRUE(ticks.empty());
  clock->advance(100);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1600}));
  t.setInterval(5000);
  clock->advance(4999);
  EXPECT_EQ(ticks.size(), 1u);
  clock->advance(1);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1600, 6600}));
}

TEST_F(TimerTest, SettingEnabledRestartsTheCountdown) {
  Timer t(1000, true);
  count(t);
  clock->advance(700);
  t.setEnabled(true);  // already enabled: the countdown starts afresh
  clock->advance(700);
  EXPECT_TRUE(ticks.empty());
  clock->advance(300);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1700}));
  clock->advance(200);
  t.setEnabled(false);
  clock->advance(500);
  t.setEnabled(true);
  clock->advance(999);
  EXPECT_EQ(ticks.size(), 1u);
  clock->advance(1);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1700, 3400}));
}

TEST_F(TimerTest, Interval0StopsTheTicksButKeepsEnabled) {
  Timer t(100, true);
  count(t);
  clock->advance(100);
  t.setInterval(0);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(t.isRunning());
  clock->advance(1000);
  EXPECT_EQ(ticks.size(), 1u);
  t.setInterval(-3);
  EXPECT_EQ(t.Interval(), 0);
  t.setInterval(250);
  clock->advance(250);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 1350}));
}

// An interval shorter than the system tick ticks once per system tick; the
// tick itself and longer intervals tick as set.
TEST_F(TimerTest, IntervalsBelowTheSystemTickTickOncePerTick) {
  struct Case {
    int intervalMs;
    std::int64_t everyMs;
  };
  const Case cases[] = {{1, 16}, {2, 16}, {10, 16}, {15, 16}, {16, 16}, {17, 17}, {20, 20}, {100, 100}, {1500, 1500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.intervalMs);
    ticks.clear();
    const std::int64_t start = clock->nowMs();
    Timer t(c.intervalMs, true);
    count(t);
    EXPECT_EQ(t.Interval(), c.intervalMs);
    clock->advance(4800);
    ASSERT_EQ(static_cast<std::int64_t>(ticks.size()), 4800 / c.everyMs);
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_EQ(ticks[i] - start, c.everyMs * static_cast<std::int64_t>(i + 1));
  }
}

TEST_F(TimerTest, AShortIntervalSetOnARunningTimerTicksOncePerTickFromNow) {
  Timer t(1000, true);
  count(t);
  clock->advance(500);
  t.setInterval(1);
  clock->advance(15);
  EXPECT_TRUE(ticks.empty());
  clock->advance(1);
  clock->advance(32);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{516, 532, 548}));
  // Enabled again from its own tick, as the restart wait's partner does.
  t.onTimer = [&] {
    ticks.push_back(clock->nowMs());
    t.setEnabled(true);
  };
  clock->advance(48);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{516, 532, 548, 564, 580, 596}));
}

TEST_F(TimerTest, ATimerDisabledInItsOwnTickDoesNotTickAgain) {
  Timer t(4000, true);
  int n = 0;
  t.onTimer = [&] {
    ++n;
    t.setEnabled(false);
  };
  clock->advance(20000);
  EXPECT_EQ(n, 1);
  EXPECT_FALSE(t.Enabled());
}

TEST_F(TimerTest, ATickMayChangeItsOwnInterval) {
  // As the box animation does: a first wait of 5000, then 100 a step.
  Timer t(100, false);
  std::vector<std::int64_t> at;
  t.onTimer = [&] {
    at.push_back(clock->nowMs());
    if (t.Interval() != 100) t.setInterval(100);
  };
  t.setInterval(5000);
  t.setEnabled(true);
  clock->advance(5300);
  EXPECT_EQ(at, (std::vector<std::int64_t>{5000, 5100, 5200, 5300}));
}

TEST_F(TimerTest, ATimerMayBeDestroyedInItsOwnTick) {
  auto t = std::make_unique<Timer>(100, true);
  int n = 0;
  t->onTimer = [&] {
    ++n;
    t.reset();
  };
  clock->advance(1000);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(clock->activeCount(), 0u);
}

TEST_F(TimerTest, ATickMayReplaceTheHandler) {
  Timer t(100, true);
  std::vector<int> calls;
  t.onTimer = [&] {
    calls.push_back(1);
    t.onTimer = [&] { calls.push_back(2); };
  };
  clock->advance(300);
  EXPECT_EQ(calls, (std::vector<int>{1, 2, 2}));
}

TEST_F(TimerTest, RunsOnTheClockInstalledWhenItWasEnabled) {
  Timer t(100, true);
  count(t);
  {
    ScopedClock other;
    other->advance(1000);
    EXPECT_TRUE(ticks.empty());
    t.setEnabled(true);  // now on `other`
    other->advance(100);
    EXPECT_EQ(ticks.size(), 1u);
  }
  // The clock it ran on is gone: the timer does not tick until restarted.
  clock->advance(1000);
  EXPECT_EQ(ticks.size(), 1u);
  t.setEnabled(true);
  clock->advance(100);
  EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(TimerTest, ATimerOutlivingItsClockIsDestroyedSafely) {
  auto other = std::make_unique<VirtualClock>();
  setClock(other.get());
  auto t = std::make_unique<Timer>(100, true);
  setClock(&clock.get());
  other.reset();
  t->setInterval(200);  // restarts on the installed clock
  t.reset();
  EXPECT_EQ(clock->activeCount(), 0u);
}

// The real clock: a short timer ticks in the event loop and stops when
// disabled in its tick.
TEST(QtClockTimer, TicksInTheEventLoop) {
  setClock(nullptr);
  ASSERT_NE(dynamic_cast<QtClock*>(&platform::clock()), nullptr);
  Timer t(5, true);
  int n = 0;
  t.onTimer = [&] {
    if (++n == 3) t.setEnabled(false);
  };
  QElapsedTimer waited;
  waited.start();
  while (n < 3 && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_EQ(n, 3);
  // Disabled in its third tick: no fourth comes.
  QElapsedTimer after;
  after.start();
  while (after.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(n, 3);
  EXPECT_FALSE(t.isRunning());
}

// On the real clock too, a 1 ms timer ticks at most once per system tick: in
// 480 ms not more than 30 times (a thousand-a-second timer would give ~480).
TEST(QtClockTimer, A1MsTimerTicksAtMostOncePerSystemTick) {
  setClock(nullptr);
  Timer t(1, true);
  int n = 0;
  t.onTimer = [&] { ++n; };
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 480) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  t.setEnabled(false);
  EXPECT_GE(n, 1);
  EXPECT_LE(n, 480 / kSystemTickMs + 1);
}

TEST(QtClockTimer, NowNeverGoesBack) {
  QtClock qt;
  std::int64_t last = qt.nowMs();
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t now = qt.nowMs();
    EXPECT_GE(now, last);
    last = now;
  }
  EXPECT_EQ(qt.startRepeating(0, [] {}), 0);
  const int id = qt.startRepeating(1000, [] {});
  EXPECT_NE(id, 0);
  qt.cancel(id);
  qt.cancel(id);
}

}  // namespace
}  // namespace platform
