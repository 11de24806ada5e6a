#pragma once
// The disc player: its four windows, which find each other through it, and
// what they share besides their public variables: the collection root, the
// folder of this run in the temporary folder, the random numbers, the media
// control's maker and the way the program ends.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "form.h"
#include "media_control.h"
#include "private_temp_folder.h"
#include "runtime_rules.h"
#include "system/process_launcher.h"

namespace player {

class Form1;
class Form2;
class Form3;
class Form4;

// Why the program ended at once (no window's unload handler ran).
enum class EndReason {
  ProjectDataMissing,  // no dat.qd, after "A file is missing."
  ProjectDataInvalid,  // dat.qd does not start with its magic number
  SetupStarted,        // the installed marker is missing and Setup was started
  NoAlbums,            // the collection root has no subfolder
};

class Player {
 public:
  using MediaControlMaker = std::function<std::unique_ptr<media::MediaControl>()>;
  // Ends the process by default; tests record the reason instead (the call
  // then returns, and the window that asked stops what it was doing).
  using EndHandler = std::function<void(EndReason)>;

  explicit Player(MediaControlMaker makeMediaControl, EndHandler endHandler = {});
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The windows, each loaded on its first use (Form1 runs the start-up).
  Form1& form1();
  Form2& form2();
  Form3& form3();
  Form4& form4();
  // The windows when they are loaded, without loading them.
  Form2* loadedForm2() const;
  Form3* loadedForm3() const;
  Form4* loadedForm4() const;
  // The intro window has unloaded: the player lets go of it, and so of
  // everything it held, instead of keeping it until the player goes.
  void introGone();

  // Set while the browser's unload takes the other windows down with it.
  bool isClosing() const { return closing_; }
  void setClosing() { closing_ = true; }

  // The folder the player was started from, ending in "/"; set once at start.
  const std::string& collectionRoot() const { return collectionRoot_; }
  void setCollectionRoot(std::string root) { collectionRoot_ = std::move(root); }

  // Where this run unpacks its pictures; removed when the player goes, or
  // ends at once.
  RunFolder& tempFolder() { return tempFolder_; }

  // Rnd: seeded once during start-up.
  runtime::Random& random() { return random_; }

  std::unique_ptr<media::MediaControl> makeMediaControl() const { return makeMediaControl_(); }

  // How the browser is first shown: as the program was asked to start
  // (normal when no style was given).
  platform::WindowStyle startStyle() const { return startStyle_; }
  void setStartStyle(platform::WindowStyle style) { startStyle_ = style; }

  // Ends the program at once, its temporary folder removed first.
  void endAtOnce(EndReason reason);
  bool hasEnded() const { return endReason_.has_value(); }
  std::optional<EndReason> endReason() const { return endReason_; }

 private:
  MediaControlMaker makeMediaControl_;
  EndHandler endHandler_;
  std::string collectionRoot_;
  RunFolder tempFolder_;
  runtime::Random random_;
  platform::WindowStyle startStyle_ = platform::WindowStyle::Normal;
  std::optional<EndReason> endReason_;
  bool closing_ = false;

  // Declared last: the windows go first, while what they use still exists.
  std::unique_ptr<controls::FormSlot<Form4>> form4_;
  std::unique_ptr<controls::FormSlot<Form3>> form3_;
  std::unique_ptr<controls::FormSlot<Form2>> form2_;
  std::unique_ptr<controls::FormSlot<Form1>> form1_;
};

}  // namespace player
