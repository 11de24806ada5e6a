// The ripper window "Extract from CD", opened from the album tab by "Rip
// music from CD" and driven as a user drives it: drives and tracks of disc
// images, renaming by F3 and by the pop-up menu, the MP3 settings, the rip
// of the selected tracks into the album as its next songs (30 at most),
// the tracks that cannot be read, the folder size, cancel, and closing,
// which gives the main window back. A fake CD layer
// stands in where a case needs drives the images cannot give.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "album_tab_fixture.h"
#include "cd_access.h"
#include "cd_drives.h"
#include "cd_library.h"
#include "disc_image.h"
#include "fault_filter.h"
#include "file_io.h"
#include "folder_size.h"
#include "frm_main.h"
#include "frm_progress.h"
#include "mp3_reading.h"
#include "passed_on_drives.h"
#include "render.h"
#include "rip_error.h"
#include "runtime_rules.h"
#include "screen.h"
#include "twips.h"
#include "track_rip.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;
using controls::WindowInput;
using Names = std::vector<std::string>;

const QString kReadError = QStringLiteral(
    "An error was returned by the ASPI manager. Use GetAspiLibAspiError to retrieve the actual ASPI error.");
const QString kNoAdapter = QStringLiteral(
    "Could not locate a CD adaptor.\nOr CD is occupied, Or you are currently using a different ripping utility.");

// Drives as a test needs them: how many adapters there are, each record's
// identification bytes, and each drive's table of contents (its frame
// addresses from entry 0; a drive without one cannot be opened).
class FakeDrives : public ripper::CdDrives {
 public:
  FakeDrives() { ripper::setCdDrives(this); }
  ~FakeDrives() override { ripper::setCdDrives(nullptr); }

  std::int32_t GetNumAdapters() override {
    if (faultWhileCounting) throw ripper::RipError(ripper::kFaultErrorNumber, ripper::kFaultErrorSource, "Access Violation");
    return adapters;
  }
  void GetCDRecord(ripper::CdRecord& record, int index) override {
    if (index < 0 || index >= ripper::kMaxDrives) throw std::out_of_range("Subscript out of range");
    highestRecord = std::max(highestRecord, index);
    std::memset(&record, 0, sizeof record);
    if (index < static_cast<int>(ids.size()))
      std::memcpy(record.id, ids[index].data(), std::min(ids[index].size(), sizeof record.id));
  }
  bool OpenCD(int index) override {
    opened.push_back(index);
    open = index >= 0 && index < static_cast<int>(tocs.size()) && !tocs[index].empty() ? index : -1;
    return open >= 0;
  }
  void CloseCD() override { ++closes; }
  std::int32_t tocFrame(int entry) override {
    const std::vector<int>& toc = tocs[open < 0 ? 0 : open];
    return open >= 0 && entry < static_cast<int>(toc.size()) ? toc[entry] : 0;
  }
  // No frame of these drives can be read.
  std::int32_t ReadCDAudioLBA(ripper::TrackBuffer&) override { return 0; }
  QString AKRipErrText() override { return ripper::akripErrorText(ripper::cdlib::kReadFailed); }

  int adapters = 0;
  bool faultWhileCounting = false;
  std::vector<std::string> ids;
  std::vector<std::vector<int>> tocs;
  std::vector<int> opened;
  int closes = 0;
  int highestRecord = -1;
  int open = -1;
};

// A table of contents of `tracks` tracks of 100 frames each.
std::vector<int> tocOf(int tracks) {
  std::vector<int> toc;
  for (int i = 0; i <= tracks; ++i) toc.push_back(i * 100);
  return toc;
}

class RipperWindow : public RockAlbumTest {
 protected:
  void SetUp() override {
    RockAlbumTest::SetUp();
    runtime::setPendingEventsHandler([this] {
      if (duringRip) duringRip();
    });
  }
  void TearDown() override {
    runtime::setPendingEventsHandler({});
    if (frmMain* ripper = form.ripperWindow()) ripper->Unload();
  }

  fs::path discFolder() const {
    const fs::path folder = fs::path(elsewhere.path().toStdString()) / "discs";
    fs::create_directories(folder);
    return folder;
  }
  // The disc of the drive list's images, `frames` a track.
  void insertDisc(const std::vector<int>& frames) {
    disc = ripper_test::writeDiscImage(discFolder(), "disc", frames);
    useImages({disc});
  }
  // The drive list's images are these (the variable's old value comes back
  // before it is set anew).
  void useImages(const std::vector<ripper_test::DiscImage>& discs) {
    images.reset();
    images = std::make_unique<ripper_test::ScopedImagesVariable>(discs);
  }

  // "Rip music from CD" and the add-songs command, pressed in the main window.
  frmMain* openRipper() {
    WindowInput user(form);
    EXPECT_TRUE(user.clickOn(form.optFrom2));
    EXPECT_TRUE(user.clickOn(form.Command7));
    return form.ripperWindow();
  }
  frmMain& window() { return *form.ripperWindow(); }

  // The middle of a line of the track list, in the ripper's client area.
  QPointF lineAt(int line) {
    auto* list = static_cast<QListWidget*>(window().TrackList.widget());
    list->scrollToItem(list->item(line));
    const QPoint centre = list->viewport()->mapTo(window().widget(), list->visualItemRect(list->item(line)).center());
    return {controls::pixelsToTwips(centre.x()), controls::pixelsToTwips(centre.y())};
  }
  void clickLine(int line, int shift = 0) {
    ASSERT_TRUE(WindowInput(window()).clickAt(lineAt(line), controls::vbLeftButton, shift));
  }
  // Lines `first` to `last` selected: a click on the first, Shift and a click on the last.
  void selectLines(int first, int last) {
    clickLine(first);
    if (last > first) clickLine(last, controls::vbShiftMask);
  }
  // The answer `answer` to F3 on line `line`; a refused one is told so.
  void renameByF3(int line, const QString& answer, bool refused = false) {
    clickLine(line);
    fakes.dialogs->expectInputBox("Give new name...", answer).withDefaultText({});
    if (refused)
      fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK).withStyle(platform::vbOKOnly);
    ASSERT_TRUE(WindowInput(window()).key(controls::vbKeyF3));
  }
  std::vector<QString> lines() {
    std::vector<QString> texts;
    for (int i = 0; i < window().TrackList.ListCount(); ++i) texts.push_back(window().TrackList.List(i));
    return texts;
  }
  // The drive list's line `index`, chosen with the keyboard.
  void chooseDrive(int index) {
    WindowInput user(window());
    ASSERT_TRUE(user.clickAt(user.pointIn(window().TrackList, {300, window().TrackList.Height() - 150})));
    ASSERT_TRUE(user.key(controls::vbKeyTab, controls::vbShiftMask));
    while (window().DriveList.ListIndex() < index) {
      const int before = window().DriveList.ListIndex();
      ASSERT_TRUE(user.key(controls::vbKeyDown));
      ASSERT_GT(window().DriveList.ListIndex(), before);
    }
  }
  // The entry `steps` lines below the one a drop-down list shows, chosen
  // in its opened list.
  void chooseInList(controls::ComboBox& list, int steps) {
    WindowInput user(window());
    ASSERT_TRUE(user.clickOn(list));
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    WindowInput inList(popup);
    for (int i = 0; i < steps; ++i) ASSERT_TRUE(inList.key(controls::vbKeyDown));
    ASSERT_TRUE(inList.key(controls::vbKeyReturn));
  }
  void extract() { ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdRip)); }

  ripper_test::DiscImage disc;
  std::unique_ptr<ripper_test::ScopedImagesVariable> images;
  std::function<void()> duringRip;
};

TEST_F(RipperWindow, IsTheDesignedFixedWindowWithTheSettingsAtTheirStart) {
  insertDisc({30, 30, 30});
  ASSERT_NE(openRipper(), nullptr);
  frmMain& w = window();
  EXPECT_EQ(w.Caption(), "Extract from CD");
  EXPECT_EQ(w.BorderStyle(), 1);
  EXPECT_EQ(w.Width(), 8160);
  EXPECT_EQ(w.Height(), 2640);
  EXPECT_EQ(w.BackColor(), 0xE0E0E0u);
  EXPECT_EQ(w.Owner(), &form);
  EXPECT_TRUE(w.Visible());

  std::vector<QString> quality, bitrates;
  for (int i = 0; i < w.cmbQuality.ListCount(); ++i) quality.push_back(w.cmbQuality.List(i));
  for (int i = 0; i < w.cmbBitrate.ListCount(); ++i) bitrates.push_back(w.cmbBitrate.List(i));
  EXPECT_EQ(quality, (std::vector<QString>{"Low", "Normal", "High", "Voice", "Phone", "Radio", "Tape", "Hifi", "CD",
                                           "Studio"}));
  EXPECT_EQ(bitrates, (std::vector<QString>{"32", "40", "48", "56", "64", "80", "96", "112", "128", "160", "192",
                                            "224", "256", "320"}));
  EXPECT_EQ(w.cmbQuality.Text(), "Normal");
  EXPECT_EQ(w.cmbBitrate.Text(), "160");
  EXPECT_EQ(w.Label2.Caption(), "Quality");
  EXPECT_EQ(w.Label3.Caption(), "Bitrate");
  EXPECT_TRUE(w.Frame1.Caption().isEmpty());
  const std::pair<controls::CheckBox*, const char*> flags[] = {
      {&w.chkPrivate, "Private"}, {&w.chkCRC, "CRC"}, {&w.chkCopyright, "Copyrighted"}, {&w.chkOriginal, "Original"}};
  for (const auto& [box, caption] : flags) {
    EXPECT_EQ(box->Caption(), caption);
    EXPECT_EQ(box->Value(), 0);
  }
  EXPECT_EQ(w.cmdRip.Caption(), "Extract Tracks");
  EXPECT_EQ(w.cmdQuit.Caption(), "Cancel");
  EXPECT_EQ(w.mnuChangeName.Caption(), "Rename");

  // MP3 into the album's folder, and nothing to choose about either.
  EXPECT_TRUE(w.optMP3.Value());
  EXPECT_FALSE(w.optWAV.Value());
  EXPECT_EQ(w.optMP3.Caption(), "MP3");
  EXPECT_EQ(w.optWAV.Caption(), "WAV");
  EXPECT_EQ(w.Label1.Caption(), "Output Path");
  EXPECT_EQ(w.Command1.Caption(), "Browse For Folder");
  EXPECT_EQ(w.txtOutPath.Text(), QString::fromStdString(album().string()));
  for (controls::Control* hidden : std::initializer_list<controls::Control*>{&w.optMP3, &w.optWAV, &w.Label1,
                                                                              &w.txtOutPath, &w.Command1})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name().toStdString();

  // Everything shown lies inside the window, the settings inside their frame.
  for (const controls::Control* c : w.controls()) {
    SCOPED_TRACE(c->Name().toStdString());
    if (!c->Visible()) continue;
    const double width = &c->parent() == &w ? w.Width() : w.Frame1.Width();
    const double height = &c->parent() == &w ? w.Height() : w.Frame1.Height();
    EXPECT_GE(c->Left(), 0);
    EXPECT_GE(c->Top(), 0);
    EXPECT_LE(c->Left() + c->Width(), width);
    EXPECT_LE(c->Top() + c->Height(), height);
  }
}

TEST_F(RipperWindow, HoldsTheMainWindowUntilItClosesByCancelOrItsCloseBox) {
  insertDisc({30, 30, 30});
  const controls::Picture icon(QPixmap(16, 16));
  form.setIcon(icon);
  for (bool byCloseBox : {false, true}) {
    SCOPED_TRACE(byCloseBox);
    ASSERT_NE(openRipper(), nullptr);
    EXPECT_FALSE(form.Enabled());
    // The main window takes nothing meanwhile, not the window system's close either.
    WindowInput(form).clickOn(form.Command7);
    WindowInput(form).clickOn(form.Image15);
    EXPECT_FALSE(form.infoTeller);
    form.widget()->close();
    EXPECT_TRUE(form.isLoaded());
    EXPECT_TRUE(window().isLoaded());
    EXPECT_TRUE(window().Icon() == icon);
    EXPECT_TRUE(ripper::faultFilterInstalled());
    if (byCloseBox)
      ASSERT_TRUE(window().close());
    else
      ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
    EXPECT_EQ(form.ripperWindow(), nullptr);
    EXPECT_TRUE(form.Enabled());
    EXPECT_FALSE(ripper::faultFilterInstalled());
  }
  // The hand-over itself changes nothing of the project.
  EXPECT_TRUE(form.cmdPreview.Enabled());
  EXPECT_FALSE(form.Command27.Enabled());
}

TEST_F(RipperWindow, WithoutAnAdapterItSaysSoAndClosesAtOnce) {
  // No adapter, or a fault inside the CD library while it counts them.
  for (bool fault : {false, true}) {
    SCOPED_TRACE(fault);
    FakeDrives drives;
    drives.faultWhileCounting = fault;
    fakes.dialogs->expectMsgBox(kNoAdapter, platform::vbOK).withStyle(platform::vbOKOnly);
    EXPECT_EQ(openRipper(), nullptr);
    EXPECT_TRUE(form.Enabled());
    EXPECT_FALSE(ripper::faultFilterInstalled());
    EXPECT_TRUE(drives.opened.empty());
    ASSERT_EQ(fakes.dialogs->shown().size(), fault ? 2u : 1u);
    EXPECT_TRUE(fakes.dialogs->shown().back().title.isEmpty());  // the program's title
  }
}

TEST_F(RipperWindow, DriveLinesAreTheRecordsNamesAndNoMoreThanEight) {
  FakeDrives drives;
  drives.adapters = 9;
  drives.ids = {std::string("HL-DT-ST\0 DVDRAM GH24NSD1\0\0", 27), "ASUS DRW-24D5MT"};
  for (int k = 2; k < 9; ++k) drives.ids.push_back("Drive " + std::to_string(k));
  drives.tocs = {{}, tocOf(12)};
  ASSERT_NE(openRipper(), nullptr);
  frmMain& w = window();
  ASSERT_EQ(w.DriveList.ListCount(), 8);
  EXPECT_EQ(w.DriveList.List(0), "HL-DT-ST DVDRAM GH24NSD1");
  EXPECT_EQ(w.DriveList.List(1), "ASUS DRW-24D5MT");
  EXPECT_EQ(w.DriveList.List(7), "Drive 7");
  EXPECT_EQ(drives.highestRecord, 7);
  // The first drive's disc cannot be read: no tracks, no word.
  EXPECT_EQ(w.DriveList.ListIndex(), 0);
  EXPECT_EQ(drives.opened, std::vector<int>{0});
  EXPECT_EQ(w.TrackList.ListCount(), 0);
  EXPECT_TRUE(fakes.dialogs->shown().empty());

  // The next drive lists its twelve tracks; the drive before it is closed first.
  const int closesBefore = drives.closes;
  chooseDrive(1);
  EXPECT_EQ(drives.opened, (std::vector<int>{0, 1}));
  EXPECT_EQ(drives.closes, closesBefore + 1);
  ASSERT_EQ(w.TrackList.ListCount(), 12);
  EXPECT_EQ(w.TrackList.List(0), "Track 1");
  EXPECT_EQ(w.TrackList.List(11), "Track 12");
}

TEST_F(RipperWindow, NoMoreThanNinetyNineTracksAreListed) {
  FakeDrives drives;
  drives.adapters = 1;
  drives.ids = {"Drive"};
  drives.tocs = {tocOf(99)};
  drives.tocs[0].push_back(99 * 100 + 50);  // an entry past the last one there is
  ASSERT_NE(openRipper(), nullptr);
  ASSERT_EQ(window().TrackList.ListCount(), 99);
  EXPECT_EQ(window().TrackList.List(98), "Track 99");
}

TEST_F(RipperWindow, ADiscImageListsItsTracksUnderItsName) {
  insertDisc({30, 40, 50});
  const ripper_test::DiscImage second = ripper_test::writeDiscImage(discFolder(), "second", {20, 20, 20, 20, 20});
  useImages({disc, second});
  ASSERT_NE(openRipper(), nullptr);
  frmMain& w = window();
  const int k = ripper_test::driveIndexOf("disc.cue");
  ASSERT_GE(k, 0);
  EXPECT_EQ(w.DriveList.List(k), "disc.cue");
  EXPECT_EQ(w.DriveList.List(k + 1), "second.cue");
  if (k == 0) {
    EXPECT_EQ(lines(), (std::vector<QString>{"Track 1", "Track 2", "Track 3"}));
  }
  chooseDrive(k + 1);
  EXPECT_EQ(lines().size(), 5u);
  EXPECT_EQ(lines().back(), "Track 5");
}

TEST_F(RipperWindow, RenamingByF3OrThePopUpMenuSetsTheSelectedLine) {
  insertDisc({30, 30, 30});
  ASSERT_NE(openRipper(), nullptr);
  frmMain& w = window();
  WindowInput user(w);

  // Nothing selected yet (a click below the lines): neither F3 nor the
  // menu asks anything.
  ASSERT_TRUE(user.clickAt(user.pointIn(w.TrackList, {300, w.TrackList.Height() - 150})));
  EXPECT_EQ(w.TrackList.ListIndex(), -1);
  ASSERT_TRUE(user.key(controls::vbKeyF3));
  fakes.modals.expectPopup("mnuPopup", "mnuChangeName");
  ASSERT_TRUE(user.clickAt(lineAt(2), controls::vbRightButton));
  EXPECT_EQ(lines(), (std::vector<QString>{"Track 1", "Track 2", "Track 3"}));

  renameByF3(0, "Intro");
  EXPECT_EQ(w.TrackList.List(0), "Intro");
  // The right button opens the menu over the list and leaves the selection
  // as it is: Rename names the selected line.
  clickLine(1);
  fakes.modals.expectPopup("mnuPopup", "mnuChangeName");
  fakes.dialogs->expectInputBox("Give new name...", "Blue in Green");
  ASSERT_TRUE(user.clickAt(lineAt(2), controls::vbRightButton));
  EXPECT_EQ(lines(), (std::vector<QString>{"Intro", "Blue in Green", "Track 3"}));
  // A menu dismissed renames nothing.
  fakes.modals.expectPopup("mnuPopup", "");
  ASSERT_TRUE(user.clickAt(lineAt(1), controls::vbRightButton));
  // An empty answer (Cancel too) empties the line.
  renameByF3(2, "");
  EXPECT_EQ(lines(), (std::vector<QString>{"Intro", "Blue in Green", ""}));
  EXPECT_EQ(fakes.modals.pending(), 0);
}

TEST_F(RipperWindow, ANameASongCannotHaveIsRefusedAndTheLineKeepsItsText) {
  insertDisc({30, 30, 30});
  ASSERT_NE(openRipper(), nullptr);
  for (const char* answer : {"a/b", "a\\b", "a:b", "a<b", "a>b", "a|b", "a\"b", "   ", "../x"}) {
    SCOPED_TRACE(answer);
    renameByF3(1, answer, true);
    EXPECT_EQ(window().TrackList.List(1), "Track 2");
  }
  // What a song's name cannot hold on the disc is refused as the song
  // rename refuses it.
  for (const DiscNameCase& c : namesNoDiscCarries("song name")) {
    SCOPED_TRACE(c.name.toStdString());
    clickLine(1);
    fakes.dialogs->expectInputBox("Give new name...", c.name);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withStyle(platform::vbOKOnly).withTitle("Error");
    ASSERT_TRUE(WindowInput(window()).key(controls::vbKeyF3));
    EXPECT_EQ(window().TrackList.List(1), "Track 2");
  }
  EXPECT_TRUE(fakes.dialogs->allShown());
}

TEST_F(RipperWindow, TheSelectedTracksBecomeTheAlbumsNextSongsWithTheChosenSettings) {
  insertDisc({30, 40, 50});
  withSongs(numbered(9));
  ASSERT_NE(openRipper(), nullptr);
  frmMain& w = window();
  WindowInput user(w);
  renameByF3(2, "Finale");
  clickLine(0, controls::vbCtrlMask);
  ASSERT_EQ(w.TrackList.SelCount(), 2);  // lines 1 and 3
  ASSERT_TRUE(w.TrackList.Selected(0) && w.TrackList.Selected(2));
  // 192 kbit/s, "High", CRC and Original.
  ASSERT_TRUE(user.clickOn(w.chkCRC));
  ASSERT_TRUE(user.clickOn(w.chkOriginal));
  chooseInList(w.cmbBitrate, 1);
  chooseInList(w.cmbQuality, 1);
  ASSERT_EQ(w.cmbBitrate.Text(), "192");
  ASSERT_EQ(w.cmbQuality.Text(), "High");

  std::vector<bool> ripperEnabled, mainEnabled;
  std::vector<controls::Form*> progressOwners;
  bool closeRefused = false;
  duringRip = [&] {
    ripperEnabled.push_back(w.Enabled());
    mainEnabled.push_back(form.Enabled());
    if (frmProgress* progress = ripper::progressWindow()) progressOwners.push_back(progress->Owner());
    // The window system's close request reaches a window that takes no
    // input too; the rip goes on.
    if (!closeRefused) {
      w.widget()->close();
      closeRefused = w.isLoaded() && ripper::faultFilterInstalled() && !form.Enabled();
    }
  };
  extract();
  EXPECT_TRUE(closeRefused);
  EXPECT_EQ(fakes.dialogs->shown().size(), 1u);  // the rename only
  const Names expected = [] {
    Names songs = numbered(9);
    songs.push_back("10 - Track 1.mp3");
    songs.push_back("11 - Finale.mp3");
    return songs;
  }();
  EXPECT_EQ(files(album()), expected);
  EXPECT_EQ(songList(), expected);
  ASSERT_FALSE(ripperEnabled.empty());
  EXPECT_EQ(std::count(ripperEnabled.begin(), ripperEnabled.end(), true), 0);
  EXPECT_EQ(std::count(mainEnabled.begin(), mainEnabled.end(), true), 0);
  EXPECT_EQ(std::count(progressOwners.begin(), progressOwners.end(), &w),
            static_cast<long>(progressOwners.size()));
  EXPECT_TRUE(w.Enabled());
  EXPECT_FALSE(form.Enabled());
  EXPECT_EQ(ripper::CancelRip, 0);

  // Each song is its track, with the settings of the window.
  for (const auto& [song, track] : {std::pair{"10 - Track 1.mp3", 1}, std::pair{"11 - Finale.mp3", 3}}) {
    SCOPED_TRACE(song);
    const auto frames = ripper_test::framesOf(store::readWholeFile(album() / song));
    ASSERT_TRUE(frames);
    for (const ripper_test::FrameHeader& h : *frames) {
      ASSERT_EQ(h.bitrate, 192);
      ASSERT_TRUE(h.crc);
      ASSERT_TRUE(h.original);
      ASSERT_FALSE(h.privateBit);
      ASSERT_FALSE(h.copyright);
    }
    const auto decoded = ripper_test::decodeMp3(album() / song);
    ASSERT_TRUE(decoded);
    const std::size_t pairs = static_cast<std::size_t>(disc.trackFrames[track - 1]) * 588;
    EXPECT_GE(decoded->pairs(), pairs);
    EXPECT_NEAR(ripper_test::risingCrossingsPerSecond(*decoded, 0, 2000, pairs - 2000),
                ripper_test::DiscImage::toneOf(track), 6);
  }
}

TEST_F(RipperWindow, AnEmptyNameLeavesTheNumberAloneAndAnEmptyAlbumStartsAtOne) {
  insertDisc({20, 20});
  ASSERT_NE(openRipper(), nullptr);
  renameByF3(1, "");
  clickLine(0, controls::vbCtrlMask);
  extract();
  EXPECT_EQ(files(album()), (Names{"01 - Track 1.mp3", "02 - .mp3"}));
}

TEST_F(RipperWindow, ThirtySongsEndTheRipAtWhicheverLineTheyAreReached) {
  const struct {
    int tracks;
    int selectedFirst, selectedLast;
    Names ripped;
    bool toldFull;
  } cases[] = {
      // The first five lines of five: 29 and 30, then the message.
      {5, 0, 4, {"29 - Track 1.mp3", "30 - Track 2.mp3"}, true},
      // The first two of ten: both ripped, the message still at the third line.
      {10, 0, 1, {"29 - Track 1.mp3", "30 - Track 2.mp3"}, true},
      // The last two lines of three: the album is full when no line is left.
      {3, 1, 2, {"29 - Track 2.mp3", "30 - Track 3.mp3"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tracks);
    fs::remove_all(album());
    fs::create_directory(album());
    withSongs(numbered(28));
    insertDisc(std::vector<int>(static_cast<std::size_t>(c.tracks), 10));
    ASSERT_NE(openRipper(), nullptr);
    selectLines(c.selectedFirst, c.selectedLast);
    if (c.toldFull)
      fakes.dialogs->expectMsgBox("No more than 30 songs aloud.", platform::vbOK).withStyle(platform::vbOKOnly);
    extract();
    Names expected = numbered(28);
    expected.insert(expected.end(), c.ripped.begin(), c.ripped.end());
    EXPECT_EQ(files(album()), expected);
    EXPECT_EQ(songList(), expected);
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_TRUE(window().Enabled());
    ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
  }
}

TEST_F(RipperWindow, CancelLeavesNoPartOfATrackAndTheListShowsOnlyFinishedSongs) {
  // Cancel during the second line's rip, and during the last line's.
  for (int cancelled : {1, 2}) {
    SCOPED_TRACE(cancelled);
    fs::remove_all(album());
    fs::create_directory(album());
    withSongs(numbered(2));
    insertDisc({60, 60, 60});
    ASSERT_NE(openRipper(), nullptr);
    selectLines(cancelled == 1 ? 0 : 1, 2);
    // Song 03 is ripped whole, song 04 cancelled.
    const QString cancelledSong = QStringLiteral("04 - Track");
    int blocksAfterCancel = 0;
    bool pressed = false;
    duringRip = [&] {
      frmProgress* progress = ripper::progressWindow();
      if (!progress) return;  // between tracks
      if (pressed) ++blocksAfterCancel;
      if (!pressed && progress->lblStatus.Caption().contains(cancelledSong)) {
        EXPECT_TRUE(WindowInput(*progress).clickOn(progress->Command1));
        pressed = true;
      }
    };
    extract();
    duringRip = {};
    EXPECT_TRUE(pressed);
    EXPECT_EQ(blocksAfterCancel, 0);
    Names expected = numbered(2);
    expected.push_back("03 - Track " + std::to_string(cancelled == 1 ? 1 : 2) + ".mp3");
    EXPECT_EQ(files(album()), expected);
    EXPECT_EQ(songList(), expected);
    EXPECT_EQ(ripper::CancelRip, 0);
    EXPECT_EQ(ripper::progressWindow(), nullptr);
    EXPECT_TRUE(window().Enabled());
    // The window rips again as before.
    clickLine(0);
    extract();
    EXPECT_EQ(songList().size(), expected.size() + 1);
    ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
  }
}

// The disc images' drives, telling the test of every block asked for.
class WatchedDrives : public ripper_test::PassedOnDrives {
 public:
  std::int32_t ReadCDAudioLBA(ripper::TrackBuffer& buffer) override {
    if (beforeRead) beforeRead(static_cast<int>(buffer.firstFrame));
    return PassedOnDrives::ReadCDAudioLBA(buffer);
  }
  std::function<void(int)> beforeRead;
};

TEST_F(RipperWindow, OneCancelPressStopsTheRipWhateverMomentOfItItComesAt) {
  // Three tracks of 60 frames, read as blocks of 26, 26 and 8. A moment is
  // a track and the blocks of it done: 0 is the progress window just up,
  // before its first block; 3 is the track's bar full, before the next
  // track begins.
  struct Case {
    int track, blocksDone;
    Names songs;
  };
  const Case cases[] = {
      {1, 0, {}},
      {1, 1, {}},
      {2, 2, {"01 - Track 1.mp3"}},
      {1, 3, {"01 - Track 1.mp3"}},
      {2, 0, {"01 - Track 1.mp3"}},
      {3, 3, {"01 - Track 1.mp3", "02 - Track 2.mp3", "03 - Track 3.mp3"}},
  };
  constexpr int kTrackFrames = 60;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "track " << c.track << ", blocks done " << c.blocksDone);
    fs::remove_all(album());
    fs::create_directory(album());
    withSongs({});
    insertDisc({kTrackFrames, kTrackFrames, kTrackFrames});
    WatchedDrives drives;
    ASSERT_NE(openRipper(), nullptr);
    selectLines(0, 2);
    int track = 0, blocksDone = 0, readsAfter = 0, passesAfter = 0;
    bool pressed = false;
    std::uintmax_t sizeWhenPressed = 0;
    const auto pressCancel = [&] {
      frmProgress* progress = ripper::progressWindow();
      ASSERT_NE(progress, nullptr);
      const fs::path song = album() / ("0" + std::to_string(track) + " - Track " + std::to_string(track) + ".mp3");
      std::error_code ec;
      sizeWhenPressed = fs::file_size(song, ec);
      EXPECT_TRUE(WindowInput(*progress).clickOn(progress->Command1));
      pressed = true;
    };
    drives.beforeRead = [&](int frame) {
      if (pressed) ++readsAfter;
      const int trackOfFrame = frame / kTrackFrames + 1;
      if (trackOfFrame != track) {
        track = trackOfFrame;
        blocksDone = 0;
      }
      if (!pressed && track == c.track && blocksDone == c.blocksDone) pressCancel();
    };
    duringRip = [&] {
      if (!ripper::progressWindow()) return;  // not a block's pass
      ++blocksDone;
      if (pressed) ++passesAfter;
      if (!pressed && track == c.track && blocksDone == c.blocksDone) pressCancel();
    };
    extract();
    duringRip = {};
    EXPECT_TRUE(pressed);
    // Pressed after a block, the rip reads one more and stops after it;
    // pressed while the first is read, or after the last, it reads none.
    // No track follows.
    const bool blockFollows = c.blocksDone == 1 || c.blocksDone == 2;
    EXPECT_EQ(readsAfter, blockFollows ? 1 : 0);
    EXPECT_EQ(passesAfter, 0);
    EXPECT_EQ(files(album()), c.songs);
    EXPECT_EQ(songList(), c.songs);
    // At a track's last pass its file is finished already: nothing but the
    // progress window's going is left of the track.
    if (c.blocksDone == 3) {
      EXPECT_EQ(sizeWhenPressed, fs::file_size(album() / c.songs.back()));
    }
    EXPECT_EQ(ripper::CancelRip, 0);
    EXPECT_EQ(ripper::progressWindow(), nullptr);
    EXPECT_TRUE(window().Enabled());
    ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
  }
}

TEST_F(RipperWindow, ACancelHeldDownAsATrackEndsStopsTheTracksAfterIt) {
  // Pressed at the first track's last pass and not yet let go when the rip
  // takes the progress window away; its release comes to no window.
  insertDisc({60, 60, 60});
  ASSERT_NE(openRipper(), nullptr);
  selectLines(0, 2);
  int passes = 0;
  bool held = false;
  duringRip = [&] {
    frmProgress* progress = ripper::progressWindow();
    if (!progress || ++passes != 3) return;
    held = WindowInput(*progress).pressOn(progress->Command1) && progress->Command1.isHeldDown();
    EXPECT_EQ(ripper::CancelRip, 0);
  };
  extract();
  EXPECT_TRUE(held);
  EXPECT_EQ(passes, 3);
  EXPECT_EQ(files(album()), Names{"01 - Track 1.mp3"});
  EXPECT_EQ(ripper::CancelRip, 0);
  EXPECT_TRUE(window().Enabled());
}

// The user's mouse as the window system hands it to the program: a press
// or a release made in a window waits until the program next lets events
// run after the rip has read `blocks` more blocks (0: its very next pass),
// and Qt then routes it from that top-level window. A window that has gone
// by then, or is no longer on the screen, takes nothing of it.
class InputOnItsWay {
 public:
  // A press on the middle of `element` of `window`, made now, and its
  // release after `heldFor` more blocks (0: a click).
  void click(controls::Form& window, const controls::Element& element, int blocks, int heldFor = 0) {
    auto user = std::make_shared<WindowInput>(window);
    const QPointF at = user->middleOf(element);
    waiting_.push_back({reads_ + blocks, [user, at] { user->pressAt(at); }});
    waiting_.push_back({reads_ + blocks + heldFor, [user, at] { user->releaseAt(at); }});
  }
  void blockRead() { ++reads_; }
  // The program lets events run: what has come through goes on, in order.
  void pass() {
    while (!waiting_.empty() && waiting_.front().dueAtReads <= reads_) {
      const std::function<void()> deliver = std::move(waiting_.front().deliver);
      waiting_.erase(waiting_.begin());
      deliver();
    }
  }

 private:
  struct Event {
    int dueAtReads;
    std::function<void()> deliver;
  };
  int reads_ = 0;
  std::vector<Event> waiting_;
};

TEST_F(RipperWindow, ACancelPressedInATracksLastMomentsStopsTheRipWhenItReachesTheProgram) {
  // Tracks of 60, 80 and 100 frames, each read in blocks of 26 and what is
  // left. The press comes as a track's last block is read, or once its file
  // is closed with the title at "Progress 100.00 %", just before the track
  // ends; it reaches the program at its next pass of the event loop, or
  // only after the rip has read a block more; a press held down is let go
  // some blocks (about 100 ms at a drive's pace) later.
  enum Moment { LastBlockRead, BarFull };
  struct Case {
    const char* what;
    int track;
    Moment moment;
    int reachesAfterBlocks, heldForBlocks;
    Names songs;
  };
  const Names first{"01 - Track 1.mp3"}, firstTwo{"01 - Track 1.mp3", "02 - Track 2.mp3"};
  const Case cases[] = {
      {"as the first track's last block is read", 1, LastBlockRead, 0, 0, first},
      {"with the first track's bar full", 1, BarFull, 0, 0, first},
      {"with the first track's bar full, reaching the program in the next track", 1, BarFull, 1, 0, first},
      {"held down from the first track's bar full", 1, BarFull, 0, 3, first},
      {"held down, reaching the program in the next track", 1, BarFull, 1, 2, first},
      // The track that ended meanwhile stays; none follows it.
      {"held down until the next track has ended", 1, BarFull, 0, 8, firstTwo},
      {"with the second track's bar full", 2, BarFull, 0, 0, firstTwo},
      {"with the second track's bar full, reaching the program in the third", 2, BarFull, 2, 0, firstTwo},
      {"with the last track's bar full: every track is done", 3, BarFull, 0, 0,
       {"01 - Track 1.mp3", "02 - Track 2.mp3", "03 - Track 3.mp3"}},
  };
  const std::vector<int> frames{60, 80, 100};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(album());
    fs::create_directory(album());
    withSongs({});
    insertDisc(frames);
    WatchedDrives drives;
    ASSERT_NE(openRipper(), nullptr);
    selectLines(0, 2);
    const int trackStart = disc.trackStart(c.track);
    const int lastBlock = trackStart + (frames[c.track - 1] - 1) / ripper::kFramesPerBlock * ripper::kFramesPerBlock;
    const QString song = QString::fromStdString("0" + std::to_string(c.track) + " - Track " + std::to_string(c.track));
    InputOnItsWay arriving;
    bool pressed = false;
    int readsAfterCancel = 0;
    const auto pressCancel = [&] {
      frmProgress* progress = ripper::progressWindow();
      ASSERT_NE(progress, nullptr);
      arriving.click(*progress, progress->Command1, c.reachesAfterBlocks, c.heldForBlocks);
      pressed = true;
    };
    drives.beforeRead = [&](int frame) {
      if (ripper::CancelRip) ++readsAfterCancel;
      arriving.blockRead();
      if (!pressed && c.moment == LastBlockRead && frame == lastBlock) pressCancel();
    };
    duringRip = [&] {
      arriving.pass();
      frmProgress* progress = ripper::progressWindow();
      if (!pressed && c.moment == BarFull && progress && progress->Caption() == "Progress 100.00 %" &&
          progress->lblStatus.Caption().contains(song))
        pressCancel();
    };
    extract();
    duringRip = {};
    EXPECT_TRUE(pressed);
    // Once the Cancel is taken the rip reads no block but the one it was at.
    EXPECT_LE(readsAfterCancel, 1);
    EXPECT_EQ(files(album()), c.songs);
    EXPECT_EQ(songList(), c.songs);
    EXPECT_EQ(ripper::CancelRip, 0);
    EXPECT_EQ(ripper::progressWindow(), nullptr);
    EXPECT_TRUE(window().Enabled());
    ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
  }
}

TEST_F(RipperWindow, TheWindowSystemsCloseLeavesTheRipItsProgressWindowAndItsCancel) {
  insertDisc({60, 60});
  ASSERT_NE(openRipper(), nullptr);
  selectLines(0, 1);
  int passes = 0;
  bool stayedUp = false, cancelled = false;
  duringRip = [&] {
    frmProgress* progress = ripper::progressWindow();
    if (!progress) return;  // not a block's pass
    if (++passes == 1) {
      // Alt+F4 or a window list's close, on each window of the program.
      for (controls::Form* w : std::initializer_list<controls::Form*>{progress, &window(), &form})
        w->widget()->close();
      stayedUp = progress->isLoaded() && progress->widget()->isVisible() && window().isLoaded() && form.isLoaded();
    } else if (passes == 2) {
      cancelled = WindowInput(*progress).clickOn(progress->Command1);
    }
  };
  extract();
  EXPECT_TRUE(stayedUp);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(passes, 2);
  EXPECT_EQ(files(album()), Names{});
  EXPECT_TRUE(window().Enabled());
  ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
  EXPECT_TRUE(form.Enabled());
}

TEST_F(RipperWindow, ATrackOfWhichNothingCanBeReadIsAReadErrorAndLeavesNoSong) {
  // Tracks of 30, 40 and 30 frames (from frames 0, 30 and 70) on an image
  // whose .bin stops short: the tracks it ends in, and those that begin
  // where it ends or after, cannot be read.
  const struct {
    int binFrames;
    int lines;
    Names songs;
    int readErrors;
  } cases[] = {
      {20, 3, {}, 3},                                       // cut in the first track
      {50, 3, {"01 - Track 1.mp3"}, 2},                     // cut in the second
      {70, 3, {"01 - Track 1.mp3", "02 - Track 2.mp3"}, 1}, // cut where the third begins
      {0, 2, {}, 2},  // an empty .bin: its end at frame 0 ends the list too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "cut after " << c.binFrames << " frames");
    fs::remove_all(album());
    fs::create_directory(album());
    withSongs({});
    insertDisc({30, 40, 30});
    ripper_test::cutImage(disc, c.binFrames);
    ASSERT_NE(openRipper(), nullptr);
    ASSERT_EQ(window().TrackList.ListCount(), c.lines);
    selectLines(0, c.lines - 1);
    for (int k = 0; k < c.readErrors; ++k)
      fakes.dialogs->expectMsgBox(kReadError, platform::vbOK).withStyle(platform::vbOKOnly);
    extract();
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(files(album()), c.songs);
    EXPECT_EQ(songList(), c.songs);
    ASSERT_TRUE(WindowInput(window()).clickOn(window().cmdQuit));
  }
}

TEST_F(RipperWindow, TheFolderSizeFollowsEveryRippedTrackAndACancel) {
  insertDisc({300, 300, 300});  // some 80 KB of MP3 a track
  withSongs(numbered(1));
  form.showFolderSize();  // as the project's last change left it
  const std::string before = form.lblFolderSize.Caption().toStdString();
  ASSERT_NE(openRipper(), nullptr);
  selectLines(0, 2);
  // While the second track is ripped the label counts the first; the third
  // is cancelled.
  std::string shownDuringSecond, sizeDuringSecond;
  bool cancelled = false;
  duringRip = [&] {
    frmProgress* progress = ripper::progressWindow();
    if (!progress) return;  // between tracks
    const QString status = progress->lblStatus.Caption();
    if (shownDuringSecond.empty() && status.contains("03 - Track 2")) {
      shownDuringSecond = form.lblFolderSize.Caption().toStdString();
      const fs::path writing = album() / "03 - Track 2.mp3";
      sizeDuringSecond =
          store::folderSizeText(store::SizeOf(project.string()) - static_cast<double>(fs::file_size(writing)));
    }
    if (!cancelled && status.contains("04 - Track 3")) {
      EXPECT_TRUE(WindowInput(*progress).clickOn(progress->Command1));
      cancelled = true;
    }
  };
  extract();
  ASSERT_TRUE(cancelled);
  ASSERT_EQ(files(album()), (Names{"01 - s1.mp3", "02 - Track 1.mp3", "03 - Track 2.mp3"}));
  EXPECT_EQ(shownDuringSecond, sizeDuringSecond);
  EXPECT_NE(shownDuringSecond, before);
  EXPECT_EQ(form.lblFolderSize.Caption().toStdString(), store::folderSizeText(store::SizeOf(project.string())));
}

TEST_F(RipperWindow, ASongFileOfTheNextNameIsNeverWrittenOver) {
  // Song 02 is missing: the next name is 03, which is there already.
  withSongs({"01 - a.mp3", "03 - Track 1.mp3"});
  insertDisc({20, 20});
  ASSERT_NE(openRipper(), nullptr);
  selectLines(0, 1);
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK)
      .withStyle(platform::vbCritical)
      .withTitle("Critical error...");
  extract();
  EXPECT_EQ(readAll(album() / "03 - Track 1.mp3"), "03 - Track 1.mp3");
  EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "03 - Track 1.mp3", "03 - Track 2.mp3"}));
}

TEST_F(RipperWindow, DraggingOverItsBackgroundWithTheLeftButtonCentresIt) {
  insertDisc({20});
  controls::Screen::setSize(19200, 14400);
  ASSERT_NE(openRipper(), nullptr);
  frmMain& w = window();
  WindowInput user(w);
  const QPointF background(2400, 2550), further(3000, 2580);
  for (int button : {controls::vbRightButton, controls::vbMiddleButton}) {
    w.Move(300, 600);
    ASSERT_TRUE(user.pressAt(background, button));
    ASSERT_TRUE(user.moveTo(further));
    ASSERT_TRUE(user.releaseAt(further, button));
    EXPECT_EQ(w.Left(), 300);
    EXPECT_EQ(w.Top(), 600);
  }
  ASSERT_TRUE(user.moveTo(further));
  EXPECT_EQ(w.Left(), 300);
  ASSERT_TRUE(user.pressAt(background));
  ASSERT_TRUE(user.moveTo(further));
  ASSERT_TRUE(user.releaseAt(further));
  EXPECT_EQ(w.Left(), (19200 - 8160) / 2);
  EXPECT_EQ(w.Top(), (14400 - 2640) / 2);
  controls::Screen::reset();
}

TEST_F(RipperWindow, IsDrawnAsDesigned) {
  insertDisc({20, 20, 20, 20, 20, 20});
  withSongs(numbered(3));
  ASSERT_NE(openRipper(), nullptr);
  renameByF3(0, "Blue in Green");
  clickLine(2, controls::vbCtrlMask);
  clickLine(3, controls::vbCtrlMask);
  ASSERT_TRUE(WindowInput(window()).clickOn(window().chkOriginal));
  const QString path = QStringLiteral(AUTHORING_RENDER_DIR "/frmMain.png");
  ASSERT_TRUE(controls::renderToPng(window(), path));
  const QImage image(path);
  ASSERT_EQ(image.size(), QSize(544, 176));
  EXPECT_EQ(QColor(image.pixel(4, 4)), QColor(0xE0, 0xE0, 0xE0));
}

}  // namespace
}  // namespace authoring_test
