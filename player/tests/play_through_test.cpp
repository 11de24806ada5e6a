// The player end to end, as a user meets it: songs encoded by LAME, the
// real media control playing them (through SDL's dummy driver in the tests),
// the real clock and event loop, and the windows driven at their top level.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <utility>
#include <vector>

#include "audio_media_control.h"
#include "player_fixture.h"
#include "tone_mp3.h"
#include "window_input.h"

namespace player::testing_support {
namespace {

using namespace std::chrono_literals;

class RealPlayback : public CollectionTest {
 protected:
  ~RealPlayback() override { player.reset(); }

  void start() {
    player = std::make_unique<Player>([] { return std::make_unique<media::AudioMediaControl>(); },
                                      [this](EndReason reason) { ends.push_back(reason); });
    player->form1();
  }

  // Lets the event loop run until `done` holds; false when `limit` passed first.
  static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
      if (waited.elapsed() > limit.count()) return false;
      QEventLoop loop;
      QTimer::singleShot(10, &loop, &QEventLoop::quit);
      loop.exec();
    }
    return true;
  }
};

TEST_F(RealPlayback, PlayAllPlaysTheFirstAlbumThroughAndGoesOnWithTheSecond) {
  writeTypicalCollection(2);
  for (int album = 1; album <= 2; ++album)
    for (int song = 1; song <= 2; ++song)
      ASSERT_TRUE(media_testing::writeToneMp3(
          disc / albumFolderName(album) / (runtime::twoDigits(song) + " - Tone " + std::to_string(song) + ".mp3"),
          2.0));
  start();
  Form1& b = browser();
  // The boxes take clicks once the start-up animation has shown them all.
  ASSERT_TRUE(waitFor([&] { return b.imgPlyAll.Visible() && b.Image1(1).Visible() && b.Image1(1).Enabled(); }, 30s));

  controls::WindowInput browserUser(b);
  ASSERT_TRUE(browserUser.clickOn(b.imgPlyAll));
  ASSERT_TRUE(browserUser.dblClickOn(b.Image1(0)));
  Form2& w = window();
  ASSERT_TRUE(w.Visible());
  controls::WindowInput user(w);
  ASSERT_TRUE(user.dblClickOn(w.Label1(0)));

  // Every song album play starts, in order, until album 2 plays.
  std::vector<std::pair<int, int>> played;
  const auto note = [&] {
    const std::pair<int, int> now{w.OriginalAlbumIdx, w.OriginalSngIdx};
    if (w.isPlaying && (played.empty() || played.back() != now)) played.push_back(now);
  };
  QElapsedTimer took;
  took.start();
  const bool reached = waitFor(
      [&] {
        note();
        return w.OriginalAlbumIdx == 2 && w.MP1->playState() == media::PlayState::Playing &&
               w.MP1->currentPosition() > 0.1;
      },
      45s);
  ASSERT_TRUE(reached) << "album " << w.OriginalAlbumIdx << " song " << w.OriginalSngIdx;
  EXPECT_EQ(played, (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}, {2, 0}}));
  EXPECT_EQ(w.PlayingSong.Caption(), "02 - Album 2");
  EXPECT_EQ(w.Label4.Caption(), "01 - Tone 1");
  EXPECT_EQ(b.Label6.Caption(), "Playing Album number 02 :");
  EXPECT_EQ(w.namLBL.Caption(), "Summer Songs - Album 2");
  // Two songs of 2 s, each found ended within two watcher ticks of 1.5 s:
  // about 10 s, with room for a busy machine.
  EXPECT_LT(took.elapsed(), 20000);
  RecordProperty("seconds_to_album_2", QString::number(took.elapsed() / 1000.0).toStdString());
}

}  // namespace
}  // namespace player::testing_support
