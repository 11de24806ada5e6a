// The lyrics box: the look-up in the collection's lyrics database by the
// album folder's number and the song's place, and a box that no one can
// change but the look-up.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "player_fixture.h"
#include "window_input.h"

namespace player::testing_support {
namespace {

class LyricsDisplay : public PlayerTest {
 protected:
  // One album folder, "03 - Jazz", with ten songs: the box of album 1
  // holds the album whose folder says 03.
  void startWithJazz() {
    writeProjectData(projectData());
    std::vector<std::string> songs;
    for (int s = 1; s <= 10; ++s) songs.push_back(runtime::twoDigits(s) + " - Tune.mp3");
    addFiles("03 - Jazz", songs);
    start();
    finishAnimation();
  }
  Form2& openJazz() {
    browser().sort(true);
    return window();
  }
  void press(int label) {
    controls::WindowInput user(window());
    ASSERT_TRUE(user.clickOn(window().Label1(label)));
  }
};

TEST_F(LyricsDisplay, LooksUpTheFoldersNumberAndTheSongsPlace) {
  writeLyricsDatabase({{"[ALBUM01SONG01]", "box number, not folder\r\n"},
                       {"[ALBUM03SONG01]", "first\r\nline two\r\n"},
                       {"[ALBUM03SONG10]", "tenth\r\n"},
                       {"[ALBUM03SONG01]", "a later duplicate\r\n"}});
  startWithJazz();
  Form2& w = openJazz();
  EXPECT_EQ(w.Text1.Text(), "first\r\nline two\r\n");
  EXPECT_EQ(w.yyy, "first\r\nline two\r\n");
  press(9);
  EXPECT_EQ(w.Text1.Text(), "tenth\r\n");
  press(4);  // no record
  EXPECT_EQ(w.Text1.Text(), "");
  EXPECT_EQ(w.getLyricsFromFile("03", "10"), "tenth\r\n");
  EXPECT_FALSE(w.myFlag);
}

TEST_F(LyricsDisplay, ADatabaseThatCannotGiveTheRecordGivesAnEmptyBox) {
  const std::string record = [] {
    store::ByteWriter out;
    store::writeShiftedString(out, "[ALBUM03SONG01]", "key");
    store::writeShiftedString(out, "the words\r\n", "text");
    return std::string(out.bytes().begin(), out.bytes().end());
  }();
  enum class Kind { None, File, Folder };
  const struct {
    const char* what;
    Kind kind;
    const char* name;
    std::string bytes;
    const char* shown;
  } cases[] = {
      {"missing", Kind::None, "", "", ""},
      {"empty", Kind::File, "ldat.qd", "", ""},
      {"ends inside the record", Kind::File, "ldat.qd", record.substr(0, record.size() - 3), ""},
      {"a folder of that name", Kind::Folder, "ldat.qd", "", ""},
      {"named in capitals on the disc", Kind::File, "LDAT.QD", record, "the words\r\n"},
  };
  for (const auto& c : cases) {
    emptyDisc();
    if (c.kind == Kind::File) writeBytes(disc / c.name, c.bytes);
    if (c.kind == Kind::Folder) fs::create_directory(disc / c.name);
    startWithJazz();
    EXPECT_EQ(openJazz().Text1.Text().toStdString(), c.shown) << c.what;
    player.reset();
  }
}

TEST_F(LyricsDisplay, EveryLookUpReadsTheDatabaseAnew) {
  writeLyricsDatabase({{"[ALBUM03SONG02]", "old\r\n"}});
  startWithJazz();
  openJazz();
  press(1);
  EXPECT_EQ(window().Text1.Text(), "old\r\n");
  writeLyricsDatabase({{"[ALBUM03SONG02]", "new\r\n"}});
  press(1);
  EXPECT_EQ(window().Text1.Text(), "new\r\n");
}

TEST_F(LyricsDisplay, TypingAndPastingCannotChangeTheBox) {
  writeLyricsDatabase({{"[ALBUM03SONG01]", "keep me\r\n"}});
  startWithJazz();
  Form2& w = openJazz();
  QCoreApplication::processEvents();  // the window comes up and takes the keyboard
  controls::WindowInput user(w);

  // A press inside shows no caret and hands the keyboard to a button.
  w.Text1.setCaretVisible(true);
  ASSERT_TRUE(user.clickOn(w.Text1));
  EXPECT_FALSE(w.Text1.caretVisible());
  EXPECT_TRUE(w.Command10.widget()->hasFocus());
  ASSERT_TRUE(user.type("abc"));
  ASSERT_TRUE(user.key(controls::vbKeyBack));
  QGuiApplication::clipboard()->setText("pasted");
  ASSERT_TRUE(user.key('V', controls::vbCtrlMask));
  EXPECT_EQ(w.Text1.Text(), "keep me\r\n");

  // Whatever reaches the box all the same is taken back.
  static_cast<QPlainTextEdit*>(w.Text1.widget())->paste();
  EXPECT_EQ(w.Text1.Text(), "keep me\r\n");
  w.Text1.setText("overwritten");
  EXPECT_EQ(w.Text1.Text(), "keep me\r\n");
}

TEST_F(LyricsDisplay, AnEmptyLookUpIsKeptToo) {
  writeLyricsDatabase({{"[ALBUM03SONG01]", "song one\r\n"}});
  startWithJazz();
  Form2& w = openJazz();
  press(1);  // no record
  ASSERT_EQ(w.Text1.Text(), "");
  w.Text1.setText("typed");
  // Not the lyrics of the song shown before.
  EXPECT_EQ(w.Text1.Text(), "");
}

// The window is shown for the first time only after the box was filled;
// the lyrics still start at their first line.
TEST_F(LyricsDisplay, LongLyricsShowFromTheirFirstLineWhenTheWindowFirstOpens) {
  std::string lyrics;
  for (int line = 1; line <= 40; ++line) lyrics += "Line " + std::to_string(line) + " of the tune, sung softly and slowly\r\n";
  writeLyricsDatabase({{"[ALBUM03SONG01]", lyrics}});
  startWithJazz();
  Form2& w = openJazz();
  auto* box = static_cast<QPlainTextEdit*>(w.Text1.widget());
  QCoreApplication::processEvents();
  EXPECT_EQ(box->verticalScrollBar()->value(), 0);
  EXPECT_EQ(box->cursorForPosition(QPoint(4, 4)).blockNumber(), 0);
}

}  // namespace
}  // namespace player::testing_support
