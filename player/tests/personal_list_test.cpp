// The personal list as a user drives it through the player window: the mode
// button, song labels dragged onto it, the list played in order or shuffled,
// once or repeated, by its own watcher; removing an entry, clearing the
// list, and leaving the mode back to the album shown before. The fake
// control plays on the test's virtual clock; the shuffle draws from a
// sequence the test gives.
#include <gtest/gtest.h>

#include <QListWidget>

#include "held_drags.h"
#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

using media::PlayState;

class PersonalList : public PlayWindowTest {
 protected:
  void modeButton() { press(window().Image8); }
  // One album of three songs, `seconds` long, and the mode on with the
  // songs of `labels` dropped in this order (the first starts).
  Form2& listOf(const std::vector<int>& labels, double seconds = 10) {
    startWith(1, 3, seconds);
    modeButton();
    for (int label : labels) drop(label);
    return window();
  }
  void shuffle() { press(window().Image11); }
  void repeat() { press(window().Image16); }
  // The user drags song label `label` onto the mode button and lets go there.
  void drop(int label) {
    Form2& w = window();
    const int before = drags.count();
    ASSERT_TRUE(user().pressOn(w.Label1(label)));
    ASSERT_EQ(drags.count(), before + 1) << "label " << label << " did not start a drag";
    EXPECT_TRUE(user().dropAt(user().middleOf(w.Image8), drags.last()));
    user().releaseOn(w.Image8);
  }
  std::vector<QString> lines(const controls::ListBox& list) const {
    std::vector<QString> found;
    for (int i = 0; i < list.ListCount(); ++i) found.push_back(list.List(i));
    return found;
  }
  // Plays on until `count` songs have been opened in all, or the mode is off.
  void playOnUntilOpened(std::size_t count) {
    until([&] { return opened().size() >= count || !window().BasketPressed; }, 200000);
  }
  // The songs opened, as album and song numbers ("2.3"), from open number `from` on.
  std::vector<std::string> openedSongs(std::size_t from = 0) const {
    std::vector<std::string> found;
    const std::vector<std::string> paths = opened();
    for (std::size_t i = from; i < paths.size(); ++i) {
      const std::string& path = paths[i];
      const std::string file = path.substr(path.rfind('/') + 1);
      const std::string folder = path.substr(0, path.rfind('/'));
      const std::string album = folder.substr(folder.rfind('/') + 1);
      found.push_back(std::to_string(std::stoi(album.substr(0, 2))) + "." + std::to_string(std::stoi(file.substr(0, 2))));
    }
    return found;
  }

  // Selects line `line` of the list the user sees, by a click on it.
  void selectLine(int line) {
    auto* list = qobject_cast<QListWidget*>(window().pList.widget());
    ASSERT_NE(list, nullptr);
    const QPoint middle = list->viewport()->mapTo(list, list->visualItemRect(list->item(line)).center());
    ASSERT_TRUE(user().clickAt(user().pointIn(window().pList, {middle.x() * 15.0, middle.y() * 15.0})));
    ASSERT_EQ(window().pList.ListIndex(), line);
  }
  controls::HeldDrags drags;
};

TEST_F(PersonalList, TheModeButtonSwitchesOnAtItsFirstPressAndOffAtTheNextRelease) {
  startWith(1, 3);
  Form2& w = window();
  ASSERT_TRUE(user().dblClickOn(w.Label1(1)));  // album play, stopped by the mode
  ASSERT_TRUE(user().pressOn(w.Image8));
  EXPECT_TRUE(w.BasketPressed);
  EXPECT_TRUE(w.Image8.Picture() == w.Image7.Picture());
  EXPECT_TRUE(w.Image9.Visible());
  EXPECT_EQ(w.Label1(0).DragMode(), 1);
  EXPECT_EQ(w.Label1(30).DragMode(), 1);
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(mp1->playState(), PlayState::Stopped);
  EXPECT_EQ(w.wasOriginalSngIdx, 1);
  EXPECT_FALSE(w.Timer1.Enabled());
  EXPECT_TRUE(w.Timer4.Enabled());
  ASSERT_TRUE(user().releaseOn(w.Image8));
  EXPECT_TRUE(w.BasketPressed);

  // While it is on a label is dragged, not pressed: the selection stays.
  ASSERT_TRUE(user().clickOn(w.Label1(2)));
  EXPECT_EQ(w.SongName, "02 - Song 02");

  ASSERT_TRUE(user().pressOn(w.Image8));
  EXPECT_TRUE(w.BasketPressed);
  EXPECT_TRUE(w.pickUpBasket);
  ASSERT_TRUE(user().releaseOn(w.Image8));
  EXPECT_FALSE(w.BasketPressed);
  EXPECT_TRUE(w.Image8.Picture() == w.Image6.Picture());
  EXPECT_FALSE(w.Image9.Visible());
  EXPECT_EQ(w.Label1(0).DragMode(), 0);
  // Its next tick hands back to album play's watcher.
  clock->advance(kTick);
  EXPECT_FALSE(w.Timer4.Enabled());
  EXPECT_TRUE(w.Timer1.Enabled());
}

TEST_F(PersonalList, TheFirstDropStartsTheSongAtOnceAndLaterDropsOnlyAdd) {
  startWith(2, 3, 30);
  Form2& w = window();
  Form1& b = browser();
  modeButton();
  drop(2);
  EXPECT_EQ(lines(w.PrivateList), std::vector<QString>{"01 - Album 1\\03 - Song 03.mp3"});
  EXPECT_EQ(lines(w.pList), std::vector<QString>{"Song 03"});
  EXPECT_EQ(opened(), std::vector<std::string>{song(1, 3)});
  EXPECT_EQ(lines(w.BeenHeardList), std::vector<QString>{"01 - Album 1\\03 - Song 03.mp3"});
  EXPECT_EQ(w.plyPrvLstCnt, 1);
  EXPECT_EQ(w.LastPossition, -1);
  EXPECT_EQ(w.OriginalSngIdx, 3);
  EXPECT_EQ(w.plyPrvLstCurSong, "Album 1");
  // The numbers as the runtime writes them, with a blank in front; the
  // browser's song name in lower case.
  EXPECT_EQ(nowPlaying(), (std::vector<QString>{" 1 - Album 1", " 3 - Song 03", "Playing Album number  1:", "Album 1",
                                                "Playing Song number  3:", "song 03"}));
  EXPECT_TRUE(w.Label5.Visible());
  EXPECT_EQ(w.Text1.Text(), "album 1 song 3\r\n");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kPlaying}));
  EXPECT_TRUE(w.Image3.Picture() == b.Image1(0).Picture());
  // A song that starts plays as album play's do: the kept state, the looks, the clock.
  EXPECT_EQ(w.MP1State, 2);
  EXPECT_EQ(playLook(), 2);
  EXPECT_EQ(pauseLook(), 1);
  clock->advance(3000);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "03")));

  // Another album's song, dropped while the first plays.
  open(2);
  drop(0);
  drop(1);
  EXPECT_EQ(lines(w.PrivateList), (std::vector<QString>{"01 - Album 1\\03 - Song 03.mp3", "02 - Album 2\\01 - Song 01.mp3",
                                                        "02 - Album 2\\02 - Song 02.mp3"}));
  EXPECT_EQ(lines(w.pList), (std::vector<QString>{"Song 03", "Song 01", "Song 02"}));
  EXPECT_EQ(opened().size(), 1u);
  EXPECT_EQ(lines(w.BeenHeardList).size(), 1u);
}

TEST_F(PersonalList, TheHundredthDropIsIgnored) {
  startWith(1, 3, 600);
  Form2& w = window();
  modeButton();
  for (int i = 0; i < 100; ++i) drop(i % 3);
  EXPECT_EQ(w.PrivateList.ListCount(), 99);
  EXPECT_EQ(w.pList.ListCount(), 99);
  EXPECT_EQ(opened().size(), 1u);
}

TEST_F(PersonalList, ADropWhileNothingOrAPausedSongPlaysStartsTheListAgainFromItsFirstEntry) {
  Form2& w = listOf({0, 1}, 30);
  clock->advance(2000);
  press(w.imgPauseB);
  ASSERT_EQ(mp1->playState(), PlayState::Paused);
  drop(2);
  EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.1"}));
  EXPECT_EQ(w.playingSngIdx, 0);
  EXPECT_EQ(lines(w.BeenHeardList), std::vector<QString>{"01 - Album 1\\01 - Song 01.mp3"});
}

TEST_F(PersonalList, ADropWhileAlbumPlayRunsStopsItAndStartsTheListAgainFromItsFirstEntry) {
  Form2& w = listOf({0, 1}, 30);
  clock->advance(2000);
  // Next, while the list's song plays, starts the selected album song.
  press(w.imgFfB);
  clock->advance(2000);
  ASSERT_TRUE(w.isPlaying);
  ASSERT_EQ(mp1->playState(), PlayState::Playing);
  ASSERT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.2"}));

  drop(2);
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.2", "1.1"}));
  EXPECT_EQ(w.playingSngIdx, 0);
  EXPECT_EQ(w.PrivateList.ListCount(), 3);
  EXPECT_EQ(lines(w.BeenHeardList), std::vector<QString>{"01 - Album 1\\01 - Song 01.mp3"});
  EXPECT_EQ(w.plyPrvLstCnt, 1);
  EXPECT_FALSE(w.Timer1.Enabled());
  EXPECT_TRUE(w.Timer4.Enabled());
  // The list goes on from there, in its order.
  playOnUntilOpened(4);
  EXPECT_EQ(openedSongs(3), std::vector<std::string>{"1.2"});
}

TEST_F(PersonalList, InListOrderTheModeEndsAfterTheLastEntryAndWithRepeatTheFirstFollows) {
  for (bool repeating : {false, true}) {
    SCOPED_TRACE(repeating ? "repeat" : "once");
    restart();
    startWith(2, 3, 10);
    Form2& w = window();
    if (repeating) repeat();
    modeButton();
    drop(2);
    open(2);
    drop(0);
    playOnUntilOpened(repeating ? 4 : 3);
    if (repeating) {
      EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.3", "2.1", "1.3", "2.1"}));
      EXPECT_TRUE(w.BasketPressed);
      continue;
    }
    EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.3", "2.1"}));
    EXPECT_FALSE(w.BasketPressed);
    EXPECT_EQ(mp1->playState(), PlayState::Stopped);
    EXPECT_EQ(nowPlaying(), std::vector<QString>(6));
    // Nothing more starts.
    clock->advance(20000);
    EXPECT_EQ(opened().size(), 2u);
  }
}

TEST_F(PersonalList, AnEntryOfAnotherAlbumStartedByTheWatcherShowsThatAlbumAndItsOwnLyrics) {
  startWith(2, 3, 10);
  Form2& w = window();
  Form1& b = browser();
  modeButton();
  drop(0);
  open(2);
  drop(2);
  open(1);  // album 1 is shown when album 2's song comes
  playOnUntilOpened(2);
  ASSERT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "2.3"}));
  EXPECT_EQ(b.Album, 1);
  EXPECT_EQ(w.Text1.Text(), "album 2 song 3\r\n");
  // The labels show album 2's songs; the browser its picture and name.
  EXPECT_EQ(b.songsFolder(), "02 - Album 2");
  EXPECT_EQ(w.Label1(2).Caption(), "03 - Song 03");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kPlaying}));
  EXPECT_EQ(b.Label8.Caption(), "Album 2");
  EXPECT_TRUE(b.mainIMG.Picture() == b.Image1(1).Picture());
  EXPECT_TRUE(w.Image3.Picture() == b.Image1(1).Picture());
  EXPECT_EQ(nowPlaying()[5], "Song 03");

  // A song dropped now is one of the album the labels show.
  drop(1);
  EXPECT_EQ(w.PrivateList.List(2), "02 - Album 2\\02 - Song 02.mp3");
}

TEST_F(PersonalList, LeavingTheModeShowsTheAlbumShownBeforeWithItsSong) {
  struct Case {
    const char* what;
    int listAlbum;  // the album of the last list song
    int selected;   // the song label selected when the mode went on
  };
  for (const Case& c : {Case{"the same album", 1, 2}, Case{"another album", 2, 2}}) {
    SCOPED_TRACE(c.what);
    restart();
    startWith(2, 3, 30);
    Form2& w = window();
    Form1& b = browser();
    ASSERT_TRUE(user().dblClickOn(w.Label1(c.selected)));
    modeButton();
    open(c.listAlbum);
    drop(0);
    open(1);
    modeButton();
    EXPECT_FALSE(w.BasketPressed);
    EXPECT_EQ(mp1->playState(), PlayState::Stopped);
    EXPECT_EQ(b.songsFolder(), "01 - Album 1");
    EXPECT_EQ(b.Album, 1);
    EXPECT_EQ(b.Label8.Caption(), "Album 1");
    EXPECT_TRUE(w.Image3.Picture() == b.Image1(0).Picture());
    const int expected = c.listAlbum == 1 ? c.selected : 0;
    EXPECT_EQ(w.OriginalSngIdx, expected);
    EXPECT_EQ(w.SongName, w.Label1(expected).Caption());
    EXPECT_EQ(w.Text1.Text(), QString("album 1 song %1\r\n").arg(expected + 1));
    EXPECT_EQ(stopLook(), 1);
    EXPECT_EQ(w.MP1State, 0);
  }
}

// The box follows the song selected whatever the list did before: an album
// opened after the list, or beside it, shows its own song's lyrics, and the
// list's song only where that song is marked.
TEST_F(PersonalList, AnAlbumOpenedAfterTheListShowsTheLyricsOfItsSelectedSong) {
  const struct {
    const char* what;
    bool leaveTheMode;  // the mode button's second press before going back
    int opened;         // the album then opened from the browser
    int selected;       // its label selected (-1: none, the list's song plays)
    const char* lyrics;
  } cases[] = {
      {"album play, another album", true, 2, 0, "album 2 song 1\r\n"},
      {"album play, the list's album", true, 1, 0, "album 1 song 1\r\n"},
      {"list play, another album", false, 2, -1, "album 2 song 1\r\n"},
      {"list play, the list's album", false, 1, -1, "album 1 song 3\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    restart();
    writeSongAlbums(3, 3);
    start();
    mp1->setDefaultSongLength(60);
    finishAnimation();
    Form2& w = window();
    controls::WindowInput browserUser(browser());
    ASSERT_TRUE(browserUser.dblClickOn(browser().Image1(0)));
    modeButton();
    drop(2);
    ASSERT_EQ(w.Text1.Text(), "album 1 song 3\r\n");
    if (c.leaveTheMode) modeButton();
    press(w.Image3);
    ASSERT_TRUE(browserUser.dblClickOn(browser().Image1(c.opened - 1)));

    EXPECT_EQ(w.Text1.Text(), c.lyrics);
    if (c.selected >= 0) {
      EXPECT_EQ(w.SongName, w.Label1(c.selected).Caption());
      EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kSelected, kNormal, kNormal}));
    } else {
      const auto marked = c.opened == 1 ? std::vector<controls::OleColor>{kNormal, kNormal, kPlaying}
                                        : std::vector<controls::OleColor>{kNormal, kNormal, kNormal};
      EXPECT_EQ(shownColours(), marked);
    }
  }
}

TEST_F(PersonalList, WithEntriesTheModeStartsTheListByItself) {
  Form2& w = listOf({1, 2});
  modeButton();  // off: the song stops
  ASSERT_TRUE(user().dblClickOn(w.Label1(0)));
  modeButton();  // on again, with two entries
  EXPECT_EQ(w.playingSngIdx, -1);
  playOnUntilOpened(3);
  EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.2", "1.1", "1.2"}));
}

TEST_F(PersonalList, APausedListSongHoldsAndThePlayButtonResumesIt) {
  Form2& w = listOf({0, 1});
  clock->advance(4000);
  press(w.imgPauseB);
  EXPECT_EQ(w.MP1State, 1);
  clock->advance(20000);
  EXPECT_EQ(opened().size(), 1u);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "04")));

  mp1->clearCalls();
  press(w.imgPlayB);
  EXPECT_EQ(mp1->calls(), (std::vector<std::string>{"stop()", "play()"}));
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(w.MP1State, 2);
  EXPECT_EQ(pauseLook(), 1);
  // The rest of the song plays, then the next entry.
  const std::int64_t took = untilOpened(1);
  EXPECT_GE(took, 6000 + kTick);
  EXPECT_LE(took, 6000 + 2 * kTick);
  EXPECT_EQ(openedSongs(), std::vector<std::string>{"1.2"});
}

// As in album play: until a resumed song's first samples are pulled, its
// position still reads where it paused.
TEST_F(PersonalList, AResumeRightBeforeTheWatchersTickIsNotTakenForTheSongsEnd) {
  for (std::int64_t early : {0, 5, 45}) {
    SCOPED_TRACE(early);
    restart();
    Form2& w = listOf({0, 1}, 30);
    mp1->setResumeLatency(46);
    ASSERT_GE(untilWatcherTicks(), 0);
    clock->advance(300);
    press(w.imgPauseB);
    clock->advance(2 * kTick - 300 - early);
    press(w.imgPlayB);
    clock->advance(early + 1);
    EXPECT_EQ(openedSongs(), std::vector<std::string>{"1.1"});
    EXPECT_EQ(w.playingSngIdx, 0);
    clock->advance(kTick);
    EXPECT_EQ(openedSongs(), std::vector<std::string>{"1.1"});
  }
}

TEST_F(PersonalList, ASongWhoseFileNameDiffersInCaseFromItsLabelPlays) {
  writeSongAlbums(1, 0);
  addFiles(albumFolderName(1), {"01 - SUNDAY BLUES.mp3"});
  start();
  finishAnimation();
  open(1);
  modeButton();
  drop(0);
  EXPECT_EQ(window().PrivateList.List(0), "01 - Album 1\\01 - Sunday blues.mp3");
  EXPECT_EQ(opened(), std::vector<std::string>{(disc / albumFolderName(1) / "01 - SUNDAY BLUES.mp3").string()});
}

// ---------------------------------------------------------------------------
// Shuffle

TEST_F(PersonalList, ShufflePlaysEveryEntryOnceAPassAndThenEndsOrRepeats) {
  for (bool repeating : {false, true}) {
    SCOPED_TRACE(repeating ? "repeat" : "once");
    restart();
    Form2& w = listOf({0, 1, 2});  // the first starts in list order
    shuffle();
    if (repeating) repeat();
    // Draws: 0 (heard), 2; then 0 and 2 (heard), 1; then 2 (heard: the
    // pass is complete) and, in a new pass, 0.
    scriptRnd({0.1, 0.9, 0.2, 0.8, 0.5, 0.9, 0.1});
    playOnUntilOpened(4);
    if (repeating) {
      EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.3", "1.2", "1.1"}));
      EXPECT_TRUE(w.BasketPressed);
      EXPECT_EQ(w.plyPrvLstCnt, 1);
      continue;
    }
    EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.3", "1.2"}));
    EXPECT_FALSE(w.BasketPressed);
    EXPECT_EQ(w.BeenHeardList.ListCount(), 0);
  }
}

TEST_F(PersonalList, AListHoldingASongTwiceEndsItsShufflePassInsteadOfDrawingForEver) {
  Form2& w = listOf({0, 1, 0});
  shuffle();
  // Every draw lands on a heard entry once both songs have played.
  scriptRnd({0.5, 0.0, 0.9, 0.0});
  playOnUntilOpened(3);
  EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.2"}));
  EXPECT_FALSE(w.BasketPressed);
}

TEST_F(PersonalList, AShuffledSingleEntryWithRepeatPlaysAgainAndAgain) {
  Form2& w = listOf({1});
  shuffle();
  repeat();
  playOnUntilOpened(4);
  EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.2", "1.2", "1.2", "1.2"}));
  EXPECT_TRUE(w.BasketPressed);
}

TEST_F(PersonalList, ADrawThatNeverLandsOnAnUnheardEntryStillEnds) {
  listOf({0, 1});
  shuffle();
  scriptRnd({});  // always 0: entry 0, heard
  playOnUntilOpened(2);
  EXPECT_EQ(openedSongs(), (std::vector<std::string>{"1.1", "1.2"}));
}

// ---------------------------------------------------------------------------
// Remove and clear

TEST_F(PersonalList, RemovingAnEntryTakesItOutOfWhatWasHeardToo) {
  Form2& w = listOf({0, 1, 0}, 30);
  // No line selected: nothing happens.
  press(w.Image19);
  EXPECT_EQ(w.PrivateList.ListCount(), 3);

  selectLine(2);
  press(w.Image19);
  EXPECT_EQ(lines(w.PrivateList), (std::vector<QString>{"01 - Album 1\\01 - Song 01.mp3", "01 - Album 1\\02 - Song 02.mp3"}));
  EXPECT_EQ(lines(w.pList), (std::vector<QString>{"Song 01", "Song 02"}));
  // The same song stood in the list twice: its one line in what was heard goes.
  EXPECT_EQ(w.BeenHeardList.ListCount(), 0);
  // What plays goes on.
  clock->advance(1000);
  EXPECT_EQ(mp1->playState(), PlayState::Playing);
  EXPECT_EQ(opened().size(), 1u);
  EXPECT_EQ(w.playingSngIdx, 0);
}

TEST_F(PersonalList, RemovalsBehindThePlayingEntryEndTheListWhereItEnds) {
  Form2& w = listOf({0, 1, 2});
  playOnUntilOpened(3);  // entry 2 plays
  ASSERT_EQ(w.playingSngIdx, 2);
  selectLine(0);
  press(w.Image19);
  selectLine(0);
  press(w.Image19);
  // The index now lies past the one entry left: the list ends there.
  playOnUntilOpened(4);
  EXPECT_EQ(opened().size(), 3u);
  EXPECT_FALSE(w.BasketPressed);
}

TEST_F(PersonalList, ClearingAFullListLeavesTheModeAndEmptiesIt) {
  startWith(1, 3, 30);
  Form2& w = window();
  // An empty list is cleared without leaving the mode.
  modeButton();
  ASSERT_TRUE(user().pressOn(w.Image13));
  EXPECT_TRUE(w.Image13.Picture() == w.Image15.Picture());
  ASSERT_TRUE(user().releaseOn(w.Image13));
  EXPECT_TRUE(w.Image13.Picture() == w.Image14.Picture());
  EXPECT_TRUE(w.BasketPressed);

  drop(0);
  drop(1);
  press(w.Image13);
  EXPECT_FALSE(w.BasketPressed);
  EXPECT_EQ(w.PrivateList.ListCount(), 0);
  EXPECT_EQ(w.pList.ListCount(), 0);
  EXPECT_EQ(mp1->playState(), PlayState::Stopped);
  // What was heard is kept.
  EXPECT_EQ(w.BeenHeardList.ListCount(), 1);
}

}  // namespace
}  // namespace player::testing_support
