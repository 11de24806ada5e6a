// The disc player: started from a collection folder (as QD.exe on the disc),
// it reads the collection, shows the intro and the album browser, and plays
// the albums.

#include <QApplication>

#include "audio_media_control.h"
#include "dialogs/dialog_service.h"
#include "look.h"
#include "player_program.h"
#include "system/event_pump.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  controls::applyLook(app);
  platform::installEventPump();
  platform::setProgramTitle("Quendrel");
  return player::runPlayer([] { return std::make_unique<media::AudioMediaControl>(); },
                           [] { return QApplication::exec(); });
}
