// The start-up of the main window: its order, and its one recovery point
// that neither doubles what it read nor gets stuck.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "form5_test_support.h"
#include "web/web_host.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

// A fetcher that looks at the start-up's state each time it is asked, and
// answers from a script.
class WatchingFetcher : public platform::TextFetcher {
 public:
  struct Seen {
    int projects;
    bool handleExists;
    bool splashVisible;
  };
  explicit WatchingFetcher(Fakes& fakes) : fakes_(fakes) {}
  std::function<void()> onFirstFetch;

  platform::FetchResult fetch(const QString& address) override {
    Form5* form = Form5::instance();
    seen.push_back({form->listProjects.ListCount(), fs::is_directory(fakes_.folder.handle()),
                    form->messageWindow().Visible()});
    if (seen.size() == 1 && onFirstFetch) onFirstFetch();
    return fakes_.fetcher->fetch(address);
  }
  std::vector<Seen> seen;

 private:
  Fakes& fakes_;
};

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    // A first start: the folder as it ships, no Handle yet.
    fakes.folder.fillAsShipped();
    fakes.folder.writeProjectList({{"Rock", "/music/Rock"}, {"Jazz", "/music/Jazz"}});
    platform::setTextFetcher(&watcher);
  }
  void TearDown() override { platform::setTextFetcher(&fakes.fetcher.get()); }

  // The window ends usable: on tab 0, Label4 following, the splash hidden
  // but loaded, the naming slots in their sizes.
  static void expectUsable(Form5& form) {
    EXPECT_EQ(form.SSTab1.Tab(), 0);
    EXPECT_EQ(form.Label4.Caption(), "*Create / Load project");
    EXPECT_FALSE(form.messageWindow().Visible());
    EXPECT_EQ(form.messageWindow().Label1.Caption(), splashText());
    EXPECT_EQ(form.picNames.size(), 3u);
    EXPECT_EQ(form.coverNames.size(), 30u);
    EXPECT_EQ(form.lblVersion.Caption(), "Quendrel version\r\n" + Form5::versionText());
    form.Show();
    EXPECT_TRUE(form.Image13.mouseDown());  // the window takes the user's input
    EXPECT_TRUE(form.Image13.mouseUp());
    EXPECT_EQ(form.SSTab1.Tab(), 1);
  }

  Fakes fakes;
  WatchingFetcher watcher{fakes};
};

TEST_F(Startup, ReadsTheListBuildsTheSampleThenAsksForTheUpdateWithTheSplashUp) {
  fakes.fetcher->alwaysReply("29127");
  Form5 form;
  form.SSTab1.setTab(2);
  form.Label14.setBorderStyle(0);
  form.Load();

  EXPECT_EQ(fakes.fetcher->addresses(), std::vector<QString>{"127.0.0.1:1/Utilities/Quendrel/newVersion.dat"});
  ASSERT_EQ(watcher.seen.size(), 1u);
  // The list is read and the sample built into it (first start) before the
  // update check, while the splash is up.
  EXPECT_EQ(watcher.seen[0].projects, 3);
  EXPECT_TRUE(watcher.seen[0].handleExists);
  EXPECT_TRUE(watcher.seen[0].splashVisible);
  EXPECT_EQ(form.listProjects.List(1), "Jazz");
  EXPECT_EQ(form.listProjectsPath.List(1), "/music/Jazz");
  EXPECT_EQ(form.listProjects.List(2), "Demo Collection");
  EXPECT_TRUE(fakes.dialogs->shown().empty());
  // The channel labels are laid out in thirds of the colour strip.
  EXPECT_EQ(form.Label14.Width(), 485);
  EXPECT_EQ(form.Label17.Left(), 485);
  EXPECT_EQ(form.Label17.Width(), 495);
  EXPECT_EQ(form.Label18.Left(), 980);
  EXPECT_EQ(form.RGB_SET, 1);
  expectUsable(form);
}

TEST_F(Startup, AFailedUpdateRequestRunsTheStepsAgainWithoutDoublingAnything) {
  fakes.fetcher->queueFailure("No connection");
  fakes.fetcher->alwaysReply("29128");
  fakes.dialogs->expectMsgBox("A new version is available.", platform::vbOK).withStyle(platform::vbOKOnly);
  // Handle, made on this first start before the first request, must not be
  // made again, nor the sample built twice: what the first pass made stays.
  watcher.onFirstFetch = [this] { std::ofstream(fakes.folder.handle() / "kept"); };
  Form5 form;
  form.Load();

  ASSERT_EQ(watcher.seen.size(), 2u);
  // Read afresh: the two listed before and the sample.
  EXPECT_EQ(watcher.seen[1].projects, 3);
  EXPECT_EQ(form.listProjects.ListCount(), 3);
  EXPECT_EQ(form.listProjectsPath.ListCount(), 3);
  EXPECT_TRUE(fs::exists(fakes.folder.handle() / "kept"));
  expectUsable(form);
}

TEST_F(Startup, ASecondErrorNeitherEndsNorLoops) {
  struct Case {
    const char* what;
    bool listMissing;
    std::size_t requests;
  };
  // A missing qdd.dat fails in both passes, so its second failure is the
  // second error and the update request is made once; with the list there,
  // the two failing requests are the two errors. Each is a first start: the
  // list ends with the sample in it.
  const Case cases[] = {{"update request fails twice", false, 2}, {"no qdd.dat, no reply", true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.listMissing) fs::remove(fakes.folder.path() / "qdd.dat");
    fakes.fetcher->alwaysFail("No connection");
    watcher.seen.clear();
    fs::remove_all(fakes.folder.handle());
    fs::remove_all(fakes.folder.path() / "Demo Collection");
    Form5 form;
    form.SSTab1.setTab(1);
    form.Load();

    EXPECT_EQ(watcher.seen.size(), c.requests);
    EXPECT_EQ(form.listProjects.ListCount(), c.listMissing ? 1 : 3);
    EXPECT_TRUE(fs::is_directory(fakes.folder.handle()));
    EXPECT_TRUE(fakes.dialogs->shown().empty());
    EXPECT_EQ(fakes.programEnds, 0);
    expectUsable(form);
  }
}

TEST_F(Startup, WithoutAWebHostTheRequestFailsAtTheRecoveryPoint) {
  if (!platform::configuredWebHost().isEmpty()) GTEST_SKIP() << "this build has a web host";
  ScopedWebHost none{QString()};
  Form5 form;
  form.Load();
  EXPECT_TRUE(watcher.seen.empty());
  EXPECT_EQ(form.listProjects.ListCount(), 3);
  expectUsable(form);
}

TEST_F(Startup, TheSplashStaysUpThroughAWindowSystemsCloseUntilTheStartUpHidesIt) {
  fakes.fetcher->alwaysReply("29127");
  bool stayedUp = false;
  watcher.onFirstFetch = [&] {
    Form5& form = *Form5::instance();
    form.messageWindow().widget()->close();
    stayedUp = form.messageWindow().isLoaded() && form.messageWindow().widget()->isVisible();
  };
  Form5 form;
  form.Load();
  EXPECT_TRUE(stayedUp);
  expectUsable(form);
}

TEST_F(Startup, AnExistingHandleFolderIsLeftAsItIs) {
  fs::create_directory(fakes.folder.handle());
  std::ofstream(fakes.folder.handle() / "mirror");
  fakes.fetcher->alwaysReply("");
  Form5 form;
  form.Load();
  EXPECT_TRUE(fs::exists(fakes.folder.handle() / "mirror"));
  EXPECT_FALSE(fs::exists(fakes.folder.path() / "Demo Collection"));
  EXPECT_EQ(form.listProjects.ListCount(), 2);
  expectUsable(form);
}

}  // namespace
}  // namespace authoring_test
