#include "system/event_pump.h"

#include <QCoreApplication>

#include "runtime_rules.h"

namespace platform {

void installEventPump() {
  runtime::setPendingEventsHandler([] {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
  });
}

}  // namespace platform
