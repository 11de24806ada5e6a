// The song commands: add from a file or a folder (30 at most), delete,
// rename and move, with the lyrics files following their songs.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "album_tab_fixture.h"
#include "runtime_rules.h"
#include "system/unchangeable_folder.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class Songs : public RockAlbumTest {
 protected:
  void selectSong(int index) { ASSERT_TRUE(form.File4.select(index)); }
  // Each song's lyrics file holds the song's own name, so that a swap shows.
  void withLyrics(const Names& songs) {
    for (const std::string& song : songs) writeAll(lyrics() / (song.substr(0, song.size() - 3) + "dat"), song);
  }
};

TEST_F(Songs, AddOneFileTakesTheNextNumber) {
  for (int existing : {8, 9}) {
    SCOPED_TRACE(existing);
    fs::remove_all(album());
    fs::create_directory(album());
    withSongs(numbered(existing));
    markCompiled();
    const fs::path from = userFolder("from", {"song.mp3"});
    fakes.modals.expect<Dialog>([&](Dialog& d) {
      EXPECT_EQ(d.Caption(), "Open mp3 file.");
      d.Dir1.setPath(QString::fromStdString(from.string()));
      EXPECT_TRUE(d.File1.select(0));
      EXPECT_TRUE(d.OKButton.click());
    });
    ASSERT_TRUE(form.Command7.click());
    const std::string added = runtime::twoDigits(existing + 1) + " - song.mp3";
    EXPECT_EQ(readAll(album() / added), "song.mp3");
    EXPECT_EQ(songList().back(), added);
    EXPECT_EQ(songList().size(), static_cast<std::size_t>(existing + 1));
    expectMarkedChanged();
  }
}

TEST_F(Songs, AFolderFillsTheAlbumUpToThirty) {
  withSongs(numbered(28));
  const fs::path from = userFolder("five", {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3", "cover.jpg"});
  pickAll(from);
  expectMessage(fakes.modals, "Will add 2. no more than 30 songs are allowed.");
  ASSERT_TRUE(form.Command7.click());
  EXPECT_EQ(files(album()).size(), 30u);
  EXPECT_EQ(readAll(album() / "29 - a.mp3"), "a.mp3");
  EXPECT_EQ(readAll(album() / "30 - b.mp3"), "b.mp3");
  EXPECT_EQ(form.File4.ListCount(), 30);
  EXPECT_FALSE(form.messageWindow().Visible());
  expectMarkedChanged();

  // Full: refused before any picker.
  markCompiled();
  fakes.dialogs->expectMsgBox("No more than 30 songs aloud..", platform::vbOK);
  ASSERT_TRUE(form.Command7.click());
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(Songs, TheFolderGoesIntoTheAlbumChosenAtTheStartWithTheWindowDisabled) {
  const fs::path from = userFolder("three", {"a.mp3", "b.mp3", "c.mp3"});
  int copies = 0;
  runtime::setPendingEventsHandler([&] {
    if (!form.messageWindow().Visible()) return;
    ++copies;
    EXPECT_EQ(form.messageWindow().Label1.Caption(), "Working....");
    EXPECT_FALSE(form.Enabled());
    EXPECT_FALSE(form.List1.select(0));  // a click meanwhile goes nowhere
  });
  pickAll(from);
  ASSERT_TRUE(form.Command7.click());
  runtime::setPendingEventsHandler({});
  EXPECT_GE(copies, 3);
  EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"}));
  EXPECT_TRUE(files(project / "01 - Jazz").empty());
  EXPECT_TRUE(form.Enabled());
  EXPECT_FALSE(form.messageWindow().Visible());
  EXPECT_EQ(form.List1.ListIndex(), 1);
}

TEST_F(Songs, AnAddNeverReplacesASong) {
  // A gap in the numbers: the next number is taken already.
  withSongs({"01 - a.mp3", "03 - b.mp3"});
  const fs::path from = userFolder("from", {"b.mp3", "c.mp3"});
  pickAll(from);
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.Command7.click());
  EXPECT_EQ(readAll(album() / "03 - b.mp3"), "03 - b.mp3");
  EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "03 - b.mp3"}));
  EXPECT_TRUE(form.Enabled());
  EXPECT_FALSE(form.messageWindow().Visible());
  // Nothing half-copied is left, not even hidden.
  EXPECT_EQ(std::distance(fs::directory_iterator(album()), fs::directory_iterator()), 2);
}

TEST_F(Songs, NothingTakenAddsNothingButMarksTheProjectChanged) {
  withSongs({"01 - a.mp3"});
  const fs::path from = userFolder("from", {"x.mp3"});
  cancelPicker();
  ASSERT_TRUE(form.Command7.click());
  expectMarkedChanged();
  // The close box after an earlier folder add: that folder is not added again.
  markCompiled();
  form.path_var = QString::fromStdString(from.string());
  form.file_var.clear();
  closePicker();
  ASSERT_TRUE(form.Command7.click());
  EXPECT_EQ(files(album()), Names{"01 - a.mp3"});
  expectMarkedChanged();
}

TEST_F(Songs, AddNeedsAProjectAndAnAlbum) {
  form.List1.setListIndex(-1);
  fakes.dialogs->expectMsgBox("Please choose an album to add the songs to.", platform::vbOK);
  ASSERT_TRUE(form.Command7.click());
  EXPECT_TRUE(form.cmdPreview.Enabled());
  form.sDirectory.clear();
  fakes.dialogs->expectMsgBox("First create or open project", platform::vbOK);
  ASSERT_TRUE(form.Command7.click());
  expectMarkedChanged();
}

TEST_F(Songs, DeleteRenumbersTheSongsAfterItAndTheirLyrics) {
  withSongs({"01 - a.mp3", "02 - b.mp3", "03 - c.mp3", "04 - d.mp3"});
  withLyrics({"02 - b.mp3", "03 - c.mp3", "04 - d.mp3"});
  selectSong(1);
  fakes.dialogs->expectMsgBox("Delete This MP3 file?", platform::vbYes).withStyle(platform::vbYesNo);
  ASSERT_TRUE(form.Command13.click());
  EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "02 - c.mp3", "03 - d.mp3"}));
  EXPECT_EQ(files(lyrics()), (Names{"02 - c.dat", "03 - d.dat"}));
  EXPECT_EQ(readAll(lyrics() / "02 - c.dat"), "03 - c.mp3");
  EXPECT_EQ(readAll(album() / "02 - c.mp3"), "03 - c.mp3");
  EXPECT_EQ(form.File4.ListIndex(), -1);
  EXPECT_FALSE(form.Command13.Enabled());
  expectMarkedChanged();

  // No: nothing goes, and still it counts as a change.
  selectSong(0);
  markCompiled();
  fakes.dialogs->expectMsgBox("Delete This MP3 file?", platform::vbNo);
  ASSERT_TRUE(form.Command13.click());
  EXPECT_EQ(files(album()).size(), 3u);
  expectMarkedChanged();
}

TEST_F(Songs, DeleteAndMovesWhereAFolderCannotBeChangedChangeNothing) {
  withSongs({"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"});
  withLyrics({"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"});
  struct Command {
    const char* what;
    controls::CommandButton& button;
    std::function<void()> expectBoxes;
  };
  const Command commands[] = {
      {"delete", form.Command13,
       [this] {
         fakes.dialogs->expectMsgBox("Delete This MP3 file?", platform::vbYes);
         fakes.dialogs->expectMsgBox("Permission denied", platform::vbOK);
       }},
      {"move down", form.Command11, [this] { fakes.dialogs->expectMsgBox("Permission denied", platform::vbOK); }},
      {"move up", form.Command8,
       [this] {
         fakes.dialogs->expectMsgBox("Permission denied Or one of the files is being occupied.", platform::vbOK);
       }},
  };
  for (const fs::path& folder : {album(), lyrics()}) {
    for (const Command& c : commands) {
      SCOPED_TRACE(std::string(c.what) + " with " + folder.string() + " unchangeable");
      {
        platform::UnchangeableFolder locked(folder);
        if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
        selectSong(1);
        c.expectBoxes();
        ASSERT_TRUE(c.button.click());
      }
      EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"}));
      EXPECT_EQ(files(lyrics()), (Names{"01 - a.dat", "02 - b.dat", "03 - c.dat"}));
      EXPECT_EQ(readAll(lyrics() / "02 - b.dat"), "02 - b.mp3");
    }
  }
}

TEST_F(Songs, NamesADiscCannotCarryAreRefusedOnAddAndRename) {
  withSongs({"01 - a.mp3"});
  for (const DiscNameCase& c : namesNoDiscCarries("song name")) {
    SCOPED_TRACE(c.name.toStdString());
    markCompiled();
    selectSong(0);
    fakes.dialogs->expectInputBox("Enter new mp3 file name", c.name);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withTitle("Error");
    ASSERT_TRUE(form.Command14.click());
    EXPECT_TRUE(form.cmdPreview.Enabled());

    // Added as a file, and in a folder: nothing of the folder is copied.
    const std::string file = (c.name + ".mp3").toStdString();
    const fs::path from = userFolder("from", {"0 first.mp3", file});
    pickFile(from, file);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withTitle("Error");
    ASSERT_TRUE(form.Command7.click());
    pickAll(from);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withTitle("Error");
    ASSERT_TRUE(form.Command7.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(files(album()), Names{"01 - a.mp3"});
    fs::remove_all(from);
  }
}

TEST_F(Songs, RenameKeepsTheNumberAndTakesTheLyricsAlong) {
  withSongs({"01 - a.mp3", "02 - b.mp3", "03 - old.mp3"});
  withLyrics({"03 - old.mp3"});
  selectSong(2);
  fakes.dialogs->expectInputBox("Enter new mp3 file name", "New.MP3").withDefaultText("old");
  ASSERT_TRUE(form.Command14.click());
  EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "02 - b.mp3", "03 - New.mp3"}));
  EXPECT_EQ(files(lyrics()), Names{"03 - New.dat"});
  EXPECT_EQ(form.File4.ListIndex(), -1);
  expectMarkedChanged();

  for (const QString& answer : {QString("   "), QString("a/b"), QString(), QString("x:y")}) {
    SCOPED_TRACE(answer.toStdString());
    selectSong(2);
    markCompiled();
    fakes.dialogs->expectInputBox("Enter new mp3 file name", answer).withDefaultText("New");
    fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK);
    ASSERT_TRUE(form.Command14.click());
    EXPECT_EQ(files(album()), (Names{"01 - a.mp3", "02 - b.mp3", "03 - New.mp3"}));
    EXPECT_TRUE(form.cmdPreview.Enabled());
  }
}

TEST_F(Songs, ARenameWhoseLyricsCannotFollowIsUndone) {
  withSongs({"01 - old.mp3"});
  withLyrics({"01 - old.mp3"});
  writeAll(lyrics() / "01 - new.dat", "someone else's");
  selectSong(0);
  fakes.dialogs->expectInputBox("Enter new mp3 file name", "new");
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK);
  ASSERT_TRUE(form.Command14.click());
  EXPECT_EQ(files(album()), Names{"01 - old.mp3"});
  EXPECT_EQ(readAll(lyrics() / "01 - new.dat"), "someone else's");
  EXPECT_EQ(readAll(lyrics() / "01 - old.dat"), "01 - old.mp3");
}

TEST_F(Songs, MovesSwapTheNumbersOfSongsAndLyrics) {
  withSongs({"01 - y.mp3", "02 - x.mp3", "03 - z.mp3"});
  withLyrics({"01 - y.mp3", "02 - x.mp3"});
  selectSong(1);
  ASSERT_TRUE(form.Command8.click());
  EXPECT_EQ(songList(), (Names{"01 - x.mp3", "02 - y.mp3", "03 - z.mp3"}));
  EXPECT_EQ(readAll(lyrics() / "01 - x.dat"), "02 - x.mp3");
  EXPECT_EQ(readAll(lyrics() / "02 - y.dat"), "01 - y.mp3");
  EXPECT_EQ(form.File4.FileName(), "01 - x.mp3");
  expectMarkedChanged();

  // Down, with a song that has no lyrics.
  selectSong(1);
  ASSERT_TRUE(form.Command11.click());
  EXPECT_EQ(songList(), (Names{"01 - x.mp3", "02 - z.mp3", "03 - y.mp3"}));
  EXPECT_EQ(files(lyrics()), (Names{"01 - x.dat", "03 - y.dat"}));
  EXPECT_EQ(form.File4.ListIndex(), 2);

  // The ends change no file, but still mark the project changed.
  markCompiled();
  form.Command11_Click();
  selectSong(0);
  form.Command8_Click();
  EXPECT_EQ(songList(), (Names{"01 - x.mp3", "02 - z.mp3", "03 - y.mp3"}));
  expectMarkedChanged();
}

TEST_F(Songs, NeighboursOfOneNameCannotBeSwapped) {
  withSongs({"01 - a.mp3", "02 - a.mp3"});
  selectSong(1);
  fakes.dialogs->expectMsgBox("File already exists Or one of the files is being occupied.", platform::vbOK);
  ASSERT_TRUE(form.Command8.click());
  selectSong(0);
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK);
  ASSERT_TRUE(form.Command11.click());
  EXPECT_EQ(readAll(album() / "01 - a.mp3"), "01 - a.mp3");
  EXPECT_EQ(readAll(album() / "02 - a.mp3"), "02 - a.mp3");
}

TEST_F(Songs, PressingASongSetsItsCommands) {
  withSongs({"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"});
  struct Case {
    int song;
    bool up, down;
  };
  for (const Case& c : {Case{0, false, true}, Case{1, true, true}, Case{2, true, false}}) {
    SCOPED_TRACE(c.song);
    selectSong(c.song);
    EXPECT_EQ(form.Command8.Enabled(), c.up);
    EXPECT_EQ(form.Command11.Enabled(), c.down);
    for (controls::Control* b : {&form.Command13, &form.Command14, &form.Command15}) EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(form.File4.ToolTipText(), QString::fromStdString(songList()[c.song].substr(5)));
  }
}

TEST_F(Songs, HelpModeOnlyExplains) {
  withSongs({"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"});
  selectSong(1);
  form.infoTeller = true;
  const std::vector<HelpText> helps = {
      {&form.Command7,
       "Press this button inorder to add MP3 files to the chosen album. You may add songs from a file on one of "
       "the drives or rip a song from a CD."},
      {&form.Command13, "Press this button inorder to remove MP3 files from the chosen album."},
      {&form.Command14, "Press this button inorder to rename the chosen song."},
      {&form.Command11, "Press this button inorder to move the chosen song down."},
      {&form.Command8, "Press this button inorder to move the chosen song up."},
      {&form.Command15, "Press this button inorder to add or set lyrics to the MP3 files."},
  };
  ASSERT_NO_FATAL_FAILURE(clickEachForHelp(fakes.modals, helps));
  expectMessage(fakes.modals, "The list of songs that a single album contains.");
  ASSERT_TRUE(form.File4.mouseDown());
  EXPECT_EQ(songList(), (Names{"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"}));
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

}  // namespace
}  // namespace authoring_test
