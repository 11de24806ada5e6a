// The sample collection of the first start: the tree it builds from the
// program folder's sample data, a project that opens and compiles like any
// other, and a build that fails (a missing file, a full disk) and leaves
// nothing, so that the next start builds it.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "form5_test_support.h"
#include "lyrics_database.h"
#include "open_project_fixture.h"
#include "project_data.h"
#include "project_list.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

const std::string kRule(33, '_');

// Every file and folder below `root`, by relative path: its size, or -1 for
// a folder.
std::map<std::string, std::intmax_t> treeOf(const fs::path& root) {
  std::map<std::string, std::intmax_t> tree;
  if (!fs::exists(root)) return tree;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    tree[fs::relative(entry.path(), root).string()] =
        entry.is_directory() ? -1 : static_cast<std::intmax_t>(entry.file_size());
  return tree;
}

std::vector<std::string> pathsOf(const std::map<std::string, std::intmax_t>& tree) {
  std::vector<std::string> paths;
  for (const auto& [path, size] : tree) paths.push_back(path);
  return paths;
}

class FirstStart : public ::testing::Test {
 protected:
  void SetUp() override {
    fakes.folder.fillAsShipped();
    fakes.folder.writeProjectList({{"Rock", "/music/Rock"}});
    fakes.fetcher->alwaysReply("0");
  }

  fs::path programFolder() const { return fakes.folder.path(); }
  fs::path sample() const { return programFolder() / "Demo Collection"; }
  fs::path sampleMirror() const { return fakes.folder.handle() / "Demo Collection"; }
  std::vector<std::string> supportAndSampleFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(programFolder()))
      if (entry.path().filename().string().starts_with("qd.0")) names.push_back(entry.path().filename().string());
    return names;
  }

  Fakes fakes;
};

TEST_F(FirstStart, BuildsTheSampleTreeFromTheSampleDataAndListsIt) {
  Form5 form;
  form.Load();
  EXPECT_TRUE(fakes.dialogs->shown().empty());

  std::vector<std::string> projectFiles = {"01 - Ties",
                                           "01 - Ties/01 - With you there to help me.mp3",
                                           "01 - Ties/02 - Nothing to say.mp3",
                                           "02 - No More Merchant",
                                           "03 - Let It",
                                           "04 - Here",
                                           "AUTORUN.INF",
                                           "Demo Collection.exe",
                                           "QD.exe",
                                           "dat.qd",
                                           "dop.qd"};
  for (const std::string& name : supportAndSampleFiles()) projectFiles.push_back(name);
  std::sort(projectFiles.begin(), projectFiles.end());
  const auto projectTree = treeOf(sample());
  EXPECT_EQ(pathsOf(projectTree), projectFiles);
  EXPECT_EQ(pathsOf(treeOf(sampleMirror())),
            (std::vector<std::string>{"01 - Ties", "01 - Ties/01 - With you there to help me.dat",
                                      "01 - Ties/02 - Nothing to say.dat", "01 - Ties/intro.gif",
                                      "02 - No More Merchant", "02 - No More Merchant/intro.jpg", "03 - Let It",
                                      "03 - Let It/intro.gif", "04 - Here", "04 - Here/intro.jpg"}));
  EXPECT_EQ(pathsOf(treeOf(fakes.folder.handle())).front(), "Demo Collection");

  // The copies, byte for byte; the launcher and the player stay runnable.
  const std::pair<fs::path, std::string> copies[] = {
      {sample() / "Demo Collection.exe", "rodud.qd"},
      {sample() / "QD.exe", "rizodu.qd"},
      {sample() / "dop.qd", "qd.090"},
      {sample() / "dat.qd", "qd.091"},
      {sampleMirror() / "01 - Ties/intro.gif", "qd.092"},
      {sampleMirror() / "02 - No More Merchant/intro.jpg", "qd.093"},
      {sampleMirror() / "03 - Let It/intro.gif", "qd.094"},
      {sampleMirror() / "04 - Here/intro.jpg", "qd.095"},
  };
  for (const auto& [copy, source] : copies) {
    SCOPED_TRACE(copy.string());
    EXPECT_EQ(fileBytes(copy), fileBytes(programFolder() / source));
  }
  for (const std::string& name : supportAndSampleFiles())
    EXPECT_EQ(fileBytes(sample() / name), fileBytes(programFolder() / name)) << name;
  for (const char* runnable : {"Demo Collection.exe", "QD.exe"})
    EXPECT_NE(fs::status(sample() / runnable).permissions() & fs::perms::owner_exec, fs::perms::none) << runnable;

  // Empty songs; their lyrics in the mirror only, as the user would have
  // typed them.
  EXPECT_EQ(projectTree.at("01 - Ties/01 - With you there to help me.mp3"), 0);
  EXPECT_EQ(projectTree.at("01 - Ties/02 - Nothing to say.mp3"), 0);
  EXPECT_EQ(fileText(sampleMirror() / "01 - Ties/01 - With you there to help me.dat"),
            "With you there to help me\r\n" + kRule +
                "\r\n\r\nLyrics Lyrics Lyrics\r\nbla bla bla..\r\nLyrics Lyrics Lyrics\r\nLyrics Lyrics Lyrics\r\n");
  EXPECT_EQ(fileText(sampleMirror() / "01 - Ties/02 - Nothing to say.dat"),
            "Nothing to say\r\n" + kRule +
                "\r\n\r\nLyrics Lyrics Lyrics\r\nnothing nothing nothing\r\nLyrics Lyrics Lyrics\r\nLyrics Lyrics "
                "Lyrics\r\n");
  EXPECT_EQ(fileText(sample() / "AUTORUN.INF"),
            "[autorun]\r\nicon = QD.exe,0\r\nlabel = Demo Collection\r\nopen = Demo Collection.exe\r\n");
  // The album pictures are what the album tab and the player's boxes load.
  for (const char* picture : {"01 - Ties/intro.gif", "02 - No More Merchant/intro.jpg", "03 - Let It/intro.gif",
                              "04 - Here/intro.jpg"})
    EXPECT_FALSE(QImage(QString::fromStdString((sampleMirror() / picture).string())).isNull()) << picture;

  // One more project in the list, on disk and in the picker.
  const std::vector<store::ProjectListEntry> listed = store::readProjectList(programFolder() / "qdd.dat");
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[1].name, "Demo Collection");
  EXPECT_EQ(listed[1].folder, sample().string());
  ASSERT_EQ(form.listProjects.ListCount(), 2);
  EXPECT_EQ(form.listProjects.List(1), "Demo Collection");
  EXPECT_EQ(form.listProjectsPath.List(1), QString::fromStdString(sample().string()));
  EXPECT_TRUE(form.cmdBuildNewProj.Enabled());
  EXPECT_TRUE(form.Command2.Enabled());
  EXPECT_EQ(form.SSTab1.Tab(), 0);
  // Built, not opened: nothing can be edited until the user opens it.
  EXPECT_EQ(form.lblProjectName.Caption(), "");
  form.Show();
  form.SSTab1.setTab(1);
  fakes.dialogs->expectMsgBox("First create or open a project.", platform::vbOK);
  EXPECT_TRUE(controls::WindowInput(form).clickOn(form.Command2));
  EXPECT_EQ(pathsOf(treeOf(sample())), projectFiles);
}

TEST_F(FirstStart, ASecondStartBuildsNothing) {
  {
    Form5 first;
    first.Load();
  }
  ASSERT_TRUE(fs::is_directory(sample()));
  const auto mirror = treeOf(fakes.folder.handle());
  const auto list = fileBytes(programFolder() / "qdd.dat");
  // Even with the sample gone from its place, only Handle tells a first start.
  fs::remove_all(sample());
  Form5 second;
  second.Load();
  EXPECT_TRUE(fakes.dialogs->shown().empty());
  EXPECT_FALSE(fs::exists(sample()));
  EXPECT_EQ(treeOf(fakes.folder.handle()), mirror);
  EXPECT_EQ(fileBytes(programFolder() / "qdd.dat"), list);
  EXPECT_EQ(second.listProjects.ListCount(), 2);
}

TEST_F(FirstStart, ANameNoFolderCanHoldBuildsNothing) {
  Form5 form;
  loadQuietly(fakes, form);
  const auto before = treeOf(programFolder());
  for (const char* name : {"   ", "Demo|Collection", "Demo/Collection", "\"Demo\""}) {
    SCOPED_TRACE(name);
    fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK).withTitle("Quendrel");
    form.buildSampleProject(QString::fromLatin1(name));
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(treeOf(programFolder()), before);
    EXPECT_EQ(form.listProjects.ListCount(), 0);
  }
}

TEST_F(FirstStart, TheOpenedSampleShowsItsPicturesAndCompilesFourCoversAndTwoLyrics) {
  Form5 form;
  form.Load();
  form.Show();
  controls::WindowInput user(form);
  ASSERT_TRUE(user.clickOn(form.Option2));
  ASSERT_TRUE(form.listProjects.select(1));
  ASSERT_TRUE(user.clickOn(form.cmdOpenExistProj));
  EXPECT_TRUE(fakes.dialogs->shown().empty());

  // The prepared project data and pictures, as the window shows them.
  const store::ProjectData data = store::readProjectData(programFolder() / "qd.091");
  EXPECT_EQ(form.lblProjectName.Caption(), "Demo Collection");
  EXPECT_EQ(form.lblProjectTitle.Caption(), QString::fromStdString(data.projectTitle));
  EXPECT_EQ(form.lblProjectSubTitle.Caption(), QString::fromStdString(data.projectSubTitle));
  EXPECT_EQ(form.lblCdLabl.Caption(), "Demo Collection");
  EXPECT_EQ(form.Frame5.BackColor(), static_cast<controls::OleColor>(store::colourValue(data.colourRed)) |
                                         static_cast<controls::OleColor>(store::colourValue(data.colourGreen)) << 8 |
                                         static_cast<controls::OleColor>(store::colourValue(data.colourBlue)) << 16);
  for (controls::Image* box : {&form.Image2, &form.Image3, &form.Image4})
    EXPECT_FALSE(box->Picture().isEmpty()) << box->Name().toStdString();
  EXPECT_TRUE(form.Picture1.Picture().isEmpty());
  ASSERT_EQ(form.List1.ListCount(), 4);
  EXPECT_EQ(form.List1.List(3), "04 - Here");
  EXPECT_TRUE(form.Command27.Enabled());
  // The unpacked pictures went again once shown.
  EXPECT_EQ(fileNames(sampleMirror()), std::vector<std::string>{});

  ASSERT_TRUE(user.clickOn(form.Command27));
  EXPECT_TRUE(fakes.dialogs->shown().empty());
  const std::vector<PackedMember> covers = packedMembers(sample() / "cvrd.qd");
  ASSERT_EQ(covers.size(), 4u);
  const std::pair<const char*, const char*> expected[] = {
      {"01.gif", "qd.092"}, {"02.jpg", "qd.093"}, {"03.gif", "qd.094"}, {"04.jpg", "qd.095"}};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(expected[i].first);
    EXPECT_EQ(covers[i].name, expected[i].first);
    EXPECT_EQ(covers[i].memberCount, 30);
    EXPECT_EQ(covers[i].data, fileBytes(programFolder() / expected[i].second));
  }
  EXPECT_EQ(store::decodeLyricsDatabase(fileBytes(sample() / "ldat.qd")),
            (std::vector<store::LyricsRecord>{
                {"[ALBUM01SONG01]", "With you there to help me\r\n" + kRule +
                                        "\r\n\r\nLyrics Lyrics Lyrics\r\nbla bla bla..\r\nLyrics Lyrics "
                                        "Lyrics\r\nLyrics Lyrics Lyrics\r\n"},
                {"[ALBUM01SONG02]", "Nothing to say\r\n" + kRule +
                                        "\r\n\r\nLyrics Lyrics Lyrics\r\nnothing nothing nothing\r\nLyrics Lyrics "
                                        "Lyrics\r\nLyrics Lyrics Lyrics\r\n"}}));
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

// The sample is made whole or not at all; a folder of its name that was
// there before stays as it was.
TEST_F(FirstStart, AFailedBuildShowsTheErrorAndLeavesNothingItMade) {
  struct Case {
    const char* what;
    std::function<void(const fs::path& programFolder)> arrange;
    const char* error;
    bool folderThereBefore;
  };
  const Case cases[] = {
      {"the first album picture is missing",
       [](const fs::path& folder) { fs::remove(folder / "qd.093"); },
       "File not found",
       false},
      {"a folder of the sample's name is there already",
       [](const fs::path& folder) {
         fs::create_directory(folder / "Demo Collection");
         std::ofstream(folder / "Demo Collection" / "mine.txt") << "kept";
       },
       "File already exists",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(sample());
    fs::remove_all(fakes.folder.handle());
    fakes.folder.fillAsShipped();
    fakes.folder.writeProjectList({{"Rock", "/music/Rock"}});
    c.arrange(programFolder());
    const auto list = fileBytes(programFolder() / "qdd.dat");

    fakes.dialogs->expectMsgBox(c.error, platform::vbOK).withTitle("Error").withStyle(platform::vbOKOnly);
    Form5 form;
    form.Load();
    ASSERT_TRUE(fakes.dialogs->allShown());

    EXPECT_EQ(pathsOf(treeOf(sample())),
              c.folderThereBefore ? std::vector<std::string>{"mine.txt"} : std::vector<std::string>{});
    EXPECT_EQ(fs::exists(sample()), c.folderThereBefore);
    // Handle is made all the same, and holds nothing.
    EXPECT_TRUE(fs::is_directory(fakes.folder.handle()));
    EXPECT_TRUE(fs::is_empty(fakes.folder.handle()));
    // Nothing under another name either.
    for (const auto& entry : fs::directory_iterator(programFolder()))
      EXPECT_FALSE(entry.path().filename().string().starts_with(".Demo")) << entry.path();
    // Not listed; the picker can still build new projects, and nothing is open.
    EXPECT_EQ(fileBytes(programFolder() / "qdd.dat"), list);
    EXPECT_EQ(form.listProjects.ListCount(), 1);
    EXPECT_TRUE(form.cmdBuildNewProj.Enabled());
    EXPECT_TRUE(form.sDirectory.isEmpty());
    EXPECT_FALSE(form.Command2.Enabled());
  }
}

// A first start whose sample failed leaves no project list: the next start,
// which finds none, builds the sample.
TEST_F(FirstStart, AStartThatFindsNoProjectListBuildsTheSample) {
  fs::remove(programFolder() / "qdd.dat");
  const fs::path picture = programFolder() / "qd.093";
  const auto pictureBytes = fileBytes(picture);
  fs::remove(picture);
  fakes.dialogs->expectMsgBox("File not found", platform::vbOK).withTitle("Error");
  {
    Form5 first;
    first.Load();
  }
  ASSERT_TRUE(fakes.dialogs->allShown());
  ASSERT_TRUE(fs::is_directory(fakes.folder.handle()));
  ASSERT_FALSE(fs::exists(programFolder() / "qdd.dat"));

  fakes.folder.fillAsShipped();
  ASSERT_EQ(fileBytes(picture), pictureBytes);
  Form5 next;
  next.Load();
  EXPECT_TRUE(fakes.dialogs->shown().size() == 1);
  EXPECT_TRUE(fs::exists(sample() / "dat.qd"));
  EXPECT_TRUE(fs::exists(sampleMirror() / "02 - No More Merchant" / "intro.jpg"));
  const std::vector<store::ProjectListEntry> listed = store::readProjectList(programFolder() / "qdd.dat");
  EXPECT_EQ(listed, (std::vector<store::ProjectListEntry>{{"Demo Collection", sample().string()}}));
  EXPECT_EQ(next.listProjects.ListCount(), 1);
}

// A first start on a disk too small for the sample: "Disk full", and nothing
// of the sample stays. Once the disk has grown, the next start builds it.
TEST_F(FirstStart, AFirstStartOnAFullDiskBuildsTheSampleOnceThereIsRoom) {
  SmallDisk disk(programFolder(), "256k");
  if (!disk.mounted()) GTEST_SKIP() << "no small disk can be mounted here";
  fakes.folder.fillAsShipped();
  fakes.dialogs->expectMsgBox("Disk full", platform::vbOK).withTitle("Error");
  {
    Form5 first;
    first.Load();
    EXPECT_EQ(first.listProjects.ListCount(), 0);
  }
  ASSERT_TRUE(fakes.dialogs->allShown());
  EXPECT_FALSE(fs::exists(sample()));
  EXPECT_TRUE(fs::is_empty(fakes.folder.handle()));
  EXPECT_FALSE(fs::exists(programFolder() / "qdd.dat"));
  for (const auto& entry : fs::directory_iterator(programFolder()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".Demo")) << entry.path();

  ASSERT_TRUE(disk.resize("4m"));
  Form5 next;
  next.Load();
  EXPECT_EQ(fakes.dialogs->shown().size(), 1u);
  EXPECT_TRUE(fs::exists(sample() / "Demo Collection.exe"));
  EXPECT_EQ(next.listProjects.ListCount(), 1);
}

}  // namespace
}  // namespace authoring_test
