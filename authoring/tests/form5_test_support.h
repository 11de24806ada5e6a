#pragma once
// What every test of the main window needs: a program folder of its own
// (App.Path), scripted boxes and modal windows, a recording launcher, a
// scripted fetcher, a loopback web host, and a program end that only counts.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/scripted_dialogs.h"
#include "form5.h"
#include "scripted_modals.h"
#include "system/recording_launcher.h"
#include "system/scoped_environment.h"
#include "web/fake_text_fetcher.h"

namespace authoring_test {

// The host the tests' web addresses are made on; "127.0.0.1:1" unless a test
// serves one itself.
class ScopedWebHost {
 public:
  // An empty host: none configured.
  explicit ScopedWebHost(const QString& host);

 private:
  platform::ScopedEnvironmentVariable variable_;
};

class ProgramFolder {
 public:
  ProgramFolder();
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  std::filesystem::path path() const;
  std::filesystem::path handle() const { return path() / "Handle"; }
  // qdd.dat holding these (name, folder) pairs.
  void writeProjectList(const std::vector<std::pair<std::string, std::string>>& projects) const;
  // The folder as the program ships it, before its first start: every qd.0*
  // file the build made (the support files and the sample data) and small
  // runnable stand-ins for the launcher rodud.qd and the player rizodu.qd.
  void fillAsShipped() const;

 private:
  QTemporaryDir dir_;
};

// A small disk of its own (a tmpfs of `size`, "400k") mounted on `folder`,
// which it hides meanwhile; unmounted again when this goes. Mounting needs
// root: mounted() says whether it worked, so that a test that needs a full
// disk can skip where it cannot have one.
class SmallDisk {
 public:
  SmallDisk(const std::filesystem::path& folder, const std::string& size);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  // The disk grown (or shrunk) to `size`; false when it could not be.
  bool resize(const std::string& size);
  // A file that takes all the room left; removing it makes room again.
  void fill(const std::filesystem::path& file) const;

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

// The fakes of one test; a Form5 made after it uses them.
struct Fakes {
  Fakes();
  ~Fakes();
  ProgramFolder folder;
  platform::ScopedDialogs dialogs;
  platform::ScopedFetcher fetcher;
  platform::ScopedLauncher launcher;
  controls::ScriptedModals modals;
  ScopedWebHost host{QStringLiteral("127.0.0.1:1")};
  int programEnds = 0;
};

// Loads `form` as a start that finds nothing to do: an empty project list,
// the Handle folder present, and no newer version on the web host.
void loadQuietly(Fakes& fakes, Form5& form);

// The main window of a test, loaded by loadQuietly() and shown.
class QuietlyStartedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    loadQuietly(fakes, form);
    form.Show();
  }

  Fakes fakes;
  Form5 form;
};

// Expects the message window to come up modally with `text`, and clicks it away.
void expectMessage(controls::ScriptedModals& modals, const QString& text);

// A control and the help text a click on it shows in help mode.
struct HelpText {
  controls::Element* control;
  QString text;
};
// Clicks each control in help mode: each shows its help text in the
// message window, which is clicked away, and no other modal window comes up.
void clickEachForHelp(controls::ScriptedModals& modals, const std::vector<HelpText>& helps);

// Expects the file picker to come up modally and answer as a user would:
// `file` chosen in `folder` with OK, or Cancel when `file` is empty.
void expectPickerChoice(controls::ScriptedModals& modals, const std::filesystem::path& folder,
                        const std::string& file);

// Tab through `window`, as often as it takes, until `control` has the focus.
void tabTo(controls::Form& window, const controls::Control& control);

// Writes `file` in `folder`, a GIF whose header claims 65535 x 65535 pixels,
// far more than a picture may take, and expects the picker to come up and
// take it with OK: its preview shows "Out of memory", and so does the
// command that loads it next.
void expectPictureTooBigToHold(Fakes& fakes, const std::filesystem::path& folder, const std::string& file);

// The splash text of this build.
QString splashText();

}  // namespace authoring_test
