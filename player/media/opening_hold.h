#pragma once
// After every open the play state reads "opening" for a while before it
// reads "playing". The while is counted from the first look at the state, not
// from the open, so a caller that waits for "opening" from a busy event loop
// still sees it however late its first look comes. Safe from any thread.

#include <atomic>
#include <cstdint>
#include <limits>

namespace media {

class OpeningHold {
 public:
  static constexpr std::int64_t kHoldMs = 200;

  // An open happened: the next looks see "opening".
  void start();
  // Play paused or stopped: "opening" is over.
  void cancel();
  // A look at the state at `nowMs` (a clock that never goes back): true while it reads "opening".
  bool holds(std::int64_t nowMs);

 private:
  static constexpr std::int64_t kIdle = std::numeric_limits<std::int64_t>::min();
  static constexpr std::int64_t kUnseen = kIdle + 1;

  // kIdle, kUnseen, or the time of the first look.
  std::atomic<std::int64_t> firstLookMs_{kIdle};
};

}  // namespace media
