#pragma once
// Message boxes and input boxes. Every window of every program asks through
// the one installed service: the programs install the Qt one, tests install
// a scripted one that answers from a queue and records every box.

#include <QString>

namespace platform {

// Buttons and icon of a message box, combined with |, as the programs pass them.
enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbYesNo = 4,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
};

// The button the user pressed.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Shows `prompt` with the buttons and icon of `style`; an empty `title`
  // shows the program's title. Returns the button pressed.
  virtual MsgBoxResult MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) = 0;
  // Asks for a line of text; Cancel (or closing the box) answers the empty text.
  virtual QString InputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) = 0;
};

// The installed service. Without one installed, the Qt service is used.
DialogService& dialogs();
// Installs `service` (not owned) until it is replaced; nullptr restores the Qt service.
void setDialogService(DialogService* service);

// The program's title, shown by boxes given none ("Quendrel", "Setup", ...).
QString programTitle();
void setProgramTitle(const QString& title);

}  // namespace platform
