// The lists of the authoring program take the focus without choosing an
// entry: an album, a song, a project, a picked file or a track is what a
// command works on only when the user chose it with a press or a key, or
// the program did. The focus comes as it comes to a user: after a press on
// a control that then goes away with its tab, by Tab, and with the window's
// activation.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <memory>

#include "album_tab_fixture.h"
#include "dialog.h"
#include "disc_image.h"
#include "form5_test_support.h"
#include "frm_main.h"
#include "open_project_fixture.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;
using controls::WindowInput;

// The album commands that need a chosen album.
void expectNoAlbumCommand(Form5& form) {
  for (const controls::Element* command : std::initializer_list<const controls::Element*>{
           &form.Command6, &form.Command24, &form.Command19, &form.Command20, &form.Command22, &form.Command7}) {
    EXPECT_FALSE(command->Enabled()) << command->Name().toStdString();
  }
}

// The first start, which builds the sample collection, and its main window up.
class FirstStartWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    fakes.folder.fillAsShipped();
    fakes.fetcher->alwaysReply("0");
    form.Load();
    form.Show();
    QApplication::processEvents();  // the window comes up active
  }
  // "Load an Existing project", the project's line and "Open", with the mouse.
  void openWithTheMouse(const QString& name) {
    WindowInput user(form);
    ASSERT_TRUE(user.clickOn(form.Option2));
    int line = -1;
    for (int i = 0; i < form.listProjects.ListCount(); ++i)
      if (form.listProjects.List(i) == name) line = i;
    ASSERT_GE(line, 0) << name.toStdString();
    ASSERT_TRUE(user.clickAt(user.entryOf(form.listProjects, line)));
    ASSERT_TRUE(user.clickOn(form.cmdOpenExistProj));
  }

  Fakes fakes;
  Form5 form;
};

TEST_F(FirstStartWindow, OpeningTheSampleWithTheMouseLeavesEveryAlbumUnchosen) {
  openWithTheMouse("Demo Collection");
  ASSERT_EQ(form.SSTab1.Tab(), 1);
  ASSERT_EQ(form.List1.ListCount(), 4);
  // Open went with its tab: the focus passed on to the album list.
  ASSERT_EQ(QApplication::focusWidget(), form.List1.widget());

  EXPECT_EQ(form.List1.ListIndex(), -1);
  EXPECT_EQ(form.File4.ListCount(), 0);
  EXPECT_TRUE(form.imgPreview2.Picture().isEmpty());
  expectNoAlbumCommand(form);
  // Remove has nothing to work on: no question comes.
  WindowInput user(form);
  ASSERT_TRUE(user.clickOn(form.Command22));
  EXPECT_EQ(form.List1.ListCount(), 4);

  // The keys choose as they always did.
  ASSERT_TRUE(user.key(controls::vbKeyDown));
  EXPECT_EQ(form.List1.ListIndex(), 0);
  EXPECT_EQ(form.File4.ListCount(), 2);
  EXPECT_FALSE(form.imgPreview2.Picture().isEmpty());
  EXPECT_TRUE(form.Command19.Enabled());
  EXPECT_TRUE(form.Command22.Enabled());
  EXPECT_TRUE(fakes.dialogs->allShown());
}

TEST_F(FirstStartWindow, TheProjectListTakesTheFocusByTabWithoutAProjectToOpenOrDelete) {
  WindowInput user(form);
  ASSERT_TRUE(user.clickOn(form.Option2));
  tabTo(form, form.listProjects);
  EXPECT_EQ(form.listProjects.ListIndex(), -1);
  EXPECT_FALSE(form.cmdOpenExistProj.Enabled());
  EXPECT_FALSE(form.Command1.Enabled());
}

// Two albums, the first with a song.
class AlbumListFocus : public AlbumTabTest {
 protected:
  void SetUp() override {
    AlbumTabTest::SetUp();
    addAlbums({"01 - Jazz", "02 - Rock"});
    addSongs("01 - Jazz", {"01 - a.mp3"});
    QApplication::processEvents();
  }
};

TEST_F(AlbumListFocus, TheFocusComingBackWithTheWindowChoosesNoAlbum) {
  WindowInput user(form);
  ASSERT_TRUE(user.clickAt(user.pointIn(form.List1, {300, form.List1.Height() - 150})));
  ASSERT_EQ(QApplication::focusWidget(), form.List1.widget());
  ASSERT_EQ(form.List1.ListIndex(), -1);

  // A window of its own takes the activation from the main window and goes.
  controls::Form other("Other");
  other.Show();
  QApplication::processEvents();
  ASSERT_NE(QApplication::activeWindow(), form.widget());
  other.Hide();
  form.widget()->activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), form.List1.widget());

  EXPECT_EQ(form.List1.ListIndex(), -1);
  EXPECT_EQ(form.File4.ListCount(), 0);
  expectNoAlbumCommand(form);
}

TEST_F(AlbumListFocus, TheSongListTakesTheFocusByTabWithoutASongForTheSongCommands) {
  WindowInput user(form);
  ASSERT_TRUE(user.clickAt(user.entryOf(form.List1, 0)));
  ASSERT_EQ(form.File4.ListCount(), 1);
  tabTo(form, form.File4);
  EXPECT_EQ(form.File4.ListIndex(), -1);

  // Adding songs ends by setting the song commands from the song list: none
  // is chosen, so none is on.
  cancelPicker();
  ASSERT_TRUE(user.clickOn(form.Command7));
  for (const controls::Element* command : std::initializer_list<const controls::Element*>{
           &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15}) {
    EXPECT_FALSE(command->Enabled()) << command->Name().toStdString();
  }
}

TEST_F(AlbumListFocus, ThePickersFileListTakesTheFocusByTabWithoutAFileToShowOrTake) {
  WindowInput user(form);
  ASSERT_TRUE(user.clickAt(user.entryOf(form.List1, 0)));
  const fs::path pictures = userFolder("pictures", {});
  writePicture(pictures / "cover.bmp");
  fakes.modals.expect<Dialog>([&](Dialog& picker) {
    QApplication::processEvents();  // the picker comes up active
    picker.Dir1.setPath(QString::fromStdString(pictures.string()));
    ASSERT_EQ(picker.File1.ListCount(), 1);
    tabTo(picker, picker.File1);
    EXPECT_EQ(picker.File1.ListIndex(), -1);
    EXPECT_TRUE(picker.Image1.Picture().isEmpty());
    // OK has no file to take.
    expectMessage(fakes.modals, "No file was chosen.");
    ASSERT_TRUE(WindowInput(picker).clickOn(picker.OKButton));
    ASSERT_TRUE(WindowInput(picker).clickOn(picker.CancelButton));
  });
  ASSERT_TRUE(user.clickOn(form.Command20));
  EXPECT_EQ(fakes.modals.pending(), 0);
  EXPECT_FALSE(fs::exists(mirror / "01 - Jazz" / "intro.bmp"));
}

// The ripper window over a disc of three tracks, opened on the album 02 - Rock.
class RipperListFocus : public RockAlbumTest {
 protected:
  void SetUp() override {
    RockAlbumTest::SetUp();
    const fs::path discs = fs::path(elsewhere.path().toStdString()) / "discs";
    fs::create_directories(discs);
    images = std::make_unique<ripper_test::ScopedImagesVariable>(
        std::vector<ripper_test::DiscImage>{ripper_test::writeDiscImage(discs, "disc", {30, 30, 30})});
    WindowInput user(form);
    ASSERT_TRUE(user.clickOn(form.optFrom2));
    ASSERT_TRUE(user.clickOn(form.Command7));
    ASSERT_NE(form.ripperWindow(), nullptr);
    QApplication::processEvents();  // the ripper comes up active
  }
  void TearDown() override {
    if (frmMain* ripper = form.ripperWindow()) ripper->Unload();
  }
  frmMain& ripper() { return *form.ripperWindow(); }
  std::vector<QString> lines() {
    std::vector<QString> texts;
    for (int i = 0; i < ripper().TrackList.ListCount(); ++i) texts.push_back(ripper().TrackList.List(i));
    return texts;
  }
  // F3, then Rename of the right button's menu: neither asks for a name.
  void renameAsksNothing() {
    WindowInput user(ripper());
    ASSERT_TRUE(user.key(controls::vbKeyF3));
    fakes.modals.expectPopup("mnuPopup", "mnuChangeName");
    ASSERT_TRUE(user.clickAt(user.entryOf(ripper().TrackList, 2), controls::vbRightButton));
    EXPECT_EQ(fakes.modals.pending(), 0);
    EXPECT_EQ(lines(), (std::vector<QString>{"Track 1", "Track 2", "Track 3"}));
  }

  std::unique_ptr<ripper_test::ScopedImagesVariable> images;
};

TEST_F(RipperListFocus, RenameWithAFocusedLineThatIsNotSelectedDoesNothing) {
  frmMain& w = ripper();
  WindowInput user(w);
  // Selected by a click, then unselected by Ctrl and a click: the line keeps the focus.
  ASSERT_TRUE(user.clickAt(user.entryOf(w.TrackList, 1)));
  ASSERT_TRUE(user.clickAt(user.entryOf(w.TrackList, 1), controls::vbLeftButton, controls::vbCtrlMask));
  ASSERT_EQ(w.TrackList.ListIndex(), 1);
  ASSERT_FALSE(w.TrackList.Selected(1));
  renameAsksNothing();

  // The keys move the focus without selecting.
  ASSERT_TRUE(user.key(controls::vbKeyDown));
  ASSERT_EQ(w.TrackList.ListIndex(), 2);
  ASSERT_EQ(w.TrackList.SelCount(), 0);
  renameAsksNothing();
}

TEST_F(RipperListFocus, TheTrackListTakesTheFocusByTabWithoutALine) {
  tabTo(ripper(), ripper().TrackList);
  EXPECT_EQ(ripper().TrackList.ListIndex(), -1);
  EXPECT_EQ(ripper().TrackList.SelCount(), 0);
  renameAsksNothing();
}

}  // namespace
}  // namespace authoring_test
