#pragma once
// The placeholder that stands in the taskbar for the album browser while the
// browser is minimised: restoring it brings the browser back, closing it
// ends the player.

#include "form.h"

namespace player {

class Player;

class Form3 : public controls::Form {
 public:
  explicit Form3(Player& player);

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  void Form_Unload(int& cancel) override;

 private:
  void showBrowser();

  Player& player_;
};

}  // namespace player
