#pragma once
// The player window's media control: opens MP3 songs and plays them, and
// tells where play is. Positions and lengths are in seconds. The window
// thread calls everything; the reads are cheap and safe from any thread.

#include <QString>

namespace media {

enum class PlayState {
  Stopped = 0,
  Paused = 1,
  Playing = 2,
  // For a short while after every open, before Playing.
  Opening = 6,
};

class MediaControl {
 public:
  virtual ~MediaControl() = default;

  // Loads the song at `path` and starts it from its beginning. A song that
  // cannot be opened leaves nothing playing and the position at 0, standing
  // still; the state then goes through Opening to Playing all the same.
  virtual void open(const QString& path) = 0;
  // Goes on from where a pause or a stop left the position.
  virtual void play() = 0;
  // Holds play where it is; the state reads Paused.
  virtual void pause() = 0;
  // Ends play; the position stays where it was.
  virtual void stop() = 0;

  // Length of the open song; 0 before the first open and after a failed one.
  virtual double duration() const = 0;
  // The play position; 0 before the first open. It moves only while playing
  // and stands still at the end of the song.
  virtual double currentPosition() const = 0;
  // Moves the position (clamped to the song) without changing the state.
  virtual void setCurrentPosition(double seconds) = 0;

  // Hundredths of a decibel: -6000 (quietest) to 0 (loudest); at once.
  virtual void setVolume(int volume) = 0;
  // Hundredths of a decibel taken off the other side: -10000 (left) to 10000 (right); at once.
  virtual void setBalance(int balance) = 0;

  virtual PlayState playState() const = 0;

  // Two switches the window sets around opens and stops; kept, nothing more.
  virtual void setSwitch1017(bool on) { switch1017_ = on; }
  virtual void setSwitch1018(bool on) { switch1018_ = on; }
  bool switch1017() const { return switch1017_; }
  bool switch1018() const { return switch1018_; }

  // The control's rectangle on the window, in twips, and whether it shows;
  // kept for the window's layout, never drawn.
  virtual void setRect(int left, int top, int width, int height);
  virtual void setVisible(bool visible) { visible_ = visible; }
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool isVisible() const { return visible_; }

 private:
  bool switch1017_ = false;
  bool switch1018_ = false;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
};

}  // namespace media
