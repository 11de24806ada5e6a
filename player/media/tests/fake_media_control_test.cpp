#include "fake_media_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "manual_clock.h"

using namespace media;
using media_testing::ManualClock;
using testing::ElementsAre;

namespace {

class FakeMediaControlTest : public testing::Test {
 protected:
  ManualClock clock_;
  FakeMediaControl control_{clock_};
};

TEST_F(FakeMediaControlTest, RecordsEveryCommandInOrderAndNoReads) {
  control_.setRect(120, 240, 480, 375);
  control_.setSwitch1017(true);
  control_.setSwitch1018(true);
  control_.stop();
  control_.open("/disc/01 - Songs/01 - First.mp3");
  control_.setVolume(-600);
  control_.setBalance(-10000);
  control_.setVisible(false);
  control_.setCurrentPosition(12.5);
  control_.pause();
  control_.play();
  control_.setSwitch1017(false);
  (void)control_.playState();
  (void)control_.currentPosition();
  (void)control_.duration();

  EXPECT_THAT(control_.calls(),
              ElementsAre("setRect(120,240,480,375)", "setSwitch1017(true)", "setSwitch1018(true)", "stop()",
                          "open(/disc/01 - Songs/01 - First.mp3)", "setVolume(-600)", "setBalance(-10000)",
                          "setVisible(false)", "setCurrentPosition(12.5)", "pause()", "play()",
                          "setSwitch1017(false)"));
  EXPECT_EQ(control_.openedPath(), "/disc/01 - Songs/01 - First.mp3");
  EXPECT_EQ(control_.volume(), -600);
  EXPECT_EQ(control_.balance(), -10000);
  EXPECT_FALSE(control_.switch1017());
  EXPECT_TRUE(control_.switch1018());
  EXPECT_EQ(control_.width(), 480);
  EXPECT_FALSE(control_.isVisible());

  control_.clearCalls();
  EXPECT_TRUE(control_.calls().empty());
}

TEST_F(FakeMediaControlTest, ThePositionRunsWithTheClockOnlyWhilePlaying) {
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.0);
  control_.play();
  clock_.advance(1000);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.0) << "nothing opened";

  control_.setSongLength("a.mp3", 10.0);
  control_.open("a.mp3");
  EXPECT_DOUBLE_EQ(control_.duration(), 10.0);
  clock_.advance(1500);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 1.5);

  control_.pause();
  clock_.advance(2000);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 1.5);
  control_.play();
  clock_.advance(500);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 2.0);

  control_.stop();
  clock_.advance(2000);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 2.0);
  control_.play();
  clock_.advance(250);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 2.25) << "play after a stop goes on from there";

  control_.setCurrentPosition(9.0);
  clock_.advance(5000);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 10.0) << "stands still at the end";
  control_.setCurrentPosition(-1.0);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.0);
}

TEST_F(FakeMediaControlTest, PlayStatesFollowTheRealControl) {
  control_.pause();
  EXPECT_EQ(control_.playState(), PlayState::Stopped);

  control_.open("a.mp3");
  clock_.advance(5000);
  EXPECT_EQ(control_.playState(), PlayState::Opening) << "counted from the first look";
  clock_.advance(OpeningHold::kHoldMs);
  EXPECT_EQ(control_.playState(), PlayState::Playing);

  control_.pause();
  EXPECT_EQ(control_.playState(), PlayState::Paused);
  control_.play();
  EXPECT_EQ(control_.playState(), PlayState::Playing);
  control_.stop();
  EXPECT_EQ(control_.playState(), PlayState::Stopped);
}

TEST_F(FakeMediaControlTest, AnUnplayableSongStandsStillAtZero) {
  control_.setDefaultSongLength(200.0);
  control_.open("good.mp3");
  clock_.advance(3000);
  control_.setUnplayable("bad.mp3");
  control_.open("bad.mp3");
  EXPECT_EQ(control_.playState(), PlayState::Opening);
  EXPECT_DOUBLE_EQ(control_.duration(), 0.0);
  clock_.advance(3000);
  control_.setCurrentPosition(5.0);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.0);
  EXPECT_EQ(control_.playState(), PlayState::Playing);

  control_.open("next.mp3");
  EXPECT_DOUBLE_EQ(control_.duration(), 200.0);
}

}  // namespace
