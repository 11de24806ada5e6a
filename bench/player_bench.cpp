// Playback benchmark: the player's CPU time while one song plays for 10 s,
// as a share of one core. The player runs in this process as the program
// runs it (the real media control, its timers on the real clock, the window
// refresh polling the control every millisecond), on the offscreen platform
// and SDL's dummy audio driver unless the caller chose others. The song is
// a tone encoded by LAME on the spot.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "audio_media_control.h"
#include "form1.h"
#include "form2.h"
#include "look.h"
#include "player.h"
#include "project_data.h"
#include "setup_launch.h"
#include "system/app_paths.h"
#include "tone_mp3.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMeasuredMs = 10000;
constexpr double kGoalPercent = 5.0;

// User and system CPU time of the whole process, all threads, in ms.
double cpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
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

void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

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
  if (!media_testing::writeToneMp3(root / "01 - Tones" / "01 - A tone.mp3", 30.0)) {
    std::fprintf(stderr, "The encoder could not write the song.\n");
    return 1;
  }
  setenv("QUENDREL_SYSTEM_DIR", (system.string() + "/").c_str(), 1);
  setenv("TMPDIR", temp.c_str(), 1);

  QApplication app(argc, argv);
  controls::applyLook(app);
  platform::setAppPath(QString::fromStdString(root.string()));
  player::Player player([] { return std::make_unique<media::AudioMediaControl>(); });
  player::Form1& browser = player.form1();
  if (!runUntil([&] { return browser.imgPlyAll.Visible(); }, 30000)) {
    std::fprintf(stderr, "The browser never finished starting.\n");
    return 1;
  }

  // The album opened and its first song played, as the large picture and
  // the play command do; measured once it has settled.
  browser.sort(true);
  player::Form2& window = player.form2();
  window.Command1_Click();
  runFor(1000);
  const double startPosition = window.MP1->currentPosition();
  const double startCpu = cpuMs();
  QElapsedTimer wall;
  wall.start();
  runFor(kMeasuredMs);
  const double spentCpu = cpuMs() - startCpu;
  const double spentWall = static_cast<double>(wall.elapsed());
  const double played = window.MP1->currentPosition() - startPosition;

  const double share = 100.0 * spentCpu / spentWall;
  std::printf("Song played for %.1f s of %.1f s; the player used %.0f ms of CPU time: %.2f %% of one core"
              " (goal: at most %.0f %%)\n",
              played, spentWall / 1000.0, spentCpu, share, kGoalPercent);
  if (played < kMeasuredMs / 1000.0 - 1.0) {
    std::fprintf(stderr, "The song did not play through the measurement.\n");
    return 1;
  }
  return share <= kGoalPercent ? 0 : 2;
}
