#pragma once
// The player window on the test's virtual clock with the fake media control,
// albums of short songs, and what the playing tests look at: the songs
// opened, the buttons' looks, the labels' colours, the now-playing texts and
// the clock; the user at the window.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "player_fixture.h"
#include "window_input.h"

namespace player::testing_support {

// The song-end watchers' tick.
inline constexpr std::int64_t kTick = 1500;

class PlayWindowTest : public PlayerTest {
 protected:
  // Albums 1..albums of `songs` songs, each `seconds` long; album 1 open.
  void startWith(int albums, int songs, double seconds = 10) {
    writeSongAlbums(albums, songs);
    start();
    mp1->setDefaultSongLength(seconds);
    finishAnimation();
    open(1);
  }

  std::string song(int album, int number) const {
    return (disc / albumFolderName(album) / (runtime::twoDigits(number) + " - Song " + runtime::twoDigits(number) + ".mp3"))
        .string();
  }
  // The paths opened so far, oldest first.
  std::vector<std::string> opened() const {
    std::vector<std::string> paths;
    for (const std::string& call : mp1->calls())
      if (call.rfind("open(", 0) == 0) paths.push_back(call.substr(5, call.size() - 6));
    return paths;
  }
  // Moves the clock on in steps (of 100 ms) until `done` holds, at most
  // `limitMs`; the time it took, or -1.
  std::int64_t until(const std::function<bool()>& done, std::int64_t limitMs, std::int64_t stepMs = 100) {
    for (std::int64_t spent = 0; spent <= limitMs; spent += stepMs) {
      if (done()) return spent;
      clock->advance(stepMs);
    }
    return -1;
  }
  std::int64_t untilOpened(std::size_t count, std::int64_t limitMs = 60000) {
    return until([&] { return opened().size() >= count; }, limitMs);
  }
  // Moves the clock on by milliseconds until the song-end watcher ticks: it
  // notes the position of a playing song at every tick. The time it took,
  // or -1.
  std::int64_t untilWatcherTicks() {
    const double before = window().LastPossition;
    return until([&] { return window().LastPossition != before; }, 2 * kTick, 1);
  }

  // Which look a picture button shows: 1 normal, 2 lit, 3 pressed, 0 none of them.
  static int look(const controls::Image& button, const controls::Image& normal, const controls::Image& lit,
                  const controls::Image& pressed) {
    if (button.Picture() == normal.Picture()) return 1;
    if (button.Picture() == lit.Picture()) return 2;
    if (button.Picture() == pressed.Picture()) return 3;
    return 0;
  }
  int playLook() { return look(window().imgPlayB, window().ip1, window().ip2, window().ip3); }
  int pauseLook() { return look(window().imgPauseB, window().ips1, window().ips2, window().ips3); }
  int stopLook() { return look(window().imgStopB, window().is1, window().is2, window().is3); }
  int previousLook() { return look(window().imgRewB, window().ir1, window().ir2, window().ir3); }
  int nextLook() { return look(window().imgFfB, window().if1, window().if2, window().if3); }

  controls::WindowInput& user() {
    if (!user_) user_.emplace(window());
    return *user_;
  }
  void press(const controls::Element& button) { ASSERT_TRUE(user().clickOn(button)); }

  // The six now-playing texts: the player window's two, then the browser's four.
  std::vector<QString> nowPlaying() {
    Form2& w = window();
    Form1& b = browser();
    return {w.PlayingSong.Caption(), w.Label4.Caption(), b.Label6.Caption(),
            b.Label5.Caption(),      b.Label7.Caption(), b.Label4.Caption()};
  }
  std::pair<QString, QString> clockShown() { return {window().lblMIN.Caption(), window().lblSEC.Caption()}; }

  // A new player on the same collection.
  void restart() {
    user_.reset();
    player.reset();
  }

  std::optional<controls::WindowInput> user_;
};

}  // namespace player::testing_support
