// The compile's cover slots at the ends of the album numbers: album 01 takes
// the first of the thirty slots of cvrd.qd and album 30 the last; a folder
// numbered outside 01 to 30 has none, whatever picture it holds.
#include <gtest/gtest.h>

#include <filesystem>

#include "open_project_fixture.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class CompileCoverSlots : public OpenProjectTest {
 protected:
  void SetUp() override {
    OpenProjectTest::SetUp();
    openProject("Alpha");
  }
};

TEST_F(CompileCoverSlots, AlbumsOneAndThirtyFillTheFirstAndLastSlots) {
  writePicture(addAlbum("01 - First") / "intro.bmp");
  writePicture(addAlbum("30 - Last") / "intro.gif");
  for (const char* outside : {"00 - Zero", "31 - Over", "Loose"})
    writePicture(addAlbum(outside) / "intro.jpg");

  ASSERT_TRUE(controls::WindowInput(form).clickOn(form.Command27));

  const std::vector<PackedMember> members = packedMembers(project / "cvrd.qd");
  ASSERT_EQ(members.size(), 2u);
  const char* const names[] = {"01.bmp", "30.gif"};
  const fs::path sources[] = {mirror / "01 - First" / "intro.bmp", mirror / "30 - Last" / "intro.gif"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(members[i].memberCount, 30);
    EXPECT_EQ(members[i].memberNumber, i + 1);
    EXPECT_EQ(members[i].name, names[i]);
    EXPECT_EQ(members[i].data, fileBytes(sources[i]));
  }
  std::vector<QString> expected(30);
  expected[0] = "01.bmp";
  expected[29] = "30.gif";
  EXPECT_EQ(form.coverNames, expected);
  // Only the covers that have a slot are copied for the pack.
  EXPECT_EQ(fileNames(mirror), (std::vector<std::string>{"01.bmp", "30.gif"}));
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

}  // namespace
}  // namespace authoring_test
