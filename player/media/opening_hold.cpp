#include "opening_hold.h"

namespace media {

void OpeningHold::start() { firstLookMs_.store(kUnseen); }

void OpeningHold::cancel() { firstLookMs_.store(kIdle); }

bool OpeningHold::holds(std::int64_t nowMs) {
  std::int64_t firstLook = firstLookMs_.load();
  if (firstLook == kUnseen && firstLookMs_.compare_exchange_strong(firstLook, nowMs)) firstLook = nowMs;
  if (firstLook == kIdle) return false;
  if (nowMs - firstLook < kHoldMs) return true;
  firstLookMs_.compare_exchange_strong(firstLook, kIdle);
  return false;
}

}  // namespace media
