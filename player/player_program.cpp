#include "player_program.h"

#include <exception>

#include "dialogs/dialog_service.h"
#include "form1.h"
#include "private_temp_folder.h"
#include "system/process_launcher.h"
#include "termination_signals.h"

namespace player {

int runPlayer(Player::MediaControlMaker makeMediaControl, const std::function<int()>& eventLoop) {
  // Ended by the system or by Ctrl+C, the player takes its folder with it,
  // whatever its window thread is doing then. Watched before the folder is
  // made, until after it has gone.
  TerminationSignals ending(removeRunFoldersForGood);
  try {
    Player player(std::move(makeMediaControl));
    player.setStartStyle(platform::windowStyleHint().value_or(platform::WindowStyle::Normal));
    player.form1();  // its load runs the whole start-up
    return eventLoop();
  } catch (const std::exception& e) {
    // A start-up that failed half-way: the player and its folder are gone
    // by now; its failure is shown as a handler's would be.
    platform::dialogs().MsgBox(QString::fromUtf8(e.what()), platform::vbCritical);
    return 1;
  }
}

}  // namespace player
