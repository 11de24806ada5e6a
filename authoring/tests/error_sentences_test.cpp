// An error's description followed by a sentence of the program's own reads
// as two sentences: a full stop closes the description unless it has one.
#include <gtest/gtest.h>

#include "album_tab_fixture.h"
#include "file_work_errors.h"
#include "system/unchangeable_folder.h"
#include "window_input.h"

namespace authoring_test {
namespace {

TEST(ErrorSentences, TheDescriptionIsClosedByAFullStopUnlessItEndsASentence) {
  struct Case {
    const char* description;
    const char* shown;
  };
  const Case cases[] = {
      {"Permission denied", "Permission denied. File or directory are occupied."},
      {"Too many pack members.", "Too many pack members. File or directory are occupied."},
      {"Is it?", "Is it? File or directory are occupied."},
      {"", "File or directory are occupied."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(describeFollowedBy(store::StoreError(c.description), QStringLiteral("File or directory are occupied.")),
              QString::fromUtf8(c.shown));
  }
}

class AlbumRemovalRefused : public AlbumTabTest {};

TEST_F(AlbumRemovalRefused, SaysWhyAndThatAFileIsOccupiedInTwoSentences) {
  addAlbums({"01 - A", "02 - B"});
  form.SSTab1.setTab(1);
  controls::WindowInput user(form);
  ASSERT_TRUE(user.clickAt(user.pointIn(form.List1, {300, 120})));
  ASSERT_EQ(form.List1.ListIndex(), 0);
  platform::UnchangeableFolder locked(project);
  if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
  fakes.dialogs->expectMsgBox("Detele this album?", platform::vbYes);
  fakes.dialogs->expectMsgBox("Permission denied. File or directory are occupied.", platform::vbOK);
  ASSERT_TRUE(user.clickOn(form.Command22));
  EXPECT_TRUE(fakes.dialogs->allShown());
  EXPECT_EQ(albumList(), (std::vector<std::string>{"01 - A", "02 - B"}));
}

}  // namespace
}  // namespace authoring_test
