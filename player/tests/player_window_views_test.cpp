// The player window's readout switch and its four partners, the personal
// list's shuffle and repeat switches, and the layout pass that the browser
// asks for when its album boxes had to shrink to fit the screen.
#include <gtest/gtest.h>

#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

struct Rect {
  double left, top, width, height;
  bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << ")";
}

Rect rectOf(const controls::Element& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

class PlayerWindowViews : public PlayWindowTest {
 protected:
  // Which readout shows: "volume", "balance", or what else.
  std::string readout() {
    Form2& w = window();
    if (w.Label3.Visible() && !w.Label9.Visible()) return "volume";
    if (w.Label9.Visible() && !w.Label3.Visible()) return "balance";
    return "both or none";
  }
};

TEST_F(PlayerWindowViews, AnyOfTheFiveSwitchesTheReadoutAndASecondPressSwitchesItBack) {
  startWith(1, 3);
  Form2& w = window();
  // Start-up shows the volume.
  EXPECT_EQ(readout(), "volume");
  EXPECT_FALSE(w.MP1->isVisible());

  ASSERT_TRUE(user().pressOn(w.Image2));
  EXPECT_TRUE(w.Image2.Picture() == w.Image5.Picture());
  EXPECT_EQ(readout(), "volume");
  ASSERT_TRUE(user().releaseOn(w.Image2));
  EXPECT_TRUE(w.Image2.Picture() == w.Image4.Picture());
  EXPECT_EQ(readout(), "balance");
  press(w.Image2);
  EXPECT_EQ(readout(), "volume");

  const struct {
    const char* what;
    controls::Label& part;
  } parts[] = {{"Time:", w.Label7}, {"the clock's colon", w.Label10}};
  for (const auto& p : parts) {
    ASSERT_TRUE(user().pressOn(p.part)) << p.what;
    EXPECT_TRUE(w.Image2.Picture() == w.Image5.Picture()) << p.what;
    ASSERT_TRUE(user().releaseOn(p.part)) << p.what;
    EXPECT_TRUE(w.Image2.Picture() == w.Image4.Picture()) << p.what;
    EXPECT_EQ(readout(), "balance") << p.what;
    press(w.Image2);
  }
  // The readout itself, whichever shows.
  press(w.Label3);
  EXPECT_EQ(readout(), "balance");
  press(w.Label9);
  EXPECT_EQ(readout(), "volume");
}

TEST_F(PlayerWindowViews, TheShuffleAndRepeatSwitchesStartOffAndToggleWithTheirLooks) {
  startWith(1, 3);
  Form2& w = window();
  EXPECT_TRUE(w.Image11.Picture() == w.Image12.Picture());
  EXPECT_TRUE(w.Image16.Picture() == w.Image17.Picture());
  EXPECT_FALSE(w.playPrvLstRand);
  EXPECT_FALSE(w.repeatPrvtLst);

  for (int i = 0; i < 3; ++i) press(w.Image11);
  EXPECT_TRUE(w.playPrvLstRand);
  EXPECT_TRUE(w.Image11.Picture() == w.Image10.Picture());

  press(w.Image16);
  EXPECT_TRUE(w.repeatPrvtLst);
  EXPECT_TRUE(w.Image16.Picture() == w.Image18.Picture());
  press(w.Image16);
  EXPECT_FALSE(w.repeatPrvtLst);
  EXPECT_TRUE(w.Image16.Picture() == w.Image17.Picture());
}

// ---------------------------------------------------------------------------
// The layout pass

TEST_F(PlayerWindowViews, TheLayoutPassFitsTheLyricsAndTheListToTheScreenAndMovesTheSongsLeft) {
  controls::Screen::setSize(800 * 15, 600 * 15);
  startWith(1, 3);
  Form2& w = window();
  // The design, on which the steps work.
  ASSERT_EQ(rectOf(w.Text1), (Rect{4550, 2810, 7160, 4590}));
  ASSERT_EQ(rectOf(w.Command1), (Rect{4500, 2760, 7260, 4690}));

  w.reArangeFormSize();
  // The box ends 1500 twips above the screen's foot and 100 before its right
  // edge, after its move of 1000 to the right.
  EXPECT_EQ(rectOf(w.Text1), (Rect{5550, 2810, 6350, 4690}));
  EXPECT_EQ(rectOf(w.Command1), (Rect{5500, 2760, 6450, 4790}));
  EXPECT_EQ(w.FrameUtils.Top(), 7600);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(w.Label1(i).Left(), 700) << i;
  EXPECT_EQ(w.scrlBAL.Width(), 3600 - 700);
  EXPECT_EQ(w.scrlT.Width(), 8220 - 700);
  EXPECT_EQ(w.scrlVOL.Width(), 3600 - 700);
  EXPECT_EQ(w.pList.Width(), 4460 - 700);
  EXPECT_EQ(w.Command4.Width(), 4560 - 700);
  // The list under the box still ends on the screen.
  EXPECT_LE(w.FrameUtils.Top() + w.FrameUtils.Height(), controls::Screen::Height());

  // It is no fit to the screen but a pass: a second one moves everything again.
  w.reArangeFormSize();
  EXPECT_EQ(w.Text1.Left(), 6550);
  EXPECT_EQ(w.scrlT.Width(), 8220 - 1400);
}

TEST_F(PlayerWindowViews, TheBrowserAsksForThePassOnceWhenItsBoxesShrinkAndNeverWhenTheyFit) {
  struct Case {
    const char* what;
    int width, height;  // pixels
    bool passed;
  };
  // Thirty albums end at 7550 twips, 503 pixels.
  for (const Case& c : {Case{"800 x 600", 800, 600, false}, Case{"1920 x 1080", 1920, 1080, false},
                        Case{"800 x 480", 800, 480, true}}) {
    SCOPED_TRACE(c.what);
    restart();
    controls::Screen::setSize(c.width * 15, c.height * 15);
    writeTypicalCollection(30);
    start();
    Form2& w = window();
    // The window covers the screen.
    EXPECT_EQ(rectOf(w), (Rect{0, 0, c.width * 15.0, c.height * 15.0}));
    if (!c.passed) {
      EXPECT_EQ(rectOf(w.Text1), (Rect{4550, 2810, 7160, 4590}));
      EXPECT_EQ(w.Label1(0).Left(), 240);
      EXPECT_EQ(w.scrlT.Width(), 8220);
      continue;
    }
    // Once: moved by 1000, not by 2000.
    EXPECT_EQ(w.Text1.Left(), 5550);
    EXPECT_EQ(w.Text1.Top() + w.Text1.Height(), c.height * 15 - 1500);
    EXPECT_EQ(w.Text1.Left() + w.Text1.Width(), c.width * 15 - 100);
    EXPECT_EQ(w.Label1(0).Left(), 700);
    EXPECT_LE(w.FrameUtils.Top() + w.FrameUtils.Height(), c.height * 15);
  }
}

}  // namespace
}  // namespace player::testing_support
