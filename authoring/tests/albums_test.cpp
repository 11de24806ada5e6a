// The album commands: add, rename, move, remove and the selection, with
// both folders of every album checked on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "album_tab_fixture.h"
#include "open_project_fixture.h"
#include "system/unchangeable_folder.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// Every file below `root` with its bytes, and every folder (as "name/").
std::map<std::string, std::string> tree(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    entries[entry.is_directory() ? name + "/" : name] = entry.is_directory() ? "" : readAll(entry.path());
  }
  return entries;
}

class Albums : public AlbumTabTest {
 protected:
  // Both folders and the list hold exactly these albums.
  void expectAlbums(const Names& expected) {
    EXPECT_EQ(folders(project), expected);
    EXPECT_EQ(folders(mirror), expected);
    EXPECT_EQ(albumList(), expected);
    EXPECT_EQ(form.Dir4.ListCount(), static_cast<int>(expected.size()));
  }
  void addAlbumNamed(const QString& name) {
    fakes.dialogs->expectInputBox("Enter new album name:", name).withDefaultText("");
    ASSERT_TRUE(form.Command2.click());
  }
};

TEST_F(Albums, AddNumbersEachNewAlbumInBothFolders) {
  addAlbumNamed("Rock");
  addAlbumNamed("Jazz");
  expectAlbums({"01 - Rock", "02 - Jazz"});
  EXPECT_EQ(form.List1.ListIndex(), -1);
  expectMarkedChanged();
  // The name as typed: a leading blank stays.
  addAlbumNamed(" Blues");
  EXPECT_EQ(albumList().back(), "03 -  Blues");
  for (int i = 4; i <= 10; ++i) addAlbumNamed(QString("A%1").arg(i));
  EXPECT_EQ(albumList().back(), "10 - A10");
  EXPECT_TRUE(fs::is_directory(mirror / "10 - A10"));
}

TEST_F(Albums, AddRefusesBadNamesAndTheThirtyFirst) {
  for (const QString& name : {QString("   "), QString(), QString("a:b"), QString("a/b"), QString("x|y"),
                              QString("say \"hi\""), QString("<a>")}) {
    SCOPED_TRACE(name.toStdString());
    markCompiled();
    fakes.dialogs->expectInputBox("Enter new album name:", name);
    fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK);
    ASSERT_TRUE(form.Command2.click());
    EXPECT_TRUE(form.cmdPreview.Enabled());
  }
  EXPECT_TRUE(folders(project).empty());

  Names thirty;
  for (int i = 1; i <= 30; ++i) thirty.push_back(QString("%1 - A").arg(i, 2, 10, QChar('0')).toStdString() + std::to_string(i));
  addAlbums(thirty);
  fakes.dialogs->expectMsgBox("The maximum amount of albums alowd is 30.", platform::vbOK);
  ASSERT_TRUE(form.Command2.click());
  EXPECT_EQ(folders(project).size(), 30u);
}

TEST_F(Albums, AddWithoutAProjectOrWithANameTheFileSystemRefuses) {
  form.sDirectory.clear();
  fakes.dialogs->expectMsgBox("Please create or open a project", platform::vbOK);
  ASSERT_TRUE(form.Command2.click());

  form.sDirectory = QString::fromStdString(project.string());
  fakes.dialogs->expectInputBox("Enter new album name:", QString(300, 'x'));
  fakes.dialogs->expectMsgBox("Bad file name or number", platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.Command2.click());
  EXPECT_TRUE(folders(project).empty());
  EXPECT_TRUE(albumList().empty());
}

TEST_F(Albums, NamesADiscCannotCarryAreRefusedOnAddAndRename) {
  addAlbums({"01 - Rock"});
  for (const DiscNameCase& c : namesNoDiscCarries("album name")) {
    SCOPED_TRACE(c.name.toStdString());
    markCompiled();
    fakes.dialogs->expectInputBox("Enter new album name:", c.name);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withTitle("Error");
    ASSERT_TRUE(form.Command2.click());
    selectAlbum(0);
    fakes.dialogs->expectInputBox("Enter new Album name", c.name);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withTitle("Error");
    ASSERT_TRUE(form.Command19.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    expectAlbums({"01 - Rock"});
    EXPECT_TRUE(form.cmdPreview.Enabled());
  }
}

TEST_F(Albums, AMirrorFolderThatCannotBeMadeTakesTheNewAlbumBackAgain) {
  writeAll(mirror / "01 - Rock", "a file where the folder should go");
  fakes.dialogs->expectInputBox("Enter new album name:", "Rock");
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.Command2.click());
  EXPECT_TRUE(folders(project).empty());
  EXPECT_TRUE(albumList().empty());
}

TEST_F(Albums, RenameKeepsTheNumberInBothFolders) {
  addAlbums({"01 - A", "02 - B", "03 - Rock"});
  writeAll(mirror / "03 - Rock" / "01 - s.dat", "la");
  selectAlbum(2);
  markCompiled();
  fakes.dialogs->expectInputBox("Enter new Album name", "Pop").withDefaultText("Rock");
  ASSERT_TRUE(form.Command19.click());
  expectAlbums({"01 - A", "02 - B", "03 - Pop"});
  EXPECT_EQ(readAll(mirror / "03 - Pop" / "01 - s.dat"), "la");
  EXPECT_EQ(form.List1.ListIndex(), 2);
  EXPECT_EQ(form.File4.Path().toStdString(), (project / "03 - Pop").string());
  expectMarkedChanged();

  // Its own name again: it exists; the project still counts as changed.
  markCompiled();
  fakes.dialogs->expectInputBox("Enter new Album name", "Pop");
  fakes.dialogs->expectMsgBox("This album already exist.", platform::vbOK);
  ASSERT_TRUE(form.Command19.click());
  expectMarkedChanged();

  // Refused names change nothing, and do not mark it changed.
  markCompiled();
  fakes.dialogs->expectInputBox("Enter new Album name", "");
  fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK);
  ASSERT_TRUE(form.Command19.click());
  EXPECT_TRUE(form.cmdPreview.Enabled());
  expectAlbums({"01 - A", "02 - B", "03 - Pop"});
}

TEST_F(Albums, ARenameThatCannotBeFinishedChangesNeitherFolder) {
  addAlbums({"01 - Rock"});
  // A left-over mirror folder of the new name: the mirror's rename refuses
  // to replace it, and the project folder gets its old name back.
  fs::create_directory(mirror / "01 - Pop");
  writeAll(mirror / "01 - Pop" / "01 - old.dat", "old");
  selectAlbum(0);
  fakes.dialogs->expectInputBox("Enter new Album name", "Pop");
  fakes.dialogs->expectMsgBox("File already exists Or One of the files is occupied.", platform::vbOK);
  ASSERT_TRUE(form.Command19.click());
  EXPECT_EQ(folders(project), Names{"01 - Rock"});
  EXPECT_EQ(folders(mirror), (Names{"01 - Pop", "01 - Rock"}));
  EXPECT_EQ(readAll(mirror / "01 - Pop" / "01 - old.dat"), "old");
  EXPECT_EQ(albumList(), Names{"01 - Rock"});
  EXPECT_EQ(form.List1.ListIndex(), -1);

  // A mirror folder that is gone fails the in-use test before any change.
  fs::remove_all(mirror / "01 - Rock");
  selectAlbum(0);
  fakes.dialogs->expectInputBox("Enter new Album name", "Jazz");
  fakes.dialogs->expectMsgBox("File not found Or One of the files is occupied.", platform::vbOK);
  ASSERT_TRUE(form.Command19.click());
  EXPECT_EQ(folders(project), Names{"01 - Rock"});
}

TEST_F(Albums, MovesExchangeTheNumbersOfNeighbours) {
  addAlbums({"01 - A", "02 - B", "03 - C"});
  writePicture(mirror / "02 - B" / "intro.jpg");
  selectAlbum(1);
  markCompiled();
  ASSERT_TRUE(form.Command6.click());
  expectAlbums({"01 - B", "02 - A", "03 - C"});
  EXPECT_EQ(form.List1.ListIndex(), 0);
  EXPECT_TRUE(fs::exists(mirror / "01 - B" / "intro.jpg"));
  EXPECT_FALSE(form.imgPreview2.Picture().isEmpty());
  expectMarkedChanged();

  selectAlbum(1);
  ASSERT_TRUE(form.Command24.click());
  expectAlbums({"01 - B", "02 - C", "03 - A"});
  EXPECT_EQ(form.List1.ListIndex(), 2);

  // The ends: nothing moves, and the project is not marked changed.
  markCompiled();
  form.Command24_Click();
  selectAlbum(0);
  form.Command6_Click();
  expectAlbums({"01 - B", "02 - C", "03 - A"});
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(Albums, NeighboursOfOneNameCannotBeExchanged) {
  addAlbums({"01 - A", "02 - A"});
  selectAlbum(0);
  fakes.dialogs->expectMsgBox("File already exists Or One of the files is occupied.", platform::vbOK);
  ASSERT_TRUE(form.Command24.click());
  expectAlbums({"01 - A", "02 - A"});
  EXPECT_EQ(form.List1.ListIndex(), 0);
}

TEST_F(Albums, RemoveDeletesBothFoldersAndRenumbersTheRest) {
  addAlbums({"01 - A", "02 - B", "03 - C", "04 - D"});
  writeAll(mirror / "02 - B" / "01 - s.dat", "gone");
  fs::permissions(mirror / "02 - B" / "01 - s.dat", fs::perms::owner_read);
  writeAll(mirror / "03 - C" / "01 - t.dat", "kept");
  writeAll(project / "02 - B" / "01 - s.mp3", "song");
  selectAlbum(1);
  ASSERT_TRUE(form.File4.select(0));
  markCompiled();
  fakes.dialogs->expectMsgBox("Detele this album?", platform::vbYes).withStyle(platform::vbYesNo);
  ASSERT_TRUE(form.Command22.click());
  expectAlbums({"01 - A", "02 - C", "03 - D"});
  // The removed album's songs are gone from the list, and so are their commands.
  EXPECT_EQ(form.File4.ListCount(), 0);
  for (controls::Control* c : {&form.Command13, &form.Command14, &form.Command15})
    EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
  EXPECT_EQ(readAll(mirror / "02 - C" / "01 - t.dat"), "kept");
  EXPECT_EQ(form.List1.ListIndex(), -1);
  for (controls::Control* c : {&form.Command19, &form.Command20, &form.Command22, &form.Command6, &form.Command24})
    EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
  expectMarkedChanged();

  // No: nothing goes, yet the project counts as changed.
  selectAlbum(2);
  markCompiled();
  fakes.dialogs->expectMsgBox("Detele this album?", platform::vbNo);
  ASSERT_TRUE(form.Command22.click());
  expectAlbums({"01 - A", "02 - C", "03 - D"});
  expectMarkedChanged();

  // The last one renumbers nothing.
  fakes.dialogs->expectMsgBox("Detele this album?", platform::vbYes);
  ASSERT_TRUE(form.Command22.click());
  expectAlbums({"01 - A", "02 - C"});
}

TEST_F(Albums, RemovingTheOnlyAlbumTurnsItsCommandsOff) {
  addAlbums({"01 - A"});
  selectAlbum(0);
  form.cmdPreview.setEnabled(true);
  fakes.dialogs->expectMsgBox("Detele this album?", platform::vbYes);
  ASSERT_TRUE(form.Command22.click());
  expectAlbums({});
  for (controls::Control* c : {&form.Command19, &form.Command20, &form.Command22, &form.cmdPreview, &form.Command7})
    EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
  EXPECT_TRUE(form.Command2.Enabled());
}

TEST_F(Albums, ARemovalThatFailsSaysTheFolderIsOccupied) {
  addAlbums({"01 - A", "02 - B"});
  fs::remove_all(mirror / "02 - B");
  selectAlbum(0);
  fakes.dialogs->expectMsgBox("Detele this album?", platform::vbYes);
  fakes.dialogs->expectMsgBox("File not found. File or directory are occupied.", platform::vbOK);
  ASSERT_TRUE(form.Command22.click());
  EXPECT_EQ(folders(project), (Names{"01 - A", "02 - B"}));
  EXPECT_EQ(albumList(), (Names{"01 - A", "02 - B"}));
}

TEST_F(Albums, ARemovalWhereAFolderCannotBeChangedChangesNothingAnywhere) {
  struct Case {
    const char* what;
    fs::path locked;
  };
  addAlbums({"01 - A", "02 - B", "03 - C"});
  addSongs("02 - B", {"01 - s.mp3"});
  addSongs("03 - C", {"01 - t.mp3"});
  writeAll(mirror / "02 - B" / "01 - s.dat", "lyrics");
  writePicture(mirror / "02 - B" / "intro.jpg");
  const Case cases[] = {
      {"the project folder", project},
      {"the album's folder in the project", project / "02 - B"},
      {"the album's folder in the mirror", mirror / "02 - B"},
  };
  const auto projectBefore = tree(project), mirrorBefore = tree(mirror);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      platform::UnchangeableFolder locked(c.locked);
      if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
      selectAlbum(1);
      fakes.dialogs->expectMsgBox("Detele this album?", platform::vbYes);
      fakes.dialogs->expectMsgBox("Permission denied. File or directory are occupied.", platform::vbOK);
      ASSERT_TRUE(form.Command22.click());
    }
    EXPECT_EQ(tree(project), projectBefore);
    EXPECT_EQ(tree(mirror), mirrorBefore);
    EXPECT_EQ(albumList(), (Names{"01 - A", "02 - B", "03 - C"}));
  }
}

TEST_F(Albums, SelectionShowsTheSongsThePictureAndTheName) {
  addAlbums({"01 - A", "02 - B", "03 - C"});
  addSongs("02 - B", {"01 - x.mp3", "02 - y.mp3"});
  writeAll(mirror / "02 - B" / "intro.gif", "not read: a jpg comes first");
  writePicture(mirror / "02 - B" / "intro.jpg");
  writePicture(mirror / "03 - C" / "INTRO.BMP");
  selectAlbum(1);
  EXPECT_EQ(songList(), (Names{"01 - x.mp3", "02 - y.mp3"}));
  EXPECT_FALSE(form.imgPreview2.Picture().isEmpty());
  EXPECT_EQ(form.List1.ToolTipText(), "B");
  for (controls::Control* c : {&form.Command7, &form.Command6, &form.Command24, &form.Command19, &form.Command20})
    EXPECT_TRUE(c->Enabled()) << c->Name().toStdString();
  for (controls::Control* c : {&form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15})
    EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();

  selectAlbum(2);
  EXPECT_TRUE(songList().empty());
  EXPECT_FALSE(form.imgPreview2.Picture().isEmpty());  // found whatever its case
  selectAlbum(0);
  EXPECT_TRUE(form.imgPreview2.Picture().isEmpty());

  // No album selected: no songs listed.
  selectAlbum(1);
  form.List1.setListIndex(-1);
  EXPECT_TRUE(songList().empty());
  EXPECT_TRUE(form.imgPreview2.Picture().isEmpty());
}

TEST_F(Albums, ASelectedAlbumWhoseFilesAreDamagedIsReported) {
  addAlbums({"01 - A", "02 - B"});
  writeAll(mirror / "01 - A" / "intro.jpg", "no picture");
  fakes.dialogs->expectMsgBox("The album's picture cannot be shown: Invalid picture", platform::vbOK);
  selectAlbum(0);
  EXPECT_TRUE(form.imgPreview2.Picture().isEmpty());
  EXPECT_TRUE(fs::exists(mirror / "01 - A" / "intro.jpg"));

  fs::remove_all(project / "02 - B");
  fakes.dialogs->expectMsgBox("The album's folder cannot be read: Path not found", platform::vbOK);
  selectAlbum(1);
  EXPECT_TRUE(songList().empty());
}

TEST_F(Albums, HelpModeOnlyExplains) {
  addAlbums({"01 - A", "02 - B", "03 - C"});
  selectAlbum(1);
  markCompiled();
  form.infoTeller = true;
  const std::vector<HelpText> helps = {
      {&form.Command2, "Press this button inorder to add a new album instance."},
      {&form.Command19, "Press this button inorder to rename the album's instance."},
      {&form.Command6, "Press this button inorder to move the chosen album up."},
      {&form.Command24, "Press this button inorder to move the chosen album down."},
      {&form.Command22, "Press this button inorder to remove an album."},
      {&form.Command20, "Press this button inorder to set the album's picture."},
      {&form.imgPreview2, "The picture relating to the album or specific collection."},
  };
  ASSERT_NO_FATAL_FAILURE(clickEachForHelp(fakes.modals, helps));
  expectMessage(fakes.modals,
                "The list of albums a project holds. Press an album instance to view the songs it is contaning.");
  ASSERT_TRUE(form.List1.mouseDown());
  expectAlbums({"01 - A", "02 - B", "03 - C"});
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

}  // namespace
}  // namespace authoring_test
