// Start-up in its order, each way it ends, and the browser's unload.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>
#include <new>
#include <stdexcept>

#include "system/process_launcher.h"

#include "path_functions.h"
#include "path_helpers.h"
#include "player_fixture.h"
#include "player_program.h"
#include "store_error.h"
#include "window_input.h"

namespace player::testing_support {
namespace {

using platform::WindowStyle;

TEST(CollectionRoot, GetsOneSeparatorAtItsEnd) {
  EXPECT_EQ(collectionRootOf("/"), "/");
  EXPECT_EQ(collectionRootOf("/media/cdrom"), "/media/cdrom/");
  EXPECT_EQ(collectionRootOf("/media/cdrom/"), "/media/cdrom/");
}

TEST(StorePathRules, HoldAsThePlayerUsesThem) {
  std::string path = "/data/coll  ";
  store::AddDirSep(path);
  EXPECT_EQ(path, "/data/coll/");
  path = "C:\\Coll\\";
  store::AddDirSep(path);
  EXPECT_EQ(path, "C:\\Coll\\");
  EXPECT_EQ(store::StringFromBuffer(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(store::StringFromBuffer("no nul"), "no nul");
  platform::ScopedEnvironmentVariable sys("QUENDREL_SYSTEM_DIR", "/var/sys  ");
  EXPECT_EQ(store::GetWindowsSysDir(), "/var/sys/");
}

class StartUp : public PlayerTest {};

TEST_F(StartUp, RunsInItsOrderAndLeavesTheBrowserAnimating) {
  writeTypicalCollection(3);
  auto data = projectData();
  data.initPicFile = "intro.png";
  writeProjectData(data);
  writePack("dop.qd", {{"intro.png", pictureBytes(320, 200)}, {"title.png", pictureBytes(300, 80)}});
  expectIntro([this](Form4& intro) {
    // The intro comes before the marker test, the player window and the browser.
    EXPECT_EQ(player->loadedForm2(), nullptr);
    EXPECT_FALSE(browser().Visible());
    EXPECT_FALSE(intro.Image1.Picture().isEmpty());
  });
  start();

  EXPECT_TRUE(introShown);
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(launcher->started().empty());
  EXPECT_EQ(player->collectionRoot(), disc.str() + "/");
  EXPECT_TRUE(browser().Visible());
  EXPECT_FALSE(window().Visible());
  ASSERT_NE(player->loadedForm3(), nullptr);
  EXPECT_FALSE(player->loadedForm3()->Visible());

  EXPECT_EQ(browser().numOfAlbums, 3);
  EXPECT_EQ(browser().Album, 1);
  EXPECT_EQ(browser().theAlbum, "01 - Album 1");
  EXPECT_EQ(browser().Label8.Caption(), "Album 1");
  EXPECT_EQ(browser().GetAlbumName(3), "03 - Album 3");
  EXPECT_EQ(browser().Caption(), "Summer Songs");
  EXPECT_EQ(window().Caption(), "Summer Songs");
  EXPECT_EQ(browser().Label2.Caption(), "Summer Songs");
  EXPECT_EQ(browser().Left(), 0);
  EXPECT_EQ(browser().Width(), 15360);
  EXPECT_EQ(browser().Height(), 11520);
  EXPECT_EQ(browser().Frame1.Left(), (15360 - browser().Frame1.Width()) / 2);
  EXPECT_EQ(browser().Label1.Top(), browser().Label2.Top() + 7);
  EXPECT_EQ(browser().Label1.Left(), browser().Label2.Left() + 10);

  // The animation waits; the interface and the frame are hidden meanwhile.
  EXPECT_TRUE(browser().BoxesTimer.Enabled());
  EXPECT_EQ(browser().BoxesTimer.Interval(), 5000);
  EXPECT_TRUE(browser().ImageTorvel.Visible());
  EXPECT_FALSE(browser().Label1.Visible());
  EXPECT_FALSE(browser().Line1.Visible());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(browser().Image1(i).Visible()) << i;

  // Player window: its marks, first state and the interface colour.
  EXPECT_TRUE(window().enterChk);
  EXPECT_TRUE(window().modent);
  EXPECT_TRUE(window().firstFileOpen);
  EXPECT_FALSE(window().BasketPressed);
  EXPECT_FALSE(window().repeatPrvtLst);
  EXPECT_EQ(browser().globalColor, 0x804000u);
  for (controls::Element* e : std::initializer_list<controls::Element*>{
           &browser(), &browser().Frame1, &browser().Text1, &window(), &window().Text1, &window().Frame1,
           &window().pList, &window().FrameUtils})
    EXPECT_EQ(e->BackColor(), 0x804000u) << e->Name().toStdString();
  EXPECT_EQ(browser().ttlL.ForeColor(), 0x804000u + 48000u);
}

TEST_F(StartUp, GivesThePlayerWindowItsFirstState) {
  writeTypicalCollection(1);
  start();
  Form2& w = window();
  EXPECT_EQ(w.scrlVOL.Min(), -6000);
  EXPECT_EQ(w.scrlVOL.Max(), 0);
  EXPECT_EQ(w.scrlVOL.Value(), -600);
  EXPECT_EQ(w.scrlBAL.Min(), -10000);
  EXPECT_EQ(w.scrlBAL.Max(), 10000);
  EXPECT_EQ(w.scrlBAL.Value(), 0);
  EXPECT_TRUE(w.imgPlayB.Picture() == w.ip1.Picture());
  EXPECT_TRUE(w.imgPauseB.Picture() == w.ips1.Picture());
  EXPECT_TRUE(w.Image11.Picture() == w.Image12.Picture());
  EXPECT_TRUE(w.Image16.Picture() == w.Image17.Picture());
  EXPECT_TRUE(w.Label1(30).DragIcon() == w.Label1(0).DragIcon());
  EXPECT_FALSE(w.Label5.Visible());
  EXPECT_FALSE(w.Label6.Visible());
  EXPECT_EQ(w.Label4.ForeColor(), 0x80C0FFu);
  // The readouts lie on the media control's place; the view shows the volume.
  for (controls::Label* readout : {&w.Label3, &w.Label9}) {
    EXPECT_EQ(readout->Left(), mp1->left());
    EXPECT_EQ(readout->Top(), mp1->top());
    EXPECT_EQ(readout->Width(), mp1->width());
    EXPECT_EQ(readout->Height(), mp1->height());
  }
  EXPECT_TRUE(w.Label3.Visible());
  EXPECT_FALSE(w.Label9.Visible());
  EXPECT_FALSE(mp1->isVisible());
  EXPECT_EQ(w.Frame1.Top(), 0);
  EXPECT_EQ(w.Frame1.Left(), (15360 - w.Frame1.Width()) / 2);
}

TEST_F(StartUp, WithoutProjectDataSaysSoAndEndsLeavingNothingUnpacked) {
  writePack("dop.qd", {{"title.png", pictureBytes(10, 10)}});
  addAlbums(1);
  dialogs->expectMsgBox("A file is missing.", platform::vbOK).withStyle(platform::vbOKOnly);
  start();
  EXPECT_EQ(ends, std::vector{EndReason::ProjectDataMissing});
  EXPECT_EQ(player->loadedForm2(), nullptr);
  EXPECT_FALSE(browser().Visible());
  EXPECT_TRUE(runFolders().empty());
}

// Every other way of ending at once also takes the player's folder with it.
TEST_F(StartUp, EndingAtOnceLeavesNoFolder) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    EndReason reason;
  };
  const Case cases[] = {
      {"not project data", [this] { writeBytes(disc / "dat.qd", "ab"); }, EndReason::ProjectDataInvalid},
      {"no marker",
       [this] {
         removeMarker();
         writeBytes(disc / "setup.exe", "#!/bin/sh\n");
       },
       EndReason::SetupStarted},
      {"no album", [this] { fs::remove_all(disc / albumFolderName(1)); }, EndReason::NoAlbums},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeTypicalCollection(1);
    installMarker();
    c.arrange();
    ends.clear();
    start();
    EXPECT_EQ(ends, std::vector{c.reason});
    EXPECT_TRUE(runFolders().empty());
  }
}

TEST_F(StartUp, ProjectDataThatIsAFolderIsMissing) {
  addAlbums(1);
  fs::create_directory(disc / "dat.qd");
  dialogs->expectMsgBox("A file is missing.", platform::vbOK);
  start();
  EXPECT_EQ(ends, std::vector{EndReason::ProjectDataMissing});
}

TEST_F(StartUp, EndsSilentlyOnProjectDataThatIsNotOne) {
  addAlbums(1);
  for (const std::string& bytes : {std::string("\x64\x84\x09\x00", 4), std::string("ab"), std::string()}) {
    writeBytes(disc / "dat.qd", bytes);
    ends.clear();
    start();
    EXPECT_EQ(ends, std::vector{EndReason::ProjectDataInvalid}) << bytes.size();
    EXPECT_EQ(player->loadedForm2(), nullptr);
  }
  EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(StartUp, FindsTheProjectDataWithoutRegardToCase) {
  writeTypicalCollection(1);
  fs::rename(disc / "dat.qd", disc / "DAT.QD");
  start();
  EXPECT_TRUE(ends.empty());
  EXPECT_EQ(browser().Label1.Caption(), "Summer Songs");
}

struct MissingMarkerCase {
  const char* name;
  std::vector<std::string> rootFiles;  // besides the collection
  std::string autorun;                 // "" for none
  std::string started;                 // "" for nothing started
  std::string selfLink;                // a root file that is the running program itself
  bool startFails = false;             // the program is there but cannot be started
};

class MissingMarker : public PlayerTest, public ::testing::WithParamInterface<MissingMarkerCase> {};

// A launcher that starts ends the player; without one the player plays, as
// it does after a failed install, rather than ending without a word.
TEST_P(MissingMarker, StartsTheInstallerAndEndsOrElsePlays) {
  const auto& c = GetParam();
  writeTypicalCollection(2);
  removeMarker();
  for (const auto& f : c.rootFiles) writeBytes(disc / f, "#!/bin/sh\n");
  if (!c.autorun.empty()) writeBytes(disc / "AUTORUN.INF", c.autorun);
  if (!c.selfLink.empty())
    fs::create_symlink(QCoreApplication::applicationFilePath().toStdString(), disc / c.selfLink);
  launcher->setFailing(c.startFails);
  start();
  if (c.started.empty()) {
    EXPECT_TRUE(launcher->started().empty());
  } else {
    ASSERT_EQ(launcher->started().size(), 1u);
    const auto& s = launcher->started()[0];
    EXPECT_EQ(s.program.toStdString(), (disc / c.started).string());
    EXPECT_TRUE(s.arguments.isEmpty());
    EXPECT_EQ(s.style, WindowStyle::Normal);
  }
  if (!c.started.empty() && !c.startFails) {
    EXPECT_EQ(ends, std::vector{EndReason::SetupStarted});
    EXPECT_EQ(player->loadedForm2(), nullptr);
    EXPECT_FALSE(browser().Visible());
  } else {
    EXPECT_TRUE(ends.empty());
    EXPECT_TRUE(browser().Visible());
    ASSERT_NE(player->loadedForm2(), nullptr);
    EXPECT_EQ(browser().numOfAlbums, 2);
    EXPECT_TRUE(browser().BoxesTimer.Enabled());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingMarker,
    ::testing::Values(
        MissingMarkerCase{"SetupInTheRoot", {"Setup.EXE", "Alpha.exe"}, "open = Alpha.exe\r\n", "Setup.EXE", ""},
        MissingMarkerCase{"LauncherOfTheAutorunFile",
                          {"Alpha.exe"},
                          "[autorun]\r\nicon = QD.exe,0\r\nlabel = Mine\r\nopen = Alpha.exe\r\n",
                          "Alpha.exe", ""},
        MissingMarkerCase{"LauncherThatCannotBeStarted", {"Alpha.exe"}, "open = Alpha.exe\r\n", "Alpha.exe", "", true},
        MissingMarkerCase{"AutorunNamingAFileElsewhere", {"Alpha.exe"}, "open = ../Alpha.exe\r\n", "", ""},
        MissingMarkerCase{"AutorunNamingAMissingFile", {}, "open = Alpha.exe\r\n", "", ""},
        MissingMarkerCase{"NothingToStart", {}, "", "", ""},
        // Setup and the player must not start each other without end.
        MissingMarkerCase{"AutorunOpeningThePlayerItself", {}, "open = QD.exe\r\n", "", "QD.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

// A disc that lacks a support file must still play: Setup tries the install
// again at its next start, and the player neither ends nor starts Setup.
TEST_F(StartUp, AfterAFailedInstallPlaysWithoutStartingSetup) {
  writeTypicalCollection(2);
  removeMarker();
  writeBytes(disc / "Setup.EXE", "#!/bin/sh\n");
  writeBytes(disc / "AUTORUN.INF", "open = Setup.EXE\r\n");
  platform::ScopedEnvironmentVariable tried(platform::kInstallTriedVariable, "1");
  start();
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(launcher->started().empty());
  EXPECT_TRUE(browser().Visible());
  ASSERT_NE(player->loadedForm2(), nullptr);
  EXPECT_EQ(browser().numOfAlbums, 2);
  EXPECT_TRUE(browser().BoxesTimer.Enabled());
}

TEST_F(StartUp, WithTheMarkerInAnyCaseStartsNothing) {
  writeTypicalCollection(1);
  removeMarker();
  writeBytes(sysDir / "rz.log", "");
  writeBytes(disc / "setup.exe", "");
  start();
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(launcher->started().empty());
}

TEST_F(StartUp, EndsSilentlyWithoutAlbumFoldersAfterIntroAndMarker) {
  writeTypicalCollection(0);
  auto data = projectData();
  data.initPicFile = "intro.png";
  writeProjectData(data);
  writeBytes(disc / "notes.txt", "a file is no album");
  expectIntro();
  start();
  EXPECT_TRUE(introShown);
  EXPECT_EQ(ends, std::vector{EndReason::NoAlbums});
  EXPECT_FALSE(browser().Visible());
  EXPECT_EQ(player->loadedForm3(), nullptr);
  EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(StartUp, EveryFolderIsAnAlbumAndThirtyAreShown) {
  writeProjectData(projectData());
  fs::create_directory(disc / "Jazz");
  for (int i = 1; i <= 32; ++i) fs::create_directory(disc / ("x" + runtime::twoDigits(i)));
  start();
  EXPECT_EQ(browser().numOfAlbums, 30);
  EXPECT_EQ(browser().theAlbum, "Jazz");
  EXPECT_EQ(browser().Label8.Caption(), "Jazz");
  EXPECT_EQ(browser().GetAlbumName(30), "x29");
  EXPECT_FALSE(browser().Image1.exists(30));
}

TEST_F(StartUp, HonoursTheWindowStyleItWasStartedWith) {
  writeTypicalCollection(1);
  player = std::make_unique<Player>([this] { return std::make_unique<media::FakeMediaControl>(*clock); },
                                    [this](EndReason r) { ends.push_back(r); });
  player->setStartStyle(WindowStyle::Minimized);
  player->form1();
  EXPECT_TRUE(browser().Visible());
  EXPECT_EQ(browser().WindowState(), controls::vbMinimized);
}

class ShutDown : public PlayerTest {};

TEST_F(ShutDown, UnloadingTheBrowserStopsPlayAndTakesEveryWindowDown) {
  writeTypicalCollection(2);
  start();
  mp1->open(QString::fromStdString((disc / "01 - Album 1" / "01 - a.mp3").string()));
  (void)mp1->playState();  // the opening hold counts from the first look
  clock->advance(1000);
  ASSERT_EQ(mp1->playState(), media::PlayState::Playing);
  browser().Text1.setCaretVisible(false);
  mp1->clearCalls();
  browser().Unload();
  EXPECT_EQ(mp1->calls(), std::vector<std::string>{"stop()"});
  EXPECT_TRUE(controls::Form::loadedForms().empty());
  EXPECT_TRUE(ends.empty());
}

// The player's folder goes with the player: after its normal end, and after
// a start-up that failed half-way.
TEST_F(ShutDown, ThePlayersFolderGoesWithThePlayer) {
  writeTypicalCollection(2);
  start();
  ASSERT_EQ(runFolders().size(), 1u);
  EXPECT_EQ(filesIn(coversFolder()), std::vector<std::string>{});
  browser().Unload();
  ASSERT_TRUE(controls::Form::loadedForms().empty());
  player.reset();
  EXPECT_TRUE(runFolders().empty());

  makeControl = [](platform::Clock&) -> std::unique_ptr<media::FakeMediaControl> {
    throw std::runtime_error("no sound");
  };
  EXPECT_THROW(start(), std::runtime_error);
  EXPECT_EQ(runFolders().size(), 1u) << "made before the player window failed";
  player.reset();
  EXPECT_TRUE(runFolders().empty());
}

// The program's run: its event loop runs while the player lives with its
// folder, and the player and its folder go when the loop ends.
TEST_F(ShutDown, TheProgramRunsTheLoopWhileThePlayerLives) {
  writeTypicalCollection(1);
  bool looped = false;
  const int code = runPlayer([this] { return std::make_unique<media::FakeMediaControl>(*clock); },
                             [&] {
                               looped = true;
                               EXPECT_EQ(runFolders().size(), 1u);
                               EXPECT_EQ(controls::Form::loadedForms().size(), 3u) << "browser, player, placeholder";
                               return 7;
                             });
  EXPECT_TRUE(looped);
  EXPECT_EQ(code, 7);
  EXPECT_TRUE(runFolders().empty());
  EXPECT_TRUE(dialogs->shown().empty());
}

// A script of boxes that runs `atEveryBox` as each message box comes up.
class WatchedDialogs : public platform::ScriptedDialogs {
 public:
  std::function<void()> atEveryBox;
  platform::MsgBoxResult MsgBox(const QString& prompt, int style, const QString& title) override {
    if (atEveryBox) atEveryBox();
    return ScriptedDialogs::MsgBox(prompt, style, title);
  }
};

// A start-up that fails, whatever it fails with, shows its failure in a
// critical box once the player and its folder have gone, and ends the
// program with 1.
TEST_F(ShutDown, AFailedStartSaysWhyAndEndsTheProgramWith1) {
  const struct {
    const char* what;
    std::function<void()> fail;
    const char* message;
  } cases[] = {
      {"a file error", [] { throw store::StoreError("Path/File access error"); }, "Path/File access error"},
      {"no memory", [] { throw std::bad_alloc(); }, "std::bad_alloc"},
      {"a wrong index", [] { throw std::out_of_range("no such entry"); }, "no such entry"},
  };
  writeTypicalCollection(1);
  platform::ScopedInstall<platform::DialogService, WatchedDialogs, &platform::dialogs, &platform::setDialogService>
      boxes;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    boxes->expectMsgBox(c.message, platform::vbOK).withStyle(platform::vbCritical);
    boxes->atEveryBox = [this] {
      EXPECT_TRUE(runFolders().empty()) << "the folder is still there";
      EXPECT_TRUE(controls::Form::loadedForms().empty()) << "the windows are still there";
    };
    bool looped = false;
    const int code = runPlayer(
        [&]() -> std::unique_ptr<media::MediaControl> {
          EXPECT_EQ(runFolders().size(), 1u) << "the pictures are unpacked before the player window loads";
          c.fail();
          return nullptr;
        },
        [&] {
          looped = true;
          return 0;
        });
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(looped);
    boxes->verifyAllShown();
    EXPECT_TRUE(runFolders().empty());
  }
}

TEST_F(ShutDown, ClosingThePlaceholderEndsThePlayer) {
  writeTypicalCollection(1);
  start();
  Form3& placeholder = *player->loadedForm3();
  placeholder.setWindowState(controls::vbNormal);
  placeholder.Show();
  ASSERT_TRUE(placeholder.close());
  EXPECT_TRUE(controls::Form::loadedForms().empty());
}

TEST_F(ShutDown, TheExitButtonUnloadsTheBrowserOnceTheAnimationHasEnded) {
  writeTypicalCollection(1);
  start();
  // Clicked as a real mouse clicks: through the window.
  controls::WindowInput user(browser());
  ASSERT_TRUE(user.clickOn(browser().Image2));
  EXPECT_FALSE(controls::Form::loadedForms().empty());  // not yet enabled
  clock->advance(5000);
  ASSERT_TRUE(user.clickOn(browser().Image2));
  EXPECT_TRUE(controls::Form::loadedForms().empty());
}

}  // namespace
}  // namespace player::testing_support
