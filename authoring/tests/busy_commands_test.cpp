// The commands that take the main window's input away while they work (the
// project pictures, the compile, adding a folder of songs, the hand-over to
// the ripper) give it back however the work ends: whatever is thrown inside
// the work is said in the command's own box, "Working...." is gone, the
// project's files are as they were, and the window takes the next click.
#include <gtest/gtest.h>

#include <QStringList>
#include <filesystem>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>

#include "dialog.h"
#include "open_project_fixture.h"
#include "passed_on_drives.h"
#include "runtime_rules.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

// What a command's work throws, and how its box says it.
struct Failure {
  const char* what;
  std::function<void()> raise;
  QString shown;
};

const Failure kFailures[] = {
    {"no memory", [] { throw std::bad_alloc(); }, "Out of memory"},
    {"a runtime error", [] { throw std::runtime_error("The work broke down."); }, "The work broke down."},
};

// Throws from inside the work of the next command that shows "Working....":
// at the second pass of the event loop the program lets run while that
// window is up (the first is the one that draws it).
class FailureInsideWork {
 public:
  FailureInsideWork(Form5& form, std::function<void()> raise) {
    runtime::setPendingEventsHandler([&form, raise, this] {
      frmMessage& m = form.messageWindow();
      if (thrown_ || !m.Visible() || m.Label1.Caption() != "Working....") return;
      if (++passes_ < 2) return;
      thrown_ = true;
      raise();
    });
  }
  ~FailureInsideWork() { runtime::setPendingEventsHandler({}); }
  FailureInsideWork(const FailureInsideWork&) = delete;
  FailureInsideWork& operator=(const FailureInsideWork&) = delete;

  bool thrown() const { return thrown_; }

 private:
  int passes_ = 0;
  bool thrown_ = false;
};

// The boxes the script answers, except that the box asking `prompt` throws
// instead of coming up, once.
class FailingBox : public platform::DialogService {
 public:
  FailingBox(platform::ScriptedDialogs& script, QString prompt, std::function<void()> raise)
      : script_(script), previous_(&platform::dialogs()), prompt_(std::move(prompt)), raise_(std::move(raise)) {
    platform::setDialogService(this);
  }
  ~FailingBox() override { platform::setDialogService(previous_); }
  FailingBox(const FailingBox&) = delete;
  FailingBox& operator=(const FailingBox&) = delete;

  platform::MsgBoxResult MsgBox(const QString& prompt, int style, const QString& title) override {
    if (!thrown_ && prompt == prompt_) {
      thrown_ = true;
      raise_();
    }
    return script_.MsgBox(prompt, style, title);
  }
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override {
    return script_.InputBox(prompt, title, defaultText);
  }
  bool thrown() const { return thrown_; }

 private:
  platform::ScriptedDialogs& script_;
  platform::DialogService* previous_;
  QString prompt_;
  std::function<void()> raise_;
  bool thrown_ = false;
};

// Every file below `folder` with its bytes.
std::map<std::string, std::vector<std::uint8_t>> filesBelow(const fs::path& folder) {
  std::map<std::string, std::vector<std::uint8_t>> files;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = fileBytes(e.path());
  return files;
}

class BusyCommands : public OpenProjectTest {
 protected:
  void SetUp() override {
    OpenProjectTest::SetUp();
    openProject("Alpha");
    addAlbum("01 - Rock");
    form.SSTab1.setTab(1);
    ASSERT_TRUE(form.List1.select(0));
    form.SSTab1.setTab(2);
    // All three pictures set, so that a Clear packs the other two again.
    for (auto [box, file] : {std::pair{&form.Image2, "t.gif"}, {&form.Image3, "b.jpg"}, {&form.Image4, "i.bmp"}}) {
      writePicture(pictures / file);
      pickerAnswers(pictures, file);
      ASSERT_TRUE(box->click());
    }
    writePicture(pictures / "new.jpg");
    songs = fs::path(elsewhere.path().toStdString()) / "songs";
    fs::create_directories(songs);
    for (const char* song : {"a.mp3", "b.mp3"}) writeFile(songs / song, song);
    ASSERT_TRUE(fakes.dialogs->allShown());
  }

  // What the project's files and the window's picture names hold.
  struct State {
    std::map<std::string, std::vector<std::uint8_t>> project, mirror;
    std::vector<QString> names;
    bool operator==(const State&) const = default;
  };
  State state() const {
    return {filesBelow(project), filesBelow(mirror),
            {form.picNames[0], form.picNames[1], form.picNames[2], form.Text_imgTop_, form.Text_ImgBottom,
             form.text4_}};
  }

  // The window takes a user's click again: the next-tab picture pages on.
  void expectTakesInput() {
    EXPECT_TRUE(form.acceptsUserInput());
    const int tab = form.SSTab1.Tab();
    controls::WindowInput user(form);
    ASSERT_TRUE(user.clickOn(form.Image13));
    EXPECT_EQ(form.SSTab1.Tab(), (tab + 1) % 3);
  }

  fs::path songs;
};

TEST_F(BusyCommands, AnythingThrownInsideTheWorkIsSaidAndTheWindowTakesInputAgain) {
  struct Command {
    const char* what;
    controls::Element* control;
    int tab;
    std::function<void()> prepare;  // the picker's answer, a change to compile
    QString title;                  // of the command's error box
  };
  const std::function<void()> pickNewPicture = [this] { pickerAnswers(pictures, "new.jpg"); };
  const std::function<void()> nothing = [] {};
  const Command commands[] = {
      {"choose the title picture", &form.Image2, 2, pickNewPicture, "Quendrel"},
      {"choose the bottom picture", &form.Image3, 2, pickNewPicture, "Quendrel"},
      {"choose the intro picture", &form.Image4, 2, pickNewPicture, "Quendrel"},
      {"clear the title picture", &form.Command10, 2, nothing, "Quendrel"},
      {"clear the bottom picture", &form.Command12, 2, nothing, "Quendrel"},
      {"clear the intro picture", &form.Command16, 2, nothing, "Quendrel"},
      {"compile", &form.Command27, 2, [this] { form.markProjectChanged(); }, "Quendrel"},
      {"add a folder of songs", &form.Command7, 1,
       [this] {
         fakes.modals.expect<Dialog>([this](Dialog& picker) {
           picker.Dir1.setPath(QString::fromStdString(songs.string()));
           EXPECT_TRUE(picker.AddAllButton.click());
         });
       },
       "Error"},
  };
  controls::WindowInput user(form);
  for (const Failure& failure : kFailures) {
    for (const Command& c : commands) {
      SCOPED_TRACE(std::string(c.what) + ", " + failure.what);
      form.SSTab1.setTab(c.tab);
      c.prepare();
      const State before = state();
      fakes.dialogs->expectMsgBox(failure.shown, platform::vbOK).withStyle(platform::vbOKOnly).withTitle(c.title);
      {
        const FailureInsideWork inside(form, failure.raise);
        ASSERT_TRUE(user.clickOn(*c.control));
        EXPECT_TRUE(inside.thrown());
      }
      EXPECT_TRUE(fakes.dialogs->allShown());
      EXPECT_EQ(fakes.modals.pending(), 0);
      EXPECT_FALSE(form.messageWindow().Visible());
      EXPECT_TRUE(state() == before);
      expectTakesInput();
    }
  }
  // The compile was not done: it may be tried again, and Run waits for it.
  EXPECT_TRUE(form.Command27.Enabled());
  EXPECT_FALSE(form.cmdPreview.Enabled());
}

TEST_F(BusyCommands, AFailureWhileTheRipperComesUpGivesTheWindowBack) {
  // No drive: the ripper says so as it loads, and closes again.
  struct NoDrives : ripper_test::PassedOnDrives {
    std::int32_t GetNumAdapters() override { return 0; }
  } drives;
  const QString noAdapter = QStringLiteral(
      "Could not locate a CD adaptor.\nOr CD is occupied, Or you are currently using a different ripping utility.");
  form.SSTab1.setTab(1);
  controls::WindowInput user(form);
  ASSERT_TRUE(user.clickOn(form.optFrom2));
  ASSERT_TRUE(form.optFrom2.Value());
  for (const Failure& failure : kFailures) {
    SCOPED_TRACE(failure.what);
    form.SSTab1.setTab(1);
    fakes.dialogs->expectMsgBox(failure.shown, platform::vbOK).withStyle(platform::vbOKOnly).withTitle("Error");
    {
      const FailingBox box(*fakes.dialogs, noAdapter, failure.raise);
      ASSERT_TRUE(user.clickOn(form.Command7));
      EXPECT_TRUE(box.thrown());
    }
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(form.ripperWindow(), nullptr);
    expectTakesInput();
  }
}

}  // namespace
}  // namespace authoring_test
