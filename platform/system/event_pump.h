#pragma once
// "Let pending window events run" (runtime::letPendingEventsRun) in a window
// program: one pass of Qt's event processing.

namespace platform {

// Makes runtime::letPendingEventsRun() run QCoreApplication::processEvents()
// (nothing while no application object exists). Call once at start.
void installEventPump();

}  // namespace platform
