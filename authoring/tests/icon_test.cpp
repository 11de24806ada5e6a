// The disc icon: chosen into the project folder, named in dat.qd and in the
// icon line of AUTORUN.INF, whose label line every icon change keeps.
#include <gtest/gtest.h>

#include <filesystem>

#include "address_space_bound.h"
#include "autorun_file.h"
#include "open_project_fixture.h"
#include "pack_file.h"
#include "picture_files.h"
#include "project_data.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class DiscIcon : public OpenProjectTest {
 protected:
  void SetUp() override {
    OpenProjectTest::SetUp();
    openProject("Alpha");
    store::rewriteAutorunLabel(project, "Alpha", "My Disc");
    writePicture(pictures / "disc.ico", 32, 32);
  }
  std::string autorun() const { return fileText(project / "AUTORUN.INF"); }
  static std::string autorunWithIcon(const std::string& icon) {
    return "[autorun]\r\nicon = " + icon + "\r\nlabel = My Disc\r\nopen = Alpha.exe\r\n";
  }
  std::string savedIcon() const { return store::readProjectData(project / "dat.qd").iconFile; }
  void choose(const fs::path& folder, const std::string& file) {
    pickerAnswers(folder, file);
    ASSERT_TRUE(form.Picture1.click());
    EXPECT_EQ(fakes.modals.pending(), 0);
  }
};

TEST_F(DiscIcon, AChosenIconReplacesEveryIconOfTheProjectFolder) {
  writePicture(project / "old.ico");
  writePicture(project / "OTHER.ICO");
  writeFile(project / "keep.txt", "not an icon");

  choose(pictures, "disc.ico");

  EXPECT_EQ(fileNames(project), (std::vector<std::string>{"AUTORUN.INF", "dat.qd", "disc.ico", "keep.txt"}));
  EXPECT_EQ(fileBytes(project / "disc.ico"), fileBytes(pictures / "disc.ico"));
  EXPECT_EQ(form.Text1_, "disc.ico");
  EXPECT_EQ(savedIcon(), "disc.ico");
  EXPECT_FALSE(form.Picture1.Picture().isEmpty());
  EXPECT_EQ(autorun(), autorunWithIcon("disc.ico"));
}

TEST_F(DiscIcon, TheProjectFoldersOwnIconIsRefused) {
  choose(pictures, "disc.ico");
  const std::string before = autorun();
  form.Picture1.setPicture(controls::Picture());
  fakes.dialogs->expectMsgBox("Can not copy an icon from the project directory to it self.", platform::vbOK)
      .withTitle("Quendrel");

  choose(project, "disc.ico");

  EXPECT_EQ(fileBytes(project / "disc.ico"), fileBytes(pictures / "disc.ico"));
  EXPECT_EQ(autorun(), before);
  EXPECT_EQ(savedIcon(), "disc.ico");
  EXPECT_TRUE(form.Picture1.Picture().isEmpty());
}

TEST_F(DiscIcon, CancelChangesNothing) {
  writePicture(project / "old.ico");
  form.Text1_ = "old.ico";
  const std::string before = autorun();
  choose(pictures, "");
  EXPECT_TRUE(fs::exists(project / "old.ico"));
  EXPECT_EQ(form.Text1_, "old.ico");
  EXPECT_EQ(autorun(), before);
  EXPECT_EQ(savedIcon(), "");
}

TEST_F(DiscIcon, AFileThatIsNoPictureKeepsTheOldIcon) {
  choose(pictures, "disc.ico");
  writeFile(pictures / "bad.ico", "no icon in here");
  // The picker's own preview says it first.
  fakes.dialogs->expectMsgBox("Invalid picture", platform::vbOK);
  fakes.dialogs->expectMsgBox("Invalid picture", platform::vbOK);

  choose(pictures, "bad.ico");

  EXPECT_TRUE(fs::exists(project / "disc.ico"));
  EXPECT_FALSE(fs::exists(project / "bad.ico"));
  EXPECT_EQ(form.Text1_, "disc.ico");
  EXPECT_EQ(autorun(), autorunWithIcon("disc.ico"));
}

TEST_F(DiscIcon, AFailedCopyFallsBackToTheLaunchersIcon) {
  choose(pictures, "disc.ico");
  writePicture(pictures / "new.ico");
  // Something that is not a file stands where the copy must go.
  fs::create_directory(project / "new.ico");
  fs::create_directory(project / "new.ico" / "inside");
  fakes.dialogs->expectMsgBox("Path/File access error", platform::vbOK);

  choose(pictures, "new.ico");

  EXPECT_FALSE(fs::exists(project / "disc.ico"));
  EXPECT_EQ(form.Text1_, "");
  EXPECT_EQ(savedIcon(), "");
  EXPECT_TRUE(form.Picture1.Picture().isEmpty());
  EXPECT_EQ(autorun(), autorunWithIcon("Alpha.exe,0"));
}

TEST_F(DiscIcon, ClearingPointsTheDiscAtTheLauncher) {
  for (const bool iconSet : {true, false}) {
    SCOPED_TRACE(iconSet ? "an icon set" : "no icon set");
    if (iconSet) choose(pictures, "disc.ico");
    ASSERT_TRUE(form.Command9.click());
    EXPECT_FALSE(fs::exists(project / "disc.ico"));
    EXPECT_TRUE(fs::is_directory(project));
    EXPECT_EQ(form.Text1_, "");
    EXPECT_EQ(savedIcon(), "");
    EXPECT_TRUE(form.Picture1.Picture().isEmpty());
    EXPECT_EQ(autorun(), autorunWithIcon("Alpha.exe,0"));
    fs::remove(project / "AUTORUN.INF");
    store::writeAutorunForNewProject(project, "Alpha");
    store::rewriteAutorunLabel(project, "Alpha", "My Disc");
  }
}

TEST_F(DiscIcon, InHelpModeBothCommandsOnlyExplainThemselves) {
  choose(pictures, "disc.ico");
  const std::string before = autorun();
  form.infoTeller = true;
  expectMessage(fakes.modals,
                "The Icon of the Quendrel instance that will appear both when the instance in minimized and as the CDs "
                "icon.");
  ASSERT_TRUE(form.Picture1.click());
  expectMessage(fakes.modals, "This button clears the icon of the Quendrel instance.");
  ASSERT_TRUE(form.Command9.click());
  EXPECT_EQ(fakes.modals.pending(), 0);
  EXPECT_TRUE(fs::exists(project / "disc.ico"));
  EXPECT_EQ(form.Text1_, "disc.ico");
  EXPECT_EQ(autorun(), before);
}

// The player holds the icon at the size of a window icon, before the title
// and bottom pictures, whole, within one budget: an icon after which the
// player would leave out a picture it shows now is refused when chosen.
TEST_F(DiscIcon, AnIconAfterWhichThePlayerWouldLeaveOutAPictureIsOutOfMemory) {
  constexpr qint64 kMegabyte = qint64(1) << 20;
  const controls::ScopedPictureBudget budget(6 * kMegabyte);
  const fs::path staging = project.parent_path() / "staging";
  fs::create_directory(staging);
  writeFile(staging / "__TitlePicture__.jpg", controls::jpegFile({1000, 500}, Qt::blue).toStdString());       // 2 MB
  writeFile(staging / "__SubTitlePicture__.jpg", controls::jpegFile({1025, 1000}, Qt::blue).toStdString());  // 4.1 MB
  store::packFiles(project / "dop.qd", {"__TitlePicture__.jpg", "__SubTitlePicture__.jpg"}, staging);
  form.Text_imgTop_ = "__TitlePicture__.jpg";
  form.Text_ImgBottom = "__SubTitlePicture__.jpg";
  // Kept at 256 pixels square in the player: a quarter of a megabyte.
  writeFile(pictures / "big.ico", controls::gifFile({300, 300}, Qt::red).toStdString());
  controls::WindowInput user(form);

  pickerAnswers(pictures, "big.ico");
  fakes.dialogs->expectMsgBox("Out of memory", platform::vbOK);
  ASSERT_TRUE(user.clickOn(form.Picture1));
  EXPECT_EQ(fakes.dialogs->pending(), 0u);
  EXPECT_FALSE(fs::exists(project / "big.ico"));
  EXPECT_EQ(form.Text1_, "");
  EXPECT_EQ(savedIcon(), "");
  EXPECT_TRUE(form.Picture1.Picture().isEmpty());

  pickerAnswers(pictures, "disc.ico");
  ASSERT_TRUE(user.clickOn(form.Picture1));
  EXPECT_EQ(savedIcon(), "disc.ico");
  EXPECT_FALSE(form.Picture1.Picture().isEmpty());
}

// A dop.qd too big to be held shows no picture in the player either: it
// takes nothing from the icon's choice.
TEST_F(DiscIcon, APicturesPackTooBigToHoldStillLetsTheIconBeChosen) {
  if (!testing_support::kAllocationsCanFail) GTEST_SKIP() << "allocations end the process in this build";
  testing_support::writeSparseFile(project / "dop.qd", std::uintmax_t(1) << 40);
  form.Text_imgTop_ = "__TitlePicture__.jpg";
  controls::WindowInput user(form);
  pickerAnswers(pictures, "disc.ico");
  {
    const testing_support::AddressSpaceBound bound;
    ASSERT_TRUE(bound.held());
    ASSERT_TRUE(user.clickOn(form.Picture1));
  }
  EXPECT_EQ(fakes.dialogs->pending(), 0u);
  EXPECT_EQ(savedIcon(), "disc.ico");
  EXPECT_FALSE(form.Picture1.Picture().isEmpty());
}

}  // namespace
}  // namespace authoring_test
