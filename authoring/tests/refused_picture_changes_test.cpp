// Tab 2's pictures and icon where the project's files cannot be changed (an
// unchangeable project folder, one file that cannot be replaced): every
// choice and every Clear says why, the files the command did change go back,
// and the window keeps showing what the project's files still hold.
#include <gtest/gtest.h>

#include <filesystem>

#include "open_project_fixture.h"
#include "project_data.h"
#include "system/unchangeable_folder.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class RefusedPictureChanges : public OpenProjectTest {
 protected:
  void SetUp() override {
    OpenProjectTest::SetUp();
    openProject("Alpha");
    for (auto [box, file] : {std::pair{&form.Image2, "t.gif"}, {&form.Image3, "b.jpg"}, {&form.Image4, "i.bmp"}}) {
      writePicture(pictures / file);
      pickerAnswers(pictures, file);
      ASSERT_TRUE(box->click());
    }
    writePicture(pictures / "disc.ico", 32, 32);
    pickerAnswers(pictures, "disc.ico");
    ASSERT_TRUE(form.Picture1.click());
    ASSERT_TRUE(fakes.dialogs->allShown());
    ASSERT_EQ(fakes.modals.pending(), 0);
  }

  // What the project's files hold, and what the window shows of them.
  struct State {
    std::vector<std::uint8_t> pack, data, autorun;
    std::vector<std::string> projectFiles;
    std::vector<std::string> members;  // title, bottom, intro, icon
    std::vector<std::string> pictureSlots;
    std::vector<bool> shown;  // the boxes of the same four
  };
  State state() const {
    return {fileBytes(project / "dop.qd"),
            fileBytes(project / "dat.qd"),
            fileBytes(project / "AUTORUN.INF"),
            fileNames(project),
            {form.Text_imgTop_.toStdString(), form.Text_ImgBottom.toStdString(), form.text4_.toStdString(),
             form.Text1_.toStdString()},
            {form.picNames[0].toStdString(), form.picNames[1].toStdString(), form.picNames[2].toStdString()},
            {!form.Image2.Picture().isEmpty(), !form.Image3.Picture().isEmpty(), !form.Image4.Picture().isEmpty(),
             !form.Picture1.Picture().isEmpty()}};
  }
  static void expectSame(const State& now, const State& before) {
    EXPECT_EQ(now.pack, before.pack);
    EXPECT_EQ(now.data, before.data);
    EXPECT_EQ(now.autorun, before.autorun);
    EXPECT_EQ(now.projectFiles, before.projectFiles);
    EXPECT_EQ(now.members, before.members);
    EXPECT_EQ(now.pictureSlots, before.pictureSlots);
    EXPECT_EQ(now.shown, before.shown);
  }
};

TEST_F(RefusedPictureChanges, InAnUnchangeableProjectEachCommandSaysPermissionDeniedAndKeepsWhatIsShown) {
  const State before = state();
  ASSERT_EQ(before.shown, std::vector<bool>(4, true));
  ASSERT_EQ(store::readProjectData(project / "dat.qd").titlePicFile, "__TitlePicture__.gif");
  struct Command {
    controls::Element* control;
    const char* choice;  // the picker's answer; none for a Clear
  };
  writePicture(pictures / "other.jpg");
  writePicture(pictures / "other.ico", 16, 16);
  const Command commands[] = {
      {&form.Command10, nullptr}, {&form.Command12, nullptr},      {&form.Command16, nullptr},
      {&form.Command9, nullptr},  {&form.Image2, "other.jpg"},     {&form.Image3, "other.jpg"},
      {&form.Image4, "other.jpg"}, {&form.Picture1, "other.ico"},
  };
  controls::WindowInput user(form);
  {
    platform::UnchangeableFolder locked(project);
    if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
    for (const Command& c : commands) {
      SCOPED_TRACE(c.control->Name().toStdString());
      if (c.choice) pickerAnswers(pictures, c.choice);
      fakes.dialogs->expectMsgBox("Permission denied", platform::vbOK).withTitle("Quendrel");
      ASSERT_TRUE(user.clickOn(*c.control));
      EXPECT_EQ(fakes.modals.pending(), 0);
      EXPECT_TRUE(fakes.dialogs->allShown());
      expectSame(state(), before);
      EXPECT_TRUE(form.Enabled());
      EXPECT_FALSE(form.messageWindow().Visible());
      EXPECT_EQ(fileNames(mirror), std::vector<std::string>{});
    }
  }

  // Once the folder can be changed again, the same Clear buttons clear, silently.
  const std::size_t boxes = fakes.dialogs->shown().size();
  for (const Command& c : commands) {
    if (c.choice) continue;
    ASSERT_TRUE(user.clickOn(*c.control));
  }
  EXPECT_EQ(fakes.dialogs->shown().size(), boxes);
  const store::ProjectData saved = store::readProjectData(project / "dat.qd");
  EXPECT_EQ(saved.titlePicFile + saved.bottomPicFile + saved.initPicFile + saved.iconFile, "");
  EXPECT_EQ(fs::file_size(project / "dop.qd"), 4u);
  EXPECT_FALSE(fs::exists(project / "disc.ico"));
  EXPECT_EQ(state().shown, std::vector<bool>(4, false));
}

// A Clear or a choice writes two files: when the second cannot be replaced,
// the first goes back, so that dop.qd, dat.qd and AUTORUN.INF keep naming one
// icon and the same pictures.
TEST_F(RefusedPictureChanges, AClearOrChoiceWhoseSecondFileCannotBeReplacedPutsTheFirstBack) {
  struct Case {
    controls::Element* command;
    const char* blocked;  // a file replaced by a folder that holds a file
    const char* choice;   // the picker's answer; none for a Clear
  };
  // "t2.gif" takes the member name of the title picture it replaces, so its
  // copy overwrites the old picture's loose copy in the mirror.
  writePicture(pictures / "t2.gif", 24, 24);
  writePicture(pictures / "b2.gif");
  const Case cases[] = {
      {&form.Command10, "dat.qd", nullptr},  {&form.Command16, "dat.qd", nullptr},
      {&form.Command9, "dat.qd", nullptr},   {&form.Command9, "AUTORUN.INF", nullptr},
      {&form.Image2, "dat.qd", "t2.gif"},    {&form.Image3, "dat.qd", "b2.gif"},
  };
  controls::WindowInput user(form);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command->Name().toStdString() + " with " + c.blocked);
    const State before = state();
    const fs::path blocked = project / c.blocked;
    const std::vector<std::uint8_t> bytes = fileBytes(blocked);
    fs::remove(blocked);
    fs::create_directories(blocked / "inside");
    if (c.choice) pickerAnswers(pictures, c.choice);
    fakes.dialogs->expectMsgBox("Path/File access error", platform::vbOK);
    ASSERT_TRUE(user.clickOn(*c.command));
    EXPECT_TRUE(fakes.dialogs->allShown());
    fs::remove_all(blocked);
    writeFile(blocked, std::string(bytes.begin(), bytes.end()));
    expectSame(state(), before);
    EXPECT_TRUE(form.Enabled());
    EXPECT_EQ(fileNames(mirror), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace authoring_test
