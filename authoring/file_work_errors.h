#pragma once
// How a command of the main window deals with failed file work: most show
// one message box with the error's description and stop; a few step over a
// failing step and go on with the next.

#include <QString>
#include <exception>
#include <functional>

#include "dialogs/dialog_service.h"
#include "store_error.h"

inline void showFileWorkError(const std::exception& error) {
  platform::dialogs().MsgBox(QString::fromStdString(error.what()), platform::vbOKOnly);
}

// Runs `step`; a file error in it is stepped over.
inline void skippingFileErrors(const std::function<void()>& step) {
  try {
    step();
  } catch (const store::StoreError&) {
  }
}
