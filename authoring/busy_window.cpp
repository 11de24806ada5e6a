#include "busy_window.h"

#include "form5.h"

BusyWindow::BusyWindow(Form5& form, Indicator indicator)
    : form_(form), wasEnabled_(form.Enabled()), working_(indicator == kWorking) {
  form_.setEnabled(false);
  if (!working_) return;
  try {
    form_.showWorking();
  } catch (...) {
    restore();
    throw;
  }
}

BusyWindow::~BusyWindow() { restore(); }

void BusyWindow::restore() noexcept {
  // Each on its own: the window takes input again even when "Working...."
  // could not be hidden.
  try {
    if (working_) form_.hideWorking();
  } catch (...) {
  }
  try {
    if (!handedOver_) form_.setEnabled(wasEnabled_);
  } catch (...) {
  }
}
