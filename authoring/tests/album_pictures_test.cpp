// The album's picture: chosen through the picker, kept as the one intro.<ext>
// of the album's mirror folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "album_tab_fixture.h"
#include "open_project_fixture.h"
#include "pack_file.h"
#include "picture_files.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class AlbumPictures : public AlbumTabTest {
 protected:
  void SetUp() override {
    AlbumTabTest::SetUp();
    addAlbums({"01 - Jazz", "02 - Rock"});
    pics = userFolder("pics", {});
    for (const char* name : {"Cover.JPG", "b.gif", "c.jpeg", "d.bmp"}) writePicture(pics / name);
    writeAll(pics / "broken.jpg", "not a picture");
    writeAll(mirror / "02 - Rock" / "01 - song.dat", "lyrics stay");
    selectAlbum(1);
    markCompiled();
  }
  fs::path pics;
};

TEST_F(AlbumPictures, TheChosenPictureIsTheOnlyOneLeft) {
  struct Step {
    const char* chosen;
    Names left;
  };
  const Step steps[] = {
      {"Cover.JPG", {"01 - song.dat", "intro.jpg"}},
      {"b.gif", {"01 - song.dat", "intro.gif"}},
      {"c.jpeg", {"01 - song.dat", "intro.jpeg"}},
      {"d.bmp", {"01 - song.dat", "intro.bmp"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.chosen);
    form.imgPreview2.setPicture(controls::Picture());
    markCompiled();
    pickFile(pics, s.chosen);
    ASSERT_TRUE(form.imgPreview2.click());
    EXPECT_EQ(files(mirror / "02 - Rock"), s.left);
    EXPECT_FALSE(form.imgPreview2.Picture().isEmpty());
    EXPECT_EQ(readAll(mirror / "02 - Rock" / s.left[1]), readAll(pics / s.chosen));
    expectMarkedChanged();
  }
  EXPECT_TRUE(files(mirror / "01 - Jazz").empty());
  EXPECT_TRUE(files(project / "02 - Rock").empty());  // never in the project folder
}

TEST_F(AlbumPictures, CancellingChangesNoPictureButMarksTheProjectChanged) {
  writePicture(mirror / "02 - Rock" / "intro.gif");
  cancelPicker();
  ASSERT_TRUE(form.Command20.click());
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.gif"}));
  expectMarkedChanged();

  // The close box after an earlier choice takes nothing either.
  markCompiled();
  form.path_var = QString::fromStdString(pics.string());
  form.file_var = "b.gif";
  closePicker();
  ASSERT_TRUE(form.List1.dblClickItem(1));
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.gif"}));
  expectMarkedChanged();
}

TEST_F(AlbumPictures, AFileThatIsNoPictureKeepsTheOldOne) {
  writePicture(mirror / "02 - Rock" / "intro.gif");
  pickFile(pics, "broken.jpg");
  fakes.dialogs->expectMsgBox("Invalid picture", platform::vbOK);  // the picker's preview
  fakes.dialogs->expectMsgBox("Invalid picture", platform::vbOK);  // the command
  ASSERT_TRUE(form.imgPreview2.click());
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.gif"}));
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(AlbumPictures, NeedsAProjectAndAnAlbum) {
  form.List1.setListIndex(-1);
  fakes.dialogs->expectMsgBox("First choose an album.", platform::vbOK).withTitle("Quendrel");
  ASSERT_TRUE(form.imgPreview2.click());
  form.sDirectory.clear();
  fakes.dialogs->expectMsgBox("First create a new project", platform::vbOK).withTitle("Quendrel.");
  ASSERT_TRUE(form.imgPreview2.click());
  EXPECT_TRUE(form.cmdPreview.Enabled());
  EXPECT_TRUE(fakes.modals.shown().isEmpty());
}

// A camera's picture, far more pixels than Qt decodes by default, chosen by
// the user through the windows.
TEST_F(AlbumPictures, ACameraPictureIsPreviewedTakenAndShownAgainAtTheSizeOfItsBox) {
  writeAll(pics / "camera.jpg", controls::jpegFile({7360, 4912}, QColor(30, 90, 160)).toStdString());
  controls::Picture previewed;
  fakes.modals.expect<Dialog>([&](Dialog& picker) {
    QApplication::processEvents();  // the picker comes up active
    picker.Dir1.setPath(QString::fromStdString(pics.string()));
    controls::WindowInput user(picker);
    for (int i = 0; i < picker.File1.ListCount(); ++i) {
      if (picker.File1.List(i) == "camera.jpg") {
        ASSERT_TRUE(user.clickAt(user.entryOf(picker.File1, i)));
      }
    }
    previewed = picker.Image1.Picture();
    EXPECT_TRUE(controls::keptAsShownIn(previewed, picker.Image1));
    ASSERT_TRUE(user.clickOn(picker.OKButton));
  });
  ASSERT_TRUE(controls::WindowInput(form).clickOn(form.imgPreview2));
  EXPECT_EQ(previewed.size(), QSize(7360, 4912));
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.jpg"}));
  EXPECT_EQ(form.imgPreview2.Picture().size(), QSize(7360, 4912));
  EXPECT_TRUE(controls::keptAsShownIn(form.imgPreview2.Picture(), form.imgPreview2));

  // Selecting the album again shows it from the mirror.
  selectAlbum(0);
  EXPECT_TRUE(form.imgPreview2.Picture().isEmpty());
  selectAlbum(1);
  EXPECT_EQ(form.imgPreview2.Picture().size(), QSize(7360, 4912));
}

TEST_F(AlbumPictures, APictureTooBigToHoldIsOutOfMemoryAndKeepsTheOldOne) {
  writePicture(mirror / "02 - Rock" / "intro.gif");
  expectPictureTooBigToHold(fakes, pics, "huge.gif");
  ASSERT_TRUE(form.imgPreview2.click());
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.gif"}));
}

// The player holds the title picture whole before it loads the covers, and
// a cover at the size of its large album picture: a cover whose decoder
// takes more than the title leaves is refused when it is chosen, though it
// is previewed here, and a camera's picture still is taken.
TEST_F(AlbumPictures, ACoverThePlayerWouldLeaveOutIsOutOfMemoryAndKeepsTheOldOne) {
  constexpr qint64 kMegabyte = qint64(1) << 20;
  const controls::ScopedPictureBudget budget(4 * kMegabyte);
  const fs::path staging = userFolder("staging", {});
  writeAll(staging / "__TitlePicture__.jpg", controls::jpegFile({1000, 600}, Qt::blue).toStdString());  // 2.4 MB
  store::packFiles(project / "dop.qd", {"__TitlePicture__.jpg"}, staging);
  form.Text_imgTop_ = "__TitlePicture__.jpg";
  writeAll(mirror / "02 - Rock" / "intro.gif", readAll(pics / "b.gif"));
  // 3 MB of coefficients whatever size it is decoded at.
  writeAll(pics / "progressive.jpg", controls::progressiveJpegFile({1000, 1000}, Qt::red).toStdString());
  writeAll(pics / "camera.jpg", controls::jpegFile({4000, 3000}, Qt::red).toStdString());
  controls::WindowInput user(form);

  pickFile(pics, "progressive.jpg");
  fakes.dialogs->expectMsgBox("Out of memory", platform::vbOK);
  ASSERT_TRUE(user.clickOn(form.imgPreview2));
  EXPECT_EQ(fakes.dialogs->pending(), 0u);
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.gif"}));

  pickFile(pics, "camera.jpg");
  ASSERT_TRUE(user.clickOn(form.imgPreview2));
  EXPECT_EQ(files(mirror / "02 - Rock"), (Names{"01 - song.dat", "intro.jpg"}));
  EXPECT_EQ(form.imgPreview2.Picture().size(), QSize(4000, 3000));
}

}  // namespace
}  // namespace authoring_test
