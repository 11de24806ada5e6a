// The player window closed from outside the program (the window manager's
// close, Alt+F4: the window has no caption bar of its own) goes back to the
// browser as its album picture does; the browser's own close still ends the
// program.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWindow>

#include "held_drags.h"
#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

using media::PlayState;

class PlayerWindowClose : public PlayWindowTest {
 protected:
  // The window manager's close, as it reaches the window: at its native
  // window, from where Qt hands it to the widget.
  static void closeFromOutside(controls::Form& form) {
    QWindow* native = form.widget()->windowHandle();
    ASSERT_NE(native, nullptr) << form.Name().toStdString() << " was never on the screen";
    QCloseEvent event;
    QCoreApplication::sendEvent(native, &event);
  }

  // What start-up gives the player window and an unload would lose.
  void expectStartUpState(const char* when) {
    SCOPED_TRACE(when);
    Form2& w = window();
    EXPECT_EQ(w.BackColor(), browser().globalColor);
    EXPECT_EQ(w.Frame1.BackColor(), browser().globalColor);
    EXPECT_EQ(w.Frame1.Left(), (controls::Screen::Width() - w.Frame1.Width()) / 2);
    EXPECT_EQ(w.Caption(), "Summer Songs");
    EXPECT_EQ(w.scrlVOL.Min(), -6000);
    EXPECT_EQ(w.scrlVOL.Max(), 0);
    EXPECT_EQ(w.scrlBAL.Min(), -10000);
    EXPECT_EQ(w.scrlBAL.Max(), 10000);
    EXPECT_TRUE(w.Label3.Visible());  // the volume readout, shown by start-up
    EXPECT_EQ(w.PlayingSong.ForeColor(), kPlaying);
  }

  void openByDoubleClick(int album) {
    controls::WindowInput browserUser(browser());
    ASSERT_TRUE(browserUser.dblClickOn(browser().Image1(album - 1)));
    ASSERT_TRUE(window().Visible());
  }
};

TEST_F(PlayerWindowClose, HidesTheWindowKeepsItLoadedAndPlayGoesOn) {
  startWith(2, 3, 10);
  Form2& w = window();
  ASSERT_TRUE(user().dblClickOn(w.Label1(0)));
  press(w.Image2);  // the balance readout, as the user left it
  w.scrlVOL.setValue(-1200);
  clock->advance(3000);
  browser().Text1.setCaretVisible(true);

  closeFromOutside(w);
  EXPECT_EQ(player->loadedForm2(), &w) << "the same window, not one made anew";
  EXPECT_TRUE(w.isLoaded());
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(w.widget()->isVisible());
  EXPECT_TRUE(browser().Visible());
  EXPECT_FALSE(browser().Text1.caretVisible());
  EXPECT_EQ(mp1->playState(), PlayState::Playing);
  EXPECT_TRUE(w.isPlaying);
  // The album plays on by itself: its next song follows.
  ASSERT_GE(untilOpened(2), 0);
  EXPECT_EQ(opened().back(), song(1, 2));
  EXPECT_EQ(browser().Label4.Caption(), "Song 02");

  openByDoubleClick(1);
  EXPECT_EQ(&window(), &w);
  // Start-up's state, and what the user set since, are as they were.
  EXPECT_TRUE(w.Label9.Visible());
  EXPECT_FALSE(w.Label3.Visible());
  press(w.Image2);
  expectStartUpState("opened again");
  EXPECT_EQ(w.scrlVOL.Value(), -1200);
  EXPECT_EQ(w.Label3.Caption(), " Volume: 80");
  EXPECT_EQ(shownColours(), (std::vector<controls::OleColor>{kNormal, kPlaying, kNormal}));
  clock->advance(1000);
  EXPECT_EQ(mp1->playState(), PlayState::Playing);
}

TEST_F(PlayerWindowClose, KeepsThePersonalListAndItsSongPlaying) {
  startWith(2, 3, 10);
  Form2& w = window();
  controls::HeldDrags drags;
  press(w.Image8);
  // Two songs dragged onto the list button; the first starts.
  for (int label : {0, 2}) {
    ASSERT_TRUE(user().pressOn(w.Label1(label)));
    ASSERT_TRUE(user().dropAt(user().middleOf(w.Image8), drags.last()));
    user().releaseOn(w.Image8);
  }
  ASSERT_EQ(w.PrivateList.ListCount(), 2);
  ASSERT_EQ(opened(), std::vector<std::string>{song(1, 1)});
  clock->advance(1000);

  closeFromOutside(w);
  EXPECT_FALSE(w.Visible());
  EXPECT_TRUE(w.BasketPressed);
  EXPECT_EQ(w.PrivateList.ListCount(), 2);
  EXPECT_EQ(w.pList.ListCount(), 2);
  EXPECT_EQ(mp1->playState(), PlayState::Playing);
  // The list's watcher goes on to the next entry.
  ASSERT_GE(untilOpened(2), 0);
  EXPECT_EQ(opened().back(), song(1, 3));

  openByDoubleClick(2);
  expectStartUpState("opened again");
  EXPECT_EQ(w.pList.List(0), "Song 01");
  EXPECT_EQ(w.pList.List(1), "Song 03");
  EXPECT_TRUE(w.Image8.Picture() == w.Image7.Picture());
}

TEST_F(PlayerWindowClose, TheBrowsersCloseStillEndsTheProgram) {
  startWith(1, 3, 30);
  ASSERT_TRUE(user().dblClickOn(window().Label1(0)));
  clock->advance(1000);
  ASSERT_EQ(mp1->playState(), PlayState::Playing);
  press(window().Image3);
  mp1->clearCalls();
  int ended = 0;
  controls::setLastFormUnloadedHandler([&] { ++ended; });
  closeFromOutside(browser());
  controls::setLastFormUnloadedHandler({});
  EXPECT_EQ(mp1->calls(), std::vector<std::string>{"stop()"});
  EXPECT_TRUE(controls::Form::loadedForms().empty());
  EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace player::testing_support
