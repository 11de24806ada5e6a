#pragma once
// How a modal window or a pop-up menu waits for the user. The programs use
// the event-loop driver (a nested event loop until the window is hidden or
// unloaded); tests install a scripted one (scripted_modals.h) that runs the
// action the test queued for that window, so no test waits in a loop.

namespace controls {

class Form;
class Menu;
class MenuItem;

class ModalDriver {
 public:
  virtual ~ModalDriver() = default;
  // `form` has just been shown modally; returns when it is hidden or
  // unloaded (or, for a scripted driver, when the script has run).
  virtual void runModal(Form& form) = 0;
  // Shows `menu` as a pop-up menu of `owner`; returns the chosen item, or
  // nullptr when the menu was dismissed.
  virtual MenuItem* runPopupMenu(Form& owner, Menu& menu) = 0;
};

// The installed driver; without one, the event-loop driver.
ModalDriver& modalDriver();
// Installs `driver` (not owned); nullptr restores the event-loop driver.
void setModalDriver(ModalDriver* driver);
// The driver installed by setModalDriver; nullptr for the event-loop driver.
ModalDriver* installedModalDriver();

}  // namespace controls
