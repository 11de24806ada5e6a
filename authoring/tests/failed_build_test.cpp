// A Build that fails after the project display was emptied (a location that
// cannot be changed, a template that is missing, a disk that fills up): no
// project is left open, and nothing of the project open before stays shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "projects_fixture.h"
#include "system/unchangeable_folder.h"
#include "window_input.h"

namespace authoring_test {
namespace {

class FailedBuild : public ProjectsTest {
 protected:
  // Beta, with one album of two songs.
  void SetUp() override {
    ProjectsTest::SetUp();
    create("Beta");
    fs::create_directory(projectAt("Beta") / "01 - Rock");
    fs::create_directory(mirrorOf("Beta") / "01 - Rock");
    for (const char* song : {"01 - One.mp3", "02 - Two.mp3"}) writeBytes(projectAt("Beta") / "01 - Rock" / song, "");
  }

  // Beta opened, its album clicked, the album's songs listed.
  void showBetasSongs() {
    open("Beta");
    controls::WindowInput user(form);
    ASSERT_TRUE(user.clickAt(user.pointIn(form.List1, {300, 120})));
    ASSERT_EQ(form.List1.ListIndex(), 0);
    ASSERT_EQ(form.File4.ListCount(), 2);
    ASSERT_TRUE(form.Command7.Enabled());
    ASSERT_NE(form.lblFolderSize.Caption(), "");
  }

  // Types `name` and clicks Build, as a user does on tab 0.
  void build(const std::string& name) {
    onTab(0);
    controls::WindowInput user(form);
    ASSERT_TRUE(user.clickOn(form.Option1));
    form.Dir1.setPath(QString::fromStdString(location.string()));
    ASSERT_TRUE(user.clickOn(form.txtProjectName));
    ASSERT_TRUE(user.type(QString::fromStdString(name)));
    ASSERT_TRUE(user.clickOn(form.cmdBuildNewProj));
  }
};

TEST_F(FailedBuild, EmptiesTheSongListTurnsItsCommandsOffAndShowsNoFolderSize) {
  struct Case {
    const char* what;
    const char* message;
    std::function<void()> spoil;
  };
  std::optional<platform::UnchangeableFolder> locked;
  const Case cases[] = {
      {"the location cannot be changed", "Permission denied",
       [&] {
         locked.emplace(location);
         if (!locked->holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
       }},
      {"the launcher is missing", "File not found", [&] { fs::remove(fakes.folder.path() / "rodud.qd"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(showBetasSongs());
    c.spoil();
    if (IsSkipped()) return;
    fakes.dialogs->expectMsgBox(c.message, platform::vbOK).withTitle("Error");
    ASSERT_NO_FATAL_FAILURE(build("Alpha"));
    EXPECT_TRUE(fakes.dialogs->allShown());
    locked.reset();

    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.File4.ListCount(), 0);
    for (controls::Control* command : std::initializer_list<controls::Control*>{
             &form.Command7, &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15})
      EXPECT_FALSE(command->Enabled()) << command->Name().toStdString();
    EXPECT_EQ(form.lblFolderSize.Caption(), "");
    EXPECT_TRUE(form.sDirectory.isEmpty());
  }
}

}  // namespace
}  // namespace authoring_test
