// Playback benchmark: CPU time of the whole process, all threads, as a share
// of one core, for four kinds of slice of one run:
//   - the plain baseline: the song played by a plain loop of the media
//     classes, the decoder feeding the sound device, while the main thread
//     sleeps, so that nothing of Qt or of the player's windows runs;
//   - the tick baseline: the same loop while the main thread runs the Qt
//     event loop of the player's application with one platform timer that
//     ticks once per system tick and does nothing, the least a window that
//     refreshes as the player's does can cost on this platform;
//   - the whole player playing the same song, as the program runs it (the
//     real media control, its timers on the real clock);
//   - the browser idle, its boxes shown and the song paused.
//
// The machine's load moves over seconds, so the kinds are not measured one
// after the other: they take turns in short slices, round after round, and
// each goal is judged by the median over the slices. The ratios are taken
// slice by slice: each player slice against the mean of the baseline slices
// of that kind just before and just after it, so that a change of load
// between rounds moves both sides of a ratio alike. The order of a round
// (tick, plain, player, idle, and a closing tick and plain) puts every
// player slice halfway between its two tick slices.
//
// Every slice keeps the same things alive, so that the baselines and the
// player differ only in what plays:
//   - the player is loaded throughout, its browser shown. Between its own
//     slices its song is paused with the pause button and its window sent
//     back to the browser by the album picture, as a user would; the play
//     button resumes it. Its timers that run while it is idle (the song-end
//     watcher) run in the tick slices too, and cost as much in the player's.
//   - one sound device is open at a time, as the dummy driver allows: the
//     plain loop's in the baseline slices, the player's (lent to the plain
//     loop meanwhile) in the player's and the idle slices, where it stays
//     open, paused, as a paused song leaves it.
//   - each slice is measured after a settling time, once its switch (a
//     window shown or hidden, a device started) is over: the player window's
//     painting after it is shown costs three times its playing share for
//     about half a second.
//
// Offscreen platform and SDL's dummy audio driver unless the caller chose
// others. The song is a tone encoded by LAME on the spot.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "audio_media_control.h"
#include "form1.h"
#include "form2.h"
#include "key_codes.h"
#include "look.h"
#include "mpg123_decoder.h"
#include "player.h"
#include "project_data.h"
#include "sdl_audio_output.h"
#include "setup_launch.h"
#include "system/app_paths.h"
#include "timing/timer.h"
#include "tone_mp3.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 12;
constexpr int kSliceMs = 3000;
constexpr int kSwitchSettleMs = 750;
constexpr int kSettleMs = 1000;
constexpr double kPlayingGoalPercent = 5.0;
constexpr double kRatioGoal = 1.3;  // against the tick baseline
constexpr double kIdleGoalPercent = 0.3;
// A slice counts as played through when the song moved on by this share of
// its wall time at least.
constexpr double kPlayedShare = 0.9;

// CPU time of the whole process, all threads, in ms.
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// The process's CPU time over a stretch of wall time.
struct Share {
  double cpuMs = 0;
  double wallMs = 0;
  double percent() const { return wallMs > 0 ? 100.0 * cpuMs / wallMs : 0.0; }
};

Share measure(const std::function<void()>& run) {
  QElapsedTimer wall;
  const double startCpu = cpuMs();
  wall.start();
  run();
  const double spentWall = static_cast<double>(wall.nsecsElapsed()) / 1e6;
  return {cpuMs() - startCpu, spentWall};
}

// Runs the event loop until `done` holds or `limitMs` passed.
bool runUntil(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer waited;
  waited.start();
  while (!done()) {
    if (waited.elapsed() > limitMs) return false;
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

// Runs the event loop for `ms`; the precise timer keeps a slice from ending
// up to 5 % early, as a coarse one may.
void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void sleepFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A press and release in the middle of a picture button, as the user's.
bool press(controls::Element& button) {
  const double x = button.Width() / 2;
  const double y = button.Height() / 2;
  return button.mouseDown(controls::vbLeftButton, 0, x, y) && button.mouseUp(controls::vbLeftButton, 0, x, y);
}

// The player's sound device, which the plain loop borrows: the dummy driver,
// like many a real one, opens one device at a time. While the device is
// lent the player is paused; it gets the device back as it left it, open
// for the same format and paused or running.
class LentOutput : public media::AudioOutput {
 public:
  bool open(const media::AudioFormat& format, Pull pull) override {
    format_ = format;
    pull_ = std::move(pull);
    running_ = false;
    return lent_ || device_.open(format_, pull_);
  }
  void close() override {
    device_.close();
    format_ = {};
  }
  void setRunning(bool running) override {
    running_ = running;
    device_.setRunning(running);
  }

  void lend() {
    device_.close();
    lent_ = true;
  }
  bool takeBack() {
    lent_ = false;
    if (!format_.isValid()) return true;
    if (!device_.open(format_, pull_)) return false;
    device_.setRunning(running_);
    return true;
  }

 private:
  media::SdlAudioOutput device_;
  media::AudioFormat format_;
  Pull pull_;
  bool running_ = false;
  bool lent_ = false;
};

// The song through the decoder and the sound device alone: the device's
// thread pulls straight from the decoder. The decoder stays open for the
// whole run and goes back to the song's start before a slice would reach
// its end; the device is opened for the baseline slices and closed after.
class PlainLoop {
 public:
  bool open(const fs::path& song) {
    if (!decoder_.open(song)) return false;
    format_ = decoder_.format();
    return decoder_.lengthFrames() > 0;
  }

  // Plays on for at least `ms` from now.
  bool run(int ms) {
    const std::int64_t wanted = static_cast<std::int64_t>(ms) * format_.sampleRate / 1000;
    if (decoder_.lengthFrames() - songFrame_ < wanted) {
      // No pull runs while the device is paused or closed.
      output_.setRunning(false);
      songFrame_ = decoder_.seek(0);
    }
    if (!opened_) {
      opened_ = output_.open(format_, [this](float* out, std::size_t frames) {
        const std::size_t got = decoder_.read(out, frames);
        songFrame_ += static_cast<std::int64_t>(got);
        played_ += static_cast<std::int64_t>(got);
        std::fill(out + got * format_.channels, out + frames * format_.channels, 0.0f);
      });
      if (!opened_) return false;
    }
    output_.setRunning(true);
    return true;
  }

  void close() {
    output_.close();
    opened_ = false;
  }

  double playedSeconds() const { return static_cast<double>(played_) / format_.sampleRate; }

 private:
  media::Mpg123Decoder decoder_;
  media::AudioFormat format_;
  media::SdlAudioOutput output_;
  bool opened_ = false;
  std::atomic<std::int64_t> songFrame_{0};
  std::atomic<std::int64_t> played_{0};
};

struct Slice {
  Share share;
  double seconds = 0;  // how far the song moved on
};

bool playedThrough(const Slice& s) { return s.seconds >= kPlayedShare * s.share.wallMs / 1000.0; }

// Lowest, quartiles and highest, the quartiles interpolated between ranks.
struct Spread {
  double min = 0, lower = 0, median = 0, upper = 0, max = 0;
};

Spread spreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const auto at = [&values](double rank) {
    const double place = rank * static_cast<double>(values.size() - 1);
    const std::size_t below = static_cast<std::size_t>(place);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (place - static_cast<double>(below));
  };
  return {values.front(), at(0.25), at(0.5), at(0.75), values.back()};
}

std::vector<double> percents(const std::vector<Slice>& slices) {
  std::vector<double> shares;
  for (const Slice& s : slices) shares.push_back(s.share.percent());
  return shares;
}

// Each player slice against the mean of the baseline slices before and
// after it: baseline slice i comes before player slice i, i + 1 after it.
std::vector<double> ratios(const std::vector<Slice>& player, const std::vector<Slice>& baseline) {
  std::vector<double> out;
  for (std::size_t i = 0; i < player.size(); ++i) {
    const double around = (baseline[i].share.percent() + baseline[i + 1].share.percent()) / 2;
    out.push_back(player[i].share.percent() / std::max(around, 1e-9));
  }
  return out;
}

void printSpread(const char* what, const Spread& s, const char* unit, const char* goal) {
  std::printf("%-38s %5.2f%s  (min %.2f, quartiles %.2f %.2f, max %.2f)%s\n", what, s.median, unit, s.min, s.lower,
              s.upper, s.max, goal);
}

int fail(const char* why) {
  std::fprintf(stderr, "%s\n", why);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);

  // A collection of one album with one song, and the installed marker. The
  // song lasts through every player slice, with time to spare.
  QTemporaryDir work;
  const fs::path root = fs::path(work.path().toStdString()) / "disc";
  const fs::path system = fs::path(work.path().toStdString()) / "system";
  const fs::path temp = fs::path(work.path().toStdString()) / "temp";
  for (const fs::path& folder : {root / "01 - Tones", system, temp}) fs::create_directories(folder);
  store::ProjectData data;
  data.projectTitle = "Benchmark";
  store::writeProjectData(root / "dat.qd", data);
  std::ofstream(system / player::kInstalledMarkerName) << "installed";
  const fs::path song = root / "01 - Tones" / "01 - A tone.mp3";
  const double songSeconds = (kSettleMs + kRounds * (kSwitchSettleMs + kSliceMs)) / 1000.0 + 10.0;
  if (!media_testing::writeToneMp3(song, songSeconds)) return fail("The encoder could not write the song.");
  setenv("QUENDREL_SYSTEM_DIR", (system.string() + "/").c_str(), 1);
  setenv("TMPDIR", temp.c_str(), 1);

  QApplication app(argc, argv);
  controls::applyLook(app);

  PlainLoop plain;
  if (!plain.open(song)) return fail("The plain loop could not open the song.");

  platform::setAppPath(QString::fromStdString(root.string()));
  LentOutput* playerOutput = nullptr;
  player::Player player([&playerOutput] {
    auto output = std::make_unique<LentOutput>();
    playerOutput = output.get();
    return std::make_unique<media::AudioMediaControl>(std::move(output),
                                                      [] { return std::make_unique<media::Mpg123Decoder>(); });
  });
  player::Form1& browser = player.form1();
  if (!runUntil([&] { return browser.imgPlyAll.Visible(); }, 30000)) return fail("The browser never finished starting.");
  player::Form2& window = player.form2();
  if (!playerOutput) return fail("The player window has no media control.");

  // The album opened by its large picture and played by the play button;
  // after the first time the button resumes the paused song.
  const auto startPlayer = [&] {
    if (!browser.mainIMG.click() || !press(window.imgPlayB)) return false;
    // The song-end watcher takes a position that has not moved since its
    // last tick for the song's end; the device's first pull after a resume
    // may come a buffer later. Its countdown starts afresh here, so that a
    // tick never falls into that buffer's time.
    window.Timer1.setEnabled(window.Timer1.Enabled());
    return true;
  };
  const auto stopPlayer = [&] {
    return press(window.imgPauseB) && window.MP1->playState() == media::PlayState::Paused && window.Image3.click();
  };

  // The song opened once before the rounds, so that every player slice
  // resumes it alike.
  if (!startPlayer()) return fail("The player window could not be opened and played.");
  runFor(kSettleMs);
  if (!stopPlayer()) return fail("The player could not be paused.");

  std::vector<Slice> plainSlices, tickSlices, playerSlices, idleSlices;
  const auto plainSlice = [&](bool ticking) {
    playerOutput->lend();
    if (!plain.run(kSwitchSettleMs + kSliceMs + kSettleMs)) return false;
    std::optional<platform::Timer> tick;
    if (ticking) {
      tick.emplace(platform::kSystemTickMs, true);
      tick->onTimer = [] {};
    }
    const std::function<void(int)> pass = ticking ? std::function<void(int)>(runFor) : sleepFor;
    pass(kSwitchSettleMs);
    const double start = plain.playedSeconds();
    Slice slice;
    slice.share = measure([&] { pass(kSliceMs); });
    slice.seconds = plain.playedSeconds() - start;
    (ticking ? tickSlices : plainSlices).push_back(slice);
    return playedThrough(slice);
  };
  const auto playerSlice = [&] {
    plain.close();
    if (!playerOutput->takeBack() || !startPlayer()) return false;
    runFor(kSwitchSettleMs);
    const double start = window.MP1->currentPosition();
    Slice slice;
    slice.share = measure([] { runFor(kSliceMs); });
    slice.seconds = window.MP1->currentPosition() - start;
    playerSlices.push_back(slice);
    return playedThrough(slice) && stopPlayer();
  };
  const auto idleSlice = [&] {
    runFor(kSwitchSettleMs);
    Slice slice;
    slice.share = measure([] { runFor(kSliceMs); });
    idleSlices.push_back(slice);
  };

  for (int round = 0; round < kRounds; ++round) {
    if (!plainSlice(true)) return fail("The plain loop under the event loop did not play the song through a slice.");
    if (!plainSlice(false)) return fail("The plain loop did not play the song through a slice.");
    if (!playerSlice()) return fail("The player did not play the song through a slice.");
    idleSlice();
  }
  if (!plainSlice(true)) return fail("The plain loop under the event loop did not play the song through a slice.");
  if (!plainSlice(false)) return fail("The plain loop did not play the song through a slice.");

  const Spread plainShare = spreadOf(percents(plainSlices));
  const Spread tickShare = spreadOf(percents(tickSlices));
  const Spread playerShare = spreadOf(percents(playerSlices));
  const Spread idleShare = spreadOf(percents(idleSlices));
  const Spread ratio = spreadOf(ratios(playerSlices, tickSlices));
  const Spread plainRatio = spreadOf(ratios(playerSlices, plainSlices));

  std::printf("%d rounds of %.1f s slices, taking turns; the median of the slices, and their spread:\n", kRounds,
              kSliceMs / 1000.0);
  printSpread("Plain decoder and output:", plainShare, " %", "");
  printSpread("Plain loop, event loop, tick timer:", tickShare, " %", "");
  char goal[64];
  std::snprintf(goal, sizeof goal, " (goal: at most %.0f %%)", kPlayingGoalPercent);
  printSpread("Whole player:", playerShare, " %", goal);
  std::snprintf(goal, sizeof goal, " (goal: at most %.1f %%)", kIdleGoalPercent);
  printSpread("Browser idle, boxes shown:", idleShare, " %", goal);
  std::snprintf(goal, sizeof goal, " (goal: at most %.1f)", kRatioGoal);
  printSpread("Player against plain loop and tick:", ratio, "x", goal);
  printSpread("Player against plain loop alone:", plainRatio, "x", "");
  const bool met = playerShare.median <= kPlayingGoalPercent && ratio.median <= kRatioGoal &&
                   idleShare.median <= kIdleGoalPercent;
  std::printf("%s\n", met ? "Every goal met." : "A goal missed.");
  return met ? 0 : 2;
}
