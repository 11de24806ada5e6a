#include "frm_main.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "album_files.h"
#include "colors.h"
#include "cd_drives.h"
#include "dialogs/dialog_service.h"
#include "fault_filter.h"
#include "form5.h"
#include "key_codes.h"
#include "look.h"
#include "runtime_rules.h"
#include "screen.h"
#include "store_error.h"
#include "text_helpers.h"
#include "track_rip.h"

namespace {

constexpr double kClientWidth = 8160, kClientHeight = 2640;
constexpr int kMostSongs = 30;
// Table entry i holds where track i ends; entry 99 is the last there is.
constexpr int kLastTocEntry = ripper::kTocEntries - 1;

// The settings panel.
constexpr controls::OleColor kPanelFace = 0xF0F0F0;
constexpr controls::OleColor kPanelLine = 0xAAB2B8;

void showMessage(const QString& text) { platform::dialogs().MsgBox(text, platform::vbOKOnly); }

bool pathTaken(const QString& path) {
  std::error_code ec;
  return std::filesystem::symlink_status(path.toStdString(), ec).type() != std::filesystem::file_type::not_found &&
         !ec;
}

}  // namespace

frmMain::frmMain(Form5& owner) : Form("frmMain"), owner_(owner) {
  setCaption(QStringLiteral("Extract from CD"));
  setBorderStyle(1);
  setWidth(kClientWidth);
  setHeight(kClientHeight);
  setBackColor(controls::kDialogGrey);

  DriveList.Move(180, 180, 4320, 315);
  DriveList.setStyle(2);
  TrackList.Move(180, 600, 4320, 1860);
  TrackList.setMultiSelect(2);

  Frame1.Move(4680, 180, 3300, 1740);
  // A light panel with a fine line around it, no caption. The panel's
  // style sheet rules its check boxes too, which would otherwise keep the
  // program's grey behind their captions.
  Frame1.setBorderStyle(0);
  Frame1.setBackColor(kPanelFace);
  const QPalette look = QApplication::palette();
  Frame1.widget()->setStyleSheet(
      QStringLiteral("QGroupBox { background-color: %1; border: 1px solid %2; border-radius: 3px; margin: 0; padding: 0; }"
                     " QCheckBox { background-color: %1; color: %3; } QCheckBox:disabled { color: %4; }")
          .arg(controls::toQColor(kPanelFace).name(), controls::toQColor(kPanelLine).name(),
               look.color(QPalette::Active, QPalette::WindowText).name(),
               look.color(QPalette::Disabled, QPalette::WindowText).name()));
  Label2.Move(180, 255, 780, 255);
  Label2.setCaption(QStringLiteral("Quality"));
  cmbQuality.Move(1020, 210, 2100, 315);
  cmbQuality.setStyle(2);
  for (const ripper::QualityPreset& preset : ripper::kQualityPresets)
    cmbQuality.AddItem(QString::fromLatin1(preset.line));
  Label3.Move(180, 675, 780, 255);
  Label3.setCaption(QStringLiteral("Bitrate"));
  cmbBitrate.Move(1020, 630, 2100, 315);
  cmbBitrate.setStyle(2);
  for (int bitrate : ripper::kBitrates) cmbBitrate.AddItem(QString::number(bitrate));
  struct Flag {
    controls::CheckBox& box;
    const char* caption;
    double left, top;
  };
  for (const Flag& flag : {Flag{chkPrivate, "Private", 180, 1095}, Flag{chkCRC, "CRC", 1740, 1095},
                           Flag{chkCopyright, "Copyrighted", 180, 1365}, Flag{chkOriginal, "Original", 1740, 1365}}) {
    flag.box.Move(flag.left, flag.top, 1440, 255);
    flag.box.setCaption(QString::fromLatin1(flag.caption));
    flag.box.setBackColor(kPanelFace);
  }
  Label2.setBackStyle(0);
  Label3.setBackStyle(0);

  optMP3.Move(4680, 2040, 900, 255);
  optMP3.setCaption(QStringLiteral("MP3"));
  optWAV.Move(5640, 2040, 900, 255);
  optWAV.setCaption(QStringLiteral("WAV"));
  optMP3.setValue(true);
  Label1.Move(180, 2100, 1000, 255);
  Label1.setCaption(QStringLiteral("Output Path"));
  txtOutPath.Move(1200, 2040, 3300, 315);
  Command1.Move(4680, 2040, 1920, 420);
  Command1.setCaption(QStringLiteral("Browse For Folder"));
  for (controls::Control* hidden : std::initializer_list<controls::Control*>{&optMP3, &optWAV, &Label1, &txtOutPath, &Command1})
    hidden->setVisible(false);

  cmdRip.Move(4680, 2040, 1920, 420);
  cmdRip.setCaption(QStringLiteral("Extract Tracks"));
  cmdRip.setFontBold(true);
  cmdQuit.Move(6720, 2040, 1260, 420);
  cmdQuit.setCaption(QStringLiteral("Cancel"));

  MouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
  DriveList.Click = [this] { DriveList_Click(); };
  TrackList.KeyDown = [this](int& k, int s) { TrackList_KeyDown(k, s); };
  TrackList.MouseDown = [this](int b, int s, double x, double y) { TrackList_MouseDown(b, s, x, y); };
  mnuChangeName.Click = [this] { mnuChangeName_Click(); };
  cmdRip.Click = [this] { cmdRip_Click(); };
  cmdQuit.Click = [this] { cmdQuit_Click(); };
}

void frmMain::Form_Load() {
  setIcon(owner_.Icon());
  ripper::installFaultFilter();
  cmbQuality.setText(QStringLiteral("Normal"));
  cmbBitrate.setText(QStringLiteral("160"));
  // The CD and encoder libraries are linked into the program: there is
  // nothing to load from the program's folder, and the current folder stays.
  ripper::CdDrives& drives = ripper::cdDrives();
  // A fault inside the CD library while it looks for drives counts as
  // finding none.
  std::int32_t adapters = 0;
  try {
    adapters = drives.GetNumAdapters();
  } catch (const std::exception&) {
  }
  if (adapters < 1) {
    showMessage(QStringLiteral("Could not locate a CD adaptor.\nOr CD is occupied, Or you are currently using a "
                               "different ripping utility."));
    cmdQuit_Click();
    return;
  }
  // One drive list holds eight drive records; more adapters than that have
  // no record to show.
  try {
    for (int k = 0; k < std::min<std::int32_t>(adapters, ripper::kMaxDrives); ++k) {
      ripper::CdRecord record{};
      drives.GetCDRecord(record, k);
      DriveList.AddItem(ripper::BytesToStr(record.id));
    }
  } catch (const std::exception&) {
    // The drives listed before the fault are all there is to choose from.
  }
  if (DriveList.ListCount() > 0) DriveList.setListIndex(0);
  txtOutPath.setText(owner_.sDirectory + u'/' + owner_.List1.Text());
}

void frmMain::Form_QueryUnload(int& cancel, int) {
  if (ripping_) cancel = 1;
}

void frmMain::Form_Unload(int&) {
  ripper::removeFaultFilter();
  // The drive is free for other programs again once the window is gone.
  closeDrive();
  owner_.setEnabled(true);
}

void frmMain::closeDrive() {
  try {
    ripper::cdDrives().CloseCD();
  } catch (const std::exception&) {
    // A library fault on the way out; nothing is left to do with the drive.
  }
}

void frmMain::Form_MouseMove(int Button, int, double, double) {
  if (Button != controls::vbLeftButton) return;
  const long long freeWidth = runtime::roundHalfEven(controls::Screen::Width() - Width());
  const long long freeHeight = runtime::roundHalfEven(controls::Screen::Height() - Height());
  Move(static_cast<double>(freeWidth / 2), static_cast<double>(freeHeight / 2));
}

void frmMain::DriveList_Click() {
  // A drive that cannot be read lists no tracks, without a word.
  ripper::CdDrives& drives = ripper::cdDrives();
  TrackList.Clear();
  closeDrive();
  bool opened = false;
  try {
    opened = drives.OpenCD(DriveList.ListIndex());
  } catch (const std::exception&) {
  }
  if (!opened) return;
  for (int i = 1; i <= kLastTocEntry; ++i) {
    try {
      if (drives.tocFrame(i) == 0) break;
    } catch (const std::exception&) {
      break;
    }
    TrackList.AddItem(QStringLiteral("Track ") + QString::number(i));
  }
}

void frmMain::TrackList_KeyDown(int& KeyCode, int) {
  if (KeyCode == controls::vbKeyF3) mnuChangeName_Click();
}

void frmMain::TrackList_MouseDown(int Button, int, double, double) {
  if (Button == controls::vbRightButton) PopupMenu(mnuPopup);
}

void frmMain::mnuChangeName_Click() {
  // The name goes to the line with the focus, when it is one of the
  // selected lines; with none selected there is nothing to rename.
  const int line = TrackList.ListIndex();
  if (TrackList.ListCount() == 0 || line < 0 || !TrackList.Selected(line)) return;
  const QString name = platform::dialogs().InputBox(QStringLiteral("Give new name..."));
  // An empty answer empties the line; any other becomes part of a file
  // name in the album's folder and follows the song names' rules.
  if (!name.isEmpty()) {
    if (!album_files::isLegalName(name)) {
      showMessage(QStringLiteral("Illegal name."));
      return;
    }
    if (const auto refusal = album_files::discNameRefusal(name, "song name")) {
      platform::dialogs().MsgBox(*refusal, platform::vbOKOnly, QStringLiteral("Error"));
      return;
    }
  }
  TrackList.setList(line, name);
}

ripper::EncoderSettings frmMain::chosenSettings() const {
  const int quality = std::max(0, cmbQuality.ListIndex());
  return ripper::mp3Settings(static_cast<std::uint32_t>(runtime::Val(cmbBitrate.Text().toStdString())),
                             ripper::kQualityPresets[static_cast<std::size_t>(quality)].value,
                             chkPrivate.Value() == 1, chkCRC.Value() == 1, chkCopyright.Value() == 1,
                             chkOriginal.Value() == 1);
}

void frmMain::cmdRip_Click() {
  ripper::EncoderSettings settings = chosenSettings();
  ripping_ = true;
  // The tracks share one progress window, so that a Cancel pressed as one
  // ends still reaches the rip.
  std::optional<ripper::ExtractProgress> progress(std::in_place);
  try {
    for (int i = 1; i <= TrackList.ListCount(); ++i) {
      if (owner_.File4.ListCount() >= kMostSongs) {
        progress.reset();
        showMessage(QStringLiteral("No more than 30 songs aloud."));
        break;
      }
      // The rip has taken away what it wrote of a track it did not finish;
      // a track that did finish stays, whenever the cancel came.
      if (ripper::CancelRip) break;
      if (TrackList.Selected(i - 1)) ripLine(i - 1, settings);
      // The next song's number and the 30-song test count the new file.
      owner_.File4.Refresh();
    }
  } catch (const store::StoreError& e) {
    // The album's folder could not be listed any more.
    progress.reset();
    showMessage(QString::fromStdString(e.what()));
  }
  progress.reset();
  ripping_ = false;
  setEnabled(true);
  ripper::CancelRip = 0;
}

void frmMain::ripLine(int line, ripper::EncoderSettings& settings) {
  const QString song = owner_.setNewSongName(TrackList.List(line));
  const QString path = ripper::AddSlash(txtOutPath.Text()) + song + QStringLiteral(".mp3");
  // A file of that name in the album (a song the album's numbering does
  // not account for) is never written over.
  if (pathTaken(path)) {
    ripper::showCriticalError(QString::fromStdString(store::describeErrno(EEXIST)));
    return;
  }
  ripper::CdDrives& drives = ripper::cdDrives();
  std::int32_t first = drives.tocFrame(line);
  std::int32_t end = drives.tocFrame(line + 1);
  ripper::RipTrackToMp3(path, first, end, settings, this);
  // The song, finished or taken away again, changed the project's files.
  owner_.showFolderSize();
}

void frmMain::cmdQuit_Click() {
  owner_.setEnabled(true);
  ripper::CancelRip = 0;
  Unload();
}
