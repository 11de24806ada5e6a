// The disc player: started from a collection folder (as QD.exe on the disc),
// it reads the collection, shows the intro and the album browser, and plays
// the albums.

#include <QApplication>

#include "audio_media_control.h"
#include "dialogs/dialog_service.h"
#include "form1.h"
#include "look.h"
#include "player.h"
#include "system/event_pump.h"
#include "system/process_launcher.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  controls::applyLook(app);
  platform::installEventPump();
  platform::setProgramTitle("Quendrel");

  player::Player player([] { return std::make_unique<media::AudioMediaControl>(); });
  player.setStartStyle(platform::windowStyleHint().value_or(platform::WindowStyle::Normal));
  player.form1();  // its load runs the whole start-up
  return app.exec();
}
