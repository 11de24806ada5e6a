// The main window itself: start-up, tabs, the picture buttons, dragging,
// the web links, help mode, the message window and the project display's
// reset.
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "album_files.h"
#include "dialogs/dialog_service.h"
#include "folder_size.h"
#include "form5.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "runtime_rules.h"
#include "store_error.h"
#include "system/app_paths.h"
#include "system/process_launcher.h"
#include "web/text_fetcher.h"
#include "web/web_host.h"
#include "web/web_page.h"

namespace {

constexpr int kProgramMajor = QUENDREL_VERSION_MAJOR;
constexpr int kProgramMinor = QUENDREL_VERSION_MINOR;
constexpr int kProgramRevision = QUENDREL_VERSION_REVISION;

// The lower left corner, where the help button lies: a release there ends
// help mode.
constexpr double kHelpCornerRight = 675, kHelpCornerTop = 6180;

}  // namespace

QString Form5::versionText() {
  return QStringLiteral("%1.%2.%3").arg(kProgramMajor).arg(kProgramMinor).arg(kProgramRevision);
}

void Form5::connectWindowHandlers() {
  MouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
  MouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
  MouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
  Image13.MouseDown = [this](int b, int s, double x, double y) { Image13_MouseDown(b, s, x, y); };
  Image13.MouseUp = [this](int b, int s, double x, double y) { Image13_MouseUp(b, s, x, y); };
  ImgBtnUpLeft.MouseDown = [this](int b, int s, double x, double y) { ImgBtnUpLeft_MouseDown(b, s, x, y); };
  ImgBtnUpLeft.MouseUp = [this](int b, int s, double x, double y) { ImgBtnUpLeft_MouseUp(b, s, x, y); };
  Image14.MouseDown = [this](int b, int s, double x, double y) { Image14_MouseDown(b, s, x, y); };
  Image14.MouseUp = [this](int b, int s, double x, double y) { Image14_MouseUp(b, s, x, y); };
  Image15.MouseDown = [this](int b, int s, double x, double y) { Image15_MouseDown(b, s, x, y); };
  Image5.Click = [this] { Image5_Click(); };
  // The panel and its grip drag alike.
  for (controls::Element* handle : {static_cast<controls::Element*>(&Frame3), static_cast<controls::Element*>(&Image6)}) {
    handle->MouseDown = [this](int b, int s, double x, double y) { Frame3_MouseDown(b, s, x, y); };
    handle->MouseMove = [this](int b, int s, double x, double y) { Frame3_MouseMove(b, s, x, y); };
    handle->MouseUp = [this](int b, int s, double x, double y) { Frame3_MouseUp(b, s, x, y); };
  }
  Label1.Click = [this] { Label1_Click(); };
  Label15.Click = [this] { Label15_Click(); };
  // Label4 follows the tab, however it was changed.
  SSTab1.Click = [this](int) { Label4.setCaption(SSTab1.Caption()); };
  optFrom1.MouseDown = [this](int, int, double, double) {
    helpShown(QStringLiteral("Mark this option inorder to use the MP3 files that are on a drive."));
  };
  optFrom2.MouseDown = [this](int, int, double, double) {
    helpShown(QStringLiteral("Mark this option inorder to rip MP3 files that are on a CD."));
  };
}

// ---- Start-up ---------------------------------------------------------------

void Form5::Form_Load() {
  // The start-up reports none of its own errors. The first one sends it back
  // to its recovery point, the naming slots (step 6); after that a failing
  // step is stepped over, so that the window always comes up usable.
  int errors = 0;
  try {
    runtime::letPendingEventsRun();
    redRGB = greenRGB = blueRGB = 0;
    RGB_SET = 1;
    const double third = Frame5.Width() / 3;
    Label14.setWidth(third);
    Label17.setWidth(third + 10);
    Label17.setLeft(Label14.Width());
    Label18.setWidth(third);
    Label18.setLeft(Label17.Left() + Label17.Width());
    frmMessage& splash = messageWindow();
    splash.showText(QStringLiteral("Quendrel\r\nVersion ") + versionText() +
                    QStringLiteral("\r\nGenerate your own MP3 music collection on CD."));
    splash.Show(controls::vbModeless);
    SSTab1.setTab(0);
  } catch (...) {
    ++errors;
  }

  const std::vector<std::function<void()>> fromRecoveryPoint = {
      [this] { resetNameSlots(); },
      [this] { showVersion(); },
      [this] { loadProjectList(); },
      [this] { ensureHandleFolder(); },
      [this] { checkForUpdate(); },
      [this] { Label4.setCaption(SSTab1.Caption()); },
      [this] { messageWindow().Hide(); },
  };
  for (std::size_t step = 0; step < fromRecoveryPoint.size();) {
    try {
      fromRecoveryPoint[step]();
      ++step;
    } catch (...) {
      step = ++errors == 1 ? 0 : step + 1;
    }
  }
}

void Form5::resetNameSlots() {
  picNames.assign(3, QString());
  coverNames.assign(30, QString());
}

void Form5::showVersion() { lblVersion.setCaption(QStringLiteral("Quendrel version\r\n") + versionText()); }

void Form5::ensureHandleFolder() {
  if (sampleProjectWanted()) buildSampleProject(QStringLiteral("Demo Collection"));
  album_files::ensureFolder(program_folder::handle());
}

void Form5::checkForUpdate() {
  const QString host = platform::webHost();
  if (host.isEmpty()) throw store::StoreError("No web host is configured");
  const platform::FetchResult reply = platform::fetchText(host + QString::fromLatin1(platform::kUpdateCheckPath));
  if (!reply.ok) throw store::StoreError(reply.error.toStdString());
  const QString current = QString::number(kProgramMajor) + QString::number(kProgramMinor) +
                          QString::number(kProgramRevision);
  const double offered = runtime::Val(reply.text.toStdString());
  if (!reply.text.isEmpty() && runtime::Val(current.toStdString()) < offered)
    platform::dialogs().MsgBox(QStringLiteral("A new version is available."), platform::vbOKOnly);
}

// ---- Tabs and picture buttons ---------------------------------------------

void Form5::Image13_MouseDown(int, int, double, double) { Image13.setVisible(false); }

void Form5::Image13_MouseUp(int, int, double, double) {
  const int next = SSTab1.Tab() + 1;
  SSTab1.setTab(next == 3 ? 0 : next);
  Label4.setCaption(SSTab1.Caption());
  Image13.setVisible(true);
}

void Form5::ImgBtnUpLeft_MouseDown(int, int, double, double) { ImgBtnUpLeft.setVisible(false); }

void Form5::ImgBtnUpLeft_MouseUp(int, int, double, double) {
  ImgBtnUpLeft.setVisible(true);
  setWindowState(controls::vbMinimized);
}

void Form5::Image14_MouseDown(int, int, double, double) { Image14.setVisible(false); }

void Form5::Image14_MouseUp(int, int, double, double) {
  Unload();
  controls::End();
}

void Form5::Image5_Click() { exitProgram(); }

void Form5::exitProgram() {
  Unload();
  for (controls::Form* form : controls::Form::loadedForms())
    if (form->Name() == QLatin1String("Dialog")) form->Unload();
  if (frmMessage* m = frmMessage_.ifLoaded()) m->Unload();
}

void Form5::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode != controls::vbFormControlMenu) return;
  cancel = 1;
  exitProgram();
}

// ---- Dragging --------------------------------------------------------------

void Form5::Form_MouseDown(int, int, double X, double Y) {
  dragStartX = static_cast<float>(X);
  dragStartY = static_cast<std::int32_t>(runtime::roundHalfEven(Y));
  dragging = true;
}

void Form5::Form_MouseMove(int, int, double X, double Y) {
  if (!dragging) return;
  Move(Left() + (X - dragStartX), Top() + (Y - dragStartY));
}

void Form5::Form_MouseUp(int, int, double X, double Y) {
  if (X <= kHelpCornerRight && Y >= kHelpCornerTop) {
    Image15.setVisible(true);
    infoTeller = false;
    setMousePointer(controls::vbDefault);
  }
  dragging = false;
}

void Form5::Frame3_MouseDown(int, int, double X, double Y) {
  moveFrameX = static_cast<std::int32_t>(runtime::roundHalfEven(X));
  moveFrameY = static_cast<std::int32_t>(runtime::roundHalfEven(Y));
}

void Form5::Frame3_MouseMove(int Button, int, double X, double Y) {
  if (Button == 0) return;
  Frame3.Move(Frame3.Left() + X - moveFrameX, Frame3.Top() + Y - moveFrameY);
}

void Form5::Frame3_MouseUp(int, int, double, double) {
  if (Frame3.Left() < 0) Frame3.setLeft(0);
  if (Frame3.Top() < 0) Frame3.setTop(0);
  if (Frame3.Top() + Frame3.Height() > Height()) Frame3.setTop(Height() - Frame3.Height());
  if (Frame3.Left() + Frame3.Width() > Width()) Frame3.setLeft(Width() - Frame3.Width());
}

// ---- Web links -------------------------------------------------------------

void Form5::Label1_Click() { openWebPage(platform::kHelpPagePath); }

void Form5::Label15_Click() { openWebPage(platform::kHomePagePath); }

void Form5::openWebPage(const char* path) {
  platform::openWebPage(QString::fromLatin1(path), platform::WindowStyle::Minimized);
}

// ---- Help mode and the message window -------------------------------------

void Form5::Image15_MouseDown(int, int, double, double) {
  infoTeller = !infoTeller;
  if (infoTeller) {
    setMousePointer(controls::vbArrowQuestion);
    Image15.setVisible(false);
  } else {
    setMousePointer(controls::vbDefault);
  }
}

bool Form5::helpShown(const QString& text) {
  if (!infoTeller) return false;
  message(text, true);
  return true;
}

void Form5::message(const QString& STR, bool userCanCancel) {
  frmMessage& window = messageWindow();
  window.closeOnClick = userCanCancel;
  window.showText(STR);
  window.Show(controls::vbModal);
}

void Form5::showWorking() {
  frmMessage& window = messageWindow();
  window.showText(QStringLiteral("Working...."));
  window.Show(controls::vbModeless, *this);
  runtime::letPendingEventsRun();
}

void Form5::hideWorking() {
  if (frmMessage* window = frmMessage_.ifLoaded()) window->Hide();
}

// ---- The project display ---------------------------------------------------

void Form5::cleanGui() {
  for (controls::Image* image : {&Image2, &Image3, &Image4}) image->setPicture(controls::Picture());
  Picture1.setPicture(controls::Picture());
  imgPreview2.setPicture(controls::Picture());
  Label13.setCaption(QString());
  lblProjectSubTitle.setCaption(QString());
  lblCdLabl.setCaption(QString());
  List1.Clear();
  redRGB = greenRGB = blueRGB = 0;
  for (controls::Label* channel : {&Label14, &Label17, &Label18}) channel->setCaption(QStringLiteral("0"));
  Frame5.setBackColor(controls::vbBlack);
  RGB_SET = 1;
  Label14.setBorderStyle(1);
  Label17.setBorderStyle(0);
  Label18.setBorderStyle(0);
  Label19.setLeft(0);
}

void Form5::showFolderSize() {
  lblFolderSize.setCaption(QString::fromStdString(store::folderSizeText(store::SizeOf(sDirectory.toStdString()))));
}

void Form5::markProjectChanged() {
  cmdPreview.setEnabled(false);
  Command27.setEnabled(true);
}
