// Draws the album tab of an open project, with albums, a cover and songs,
// and the song picker, into the build folder (album_tab.png,
// dialog_songs.png, dialog_pictures.png) to be looked at.
#include <gtest/gtest.h>

#include <QImage>

#include "album_tab_fixture.h"
#include "open_project_fixture.h"
#include "render.h"

namespace authoring_test {
namespace {

class RenderAlbumTab : public AlbumTabTest {};

TEST_F(RenderAlbumTab, AlbumsCoverAndSongs) {
  addAlbums({"01 - Blue Train", "02 - Kind of Grey", "03 - Night Drive"});
  addSongs("02 - Kind of Grey", {"01 - So What.mp3", "02 - Freddie.mp3", "03 - Blue Sky.mp3", "04 - All Night.mp3"});
  writePicture(mirror / "02 - Kind of Grey" / "intro.jpg", 120, 100);
  selectAlbum(1);
  ASSERT_TRUE(form.File4.select(2));
  form.showFolderSize();
  const QString dir = QStringLiteral(AUTHORING_RENDER_DIR);
  ASSERT_TRUE(controls::renderToPng(form, dir + "/album_tab.png"));
  EXPECT_EQ(QImage(dir + "/album_tab.png").size(), QSize(592, 450));

  const std::filesystem::path music = userFolder("music", {"one.mp3", "two.mp3"});
  for (const QString& pattern : {QString("*.mp3"), QString("*.gif;*.bmp;*.jpg;*.jpeg")}) {
    fakes.modals.expect<Dialog>([&](Dialog& d) {
      d.Dir1.setPath(QString::fromStdString(music.string()));
      const QString name = pattern == "*.mp3" ? "dialog_songs.png" : "dialog_pictures.png";
      EXPECT_TRUE(controls::renderToPng(d, dir + "/" + name));
      EXPECT_TRUE(d.CancelButton.click());
    });
    form.dialog().showDialog(pattern);
  }
}

}  // namespace
}  // namespace authoring_test
