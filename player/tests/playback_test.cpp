// Album play through the player window as a user drives it: the play,
// pause, stop, previous and next buttons, a double click on a song, the
// song-end watcher that moves on from song to song and album to album, the
// clock, the sliders with their step buttons and readouts, and the
// now-playing labels of both windows. The fake control plays on the test's
// virtual clock.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

using media::PlayState;

// A control whose play state never reads "opening".
class NeverOpeningControl : public media::FakeMediaControl {
 public:
  using FakeMediaControl::FakeMediaControl;
  PlayState playState() const override {
    const PlayState state = FakeMediaControl::playState();
    return state == PlayState::Opening ? PlayState::Playing : state;
  }
};

// A slider's parts, in pixels of the bar, as its style lays them out.
QRect sliderPart(const controls::HScrollBar& slider, QStyle::SubControl part) {
  auto* bar = qobject_cast<QScrollBar*>(slider.widget());
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.subControls = QStyle::SC_All;
  option.orientation = Qt::Horizontal;
  option.state |= QStyle::State_Horizontal;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

class Playback : public PlayWindowTest {
 protected:
  std::vector<std::string> callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : mp1->calls())
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
  }
  // The watcher takes a song for ended once its position has stood still
  // from one tick to the next: the next song opens one to two ticks after
  // the `msLeft` of the song have played, as open number `count`.
  void expectEndSeenAfter(std::int64_t msLeft, std::size_t count) {
    const std::int64_t took = untilOpened(count);
    EXPECT_GE(took, msLeft + kTick);
    EXPECT_LE(took, msLeft + 2 * kTick);
  }

  void doubleClickSong(int index) { ASSERT_TRUE(user().dblClickOn(window().Label1(index))); }
  // Play goes on for `ms`, then the pause button is pressed.
  void pauseAfter(std::int64_t ms) {
    clock->advance(ms);
    press(window().imgPauseB);
  }
  // A point of the player window's panel where nothing else lies.
  QPointF bareFrame() { return user().pointIn(window().Frame1, {60, 60}); }
  void switchPlayAllOn() {
    controls::WindowInput browserUser(browser());
    ASSERT_TRUE(browserUser.clickOn(browser().imgPlyAll));
    ASSERT_TRUE(browser().PlayAll);
  }
};

// ---------------------------------------------------------------------------
// Play, pause, resume, stop

TEST_F(Playback, APauseHoldsTheSongAndThePlayButtonResumesItWhereItWas) {
  startWith(1, 3, 10);
  Form2& w = window();
  ASSERT_TRUE(user().clickOn(w.Label1(1)));
  ASSERT_TRUE(user().pressOn(w.imgPlayB));
  EXPECT_EQ(playLook(), 3);
  ASSERT_TRUE(user().releaseOn(w.imgPlayB));
  EXPECT_EQ(playLook(), 2);
  EXPECT_EQ(opened(), std::vector<std::string>{song(1, 2)});
  EXPECT_TRUE(w.isPlaying);
  EXPECT_EQ(w.MP1State, 2);

  pauseAfter(3000);
  EXPECT_EQ(mp1->playState(), PlayState::Paused);
  EXPECT_EQ(w.MP1State, 1);
  EXPECT_EQ(w.PausedOnAlbum, "01");
  EXPECT_EQ(w.PausedOnSong, "02");
  EXPECT_EQ(playLook(), 3);
  EXPECT_EQ(pauseLook(), 3);  // kept pressed while paused

  // A paused song is not an ended one, however long it waits.
  clock->advance(20000);
  EXPECT_EQ(opened().size(), 1u);
  EXPECT_DOUBLE_EQ(mp1->currentPosition(), 3.0);

  // Pressing play while paused is allowed; it resumes.
  mp1->clearCalls();
  press(w.imgPlayB);
  EXPECT_EQ(callsStartingWith("stop()").size(), 1u);
  EXPECT_EQ(callsStartingWith("play()").size(), 1u);
  EXPECT_TRUE(opened().empty());
  EXPECT_EQ(w.MP1State, 2);
  EXPECT_EQ(pauseLook(), 1);
  EXPECT_EQ(playLook(), 2);

  // Pressing play while playing does nothing.
  mp1->clearCalls();
  press(w.imgPlayB);
  EXPECT_TRUE(mp1->calls().empty());

  // The resumed song's end is seen: 7 s were left.
  expectEndSeenAfter(7000, 1);
  EXPECT_EQ(opened(), std::vector<std::string>{song(1, 3)});
}

// A sound device pulls its first samples after a resume up to a buffer
// later: until then the position still reads where the song paused, as it
// did at the watcher's ticks while paused.
TEST_F(Playback, AResumeRightBeforeTheWatchersTickIsNotTakenForTheSongsEnd) {
  for (std::int64_t early : {0, 5, 45}) {
    SCOPED_TRACE(early);
    restart();
    startWith(1, 3, 30);
    mp1->setResumeLatency(46);
    Form2& w = window();
    ASSERT_TRUE(user().dblClickOn(w.Label1(0)));
    ASSERT_GE(untilWatcherTicks(), 0);
    pauseAfter(300);
    // Paused through one tick; the next comes `early` ms after the resume.
    clock->advance(2 * kTick - 300 - early);
    press(w.imgPlayB);
    clock->advance(early + 1);
    EXPECT_EQ(opened(), std::vector<std::string>{song(1, 1)});
    EXPECT_TRUE(w.isPlaying);
    EXPECT_EQ(w.playingSngIdx, 0);
    // It plays on to its end, then the next song.
    clock->advance(kTick);
    EXPECT_EQ(opened().size(), 1u);
    EXPECT_GT(mp1->currentPosition(), 1.0);
  }
}

TEST_F(Playback, APausedSongOpensFromItsStartByADoubleClickOrWhenAnotherSongIsPlayed) {
  startWith(1, 3, 30);
  Form2& w = window();
  doubleClickSong(0);
  pauseAfter(5000);
  doubleClickSong(0);
  EXPECT_EQ(opened(), (std::vector<std::string>{song(1, 1), song(1, 1)}));
  EXPECT_DOUBLE_EQ(mp1->currentPosition(), 0.0);
  EXPECT_EQ(pauseLook(), 1);
  EXPECT_EQ(playLook(), 2);

  pauseAfter(5000);
  ASSERT_TRUE(user().clickOn(w.Label1(2)));
  press(w.imgPlayB);
  EXPECT_EQ(opened().back(), song(1, 3));
  EXPECT_EQ(w.MP1State, 2);
  EXPECT_EQ(pauseLook(), 1);
}

TEST_F(Playback, StopEndsAlbumPlayAndPlayStartsTheSelectedSongAfresh) {
  startWith(2, 3, 30);
  Form2& w = window();
  doubleClickSong(1);
  EXPECT_TRUE(w.Label5.Visible());
  EXPECT_TRUE(browser().Line1.Visible());  // the frame around the playing album's box
  clock->advance(4000);
  mp1->clearCalls();

  ASSERT_TRUE(user().pressOn(w.imgStopB));
  EXPECT_EQ(stopLook(), 3);
  EXPECT_EQ(playLook(), 1);
  ASSERT_TRUE(user().releaseOn(w.imgStopB));
  EXPECT_EQ(stopLook(), 2);
  EXPECT_EQ(mp1->calls(), (std::vector<std::string>{"stop()", "setCurrentPosition(0)", "setSwitch1017(false)"}));
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(w.MP1State, 0);
  EXPECT_EQ(nowPlaying(), std::vector<QString>(6));
  EXPECT_FALSE(w.Label5.Visible());
  EXPECT_FALSE(w.Label6.Visible());
  EXPECT_FALSE(browser().Line1.Visible());
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kSelected, kNormal}));
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "00")));

  // Nothing is taken for a song's end after a stop.
  clock->advance(10000);
  EXPECT_TRUE(opened().empty());

  press(w.imgPlayB);
  EXPECT_EQ(opened(), std::vector<std::string>{song(1, 2)});
  EXPECT_TRUE(w.isPlaying);
  EXPECT_LT(mp1->currentPosition(), 0.01);
}

TEST_F(Playback, StopWhileASongIsStillOpeningEndsAlbumPlayToo) {
  startWith(1, 3, 10);
  Form2& w = window();
  doubleClickSong(0);
  // No time has passed: the control still reads "opening".
  ASSERT_TRUE(user().pressOn(w.imgStopB));
  ASSERT_TRUE(user().releaseOn(w.imgStopB));
  EXPECT_EQ(mp1->playState(), PlayState::Stopped);
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(w.playingSngIdx, 0);
  EXPECT_EQ(nowPlaying(), std::vector<QString>(6));
  clock->advance(20000);
  EXPECT_EQ(opened().size(), 1u);
}

// ---------------------------------------------------------------------------
// Previous and next

TEST_F(Playback, PreviousAndNextMoveAlbumPlayAndTheSelectionFollowsTheSong) {
  startWith(1, 3, 30);
  Form2& w = window();
  doubleClickSong(0);
  ASSERT_TRUE(user().pressOn(w.imgFfB));
  EXPECT_EQ(nextLook(), 3);
  ASSERT_TRUE(user().releaseOn(w.imgFfB));
  EXPECT_EQ(nextLook(), 2);
  EXPECT_EQ(opened().back(), song(1, 2));
  EXPECT_EQ(w.OriginalSngIdx, 1);
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kPlaying, kNormal}));
  EXPECT_EQ(w.SongName, "02 - Song 02");
  EXPECT_EQ(w.Text1.Text(), "album 1 song 2\r\n");
  EXPECT_EQ(nowPlaying()[1], "02 - Song 02");
  EXPECT_EQ(nowPlaying()[4], "Playing Song number 02 :");

  // With the selection elsewhere, only the playing colour moves.
  ASSERT_TRUE(user().clickOn(w.Label1(2)));
  press(w.imgRewB);
  EXPECT_EQ(opened().back(), song(1, 1));
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kPlaying, kNormal, kSelected}));
  EXPECT_EQ(w.SongName, "03 - Song 03");
}

TEST_F(Playback, NeitherEndWraps) {
  const struct {
    const char* what;
    bool playing;
    int from;
    bool next;
    int lookAfter;  // pressed where there is nowhere to go
  } cases[] = {
      {"previous on the first song that plays", true, 0, false, 3},
      {"next on the last song that plays", true, 2, true, 3},
      {"previous on the first song selected", false, 0, false, 3},
      // The release of next looks at the song that plays; none does.
      {"next on the last song selected", false, 2, true, 2},
  };
  startWith(1, 3, 30);
  Form2& w = window();
  for (const auto& c : cases) {
    press(w.imgStopB);
    if (c.playing) doubleClickSong(c.from);
    else ASSERT_TRUE(user().clickOn(w.Label1(c.from)));
    const auto openedBefore = opened();
    press(c.next ? w.imgFfB : w.imgRewB);
    EXPECT_EQ(opened(), openedBefore) << c.what;
    EXPECT_EQ(w.selectedSngIdx, c.from) << c.what;
    EXPECT_EQ(w.SongName, w.Label1(c.from).Caption()) << c.what;
    EXPECT_EQ(w.playingSngIdx, c.playing ? c.from : 0) << c.what;
    EXPECT_EQ(w.isPlaying, c.playing) << c.what;
    EXPECT_EQ(c.next ? nextLook() : previousLook(), c.lookAfter) << c.what;
  }
}

TEST_F(Playback, WithNothingPlayingTheButtonsMoveTheSelectionOnly) {
  startWith(1, 3, 30);
  Form2& w = window();
  press(w.imgFfB);
  press(w.imgFfB);
  EXPECT_TRUE(opened().empty());
  EXPECT_EQ(w.SongName, "03 - Song 03");
  EXPECT_EQ(w.Text1.Text(), "album 1 song 3\r\n");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kSelected}));
  press(w.imgRewB);
  EXPECT_EQ(w.SongName, "02 - Song 02");
  EXPECT_EQ(previousLook(), 2);
  EXPECT_FALSE(w.isPlaying);
}

TEST_F(Playback, NextWhileASongOfNoAlbumPlaysStartsTheSelectedSongWithTheClock) {
  startWith(1, 3, 30);
  Form2& w = window();
  // What plays was not started by album play (a personal-list song).
  mp1->open(QString::fromStdString(song(1, 3)));
  clock->advance(1000);
  ASSERT_FALSE(w.isPlaying);
  press(w.imgFfB);
  EXPECT_EQ(opened().back(), song(1, 2));
  EXPECT_TRUE(w.isPlaying);
  EXPECT_TRUE(w.Timer2.Enabled());
  EXPECT_EQ(nowPlaying()[1], "02 - Song 02");
}

TEST_F(Playback, NextWhilePausedPlaysAndTheWatcherMovesOnAfterIt) {
  startWith(1, 3, 10);
  Form2& w = window();
  doubleClickSong(0);
  pauseAfter(2000);
  press(w.imgFfB);
  EXPECT_EQ(opened().back(), song(1, 2));
  EXPECT_EQ(w.MP1State, 2);
  EXPECT_EQ(playLook(), 2);
  EXPECT_EQ(pauseLook(), 1);
  expectEndSeenAfter(10000, 3);
  EXPECT_EQ(opened().back(), song(1, 3));
}

TEST_F(Playback, NextWhileAnotherAlbumIsShownLeavesThatAlbumsSelection) {
  startWith(2, 3, 30);
  Form2& w = window();
  doubleClickSong(0);
  open(2);
  ASSERT_TRUE(user().clickOn(w.Label1(2)));
  press(w.imgFfB);
  EXPECT_EQ(opened().back(), song(1, 2));
  EXPECT_EQ(w.SongName, "03 - Song 03");
  EXPECT_EQ(w.selectedSngIdx, 2);
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kNormal, kSelected}));

  // Played now, the label's song is the one that plays and is named.
  press(w.imgStopB);
  press(w.imgPlayB);
  EXPECT_EQ(opened().back(), song(2, 3));
  EXPECT_EQ(nowPlaying()[1], "03 - Song 03");
  EXPECT_EQ(nowPlaying()[0], "02 - Album 2");
}

// ---------------------------------------------------------------------------
// The song-end watcher

TEST_F(Playback, ASongHasEndedWhenItsPositionStoodStillBetweenTwoTicks) {
  startWith(1, 3, 4);
  doubleClickSong(0);
  expectEndSeenAfter(4000, 2);
  EXPECT_EQ(opened().back(), song(1, 2));
  EXPECT_EQ(window().OriginalSngIdx, 1);
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kPlaying, kNormal}));
  EXPECT_EQ(nowPlaying()[5], "Song 02");
  EXPECT_EQ(browser().Caption(), "Summer Songs - Album 1 - Song 02");
  EXPECT_EQ(player->form3().Caption(), browser().Caption());
}

TEST_F(Playback, ASongThatDoesNotPlayIsPassedOverUnlessTheWatcherHasNotYetSeenTheStart) {
  startWith(1, 3, 30);
  mp1->setUnplayable(QString::fromStdString(song(1, 1)));
  Form2& w = window();
  doubleClickSong(0);
  w.firstFileOpen = true;
  clock->advance(kTick);
  EXPECT_EQ(opened().size(), 1u);
  EXPECT_FALSE(w.firstFileOpen);
  clock->advance(kTick);
  EXPECT_EQ(opened().back(), song(1, 2));
}

TEST_F(Playback, SongsAreFoundWithoutRegardToCaseAndAnHtsSongIsAskedForAsMp3) {
  writeTypicalCollection(1);
  addFiles("01 - Album 1", {"01 - blue MOON.mp3", "02 - night.HTS", "03 - DAWN.Mp3"});
  start();
  mp1->setDefaultSongLength(5);
  finishAnimation();
  open(1);
  const fs::path album = disc / "01 - Album 1";
  mp1->setUnplayable(QString::fromStdString((album / "02 - night.mp3").string()));
  doubleClickSong(0);
  EXPECT_EQ(opened().back(), (album / "01 - blue MOON.mp3").string());
  EXPECT_EQ(browser().List1.List(1), "02 - night");
  ASSERT_GE(untilOpened(2), 0);
  EXPECT_EQ(opened().back(), (album / "02 - night.mp3").string());
  EXPECT_EQ(nowPlaying()[1], "02 - Night");
  const std::int64_t took = untilOpened(3);
  EXPECT_GT(took, 0);
  EXPECT_LE(took, 2 * kTick);
  EXPECT_EQ(opened().back(), (album / "03 - DAWN.Mp3").string());
}

TEST_F(Playback, PlayAllRestartsAFirstSongThatNeverGotGoingOnceTheControlHasTakenTheOpen) {
  startWith(1, 3, 30);
  mp1->setUnplayable(QString::fromStdString(song(1, 1)));
  Form2& w = window();
  switchPlayAllOn();
  press(w.imgPlayB);
  ASSERT_GE(until([&] { return !w.Timer1.Enabled() || w.beenPlying; }, 2 * kTick, 1), 0);
  EXPECT_FALSE(w.Timer1.Enabled());
  EXPECT_TRUE(w.Timer5.Enabled());
  EXPECT_FALSE(w.beenPlying);
  EXPECT_EQ(opened(), (std::vector<std::string>{song(1, 1), song(1, 1)}));
  EXPECT_EQ(w.firstSngPlying, "01 - Song 01.mp3");
  // The restart's open is taken once the control reads "opening".
  clock->advance(platform::kSystemTickMs);
  EXPECT_TRUE(w.Timer1.Enabled());
  EXPECT_FALSE(w.Timer5.Enabled());
  EXPECT_TRUE(w.beenPlying);
  // Still standing, it is passed over like any song.
  EXPECT_GE(untilOpened(3, 2 * kTick), 0);
  EXPECT_EQ(opened().back(), song(1, 2));
}

TEST_F(Playback, AControlThatNeverReadsOpeningLeavesTheWatcherOffAfterARestart) {
  makeControl = [](platform::Clock& c) { return std::make_unique<NeverOpeningControl>(c); };
  startWith(1, 3, 30);
  mp1->setUnplayable(QString::fromStdString(song(1, 1)));
  Form2& w = window();
  switchPlayAllOn();
  press(w.imgPlayB);
  ASSERT_GE(untilOpened(2, 2 * kTick), 0);
  clock->advance(30000);
  EXPECT_FALSE(w.Timer1.Enabled());
  EXPECT_TRUE(w.Timer5.Enabled());
  EXPECT_EQ(opened().size(), 2u);
}

TEST_F(Playback, ADoubleClickOnTheFirstSongWithPlayAllNeedsNoRestart) {
  startWith(1, 3, 30);
  mp1->setUnplayable(QString::fromStdString(song(1, 1)));
  switchPlayAllOn();
  doubleClickSong(0);
  EXPECT_TRUE(window().beenPlying);
  ASSERT_GE(untilOpened(2, 2 * kTick), 0);
  EXPECT_EQ(opened().back(), song(1, 2));
}

TEST_F(Playback, PlayAllGoesFromAlbumToAlbumAndFromTheLastBackToTheFirst) {
  startWith(2, 2, 5);
  Form2& w = window();
  Form1& b = browser();
  switchPlayAllOn();
  open(2);
  doubleClickSong(1);
  ASSERT_GE(untilOpened(2), 0);
  EXPECT_EQ(opened().back(), song(1, 1));
  EXPECT_EQ(b.Album, 1);
  EXPECT_EQ(b.theAlbum, "01 - Album 1");
  EXPECT_EQ(w.OriginalAlbum, "01 - Album 1");
  EXPECT_EQ(w.OriginalAlbumIdx, 1);
  EXPECT_EQ(w.namLBL.Caption(), "Summer Songs - Album 1");
  EXPECT_EQ(b.File1.Path().toStdString(), (disc / "01 - Album 1").string());
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kPlaying, kNormal}));
  EXPECT_EQ(w.Text1.Text(), "album 1 song 1\r\n");
  EXPECT_EQ(nowPlaying(), (std::vector<QString>{"01 - Album 1", "01 - Song 01", "Playing Album number 01 :",
                                                "Album 1", "Playing Song number 01 :", "Song 01"}));
  EXPECT_EQ(b.Label8.Caption(), "Album 1");
  EXPECT_EQ(b.Caption(), "Summer Songs - Album 1 - Song 01");
  EXPECT_EQ(player->form3().Caption(), b.Caption());
  EXPECT_TRUE(b.mainIMG.Picture() == b.Image1(0).Picture());
  EXPECT_TRUE(b.Line1.Visible());
  EXPECT_EQ(b.Line1.X1(), b.Image1(0).Left() - 30);
  // Neither window was brought up or hidden by it.
  EXPECT_TRUE(w.Visible());

  ASSERT_GE(untilOpened(4), 0);
  EXPECT_EQ(opened(), (std::vector<std::string>{song(2, 2), song(1, 1), song(1, 2), song(2, 1)}));
  EXPECT_EQ(b.Line1.X1(), b.Image1(1).Left() - 30);
  EXPECT_EQ(nowPlaying()[0], "02 - Album 2");
  EXPECT_TRUE(w.isPlaying);
}

TEST_F(Playback, PlayAllShowsTheAlbumThatPlaysInTheBrowserByItsCasedName) {
  writeProjectData(projectData());
  addFiles("01 - ROCK classics", {"01 - One.mp3"});
  addFiles("02 - jazz NIGHTS", {"01 - Two.mp3"});
  start();
  mp1->setDefaultSongLength(5);
  finishAnimation();
  open(1);
  switchPlayAllOn();
  doubleClickSong(0);
  EXPECT_EQ(browser().Label8.Caption(), "Rock classics");
  ASSERT_GE(untilOpened(2), 0);
  EXPECT_EQ(browser().theAlbum, "02 - jazz NIGHTS");
  EXPECT_EQ(browser().Label8.Caption(), "Jazz nights");
  // And from the last album back to the first.
  ASSERT_GE(untilOpened(3), 0);
  EXPECT_EQ(browser().Label8.Caption(), "Rock classics");
}

TEST_F(Playback, WithoutPlayAllTheEndOfTheAlbumEndsPlay) {
  startWith(1, 2, 5);
  Form2& w = window();
  doubleClickSong(0);
  press(w.imgFfB);
  clock->advance(30000);
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(mp1->playState(), PlayState::Stopped);
  EXPECT_EQ(mp1->calls().back(), "stop()");
  EXPECT_EQ(opened().size(), 2u);
  EXPECT_EQ(nowPlaying(), std::vector<QString>(6));
  EXPECT_FALSE(w.Label5.Visible());
  EXPECT_FALSE(w.Label6.Visible());
  EXPECT_EQ(playLook(), 1);
  EXPECT_FALSE(browser().Line1.Visible());
  EXPECT_EQ(w.OriginalAlbum, "");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kSelected, kNormal}));
  EXPECT_EQ(w.Text1.Text(), "album 1 song 1\r\n");
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "00")));
  EXPECT_FALSE(w.Timer2.Enabled());
}

TEST_F(Playback, AnAlbumThatEndsWhileAnotherIsShownLeavesThatAlbumsSelection) {
  startWith(2, 2, 5);
  Form2& w = window();
  doubleClickSong(1);
  open(2);
  ASSERT_TRUE(user().clickOn(w.Label1(1)));
  clock->advance(30000);
  EXPECT_FALSE(w.isPlaying);
  EXPECT_EQ(w.SongName, "02 - Song 02");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kSelected}));
}

// ---------------------------------------------------------------------------
// The clock

TEST_F(Playback, TheClockCountsTheSongsPlayingTime) {
  startWith(1, 3, 200);
  Form2& w = window();
  doubleClickSong(0);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "00")));
  clock->advance(61000);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("01", "01")));
  EXPECT_EQ(browser().sec, 1);
  EXPECT_EQ(browser().min, 1);

  press(w.imgPauseB);
  clock->advance(5000);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("01", "01")));
  press(w.imgPlayB);
  clock->advance(2000);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("01", "03")));

  press(w.imgFfB);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "00")));
  clock->advance(3000);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "03")));

  press(w.imgStopB);
  EXPECT_EQ(clockShown(), (std::pair<QString, QString>("00", "00")));
  EXPECT_FALSE(w.Timer2.Enabled());
}

// ---------------------------------------------------------------------------
// The buttons' looks under the pointer

TEST_F(Playback, ThePointerOverTheWindowOrThePauseButtonGivesTheOtherButtonsTheirRestLooks) {
  startWith(1, 3, 30);
  Form2& w = window();
  ASSERT_TRUE(user().moveTo(bareFrame()));
  EXPECT_EQ(playLook(), 1);

  doubleClickSong(0);
  press(w.imgFfB);
  press(w.imgStopB);
  ASSERT_EQ(nextLook(), 2);
  ASSERT_EQ(stopLook(), 2);
  ASSERT_TRUE(user().moveTo(user().middleOf(w.imgPauseB)));
  EXPECT_EQ(nextLook(), 1);
  EXPECT_EQ(stopLook(), 1);
  EXPECT_EQ(playLook(), 1);

  doubleClickSong(2);
  press(w.imgRewB);
  ASSERT_EQ(previousLook(), 2);
  ASSERT_TRUE(user().moveTo(bareFrame()));
  EXPECT_EQ(previousLook(), 1);
  EXPECT_EQ(playLook(), 2);  // lit while album play is on

  pauseAfter(300);
  ASSERT_EQ(pauseLook(), 3);
  ASSERT_TRUE(user().moveTo(bareFrame()));
  EXPECT_EQ(pauseLook(), 3);  // the pause keeps its look
  EXPECT_EQ(playLook(), 2);
}

// ---------------------------------------------------------------------------
// Sliders, step buttons, readouts

TEST_F(Playback, TheReadoutsShowTheSlidersValues) {
  startWith(1, 1);
  Form2& w = window();
  const struct {
    int volume;
    const char* shown;
  } volumes[] = {{-600, " Volume: 90"}, {-5994, " Volume: 0.1"}, {-5995, " Volume: 0"},
                 {-6000, " Volume: 0"}, {0, " Volume: 100"},    {-3003, " Volume: 49.9"}};
  for (const auto& c : volumes) {
    w.scrlVOL.setValue(c.volume);
    clock->advance(platform::kSystemTickMs);
    EXPECT_EQ(w.Label3.Caption(), c.shown) << c.volume;
  }
  for (int balance : {-10000, 0, 2500}) {
    w.scrlBAL.setValue(balance);
    clock->advance(platform::kSystemTickMs);
    EXPECT_EQ(w.Label9.Caption(), " Balance: " + QString::number(balance));
  }
}

TEST_F(Playback, DraggingThePositionThumbSeeksAndAClickOnTheTrackDoesNot) {
  startWith(1, 1, 100);
  Form2& w = window();
  doubleClickSong(0);
  clock->advance(1000);
  ASSERT_EQ(w.scrlT.Max(), 100);
  ASSERT_EQ(w.scrlT.Value(), 1);

  const QRect thumb = sliderPart(w.scrlT, QStyle::SC_ScrollBarSlider);
  const QPointF from = user().pointIn(w.scrlT, QPointF(thumb.center()) * 15);
  ASSERT_TRUE(user().pressAt(from));
  ASSERT_TRUE(user().moveTo(from + QPointF(60 * 15, 0)));
  ASSERT_TRUE(user().releaseAt(from + QPointF(60 * 15, 0)));
  const int dragged = w.scrlT.Value();
  EXPECT_GT(dragged, 10);
  ASSERT_FALSE(callsStartingWith("setCurrentPosition").empty());
  EXPECT_EQ(callsStartingWith("setCurrentPosition").back(), "setCurrentPosition(" + std::to_string(dragged) + ")");
  EXPECT_NEAR(mp1->currentPosition(), dragged, 0.01);

  mp1->clearCalls();
  const QRect track = sliderPart(w.scrlT, QStyle::SC_ScrollBarAddPage);
  ASSERT_TRUE(user().clickAt(user().pointIn(w.scrlT, QPointF(track.center()) * 15)));
  EXPECT_NE(w.scrlT.Value(), dragged);
  EXPECT_TRUE(callsStartingWith("setCurrentPosition").empty());
  clock->advance(platform::kSystemTickMs);
  EXPECT_EQ(w.scrlT.Value(), dragged);  // back where play is
}

TEST_F(Playback, OnlyDraggingTheVolumeOrBalanceThumbReachesTheControl) {
  startWith(1, 1, 100);
  Form2& w = window();
  const struct {
    controls::HScrollBar& slider;
    const char* call;
    controls::Label& readout;
    controls::Label& other;
  } sliders[] = {{w.scrlVOL, "setVolume", w.Label3, w.Label9}, {w.scrlBAL, "setBalance", w.Label9, w.Label3}};
  for (const auto& s : sliders) {
    if (s.readout.Visible()) w.setView();
    mp1->setVisible(true);
    mp1->clearCalls();
    const int before = s.slider.Value();
    const QRect track = sliderPart(s.slider, QStyle::SC_ScrollBarSubPage);
    ASSERT_TRUE(user().clickAt(user().pointIn(s.slider, QPointF(track.center()) * 15))) << s.call;
    EXPECT_NE(s.slider.Value(), before) << s.call;
    EXPECT_TRUE(callsStartingWith(s.call).empty()) << s.call;

    const QRect thumb = sliderPart(s.slider, QStyle::SC_ScrollBarSlider);
    const QPointF from = user().pointIn(s.slider, QPointF(thumb.center()) * 15);
    ASSERT_TRUE(user().pressAt(from));
    ASSERT_TRUE(user().moveTo(from + QPointF(40 * 15, 0)));
    ASSERT_TRUE(user().releaseAt(from + QPointF(40 * 15, 0)));
    ASSERT_FALSE(callsStartingWith(s.call).empty()) << s.call;
    EXPECT_EQ(callsStartingWith(s.call).back(), std::string(s.call) + "(" + std::to_string(s.slider.Value()) + ")");
    EXPECT_TRUE(s.readout.Visible()) << s.call;
    EXPECT_FALSE(s.other.Visible()) << s.call;
    EXPECT_FALSE(mp1->isVisible()) << s.call;
  }
}

TEST_F(Playback, TheStepButtonsSetTheControlAndTheSliderTogether) {
  startWith(1, 1, 100);
  Form2& w = window();
  const struct {
    controls::CommandButton& button;
    controls::OleColor colour;
    bool volume;
    int value;
  } steps[] = {
      {w.Command7, 0xFF8080, true, -6000}, {w.Command8, 0x8000000D, true, 0},  {w.Command9, 0xC000, false, -10000},
      {w.Command10, 0x80FF, false, 0},     {w.Command11, 0x80FFFF, false, 10000},
  };
  for (const auto& s : steps) {
    if (s.volume == w.Label3.Visible()) w.setView();  // the other readout first
    mp1->setVisible(true);
    press(s.button);
    EXPECT_EQ(s.button.BackColor(), s.colour);
    EXPECT_EQ(s.volume ? mp1->volume() : mp1->balance(), s.value);
    EXPECT_EQ((s.volume ? w.scrlVOL : w.scrlBAL).Value(), s.value);
    EXPECT_EQ(w.Label3.Visible(), s.volume);
    EXPECT_EQ(w.Label9.Visible(), !s.volume);
    EXPECT_FALSE(mp1->isVisible());
    EXPECT_EQ(w.widget()->focusWidget(), w.scrlT.widget());
  }
  clock->advance(platform::kSystemTickMs);
  EXPECT_EQ(w.Label3.Caption(), " Volume: 100");
  EXPECT_EQ(w.Label9.Caption(), " Balance: 10000");
}

TEST_F(Playback, TheSkipButtonsMoveTheSongsPosition) {
  const struct {
    const char* what;
    bool pause;
    int at;
    double expected;
  } cases[] = {
      {"playing, a tenth on", false, 50, 60},
      {"playing, near the end", false, 95, 99},
      {"paused, a tenth on", true, 10, 20},
      {"paused, near the end", true, 91, 99},
  };
  startWith(1, 1, 100);
  Form2& w = window();
  doubleClickSong(0);
  clock->advance(300);
  for (const auto& c : cases) {
    mp1->setCurrentPosition(c.at);
    if (c.pause) press(w.imgPauseB);
    press(w.Command13);
    EXPECT_NEAR(mp1->currentPosition(), c.expected, 1e-9) << c.what;
    EXPECT_EQ(w.widget()->focusWidget(), w.scrlT.widget()) << c.what;
    if (c.pause) press(w.imgPlayB);
  }
  clock->advance(2000);
  press(w.Command12);
  EXPECT_DOUBLE_EQ(mp1->currentPosition(), 0.0);
  EXPECT_EQ(w.scrlT.Value(), 0);
}

TEST_F(Playback, TheSkipButtonWithNothingPlayedGoesToOneSecondBeforeTheEnd) {
  startWith(1, 1, 100);
  mp1->open(QString::fromStdString(song(1, 1)));
  mp1->clearCalls();
  press(window().Command13);
  EXPECT_EQ(mp1->calls().front(), "setCurrentPosition(99)");
}

TEST_F(Playback, ThePositionSliderFollowsPlay) {
  startWith(1, 1, 100);
  Form2& w = window();
  EXPECT_EQ(w.scrlT.Min(), -1);
  EXPECT_EQ(w.scrlT.Max(), 1000);
  doubleClickSong(0);
  clock->advance(2600);
  EXPECT_EQ(w.scrlT.Min(), 0);
  EXPECT_EQ(w.scrlT.Max(), 100);
  EXPECT_EQ(w.scrlT.Value(), 3);  // 2.6 s, to the nearest second
  press(w.imgPauseB);
  clock->advance(platform::kSystemTickMs);
  EXPECT_EQ(w.scrlT.Min(), -1);
  EXPECT_EQ(w.scrlT.Max(), 100);  // kept while paused
  EXPECT_EQ(w.scrlT.Value(), 3);
}

// ---------------------------------------------------------------------------
// Back to the browser

TEST_F(Playback, ThePictureLeadsBackToTheBrowserAndPlayGoesOn) {
  startWith(1, 2, 30);
  Form2& w = window();
  doubleClickSong(0);
  clock->advance(300);
  press(w.Image3);
  EXPECT_FALSE(w.Visible());
  EXPECT_TRUE(browser().Visible());
  EXPECT_EQ(mp1->playState(), PlayState::Playing);
  EXPECT_EQ(browser().Label5.Caption(), "Album 1");
  EXPECT_EQ(browser().Label4.Caption(), "Song 01");
}

}  // namespace
}  // namespace player::testing_support
