// Quendrel, the authoring program: its main window runs the start-up and
// the program lives as long as its windows.
#include <QApplication>

#include "dialogs/dialog_service.h"
#include "form5.h"
#include "look.h"
#include "system/event_pump.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::setProgramTitle(QStringLiteral("Quendrel"));
  controls::applyLook(app);
  platform::installEventPump();
  Form5 form5;
  form5.Show();
  return app.exec();
}
