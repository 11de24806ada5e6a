// The disc player: started from a collection folder (as QD.exe on the disc),
// it reads the collection, shows the intro and the album browser, and plays
// the albums.

#include <QApplication>
#include <exception>

#include "audio_media_control.h"
#include "dialogs/dialog_service.h"
#include "form1.h"
#include "look.h"
#include "player.h"
#include "system/event_pump.h"
#include "system/process_launcher.h"
#include "termination_signals.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  controls::applyLook(app);
  platform::installEventPump();
  platform::setProgramTitle("Quendrel");

  try {
    player::Player player([] { return std::make_unique<media::AudioMediaControl>(); });
    // Ended by the system or by Ctrl+C, the player takes its folder with it.
    player::TerminationSignals ending([&player] { player.tempFolder().remove(); });
    player.setStartStyle(platform::windowStyleHint().value_or(platform::WindowStyle::Normal));
    player.form1();  // its load runs the whole start-up
    return app.exec();
  } catch (const std::exception& e) {
    // A start-up that failed half-way: the player and its folder are gone
    // by now; its failure is shown as a handler's would be.
    platform::dialogs().MsgBox(QString::fromUtf8(e.what()), platform::vbCritical);
    return 1;
  }
}
