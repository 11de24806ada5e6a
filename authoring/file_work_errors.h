#pragma once
// How a command of the program's windows deals with failed file work: most
// show one message box with the error's description and stop; a few step
// over a failing step and go on with the next.

#include <QString>
#include <exception>
#include <functional>

#include "dialogs/dialog_service.h"
#include "store_error.h"

// The error's description, as the messages show it.
inline QString describe(const std::exception& error) { return QString::fromStdString(error.what()); }

// One OK box with the error's description, titled `title` (the program's
// title when empty).
inline void showFileWorkError(const std::exception& error, const QString& title = {}) {
  platform::dialogs().MsgBox(describe(error), platform::vbOKOnly, title);
}

// Runs `step`; a file error in it is stepped over.
inline void skippingFileErrors(const std::function<void()>& step) {
  try {
    step();
  } catch (const store::StoreError&) {
  }
}
