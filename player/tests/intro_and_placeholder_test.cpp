// The intro window and the placeholder that stands in for the minimised
// browser.
#include <gtest/gtest.h>

#include <QPixmap>
#include <QPointer>

#include "player_fixture.h"
#include "window_input.h"

namespace player::testing_support {
namespace {

class IntroWindow : public PlayerTest {
 protected:
  void writeIntro(int width, int height) {
    writeTypicalCollection(1);
    auto data = projectData();
    data.initPicFile = "intro.png";
    writeProjectData(data);
    writePack("dop.qd", {{"intro.png", pictureBytes(width, height)}});
  }
};

TEST_F(IntroWindow, ShowsThePictureCentredForFourSeconds) {
  writeIntro(400, 300);
  modals.expect<Form4>([this](Form4& intro) {
    EXPECT_EQ(intro.Width(), 400 * 15);
    EXPECT_EQ(intro.Height(), 300 * 15);
    EXPECT_EQ(intro.Left(), 15360 / 2 - 3000);
    EXPECT_EQ(intro.Top(), 11520 / 2 - 2250);
    EXPECT_EQ(intro.Image1.Left(), 0);
    clock->advance(3999);
    EXPECT_TRUE(intro.isLoaded());
    EXPECT_TRUE(intro.Visible());
    clock->advance(1);
    EXPECT_FALSE(intro.isLoaded());
    introShown = true;
  });
  start();
  EXPECT_TRUE(introShown);
  EXPECT_EQ(player->loadedForm4(), nullptr);
  EXPECT_TRUE(browser().Visible());
}

TEST_F(IntroWindow, KeepsItsFourSecondsWhateverTheUserDoes) {
  writeIntro(400, 300);
  modals.expect<Form4>([this](Form4& intro) {
    controls::WindowInput user(intro);
    clock->advance(1000);
    EXPECT_TRUE(user.clickOn(intro.Image1));
    EXPECT_TRUE(user.dblClickOn(intro.Image1));
    for (int key : {controls::vbKeyEscape, controls::vbKeyReturn, controls::vbKeySpace}) EXPECT_TRUE(user.key(key));
    clock->advance(200);
    EXPECT_TRUE(intro.close()) << "the close box takes the press";
    EXPECT_TRUE(intro.isLoaded());
    EXPECT_TRUE(intro.Visible());
    EXPECT_FALSE(browser().Visible()) << "start-up waits for the intro";
    clock->advance(2799);
    EXPECT_TRUE(intro.close());
    EXPECT_TRUE(intro.isLoaded());
    clock->advance(1);
    EXPECT_FALSE(intro.isLoaded());
    introShown = true;
  });
  start();
  EXPECT_TRUE(introShown);
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(browser().Visible());
}

// Once the intro has gone nothing holds its picture: neither its control nor
// the window with its drawing surface at the picture's size, nor anything of
// the player's. A copy of the picture's pixmap kept by the test is then the
// only one left.
TEST_F(IntroWindow, LetsGoOfItsPictureAndItsWindowWhenItGoes) {
  writeIntro(400, 300);
  QPixmap kept;
  QPointer<QWidget> shown;
  expectIntro([&](Form4& intro) {
    ASSERT_FALSE(intro.Image1.Picture().isEmpty());
    kept = intro.Image1.Picture().pixmap();
    shown = intro.widget();
    ASSERT_FALSE(kept.isDetached()) << "the control holds the picture while the intro shows";
  });
  const auto checkIntroGone = [&](const char* when) {
    EXPECT_TRUE(kept.isDetached()) << when;
    EXPECT_TRUE(shown.isNull()) << when;
    EXPECT_EQ(player->loadedForm4(), nullptr) << when;
  };
  start();
  ASSERT_TRUE(introShown);
  checkIntroGone("at the end of start-up");
  finishAnimation();
  checkIntroGone("once the browser shows every album");
  // The browser goes on without it: its load makes no intro window again.
  EXPECT_TRUE(browser().Visible());
  EXPECT_EQ(modals.shown().size(), 1);
}

TEST_F(IntroWindow, APictureLargerThanTheScreenStartsAboveAndLeftOfIt) {
  writeIntro(1200, 900);
  expectIntro([](Form4& intro) {
    EXPECT_EQ(intro.Left(), 15360 / 2 - 18000 / 2);
    EXPECT_EQ(intro.Top(), 11520 / 2 - 13500 / 2);
    EXPECT_LT(intro.Left(), 0);
    EXPECT_LT(intro.Top(), 0);
  });
  start();
  EXPECT_TRUE(introShown);
}

TEST_F(IntroWindow, IsNotShownWithoutAnIntroPictureName) {
  writeTypicalCollection(1);
  start();  // an unexpected modal window would fail the test
  EXPECT_TRUE(browser().form4PicName.isEmpty());
  EXPECT_EQ(modals.shown().size(), 0);
}

class Placeholder : public PlayerTest {};

TEST_F(Placeholder, IsLoadedHiddenWithTheBrowsersIcon) {
  writeTypicalCollection(1);
  auto data = projectData();
  data.iconFile = "DISC.PNG";
  writeProjectData(data);
  writeBytes(disc / "disc.png", pictureBytes(16, 16, Qt::yellow));
  start();
  Form3* placeholder = player->loadedForm3();
  ASSERT_NE(placeholder, nullptr);
  EXPECT_FALSE(placeholder->Visible());
  EXPECT_EQ(placeholder->Width(), 90);
  EXPECT_EQ(placeholder->Height(), 375);
  EXPECT_FALSE(browser().Icon().isEmpty());
  EXPECT_TRUE(placeholder->Icon() == browser().Icon());
}

TEST_F(Placeholder, RestoringItBringsTheBrowserBack) {
  writeTypicalCollection(1);
  start();
  Form3& placeholder = *player->loadedForm3();
  browser().Hide();
  placeholder.Show();
  placeholder.paint();
  EXPECT_FALSE(placeholder.Visible());
  EXPECT_TRUE(browser().Visible());
  EXPECT_TRUE(placeholder.Icon() == browser().Icon());
}

}  // namespace
}  // namespace player::testing_support
