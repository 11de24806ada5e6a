// The album browser's commands, pressed through the window as a user does:
// select and open an album, play all, minimise, the information text, exit
// and the title links; and the way back from the player window.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "player_fixture.h"
#include "web/web_host.h"
#include "window_input.h"

namespace player::testing_support {
namespace {

class BrowserCommands : public PlayerTest {
 protected:
  // Albums with capitals in their names, two songs each.
  void startWith(const std::vector<std::string>& albums) {
    writeProjectData(projectData());
    std::vector<std::pair<std::string, std::string>> covers;
    for (std::size_t i = 0; i < albums.size(); ++i) {
      addFiles(albums[i], {"01 - FIRST song.mp3", "02 - second.mp3"});
      covers.emplace_back(albums[i].substr(0, 2) + ".jpg",
                          pictureBytes(40, 40, QColor(static_cast<int>(i) * 60, 100, 200)));
    }
    writePack("dop.qd", {});
    writePack("cvrd.qd", covers);
    start();
    finishAnimation();
  }
  void startWithThree() { startWith({"01 - ROCK classics", "02 - jazz NIGHTS", "03 - Folk"}); }
};

TEST_F(BrowserCommands, AClickSelectsAnAlbumAndADoubleClickOpensIt) {
  startWithThree();
  Form1& f = browser();
  controls::WindowInput user(f);
  ASSERT_TRUE(user.clickOn(f.Image1(1)));
  EXPECT_TRUE(f.mainIMG.Picture() == f.Image1(1).Picture());
  EXPECT_EQ(f.Label8.Caption(), "jazz NIGHTS");
  EXPECT_EQ(f.Album, 2);
  EXPECT_EQ(f.theAlbum, "02 - jazz NIGHTS");
  EXPECT_FALSE(window().Visible());
  EXPECT_EQ(f.numOfSongs, 0);

  ASSERT_TRUE(user.dblClickOn(f.Image1(2)));
  EXPECT_TRUE(window().Visible());
  EXPECT_EQ(f.theAlbum, "03 - Folk");
  EXPECT_EQ(window().namLBL.Caption(), "Summer Songs - Folk");
  EXPECT_EQ(window().Label1(0).Caption(), "01 - First song");
  EXPECT_TRUE(window().Image3.Picture() == f.Image1(2).Picture());
}

TEST_F(BrowserCommands, TheLargePictureOpensTheSelectedAlbum) {
  startWithThree();
  Form1& f = browser();
  controls::WindowInput user(f);
  ASSERT_TRUE(user.clickOn(f.Image1(1)));
  ASSERT_TRUE(user.clickOn(f.mainIMG));
  EXPECT_TRUE(window().Visible());
  EXPECT_EQ(window().namLBL.Caption(), "Summer Songs - jazz NIGHTS");
  EXPECT_EQ(f.File1.Path().toStdString(), (disc / "02 - jazz NIGHTS").string());
}

TEST_F(BrowserCommands, PlayAllLatchesOnTheFirstPressAndLetsGoAfterTheSecond) {
  startWithThree();
  Form1& f = browser();
  window().beenPlying = true;
  controls::WindowInput user(f);
  const struct {
    bool press;
    bool playAll, pressed, pickUp, lookPressed;
  } steps[] = {
      {true, true, true, false, true},    // latched down, play all on
      {false, true, true, false, true},   // stays down after the release
      {true, true, true, true, true},     // the second press asks to let go
      {false, false, false, true, false}, // and its release lets go
      {true, true, true, false, true},    // and it latches again
  };
  int n = 0;
  for (const auto& s : steps) {
    ASSERT_TRUE(s.press ? user.pressOn(f.imgPlyAll) : user.releaseOn(f.imgPlyAll));
    EXPECT_EQ(f.PlayAll, s.playAll) << n;
    EXPECT_EQ(f.PlayAllPressed, s.pressed) << n;
    EXPECT_EQ(f.pickUp, s.pickUp) << n;
    EXPECT_TRUE(f.imgPlyAll.Picture() == (s.lookPressed ? f.Image5 : f.Image4).Picture()) << n;
    ++n;
  }
  EXPECT_FALSE(window().beenPlying);
}

TEST_F(BrowserCommands, MinimisingTellsWhatPlaysInThePlaceholdersCaption) {
  const struct {
    const char* what;
    std::function<void(Form1&, Form2&)> state;
    const char* caption;
  } cases[] = {
      {"nothing plays", [](Form1&, Form2&) {}, "Summer Songs - Rock classics"},
      {"an album plays",
       [](Form1& f, Form2& w) {
         w.isPlaying = true;
         w.OriginalAlbum = "02 - jazz NIGHTS";
         w.OriginalSngIdx = 1;
         f.List1.AddItem("01 - FIRST song");
         f.List1.AddItem("02 - SECOND song");
       },
       "Summer Songs - Jazz nights - Second song"},
      {"the personal list plays",
       [](Form1& f, Form2& w) {
         w.isPlaying = true;
         w.BasketPressed = true;
         f.Label5.setCaption("jazz NIGHTS");
         f.Label4.setCaption("second song");
       },
       "Summer Songs - jazz NIGHTS - second song"},
  };
  for (const auto& c : cases) {
    emptyDisc();
    startWithThree();
    Form1& f = browser();
    c.state(f, window());
    controls::WindowInput user(f);
    ASSERT_TRUE(user.pressOn(f.minIMG)) << c.what;
    EXPECT_TRUE(f.minIMG.Picture() == f.Image7.Picture()) << c.what;
    ASSERT_TRUE(user.releaseOn(f.minIMG)) << c.what;
    EXPECT_TRUE(f.minIMG.Picture() == f.Image6.Picture()) << c.what;

    Form3& placeholder = *player->loadedForm3();
    EXPECT_EQ(f.Caption().toStdString(), c.caption) << c.what;
    EXPECT_EQ(placeholder.Caption().toStdString(), c.caption) << c.what;
    EXPECT_FALSE(f.Visible()) << c.what;
    EXPECT_TRUE(placeholder.Visible()) << c.what;
    EXPECT_EQ(placeholder.WindowState(), controls::vbMinimized) << c.what;
    player.reset();
  }
}

TEST_F(BrowserCommands, RestoringThePlaceholderShowsTheBrowserAgain) {
  startWithThree();
  Form1& f = browser();
  controls::WindowInput user(f);
  ASSERT_TRUE(user.clickOn(f.minIMG));
  Form3& placeholder = *player->loadedForm3();
  ASSERT_FALSE(f.Visible());
  // The user restores it from the taskbar, and it is drawn.
  placeholder.setWindowState(controls::vbNormal);
  placeholder.paint();
  EXPECT_FALSE(placeholder.Visible());
  EXPECT_TRUE(f.Visible());
  ASSERT_TRUE(user.clickOn(f.Image1(0)));  // the browser takes clicks again
  EXPECT_EQ(f.Label8.Caption(), "ROCK classics");
}

TEST_F(BrowserCommands, TheInformationButtonShowsAndHidesTheText) {
  startWithThree();
  Form1& f = browser();
  controls::WindowInput user(f);
  f.Text1.setCaretVisible(true);
  ASSERT_TRUE(user.pressOn(f.Image9));
  EXPECT_TRUE(f.Command2.Visible());
  EXPECT_TRUE(f.Text1.Visible());
  EXPECT_EQ(f.Text1.Text(), "Made with care.\r\n");
  EXPECT_FALSE(f.Text1.caretVisible());
  EXPECT_TRUE(f.Image9.Picture() == f.Image3.Picture());
  ASSERT_TRUE(user.releaseOn(f.Image9));
  EXPECT_TRUE(f.Text1.Visible());  // it toggles on the press only

  ASSERT_TRUE(user.clickOn(f.Image9));
  EXPECT_FALSE(f.Command2.Visible());
  EXPECT_FALSE(f.Text1.Visible());
  EXPECT_TRUE(f.Image9.Picture() == f.Image8.Picture());
}

TEST_F(BrowserCommands, ExitTakesEveryWindowDownAndEndsTheProgram) {
  startWithThree();
  controls::WindowInput user(browser());
  ASSERT_TRUE(user.dblClickOn(browser().Image1(0)));
  ASSERT_TRUE(window().Visible());
  window().Hide();
  int ended = 0;
  controls::setLastFormUnloadedHandler([&] { ++ended; });
  ASSERT_TRUE(user.clickOn(browser().Image2));
  controls::setLastFormUnloadedHandler({});
  EXPECT_TRUE(controls::Form::loadedForms().empty());
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(ends.empty());  // an ordinary end, not one at once
}

TEST_F(BrowserCommands, TheAlbumPictureLeadsBackToTheBrowser) {
  startWithThree();
  controls::WindowInput browserUser(browser());
  ASSERT_TRUE(browserUser.dblClickOn(browser().Image1(1)));
  browser().Text1.setCaretVisible(true);
  controls::WindowInput user(window());
  ASSERT_TRUE(user.clickOn(window().Image3));
  EXPECT_FALSE(window().Visible());
  EXPECT_TRUE(browser().Visible());
  EXPECT_FALSE(browser().Text1.caretVisible());
  ASSERT_TRUE(browserUser.clickOn(browser().Image1(2)));
  EXPECT_EQ(browser().Label8.Caption(), "Folk");
}

class TitleLinks : public BrowserCommands {
 protected:
  // Both windows' links, each clicked through its own window.
  void clickEachLink(const std::function<void(const char*)>& check) {
    startWithThree();
    controls::WindowInput browserUser(browser());
    ASSERT_TRUE(browserUser.clickOn(browser().ttlL));
    check("the browser's link");
    ASSERT_TRUE(browserUser.dblClickOn(browser().Image1(0)));
    controls::WindowInput user(window());
    ASSERT_TRUE(user.clickOn(window().ttlL));
    check("the player window's link");
  }
};

TEST_F(TitleLinks, OpenTheCollectionPageInANormalWindow) {
  platform::ScopedEnvironmentVariable host("QUENDREL_WEB_HOST", "127.0.0.1:8080");
  clickEachLink([this](const char* which) {
    const auto& started = launcher->started();
    ASSERT_EQ(started.size(), 1u) << which;
    EXPECT_EQ(started[0].program, "xdg-open") << which;
    EXPECT_EQ(started[0].arguments, QStringList{"http://127.0.0.1:8080/utilities/Quendrel"}) << which;
    EXPECT_EQ(started[0].style, platform::WindowStyle::Normal) << which;
    launcher->clear();
  });
}

TEST_F(TitleLinks, SayThatNoWebHostIsConfigured) {
  platform::ScopedEnvironmentVariable host("QUENDREL_WEB_HOST", "");
  if (!platform::configuredWebHost().isEmpty()) GTEST_SKIP() << "this build has a web host";
  dialogs->expectMsgBox("No web host is configured.", platform::vbOK);
  dialogs->expectMsgBox("No web host is configured.", platform::vbOK);
  clickEachLink([this](const char*) { EXPECT_TRUE(launcher->started().empty()); });
  EXPECT_TRUE(dialogs->allShown());
}

}  // namespace
}  // namespace player::testing_support
