#include "audio_media_control.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "mpg123_decoder.h"
#include "gain_case.h"
#include "tone_mp3.h"

using namespace media;
using namespace std::chrono_literals;
using media_testing::kToneRate;
using media_testing::writeToneMp3;

namespace {

// One MP3 frame: what the length may be off by.
constexpr double kMp3Frame = 1152.0 / kToneRate;

class SongFolder {
 public:
  SongFolder() {
    EXPECT_TRUE(writeToneMp3(std::filesystem::path(path("tone.mp3").toStdString()), 2.0));
    std::ofstream(path("words.mp3").toStdString()) << "Not a song at all, only words.\r\n";
  }
  QString path(const char* name) const { return dir_.filePath(name); }

 private:
  QTemporaryDir dir_;
};

// ---- Against an output that the test pulls by hand -------------------------

struct HandPulledDevice {
  bool refuses = false;
  int opens = 0;
  bool running = false;
  AudioFormat format;
  AudioOutput::Pull pull;

  // What one device callback of `frames` frames would hand over; nothing while not running.
  std::vector<float> take(std::size_t frames) {
    if (!running || !pull) return {};
    std::vector<float> samples(frames * static_cast<std::size_t>(format.channels), 42.0f);
    pull(samples.data(), frames);
    return samples;
  }
};

class HandPulledOutput : public AudioOutput {
 public:
  explicit HandPulledOutput(HandPulledDevice& device) : device_(device) {}
  bool open(const AudioFormat& format, Pull pull) override {
    close();
    if (device_.refuses) return false;
    ++device_.opens;
    device_.format = format;
    device_.pull = std::move(pull);
    return true;
  }
  void close() override {
    device_.pull = nullptr;
    device_.running = false;
  }
  void setRunning(bool running) override { device_.running = running; }

 private:
  HandPulledDevice& device_;
};

class HandPulledControlTest : public testing::Test {
 protected:
  HandPulledControlTest()
      : control_(std::make_unique<HandPulledOutput>(device_), [] { return std::make_unique<Mpg123Decoder>(); }) {}

  // Peak level of the left and the right side over `frames` pulled frames.
  std::pair<float, float> peaks(std::size_t frames) {
    const std::vector<float> samples = device_.take(frames);
    float left = 0, right = 0;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
      left = std::max(left, std::abs(samples[i]));
      right = std::max(right, std::abs(samples[i + 1]));
    }
    return {left, right};
  }

  SongFolder songs_;
  HandPulledDevice device_;
  AudioMediaControl control_;
};

TEST_F(HandPulledControlTest, ThePositionCountsTheFramesHandedToTheDevice) {
  control_.open(songs_.path("tone.mp3"));
  ASSERT_TRUE(device_.running) << "an open starts play without a further call";
  device_.take(kToneRate / 10);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.1);

  control_.pause();
  EXPECT_FALSE(device_.running);
  control_.play();
  device_.take(kToneRate / 10);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.2);

  control_.stop();
  EXPECT_FALSE(device_.running);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.2);
  control_.open(songs_.path("tone.mp3"));
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.0) << "an open starts from the beginning";
  EXPECT_EQ(device_.opens, 1) << "the device stays open for a song of the same format";
}

TEST_F(HandPulledControlTest, VolumeAndBalanceShapeWhatThePullHandsOver) {
  control_.open(songs_.path("tone.mp3"));
  device_.take(kToneRate / 10);  // past the encoder's fade-in
  const auto [full, fullRight] = peaks(2048);
  ASSERT_GT(full, 0.3f);
  EXPECT_NEAR(fullRight, full, 1e-3);

  const media_testing::GainCase cases[] = {
      {-2000, 0, 0.1f, 0.1f},
      {-2000, 10000, 0.0f, 0.1f},
      {0, -10000, 1.0f, 0.0f},
      {0, 0, 1.0f, 1.0f},
  };
  for (const media_testing::GainCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "volume " << c.volume << ", balance " << c.balance);
    control_.setVolume(c.volume);
    control_.setBalance(c.balance);
    const auto [left, right] = peaks(2048);
    EXPECT_NEAR(left, full * c.left, 0.02f * full);
    EXPECT_NEAR(right, full * c.right, 0.02f * full);
  }
}

TEST_F(HandPulledControlTest, TheEndOfTheSongIsSilenceAndThePositionStands) {
  control_.open(songs_.path("tone.mp3"));
  control_.setCurrentPosition(control_.duration() - 100.0 / kToneRate);
  const std::vector<float> samples = device_.take(1000);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), control_.duration());
  EXPECT_TRUE(std::all_of(samples.begin() + 200, samples.end(), [](float s) { return s == 0.0f; }))
      << "nothing but silence after the song";
  device_.take(1000);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), control_.duration());
  EXPECT_NE(control_.playState(), PlayState::Stopped) << "the end of a song is no stop";
}

TEST_F(HandPulledControlTest, ASongTheDeviceRefusesDoesNotPlay) {
  device_.refuses = true;
  control_.open(songs_.path("tone.mp3"));
  EXPECT_EQ(control_.playState(), PlayState::Opening) << "album play waits for this after every open";
  EXPECT_DOUBLE_EQ(control_.duration(), 0.0);
  EXPECT_DOUBLE_EQ(control_.currentPosition(), 0.0);

  device_.refuses = false;
  control_.open(songs_.path("tone.mp3"));
  EXPECT_TRUE(device_.running) << "the next open tries the device again";
}

// ---- In real time, through SDL (its dummy driver in the tests) -------------

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 1500ms) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

class RealTimeControlTest : public testing::Test {
 protected:
  // A device that takes audio at real speed on any machine, unless the run
  // names another; SDL reads this once, at its first open.
  static void SetUpTestSuite() { ::setenv("SDL_AUDIODRIVER", "dummy", 0); }

  // Opens the tone and waits until it is audibly under way.
  void startTone() {
    control_.open(songs_.path("tone.mp3"));
    ASSERT_TRUE(waitUntil([&] { return control_.currentPosition() > 0.05; })) << "the position never moved";
  }

  // The position over a short wait: it must not move.
  void expectStandingStill(double expected) {
    EXPECT_DOUBLE_EQ(control_.currentPosition(), expected);
    std::this_thread::sleep_for(150ms);
    EXPECT_DOUBLE_EQ(control_.currentPosition(), expected);
  }

  SongFolder songs_;
  AudioMediaControl control_;
};

TEST_F(RealTimeControlTest, BeforeAnyOpenNothingMoves) {
  EXPECT_EQ(control_.playState(), PlayState::Stopped);
  EXPECT_DOUBLE_EQ(control_.duration(), 0.0);
  control_.play();
  control_.pause();
  control_.setCurrentPosition(1.0);
  EXPECT_EQ(control_.playState(), PlayState::Stopped);
  expectStandingStill(0.0);
}

TEST_F(RealTimeControlTest, AnOpenReadsOpeningThenPlaysInRealTime) {
  const auto openedAt = std::chrono::steady_clock::now();
  control_.open(songs_.path("tone.mp3"));
  EXPECT_EQ(control_.playState(), PlayState::Opening);
  EXPECT_NEAR(control_.duration(), 2.0, kMp3Frame);
  ASSERT_TRUE(waitUntil([&] { return control_.playState() == PlayState::Playing; }));

  ASSERT_TRUE(waitUntil([&] { return control_.currentPosition() >= 0.3; }));
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - openedAt).count();
  // The device takes a buffer ahead of what it has played, and no more.
  EXPECT_LT(control_.currentPosition(), elapsed + 0.2);
}

TEST_F(RealTimeControlTest, PauseAndStopHoldThePositionAndPlayGoesOnFromThere) {
  startTone();
  control_.pause();
  EXPECT_EQ(control_.playState(), PlayState::Paused);
  const double paused = control_.currentPosition();
  expectStandingStill(paused);

  control_.play();
  EXPECT_EQ(control_.playState(), PlayState::Playing) << "only an open goes through Opening";
  EXPECT_GE(control_.currentPosition(), paused);
  ASSERT_TRUE(waitUntil([&] { return control_.currentPosition() > paused + 0.05; }));

  control_.stop();
  EXPECT_EQ(control_.playState(), PlayState::Stopped);
  const double stopped = control_.currentPosition();
  expectStandingStill(stopped);
  control_.pause();
  EXPECT_EQ(control_.playState(), PlayState::Stopped) << "nothing to pause";

  control_.play();
  EXPECT_GE(control_.currentPosition(), stopped) << "play after a stop does not start over";
  EXPECT_TRUE(waitUntil([&] { return control_.currentPosition() > stopped + 0.05; }));
}

TEST_F(RealTimeControlTest, WritingThePositionMovesPlay) {
  startTone();
  control_.setCurrentPosition(1.0);
  EXPECT_GE(control_.currentPosition(), 1.0);
  EXPECT_TRUE(waitUntil([&] { return control_.currentPosition() > 1.05; }));

  control_.pause();
  for (const auto& [written, read] : {std::pair{0.5, 0.5}, {-3.0, 0.0}, {60.0, 2.0}}) {
    control_.setCurrentPosition(written);
    EXPECT_DOUBLE_EQ(control_.currentPosition(), read) << "written " << written;
  }
  EXPECT_EQ(control_.playState(), PlayState::Paused);
}

TEST_F(RealTimeControlTest, ThePositionStandsStillAtTheEndOfTheSong) {
  startTone();
  control_.setCurrentPosition(control_.duration() - 0.1);
  ASSERT_TRUE(waitUntil([&] { return control_.currentPosition() == control_.duration(); }));
  expectStandingStill(control_.duration());
}

TEST_F(RealTimeControlTest, AFailedOpenLeavesNothingPlayingAndThePositionStill) {
  for (const char* name : {"missing.mp3", "words.mp3"}) {
    SCOPED_TRACE(name);
    startTone();
    control_.open(songs_.path(name));
    EXPECT_EQ(control_.playState(), PlayState::Opening);
    EXPECT_DOUBLE_EQ(control_.duration(), 0.0);
    expectStandingStill(0.0);
    EXPECT_TRUE(waitUntil([&] { return control_.playState() == PlayState::Playing; }));
    control_.setCurrentPosition(1.0);
    control_.pause();
    control_.play();
    expectStandingStill(0.0);
  }
}

}  // namespace

// A playing song must not keep the system from ending the program: the
// audio library would take the signal for a quit event of its own.
TEST(AudioMediaControlEnd, TheSystemsEndSignalStillEndsAPlayingProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        SongFolder songs;
        AudioMediaControl control;
        control.open(songs.path("tone.mp3"));
        for (int i = 0; i < 100 && control.currentPosition() <= 0.05; ++i) std::this_thread::sleep_for(20ms);
        ::raise(SIGTERM);
        std::this_thread::sleep_for(2s);
        std::_Exit(0);
      },
      testing::KilledBySignal(SIGTERM), "");
}
