#pragma once
// Message boxes and input boxes. Every window of every program asks through
// the one installed service: the programs install the Qt one, tests install
// a scripted one that answers from a queue and records every box.

#include <QString>

class QWidget;

namespace platform {

// Buttons and icon of a message box, combined with |, as the programs pass them.
enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton2 = 256,  // the second button is the default
};

// The parts of a style: the buttons (low four bits) and the icon.
constexpr int kMsgBoxButtonsMask = 0x0F;
constexpr int kMsgBoxIconMask = 0x70;

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
// Until it is set (and after it is set to ""): the application name of the
// running QCoreApplication, else "Quendrel".
QString programTitle();
void setProgramTitle(const QString& title);

// The title a box with `title` shows: `title`, or programTitle() when empty.
QString effectiveTitle(const QString& title);

// Gives `window` the title effectiveTitle(title), shown as it stands: Qt
// would take a "[*]" in it for its unsaved-changes mark and drop it.
void setShownTitle(QWidget& window, const QString& title);

// The answer of a box of `style` when the user closes it without choosing
// (and of a scripted box nobody expected): OK for an OK box, Cancel for a box
// with Cancel, No for Yes/No.
MsgBoxResult closeAnswer(int style);

// True when `answer` is one of the buttons of a box of `style`.
bool isButtonOf(int style, MsgBoxResult answer);

// The Qt message and input boxes (the default service).
class QtDialogService : public DialogService {
 public:
  MsgBoxResult MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) override;
  QString InputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) override;
};

}  // namespace platform
