// A player started from a collection folder as the program starts, that
// prints what it shows and ends as the exit button ends it: for the tests
// that run several players at once, each in a process of its own.
//
//   player_probe COLLECTION [BARRIER]
//
// With BARRIER (a folder) it writes BARRIER/ready-<pid> once it runs and
// waits for BARRIER/go before its start-up, so that players start at the
// same moment. It prints "title R G B", then "box N R G B" for every album
// box: the colour in the middle of the picture. A player that ends during
// its start-up prints nothing.

#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "audio_media_control.h"
#include "form1.h"
#include "player.h"
#include "system/app_paths.h"

namespace {

void waitForGo(const std::filesystem::path& barrier) {
  std::ofstream(barrier / ("ready-" + std::to_string(::getpid())));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!std::filesystem::exists(barrier / "go") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void printColour(const char* what, const controls::Picture& picture) {
  const QImage image = picture.pixmap().toImage();
  const QColor c = image.isNull() ? QColor(0, 0, 0) : image.pixelColor(image.width() / 2, image.height() / 2);
  std::printf("%s %d %d %d\n", what, c.red(), c.green(), c.blue());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  QApplication app(argc, argv);
  platform::setAppPath(QString::fromLocal8Bit(argv[1]));
  player::Player player([] { return std::make_unique<media::AudioMediaControl>(); });
  if (argc > 2) waitForGo(argv[2]);

  player::Form1& browser = player.form1();
  printColour("title", browser.ImageTorvel.Picture());
  for (int i = 0; i < browser.numOfAlbums; ++i)
    printColour(("box " + std::to_string(i + 1)).c_str(), browser.Image1(i).Picture());
  std::fflush(stdout);
  browser.Unload();
  return 0;
}
