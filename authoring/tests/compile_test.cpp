// The build panel: compile (cvrd.qd and ldat.qd), run, browse, and the two
// developer buttons.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "lyrics_database.h"
#include "open_project_fixture.h"
#include "system/process_launcher.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class CompileButton : public OpenProjectTest {
 protected:
  void SetUp() override {
    OpenProjectTest::SetUp();
    openProject("Alpha");
  }
  fs::path covers() const { return project / "cvrd.qd"; }
};

TEST_F(CompileButton, PacksTheFirstCoverOfEachAlbumAndEnablesRun) {
  writePicture(addAlbum("01 - Rock") / "intro.jpg");
  // Both present: the bmp is looked for before the gif.
  const fs::path pop = addAlbum("02 - Pop");
  writePicture(pop / "intro.bmp");
  writePicture(pop / "intro.gif");
  addAlbum("03 - Jazz");  // no cover
  writePicture(addAlbum("04 - Folk") / "INTRO.JPEG");  // found without regard to case
  form.coverNames[5] = "stale.gif";

  ASSERT_TRUE(form.Command27.click());

  const std::vector<PackedMember> members = packedMembers(covers());
  ASSERT_EQ(members.size(), 3u);
  const char* const names[] = {"01.jpg", "02.bmp", "04.jpeg"};
  const fs::path sources[] = {mirror / "01 - Rock" / "intro.jpg", pop / "intro.bmp",
                              mirror / "04 - Folk" / "INTRO.JPEG"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(members[i].memberCount, 30);
    EXPECT_EQ(members[i].memberNumber, i + 1);
    EXPECT_EQ(members[i].name, names[i]);
    EXPECT_EQ(members[i].data, fileBytes(sources[i]));
    EXPECT_EQ(fileBytes(mirror / names[i]), fileBytes(sources[i]));  // the copy stays until the next compile
  }
  std::vector<QString> expected(30);
  expected[0] = "01.jpg";
  expected[1] = "02.bmp";
  expected[3] = "04.jpeg";
  EXPECT_EQ(form.coverNames, expected);

  EXPECT_FALSE(form.Command27.Enabled());
  EXPECT_TRUE(form.cmdPreview.Enabled());
  EXPECT_FALSE(form.messageWindow().Visible());
  EXPECT_NE(form.lblFolderSize.Caption(), "");
}

TEST_F(CompileButton, AlbumsWithoutCoversGiveTheHeaderOnly) {
  addAlbum("01 - Rock");
  ASSERT_TRUE(form.Command27.click());
  EXPECT_EQ(fileText(covers()), std::string("\x00\x10\x00\x00", 4));
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(CompileButton, WithoutAlbumsTheOldCoversStayAndRunStaysOff) {
  writeFile(covers(), "old covers");
  ASSERT_TRUE(form.Command27.click());
  EXPECT_EQ(fileText(covers()), "old covers");
  EXPECT_FALSE(form.cmdPreview.Enabled());
  EXPECT_EQ(fileBytes(project / "ldat.qd").size(), 0u);
}

TEST_F(CompileButton, ARemovedAlbumLeavesTheCoversFile) {
  for (const char* album : {"01 - A", "02 - B", "03 - C"}) writePicture(addAlbum(album) / "intro.jpg");
  ASSERT_TRUE(form.Command27.click());
  ASSERT_EQ(packedMembers(covers()).size(), 3u);
  // A longer old file leaves nothing behind either. The album goes from
  // both of its folders, as removing it takes it.
  fs::remove_all(mirror / "03 - C");
  fs::remove_all(project / "03 - C");
  form.Command27.setEnabled(true);
  ASSERT_TRUE(form.Command27.click());
  const std::vector<PackedMember> members = packedMembers(covers());
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[1].name, "02.jpg");
  EXPECT_TRUE(form.coverNames[2].isEmpty());
  std::uintmax_t expectedSize = 4;
  for (const PackedMember& m : members) expectedSize += 4 + 4 + 2 + 2 + m.name.size() + 4 + 2 + m.data.size();
  EXPECT_EQ(fs::file_size(covers()), expectedSize);
}

TEST_F(CompileButton, GathersTheLyricsOfEveryAlbum) {
  const fs::path rock = addAlbum("01 - Rock");
  writeFile(rock / "01 - Stone.dat", "A\r\nB\r\n");
  writeFile(rock / "03 - Roll.dat", "");
  writeFile(rock / "02 - Song.mp3", "not lyrics");
  const fs::path pop = addAlbum("02 - Pop");
  writeFile(pop / "02 - Bubble.dat", "la la");

  ASSERT_TRUE(form.Command27.click());

  const std::vector<store::LyricsRecord> records = store::decodeLyricsDatabase(fileBytes(project / "ldat.qd"));
  const std::vector<store::LyricsRecord> expected = {
      {"[ALBUM01SONG01]", "A\r\nB\r\n"}, {"[ALBUM01SONG03]", ""}, {"[ALBUM02SONG02]", "la la\r\n"}};
  EXPECT_EQ(records, expected);
}

TEST_F(CompileButton, AFailedCompileSaysWhyKeepsTheOldFilesAndCanBeRepeated) {
  // An album picture that cannot be read as a file.
  fs::create_directories(addAlbum("01 - Rock") / "intro.jpg");
  writeFile(covers(), "old covers");
  writeFile(project / "ldat.qd", "old lyrics");
  fakes.dialogs->expectMsgBox("Path/File access error", platform::vbOK);

  ASSERT_TRUE(form.Command27.click());

  EXPECT_EQ(fileText(covers()), "old covers");
  EXPECT_EQ(fileText(project / "ldat.qd"), "old lyrics");
  EXPECT_FALSE(form.messageWindow().Visible());
  EXPECT_TRUE(form.Command27.Enabled());
  EXPECT_FALSE(form.cmdPreview.Enabled());
}

// Input the compile cannot read never passes for no lyrics or no pictures:
// the compile says why, cvrd.qd and ldat.qd stay as the last compile left
// them (neither is replaced without the other), and Run stays off until a
// compile succeeds.
TEST_F(CompileButton, InputThatCannotBeReadFailsTheCompileAndKeepsBothFiles) {
  const fs::path rock = addAlbum("01 - Rock"), pop = addAlbum("02 - Pop");
  writePicture(rock / "intro.jpg");
  writePicture(pop / "intro.gif");
  writeFile(rock / "01 - Stone.dat", "A\r\n");
  writeFile(pop / "01 - Bubble.dat", "la la\r\n");
  controls::WindowInput user(form);
  ASSERT_TRUE(user.clickOn(form.Command27));
  ASSERT_TRUE(form.cmdPreview.Enabled());
  const std::vector<std::uint8_t> lyrics = fileBytes(project / "ldat.qd"), covers = fileBytes(this->covers());
  ASSERT_EQ(store::decodeLyricsDatabase(lyrics).size(), 2u);

  const fs::path away = fs::path(elsewhere.path().toStdString()) / "away";
  struct Case {
    const char* what;
    std::function<void()> damage, mend;
    QString message;
  };
  const Case cases[] = {
      {"the mirror folder removed", [&] { fs::rename(mirror, away); }, [&] { fs::rename(away, mirror); },
       "Path not found"},
      {"one album's mirror folder removed", [&] { fs::rename(pop, away); }, [&] { fs::rename(away, pop); },
       "Path not found"},
      {"an album's mirror folder a file",
       [&] {
         fs::rename(rock, away);
         writeFile(rock, "not a folder");
       },
       [&] {
         fs::remove(rock);
         fs::rename(away, rock);
       },
       "Path not found"},
      // Read before the covers are packed: a new cover does not go in alone.
      {"lyrics too long to be stored",
       [&] {
         writeFile(pop / "02 - Long.dat", std::string(32766, 'x'));
         writePicture(pop / "intro.bmp");
       },
       [&] {
         fs::remove(pop / "02 - Long.dat");
         fs::remove(pop / "intro.bmp");
       },
       "The lyrics of 02 - Long.dat cannot be stored: it is longer than 32767 characters."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.damage();
    form.markProjectChanged();
    fakes.dialogs->expectMsgBox(c.message, platform::vbOK).withStyle(platform::vbOKOnly);
    ASSERT_TRUE(user.clickOn(form.Command27));
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(fileBytes(project / "ldat.qd"), lyrics);
    EXPECT_EQ(fileBytes(this->covers()), covers);
    EXPECT_FALSE(form.cmdPreview.Enabled());
    EXPECT_TRUE(form.Command27.Enabled());
    EXPECT_FALSE(form.messageWindow().Visible());
    EXPECT_TRUE(form.acceptsUserInput());

    // Once the input can be read again, the compile goes through.
    c.mend();
    ASSERT_TRUE(user.clickOn(form.Command27));
    EXPECT_EQ(fileBytes(project / "ldat.qd"), lyrics);
    EXPECT_EQ(fileBytes(this->covers()), covers);
    EXPECT_TRUE(form.cmdPreview.Enabled());
  }
}

// ---- Run ---------------------------------------------------------------------

class RunButton : public CompileButton {
 protected:
  void SetUp() override {
    CompileButton::SetUp();
    writeFile(project / "Alpha.exe", "launcher");
    writeFile(project / "QD.exe", "player");
    form.cmdPreview.setEnabled(true);
  }
  fs::path marker() const { return fakes.folder.path() / "qdd.qd"; }
  const std::vector<platform::ProcessStart>& started() { return fakes.launcher->started(); }
};

TEST_F(RunButton, FirstRunWritesTheMarkerAndStartsOnlyTheLauncher) {
  ASSERT_TRUE(form.cmdPreview.click());
  EXPECT_EQ(fileText(marker()), "F\r\n");
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].program.toStdString(), (project / "Alpha.exe").string());
  EXPECT_TRUE(started()[0].arguments.isEmpty());
  EXPECT_EQ(started()[0].style, platform::WindowStyle::Minimized);
  EXPECT_EQ(started()[0].workingDirectory.toStdString(), project.string());

  // Every later run starts the player, found whatever the case of its name.
  ASSERT_TRUE(form.cmdPreview.click());
  ASSERT_EQ(started().size(), 2u);
  EXPECT_EQ(started()[1].program.toStdString(), (project / "QD.exe").string());
  EXPECT_TRUE(started()[1].arguments.isEmpty());
  EXPECT_EQ(started()[1].style, platform::WindowStyle::Maximized);
  EXPECT_EQ(started()[1].workingDirectory.toStdString(), project.string());
}

TEST_F(RunButton, ALauncherThatDoesNotStartLeavesNoMarker) {
  struct Case {
    const char* what;
    bool removeLauncher;
    const char* reason;
  };
  for (const Case& c : {Case{"missing", true, "File not found"}, Case{"refused", false, "the program did not start"}}) {
    SCOPED_TRACE(c.what);
    if (c.removeLauncher) fs::remove(project / "Alpha.exe");
    fakes.launcher->setFailing(!c.removeLauncher);
    if (!c.removeLauncher) writeFile(project / "Alpha.exe", "launcher");
    fakes.dialogs->expectMsgBox(QString::fromStdString("Could not start " + (project / "Alpha.exe").string() + ": " +
                                                       c.reason + "."),
                                platform::vbOK);
    ASSERT_TRUE(form.cmdPreview.click());
    EXPECT_FALSE(fs::exists(marker()));
  }
}

TEST_F(RunButton, AMissingPlayerIsReported) {
  writeFile(marker(), "F\r\n");
  fs::remove(project / "QD.exe");
  fakes.dialogs->expectMsgBox(QString::fromStdString("Could not start " + (project / "qd.exe").string() +
                                                     ": File not found."),
                              platform::vbOK);
  ASSERT_TRUE(form.cmdPreview.click());
  EXPECT_TRUE(started().empty());
}

// ---- Browse, help and the developer buttons -------------------------------------

TEST_F(CompileButton, BrowseOpensTheProjectFolderOnTheDesktop) {
  ASSERT_TRUE(form.Command5.click());
  ASSERT_EQ(fakes.launcher->started().size(), 1u);
  const platform::ProcessStart& start = fakes.launcher->started()[0];
  EXPECT_EQ(start.program, "xdg-open");
  EXPECT_EQ(start.arguments, QStringList{QString::fromStdString(project.string())});
  EXPECT_EQ(start.style, platform::WindowStyle::Normal);

  form.sDirectory.clear();
  ASSERT_TRUE(form.Command5.click());
  EXPECT_EQ(fakes.launcher->started().size(), 1u);
}

TEST_F(CompileButton, BrowseSaysWhenNoProgramCouldShowTheFolder) {
  const QString noProgram =
      QStringLiteral("No program could show the folder ") + QString::fromStdString(project.string()) + ".";
  struct Case {
    const char* what;
    bool starts;                   // xdg-open is there
    std::optional<bool> succeeds;  // how it ends, once it has run
    bool said;
  };
  const Case cases[] = {
      {"no xdg-open", false, std::nullopt, true},
      {"xdg-open fails: no program for folders", true, false, true},
      {"a program shows it", true, true, false},
  };
  controls::WindowInput user(form);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.launcher->clear();
    fakes.launcher->setFailing(!c.starts);
    const std::size_t boxes = fakes.dialogs->shown().size();
    if (c.said) fakes.dialogs->expectMsgBox(noProgram, platform::vbOK).withStyle(platform::vbOKOnly);
    ASSERT_TRUE(user.clickOn(form.Command5));
    ASSERT_EQ(fakes.launcher->started().size(), 1u);
    const platform::ProcessStart& start = fakes.launcher->started()[0];
    EXPECT_EQ(start.program, "xdg-open");
    if (c.succeeds) {
      EXPECT_EQ(fakes.dialogs->shown().size(), boxes);  // nothing is said while it runs
      ASSERT_TRUE(start.ended);
      start.ended(*c.succeeds);
    }
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(fakes.dialogs->shown().size(), boxes + (c.said ? 1 : 0));
  }
}

TEST_F(CompileButton, InHelpModeEachButtonOnlyExplainsItself) {
  writePicture(addAlbum("01 - Rock") / "intro.jpg");
  form.cmdPreview.setEnabled(true);
  form.infoTeller = true;
  const std::vector<HelpText> helps = {
      {&form.Command27, "Inorder to burn or simply run a project, you must compile it first."},
      {&form.cmdPreview, "Preview the project (Only if there are atleast one album present)."},
      {&form.Command5, "Opens the project library and view its files. These are the files you should burn on CD."}};
  ASSERT_NO_FATAL_FAILURE(clickEachForHelp(fakes.modals, helps));
  EXPECT_FALSE(fs::exists(covers()));
  EXPECT_FALSE(fs::exists(project / "ldat.qd"));
  EXPECT_FALSE(fs::exists(fakes.folder.path() / "qdd.qd"));
  EXPECT_TRUE(fakes.launcher->started().empty());
  EXPECT_TRUE(form.Command27.Enabled());
}

TEST_F(CompileButton, TheDeveloperButtonsUnpackTheCoversAndShowTheLyrics) {
  writePicture(addAlbum("01 - Rock") / "intro.jpg");
  writePicture(addAlbum("02 - Pop") / "intro.gif");
  writeFile(mirror / "01 - Rock" / "01 - Stone.dat", "A");
  ASSERT_TRUE(form.Command27.click());
  fs::remove(mirror / "01.jpg");
  fs::remove(mirror / "02.gif");

  form.coverNames.assign(30, QString());
  form.coverNames[5] = "kept";
  form.Command23.Click();
  EXPECT_EQ(form.coverNames[0], "01.jpg");
  EXPECT_EQ(form.coverNames[1], "02.gif");  // in file order, not by album
  EXPECT_EQ(form.coverNames[5], "kept");
  EXPECT_EQ(fileBytes(mirror / "01.jpg"), fileBytes(mirror / "01 - Rock" / "intro.jpg"));

  fakes.dialogs->expectMsgBox("[ALBUM01SONG01]", platform::vbOK);
  fakes.dialogs->expectMsgBox("A\r\n", platform::vbOK);
  form.Command26.Click();
  EXPECT_FALSE(form.Command26.Visible());
  EXPECT_FALSE(form.Command23.Visible());
}

}  // namespace
}  // namespace authoring_test
