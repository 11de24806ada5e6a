#pragma once
// The timers of the player's windows tick into handlers of their window, as
// a click does: a window that a tick unloads is not destroyed under it.

#include <functional>

#include "form.h"
#include "timing/timer.h"

namespace player {

// Each tick of `timer` runs `handler` as a handler of `form`.
inline void tickIntoHandler(controls::Form& form, platform::Timer& timer, std::function<void()> handler) {
  timer.onTimer = [&form, handler = std::move(handler)] {
    controls::Form::HandlerScope scope(form);
    handler();
  };
}

}  // namespace player
