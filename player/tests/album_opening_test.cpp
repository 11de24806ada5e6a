// Opening an album into the player window: one label per song, the names'
// casing, the album's picture and title line, the song marked on opening,
// and the labels' colours when a song is pressed.
#include <gtest/gtest.h>

#include "display_names.h"
#include "lyrics_database.h"
#include "player_fixture.h"
#include "window_input.h"

namespace player::testing_support {
namespace {

TEST(DisplayNames, CaseTheNameAfterItsNumber) {
  const struct {
    const char* in;
    const char* llCased;
    const char* shown;
  } cases[] = {
      {"", "", ""},
      {"a", "A", "a"},
      {"03 - SUNDAY BLUES", "03 - sunday blues", "03 - Sunday blues"},
      {"Ab - cD EF", "Ab - cd ef", "Ab - Cd ef"},
      {"07 - élan VITAL", "07 - élan vital", "07 - Élan vital"},
      {"01 - straße", "01 - straße", "01 - Straße"},  // no letter grows into two
  };
  for (const auto& c : cases) {
    EXPECT_EQ(llCase(QString::fromUtf8(c.in)), QString::fromUtf8(c.llCased)) << c.in;
    EXPECT_EQ(displayName(QString::fromUtf8(c.in)), QString::fromUtf8(c.shown)) << c.in;
  }
  EXPECT_EQ(withoutNumber("01 - Rock"), "Rock");
  EXPECT_EQ(withoutNumber("Rock"), "Rock");
}

class AlbumOpening : public PlayerTest {
 protected:
  void startWith(int albums, int songs) {
    writeSongAlbums(albums, songs);
    start();
    finishAnimation();
  }
  void playing(int album, int song) {
    Form2& w = window();
    w.isPlaying = true;
    w.OriginalAlbum = QString::fromStdString(albumFolderName(album));
    w.OriginalSngIdx = static_cast<std::int16_t>(song);
    w.playingSngIdx = song;
  }
};

TEST_F(AlbumOpening, GivesEachSongALabelAndHidesTheRest) {
  writeTypicalCollection(1);
  addFiles("01 - Album 1", {"01 - blue MOON.mp3", "Ab - cD EF.MP3", "03 - night.HTS", "cover.jpg",
                            "01 - blue MOON.dat", "notes.txt"});
  start();
  finishAnimation();
  browser().sort(true);

  Form2& w = window();
  EXPECT_EQ(browser().numOfSongs, 3);
  EXPECT_EQ(w.Label1(0).Caption(), "01 - Blue moon");
  EXPECT_EQ(w.Label1(1).Caption(), "03 - Night");
  EXPECT_EQ(w.Label1(2).Caption(), "Ab - Cd ef");
  for (int i = 0; i < 31; ++i) {
    EXPECT_EQ(w.Label1(i).Visible(), i < 3) << i;
    EXPECT_EQ(w.Label1(i).Enabled(), i < 3) << i;
  }
  // The first song is selected; captioned alone, every label is normal.
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kSelected, kNormal, kNormal}));
  browser().SongsNames();
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kNormal}));
}

TEST_F(AlbumOpening, AShorterAlbumHidesTheLabelsOfTheLongerOne) {
  startWith(2, 5);
  fs::remove(disc / "02 - Album 2" / "04 - Song 04.mp3");
  fs::remove(disc / "02 - Album 2" / "05 - Song 05.mp3");
  open(1);
  ASSERT_TRUE(window().Label1(4).Visible());
  open(2);
  EXPECT_EQ(browser().numOfSongs, 3);
  EXPECT_FALSE(window().Label1(3).Visible());
  EXPECT_FALSE(window().Label1(4).Enabled());
}

TEST_F(AlbumOpening, StopsAtTheLastLabel) {
  startWith(1, 33);
  open(1);
  EXPECT_EQ(browser().numOfSongs, 31);
  EXPECT_EQ(window().Label1(30).Caption(), "31 - Song 31");
  EXPECT_TRUE(window().Label1(30).Visible());
}

TEST_F(AlbumOpening, ShowsTheAlbumsPictureAndTitleLine) {
  startWith(3, 2);
  open(2);
  Form2& w = window();
  EXPECT_TRUE(w.Visible());
  EXPECT_TRUE(w.Image3.Picture() == browser().Image1(1).Picture());
  EXPECT_EQ(w.namLBL.Caption(), "Summer Songs - Album 2");
  EXPECT_EQ(w.Image3.Left(), browser().mainIMG.Left() + 1020);
  EXPECT_EQ(browser().File1.Path().toStdString(), (disc / "02 - Album 2").string());
  EXPECT_EQ(w.Text1.Text(), "album 2 song 1\r\n");
  EXPECT_FALSE(w.Text1.caretVisible());
}

TEST_F(AlbumOpening, MarksThePlayingSongOnlyInTheAlbumThatPlays) {
  startWith(2, 4);
  playing(1, 2);
  open(1);
  Form2& w = window();
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kPlaying, kNormal}));
  EXPECT_EQ(w.SongName, "03 - Song 03");
  EXPECT_EQ(w.selectedSngIdx, 2);
  EXPECT_EQ(w.Text1.Text(), "album 1 song 3\r\n");

  open(2);
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kSelected, kNormal, kNormal, kNormal}));
  EXPECT_EQ(w.SongName, "01 - Song 01");
  EXPECT_EQ(w.Text1.Text(), "album 2 song 1\r\n");
}

TEST_F(AlbumOpening, BringsTheWindowUpOnlyWhenAskedAndTheBrowserIsShown) {
  startWith(2, 2);
  browser().sort(false);
  EXPECT_FALSE(window().Visible());
  EXPECT_TRUE(window().Label1(1).Visible());  // the songs are there all the same
  browser().setWindowState(controls::vbMinimized);
  browser().sort(true);
  EXPECT_FALSE(window().Visible());
  browser().setWindowState(controls::vbNormal);
  browser().sort(true);
  EXPECT_TRUE(window().Visible());
}

TEST_F(AlbumOpening, AFolderThatHasGoneKeepsTheSongsListedBefore) {
  startWith(2, 3);
  open(1);
  fs::remove_all(disc / "02 - Album 2");
  open(2);
  EXPECT_EQ(browser().numOfSongs, 3);
  EXPECT_EQ(window().Label1(0).Caption(), "01 - Song 01");
  EXPECT_EQ(window().namLBL.Caption(), "Summer Songs - Album 2");
}

TEST_F(AlbumOpening, ShowsThePersonalListSongsLyricsWhenAskedTo) {
  startWith(1, 6);
  // The list's song 5 of album 1 plays: its label is marked on opening.
  window().BasketPressed = true;
  window().OriginalSngIdx = 5;
  window().plyPrvLstCurSong = "Album 1";
  open(1);
  EXPECT_EQ(window().Label1(4).ForeColor(), kPlaying);
  EXPECT_EQ(window().Text1.Text(), "album 1 song 5\r\n");
  EXPECT_FALSE(window().getCorrectLyrcs4Basket);
}

class SongLabels : public AlbumOpening {};

TEST_F(SongLabels, APressColoursTheSelectionAndKeepsTheSongThatPlays) {
  const struct {
    const char* what;
    int playingAlbum;  // 0: nothing plays
    int playingSong;
    int pressed;
    std::vector<controls::OleColor> colours;
  } cases[] = {
      {"nothing plays", 0, 0, 3, {kNormal, kNormal, kNormal, kSelected, kNormal}},
      {"song 1 plays", 1, 1, 3, {kNormal, kPlaying, kNormal, kSelected, kNormal}},
      {"the playing song pressed", 1, 1, 1, {kNormal, kPlaying, kNormal, kNormal, kNormal}},
      {"another album plays", 2, 1, 3, {kNormal, kNormal, kNormal, kSelected, kNormal}},
  };
  startWith(2, 5);
  open(1);
  for (const auto& c : cases) {
    window().isPlaying = c.playingAlbum != 0;
    if (c.playingAlbum) playing(c.playingAlbum, c.playingSong);
    controls::WindowInput user(window());
    ASSERT_TRUE(user.clickOn(window().Label1(c.pressed))) << c.what;
    EXPECT_EQ(shownColours(), c.colours) << c.what;
    EXPECT_EQ(window().SongName, window().Label1(c.pressed).Caption()) << c.what;
    EXPECT_EQ(window().Text1.Text(), "album 1 song " + QString::number(c.pressed + 1) + "\r\n") << c.what;
  }
}

TEST_F(SongLabels, APressInPersonalListModeLeavesThePressedLabelAndTheSelection) {
  startWith(1, 4);
  open(1);
  window().BasketPressed = true;
  controls::WindowInput user(window());
  ASSERT_TRUE(user.clickOn(window().Label1(2)));
  EXPECT_EQ(window().SongName, "01 - Song 01");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kNormal, kNormal}));
  // The list's song of the album shown is marked, and its lyrics asked for.
  window().OriginalSngIdx = 4;
  window().plyPrvLstCurSong = "Album 1";
  ASSERT_TRUE(user.clickOn(window().Label1(1)));
  EXPECT_EQ(window().Label1(3).ForeColor(), kPlaying);
  EXPECT_TRUE(window().getCorrectLyrcs4Basket);
  EXPECT_EQ(window().sngNumToGetLyrics4Basket, 3);
}

TEST_F(SongLabels, OnlyTheLeftButtonSelectsAndTheClickTimerRunsWhileItIsHeld) {
  startWith(1, 4);
  open(1);
  Form2& w = window();
  controls::WindowInput user(w);
  ASSERT_TRUE(user.clickOn(w.Label1(2), controls::vbRightButton));
  EXPECT_EQ(w.SongName, "01 - Song 01");
  EXPECT_FALSE(w.TimerClick.Enabled());

  ASSERT_TRUE(user.pressOn(w.Label1(2)));
  EXPECT_TRUE(w.TimerClick.Enabled());
  EXPECT_EQ(w.SongName, "03 - Song 03");
  clock->advance(3000);  // its ticks change nothing
  EXPECT_EQ(w.SongName, "03 - Song 03");
  ASSERT_TRUE(user.releaseOn(w.Label1(2)));
  EXPECT_FALSE(w.TimerClick.Enabled());
}

}  // namespace
}  // namespace player::testing_support
