#include "web/web_page.h"

#include "dialogs/dialog_service.h"
#include "system/process_launcher.h"
#include "web/web_host.h"

namespace platform {

void openWebPage(const QString& path, WindowStyle style) {
  const QString address = webAddress(path);
  if (address.isEmpty()) {
    dialogs().MsgBox(QStringLiteral("No web host is configured."), vbOKOnly);
    return;
  }
  if (!openWithDesktop(address, style))
    dialogs().MsgBox(QStringLiteral("Could not open ") + address + QStringLiteral(": xdg-open did not start."),
                     vbOKOnly);
}

}  // namespace platform
