#pragma once
// A media control for tests. It remembers every command in order, as text,
// and moves its position with a platform::Clock while playing. Every song
// plays for the default length unless given its own, and a song marked
// unplayable behaves like a file that cannot be opened. Single-threaded, as
// the tests are.

#include <QString>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "media_control.h"
#include "opening_hold.h"

namespace platform {
class Clock;
}

namespace media {

class FakeMediaControl : public MediaControl {
 public:
  explicit FakeMediaControl(platform::Clock& clock);

  void setDefaultSongLength(double seconds) { defaultLength_ = seconds; }
  void setSongLength(const QString& path, double seconds) { lengths_[path] = seconds; }
  void setUnplayable(const QString& path) { unplayable_.insert(path); }
  // A resumed song's position holds for `ms` before it runs on, as a sound
  // device's first pull after a resume comes up to a buffer later.
  void setResumeLatency(std::int64_t ms) { resumeLatencyMs_ = ms; }

  // The commands so far, oldest first, such as "open(/a/01 - x.mp3)", "play()",
  // "pause()", "stop()", "setCurrentPosition(12.5)", "setVolume(-600)",
  // "setBalance(0)", "setSwitch1017(true)", "setRect(0,0,480,375)" and
  // "setVisible(false)". Reads are not recorded.
  const std::vector<std::string>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }

  // The last path opened; "" before the first open.
  const QString& openedPath() const { return openedPath_; }
  // The last volume and balance set, clamped as the real control clamps them.
  int volume() const { return volume_; }
  int balance() const { return balance_; }

  void open(const QString& path) override;
  void play() override;
  void pause() override;
  void stop() override;
  double duration() const override { return length_; }
  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;
  void setVolume(int volume) override;
  void setBalance(int balance) override;
  PlayState playState() const override;
  void setSwitch1017(bool on) override;
  void setSwitch1018(bool on) override;
  void setRect(int left, int top, int width, int height) override;
  void setVisible(bool visible) override;

 private:
  void record(const std::string& call) { calls_.push_back(call); }
  // Freezes the running position and leaves the state at `next`.
  void halt(PlayState next);
  // Restarts the clock reading from `seconds`.
  void markPosition(double seconds);

  platform::Clock& clock_;
  std::vector<std::string> calls_;
  std::map<QString, double> lengths_;
  std::set<QString> unplayable_;
  double defaultLength_ = 180.0;

  QString openedPath_;
  bool opened_ = false;
  bool hasSong_ = false;
  double length_ = 0.0;
  PlayState state_ = PlayState::Stopped;
  mutable OpeningHold opening_;
  // The position at markMs_; it runs on from there while a song plays.
  double markedPosition_ = 0.0;
  std::int64_t markMs_ = 0;
  std::int64_t resumeLatencyMs_ = 0;
  int volume_ = 0;
  int balance_ = 0;
};

}  // namespace media
