// Editing a song's lyrics: NN - name.dat in the album's mirror folder, read
// line by line, written back exactly as edited, in Windows-1252.
#include <gtest/gtest.h>

#include <filesystem>

#include "album_tab_fixture.h"
#include "frm_edit_txt.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class Lyrics : public AlbumTabTest {
 protected:
  void SetUp() override {
    AlbumTabTest::SetUp();
    addAlbums({"01 - Rock"});
    addSongs("01 - Rock", {"01 - a.mp3", "02 - b.mp3"});
    selectAlbum(0);
    ASSERT_TRUE(form.File4.select(1));
    markCompiled();
  }
  fs::path lyricsFile() const { return mirror / "01 - Rock" / "02 - b.dat"; }
  // The editor comes up showing `shown`; the user makes it `typed` and
  // presses OK, or closes the window when `ok` is false.
  void editor(const QString& shown, const QString& typed, bool ok = true) {
    fakes.modals.expect<frmEditTxt>([=](frmEditTxt& e) {
      EXPECT_EQ(e.Caption(), "Edit Lyrics.");
      EXPECT_EQ(e.Text1.Text(), shown);
      e.Text1.setText(typed);
      EXPECT_TRUE(ok ? e.Command1.click() : e.close());
    });
  }
};

TEST_F(Lyrics, ASongWithoutLyricsGetsItsFile) {
  editor("", "A");
  ASSERT_TRUE(form.File4.dblClickItem(1));
  EXPECT_EQ(readAll(lyricsFile()), "A");
  EXPECT_EQ(form.largeText, "");
  expectMarkedChanged();

  fs::remove(lyricsFile());
  markCompiled();
  editor("", "");
  ASSERT_TRUE(form.Command15.click());
  EXPECT_TRUE(fs::exists(lyricsFile()));
  EXPECT_EQ(fs::file_size(lyricsFile()), 0u);
  expectMarkedChanged();
}

TEST_F(Lyrics, ARoundTripKeepsTheBytes) {
  writeAll(lyricsFile(), "A\r\nB\r\n");
  editor("A\r\nB\r\n", "A\r\nB\r\n");
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile()), "A\r\nB\r\n");

  // Closed without OK: the text that was read is written, and marks a change.
  markCompiled();
  editor("A\r\nB\r\n", "thrown away", false);
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile()), "A\r\nB\r\n");
  expectMarkedChanged();

  // A last line without its end gets one.
  writeAll(lyricsFile(), "one\r\ntwo");
  editor("one\r\ntwo\r\n", "one\r\ntwo\r\n");
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile()), "one\r\ntwo\r\n");
}

TEST_F(Lyrics, TheTextIsWindows1252) {
  writeAll(lyricsFile(), "caf\xE9\r\n");
  editor(QString::fromUtf8("café\r\n"), QString::fromUtf8("crème brûlée"));
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile()), "cr\xE8me br\xFBl\xE9" "e");
}

TEST_F(Lyrics, ATextTheCodePageCannotHoldIsEditedAgainOrGivenUp) {
  writeAll(lyricsFile(), "old\r\n");
  const QString snowman = QString::fromUtf8("snow \u2603");
  const QString refused = QString::fromUtf8(
      "The lyrics cannot be stored: the character \"\u2603\" is not part of the Windows-1252 code page.\r\n"
      "The lyrics were not saved. Edit them again?");
  editor("old\r\n", snowman);
  fakes.dialogs->expectMsgBox(refused, platform::vbYes).withStyle(platform::vbYesNo);
  editor(snowman, "snow");
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile()), "snow");

  markCompiled();
  editor("snow\r\n", snowman);
  fakes.dialogs->expectMsgBox(refused, platform::vbNo);
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile()), "snow");
  EXPECT_EQ(form.largeText, "");
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(Lyrics, LyricsThatCannotBeReadAreNeverOverwritten) {
  // Something that cannot be read as a text file stands where the lyrics go.
  fs::create_directory(lyricsFile());
  writeAll(lyricsFile() / "inside", "kept");
  fakes.dialogs->expectMsgBox("The lyrics cannot be read: Path/File access error", platform::vbOK);
  ASSERT_TRUE(form.Command15.click());
  EXPECT_EQ(readAll(lyricsFile() / "inside"), "kept");
  EXPECT_TRUE(fakes.modals.shown().isEmpty());  // the editor never opened
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(Lyrics, TheLyricsFollowARenamedSong) {
  writeAll(lyricsFile(), "words\r\n");
  fakes.dialogs->expectInputBox("Enter new mp3 file name", "new");
  ASSERT_TRUE(form.Command14.click());
  ASSERT_TRUE(form.File4.select(1));
  editor("words\r\n", "words\r\n");
  ASSERT_TRUE(form.Command15.click());
  EXPECT_FALSE(fs::exists(lyricsFile()));
  EXPECT_EQ(readAll(mirror / "01 - Rock" / "02 - new.dat"), "words\r\n");
}

TEST_F(Lyrics, NothingSelectedOpensNothing) {
  form.File4.setListIndex(-1);
  form.File4_DblClick();
  EXPECT_TRUE(fakes.modals.shown().isEmpty());
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

}  // namespace
}  // namespace authoring_test
