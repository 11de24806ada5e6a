// The player window's slider and readout refresh: once per system tick while
// the window is shown, resting while it is hidden (the browser in front),
// and caught up the moment the window comes back.
#include <gtest/gtest.h>

#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

class WindowRefresh : public PlayWindowTest {
 protected:
  // The ticks of every timer of the player over `ms`.
  std::uint64_t ticksOver(std::int64_t ms) {
    const std::uint64_t before = clock->ticksFired();
    clock->advance(ms);
    return clock->ticksFired() - before;
  }
  void playFirstSong() { ASSERT_TRUE(user().dblClickOn(window().Label1(0))); }
  void backToTheBrowser() { press(window().Image3); }
  void openAgainFromTheBrowser() {
    controls::WindowInput browserUser(browser());
    ASSERT_TRUE(browserUser.clickOn(browser().mainIMG));
    ASSERT_TRUE(window().Visible());
  }
};

TEST_F(WindowRefresh, RestsWhileOnlyTheBrowserIsShownAndTicksOncePerSystemTickInTheWindow) {
  writeSongAlbums(1, 2);
  start();
  finishAnimation();
  Form2& w = window();
  ASSERT_FALSE(w.Visible());
  // Only the song-end watcher wakes the idle browser.
  EXPECT_EQ(ticksOver(15000), static_cast<std::uint64_t>(15000 / kTick));
  EXPECT_TRUE(w.Timer3.Enabled());
  EXPECT_EQ(w.Timer3.Interval(), 1);

  open(1);
  EXPECT_EQ(ticksOver(3000), static_cast<std::uint64_t>(3000 / platform::kSystemTickMs + 3000 / kTick));

  playFirstSong();
  clock->advance(1000);
  backToTheBrowser();
  ASSERT_FALSE(w.Visible());
  ASSERT_EQ(mp1->playState(), media::PlayState::Playing);
  // The song plays on, watched and timed, but unseen.
  EXPECT_EQ(ticksOver(3000), static_cast<std::uint64_t>(3000 / kTick + 3000 / 1000));
  EXPECT_TRUE(w.Timer3.Enabled());
}

TEST_F(WindowRefresh, TheWindowShowsWhereTheSongIsTheMomentItComesBack) {
  startWith(1, 1, 100);
  Form2& w = window();
  playFirstSong();
  clock->advance(2000);
  ASSERT_EQ(w.scrlT.Value(), 2);
  ASSERT_EQ(w.scrlT.Max(), 100);
  backToTheBrowser();
  clock->advance(20000);
  openAgainFromTheBrowser();
  EXPECT_EQ(w.scrlT.Value(), 22);

  // The song ended while the browser was in front: the slider is back at
  // its idle range at once.
  backToTheBrowser();
  clock->advance(90000);
  openAgainFromTheBrowser();
  EXPECT_EQ(w.scrlT.Min(), -1);
  EXPECT_EQ(w.scrlT.Max(), 1000);
}

}  // namespace
}  // namespace player::testing_support
