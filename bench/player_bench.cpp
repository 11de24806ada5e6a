// Playback benchmark: CPU time as a share of one core, in four phases of
// one run, each measured the same way (the whole process's CPU time, all
// threads, over 10 s of wall time):
//   - a plain baseline: the song played by a plain loop of the media
//     classes, the decoder feeding the sound device, with no window and no
//     Qt at all;
//   - the tick baseline: the same loop while the main thread runs the Qt
//     event loop of the player's application with one platform timer that
//     ticks once per system tick and does nothing, the least a window that
//     refreshes as the player's does can cost on this platform;
//   - the browser idle, once its boxes are shown and nothing plays;
//   - the whole player playing the same song, as the program runs it (the
//     real media control, its timers on the real clock).
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

#include "audio_media_control.h"
#include "form1.h"
#include "form2.h"
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

constexpr int kSettleMs = 1000;
constexpr int kMeasuredMs = 10000;
constexpr double kPlayingGoalPercent = 5.0;
constexpr double kRatioGoal = 1.3;  // against the tick baseline
constexpr double kIdleGoalPercent = 0.3;

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

// Runs the event loop for `ms`; the precise timer keeps a phase from ending
// up to 5 % early, as a coarse one may.
void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void sleepFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Played {
  Share share;
  double seconds = 0;
};

// The song through the decoder and the sound device alone: the device's
// thread pulls straight from the decoder while `pass(ms)` passes the time on
// this thread.
std::optional<Played> playPlainly(const fs::path& song, const std::function<void(int ms)>& pass) {
  media::Mpg123Decoder decoder;
  if (!decoder.open(song)) return std::nullopt;
  const media::AudioFormat format = decoder.format();
  std::atomic<std::int64_t> frames{0};
  media::SdlAudioOutput output;
  const bool opened = output.open(format, [&](float* out, std::size_t wanted) {
    const std::size_t got = decoder.read(out, wanted);
    frames += static_cast<std::int64_t>(got);
    std::fill(out + got * format.channels, out + wanted * format.channels, 0.0f);
  });
  if (!opened) return std::nullopt;
  output.setRunning(true);
  pass(kSettleMs);
  const std::int64_t startFrames = frames;
  Played played;
  played.share = measure([&] { pass(kMeasuredMs); });
  played.seconds = static_cast<double>(frames - startFrames) / format.sampleRate;
  output.close();
  return played;
}

bool playedThrough(const Played& p) { return p.seconds >= kMeasuredMs / 1000.0 - 1.0; }

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);

  // A collection of one album with one song, and the installed marker.
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
  if (!media_testing::writeToneMp3(song, 30.0)) {
    std::fprintf(stderr, "The encoder could not write the song.\n");
    return 1;
  }
  setenv("QUENDREL_SYSTEM_DIR", (system.string() + "/").c_str(), 1);
  setenv("TMPDIR", temp.c_str(), 1);

  // The plain baseline first, before any window or Qt machinery exists.
  const std::optional<Played> plain = playPlainly(song, sleepFor);
  if (!plain || !playedThrough(*plain)) {
    std::fprintf(stderr, "The plain loop did not play the song through the measurement.\n");
    return 1;
  }

  QApplication app(argc, argv);
  controls::applyLook(app);

  // The tick baseline: the same loop while the event loop runs one timer
  // that ticks as the player window's refresh timer does, doing nothing.
  std::optional<Played> ticked;
  {
    platform::Timer tick(platform::kSystemTickMs, true);
    tick.onTimer = [] {};
    ticked = playPlainly(song, runFor);
  }
  if (!ticked || !playedThrough(*ticked)) {
    std::fprintf(stderr, "The plain loop under the event loop did not play the song through the measurement.\n");
    return 1;
  }

  platform::setAppPath(QString::fromStdString(root.string()));
  player::Player player([] { return std::make_unique<media::AudioMediaControl>(); });
  player::Form1& browser = player.form1();
  if (!runUntil([&] { return browser.imgPlyAll.Visible(); }, 30000)) {
    std::fprintf(stderr, "The browser never finished starting.\n");
    return 1;
  }
  runFor(kSettleMs);
  const Share idle = measure([] { runFor(kMeasuredMs); });

  // The album opened and its first song played, as the large picture and
  // the play command do; measured once it has settled.
  browser.sort(true);
  player::Form2& window = player.form2();
  window.Command1_Click();
  runFor(kSettleMs);
  const double startPosition = window.MP1->currentPosition();
  Played whole;
  whole.share = measure([] { runFor(kMeasuredMs); });
  whole.seconds = window.MP1->currentPosition() - startPosition;
  if (!playedThrough(whole)) {
    std::fprintf(stderr, "The player did not play the song through the measurement.\n");
    return 1;
  }

  const auto shareOf = [](const Played& p) { return std::max(p.share.percent(), 1e-9); };
  const double ratio = whole.share.percent() / shareOf(*ticked);
  const double plainRatio = whole.share.percent() / shareOf(*plain);
  const auto printPlayed = [](const char* what, const Played& p) {
    std::printf("%-38s %.1f s played, %.1f ms of CPU time in %.1f s: %.2f %% of one core", what, p.seconds,
                p.share.cpuMs, p.share.wallMs / 1000.0, p.share.percent());
  };
  printPlayed("Plain decoder and output:", *plain);
  std::printf("\n");
  printPlayed("Plain loop, event loop, tick timer:", *ticked);
  std::printf("\n");
  printPlayed("Whole player:", whole);
  std::printf(" (goal: at most %.0f %%)\n", kPlayingGoalPercent);
  std::printf("Player against plain loop and tick:    %.2f times (goal: at most %.1f)\n", ratio, kRatioGoal);
  std::printf("Player against plain loop alone:       %.2f times\n", plainRatio);
  std::printf("Browser idle, boxes shown:             %.1f ms of CPU time in %.1f s: %.2f %% of one core"
              " (goal: at most %.1f %%)\n",
              idle.cpuMs, idle.wallMs / 1000.0, idle.percent(), kIdleGoalPercent);
  const bool met = whole.share.percent() <= kPlayingGoalPercent && ratio <= kRatioGoal &&
                   idle.percent() <= kIdleGoalPercent;
  return met ? 0 : 2;
}
