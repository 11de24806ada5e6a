#pragma once
// The intro window: the project's intro picture, centred on the screen for
// four seconds before anything else of the player shows.

#include "form.h"
#include "image.h"
#include "timing/timer.h"

namespace player {

class Player;

class Form4 : public controls::Form {
 public:
  explicit Form4(Player& player);

  controls::Image Image1{*this, "Image1"};  // the intro picture, at its own size
  platform::Timer Timer1{4000, false};

  // Shows the window modally; returns when its timer has closed it.
  void showMe();

 protected:
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

 private:
  void Timer1_Timer();

  Player& player_;
};

}  // namespace player
