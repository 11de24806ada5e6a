// The lists of the player window take the focus without choosing an entry:
// the remove button of the personal list removes only the song the user
// chose.
#include <gtest/gtest.h>

#include <QApplication>

#include "held_drags.h"
#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

class PersonalListFocus : public PlayWindowTest {
 protected:
  // One album of three songs and the mode on with all three dropped.
  void SetUp() override {
    PlayWindowTest::SetUp();
    startWith(1, 3, 30);
    press(window().Image8);
    for (int label = 0; label < 3; ++label) {
      ASSERT_TRUE(user().pressOn(window().Label1(label)));
      ASSERT_TRUE(user().dropAt(user().middleOf(window().Image8), drags.last()));
      user().releaseOn(window().Image8);
    }
    ASSERT_EQ(window().pList.ListCount(), 3);
    QApplication::processEvents();  // the window comes up and takes the keyboard
  }
  controls::HeldDrags drags;
};

TEST_F(PersonalListFocus, TheListTakesTheFocusByTheKeyboardWithoutASongToRemove) {
  Form2& w = window();
  // Shift and Tab: forward, Tab only goes round the lyrics and its button.
  for (int i = 0; i < 40 && QApplication::focusWidget() != w.pList.widget(); ++i)
    ASSERT_TRUE(user().key(controls::vbKeyTab, controls::vbShiftMask));
  ASSERT_EQ(QApplication::focusWidget(), w.pList.widget());
  EXPECT_EQ(w.pList.ListIndex(), -1);

  press(w.Image19);
  EXPECT_EQ(w.pList.ListCount(), 3);
  EXPECT_EQ(w.PrivateList.ListCount(), 3);

  // A key chooses the first song, which the button then removes.
  ASSERT_TRUE(user().key(controls::vbKeyDown));
  ASSERT_EQ(w.pList.ListIndex(), 0);
  press(w.Image19);
  EXPECT_EQ(w.pList.ListCount(), 2);
  EXPECT_EQ(w.pList.List(0), "Song 02");
}

}  // namespace
}  // namespace player::testing_support
