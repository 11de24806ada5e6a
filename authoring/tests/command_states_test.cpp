// Which commands the window offers for the open project, the album
// selection and the song selection.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include "form5_test_support.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class CommandStates : public QuietlyStartedWindow {
 protected:
  // The states are read from the loaded window; it is never shown.
  void SetUp() override {
    loadQuietly(fakes, form);
    // Only the states are under test here, not what a selection shows.
    form.List1.Click = nullptr;
  }
  static std::string onOff(std::initializer_list<controls::Control*> controls) {
    std::string states;
    for (controls::Control* c : controls) states += c->Enabled() ? '1' : '0';
    return states;
  }
  void fillAlbums(int count) {
    form.List1.Clear();
    for (int i = 1; i <= count; ++i) form.List1.AddItem(QStringLiteral("%1 - Album").arg(i, 2, 10, QChar('0')));
  }
  // A song folder of `count` songs shown in File4.
  void fillSongs(int count) {
    const fs::path album = fakes.folder.path() / "album";
    fs::create_directory(album);
    for (int i = 1; i <= count; ++i) std::ofstream(album / ("0" + std::to_string(i) + " - Song.mp3"));
    form.File4.setPath(QString::fromStdString(album.string()));
  }
};

TEST_F(CommandStates, EnableButtonsSwitchesTheProjectCommandsAndClearsTheSelectionOnes) {
  // As if a song had been chosen before the project changed.
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &form.Command6, &form.Command22, &form.Command24, &form.Command19, &form.Command20, &form.Command7,
           &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15, &form.cmdPreview})
    c->setEnabled(true);
  const std::initializer_list<controls::Control*> project = {&form.Command2,        &form.imgPreview2,
                                                             &form.Command9,        &form.Command16,
                                                             &form.Command10,       &form.Command12,
                                                             &form.Command5,        &form.Picture1,
                                                             &form.Image4,          &form.Image2,
                                                             &form.Image3,          &form.Label13,
                                                             &form.lblProjectTitle, &form.lblProjectSubTitle,
                                                             &form.Label7,          &form.Label9,
                                                             &form.Label10,         &form.lblCdLabl};
  const std::initializer_list<controls::Control*> selection = {
      &form.Command6, &form.Command22, &form.Command24, &form.Command19, &form.Command20, &form.Command7,
      &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15, &form.cmdPreview};
  form.EnableButtons(true);
  EXPECT_EQ(onOff(project), std::string(project.size(), '1'));
  EXPECT_EQ(onOff(selection), std::string(selection.size(), '0'));
  form.EnableButtons(false);
  EXPECT_EQ(onOff(project), std::string(project.size(), '0'));
  // Compile follows the build marks, not the project.
  form.Command27.setEnabled(true);
  form.EnableButtons(true);
  EXPECT_TRUE(form.Command27.Enabled());
}

struct SelectionCase {
  int count;
  int selected;
  const char* selectionCommands;  // rename, picture, remove (songs: delete,
                                  // rename, lyrics)
  const char* up;
  const char* down;
};

// Every row of the album and song tables, for both lists.
const SelectionCase kSelections[] = {
    {0, -1, "000", "0", "0"},  // empty list
    {3, -1, "000", "0", "0"},  // none chosen
    {1, 0, "111", "0", "0"},   // the only one
    {3, 0, "111", "0", "1"},   // first of several
    {3, 1, "111", "1", "1"},   // in the middle
    {3, 2, "111", "1", "0"},   // last of several
};

TEST_F(CommandStates, SortButtonsFollowsTheAlbumSelection) {
  for (const SelectionCase& c : kSelections) {
    SCOPED_TRACE(testing::Message() << c.count << " albums, " << c.selected << " chosen");
    fillAlbums(c.count);
    if (c.selected >= 0) form.List1.setListIndex(c.selected);
    // The opposite of what the table wants, so that every state is set.
    for (controls::Control* x : std::initializer_list<controls::Control*>{
             &form.Command19, &form.Command20, &form.Command22, &form.Command6, &form.Command24})
      x->setEnabled(c.selected == -1);
    form.sortButtons();
    EXPECT_EQ(onOff({&form.Command19, &form.Command20, &form.Command22}), c.selectionCommands);
    EXPECT_EQ(onOff({&form.Command6}), c.up);
    EXPECT_EQ(onOff({&form.Command24}), c.down);
  }
}

TEST_F(CommandStates, SortButtonsOnAnEmptyListTurnsEverySongCommandOff) {
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &form.Command7, &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15})
    c->setEnabled(true);
  fillAlbums(0);
  form.sortButtons();
  EXPECT_EQ(onOff({&form.Command7, &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15}),
            "000000");
}

TEST_F(CommandStates, SortRightButtonsFollowsTheSongSelection) {
  for (const SelectionCase& c : kSelections) {
    SCOPED_TRACE(testing::Message() << c.count << " songs, " << c.selected << " chosen");
    fs::remove_all(fakes.folder.path() / "album");
    fillSongs(c.count);
    if (c.selected >= 0) form.File4.setListIndex(c.selected);
    for (controls::Control* x : std::initializer_list<controls::Control*>{
             &form.Command13, &form.Command14, &form.Command15, &form.Command8, &form.Command11})
      x->setEnabled(c.selected == -1);
    form.Command7.setEnabled(true);
    form.sortRightButtons();
    EXPECT_EQ(onOff({&form.Command13, &form.Command14, &form.Command15}), c.selectionCommands);
    EXPECT_EQ(onOff({&form.Command8}), c.up);
    EXPECT_EQ(onOff({&form.Command11}), c.down);
    EXPECT_TRUE(form.Command7.Enabled());  // adding songs is the album's business
  }
}

TEST_F(CommandStates, AnAlbumSelectionOffersTheAlbumAndAddSongsButNoSongCommand) {
  struct Case {
    int count, selected;
    bool upBefore;
    const char* albumCommands;  // rename, picture, remove
    const char* upDown;
  };
  const Case cases[] = {
      {1, 0, true, "111", "00"},   // the only album: no move
      {3, 1, false, "111", "11"},  // the second of three: both moves
      {3, 0, true, "111", "01"},
      {3, 2, false, "111", "10"},
      // Cleared by code while the list has entries: up stays, down is on.
      {3, -1, true, "000", "11"},
      {3, -1, false, "000", "01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " albums, " << c.selected << " chosen");
    fillAlbums(c.count);
    if (c.selected >= 0) form.List1.setListIndex(c.selected);
    form.Command6.setEnabled(c.upBefore);
    for (controls::Control* x :
         std::initializer_list<controls::Control*>{&form.Command7, &form.Command8, &form.Command11, &form.Command13,
                                                   &form.Command14, &form.Command15, &form.Command24})
      x->setEnabled(x != &form.Command7);
    form.albumSelectionStates();
    EXPECT_TRUE(form.Command7.Enabled());
    EXPECT_EQ(onOff({&form.Command19, &form.Command20, &form.Command22}), c.albumCommands);
    EXPECT_EQ(onOff({&form.Command6, &form.Command24}), c.upDown);
    EXPECT_EQ(onOff({&form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15}), "00000");
  }
}

}  // namespace
}  // namespace authoring_test
