// The progress window: its design, what ChangeProgress shows, and Cancel,
// pressed as the user presses it.
#include <gtest/gtest.h>

#include <QImage>

#include "frm_progress.h"
#include "render.h"
#include "window_input.h"
#include "track_rip.h"

namespace ripper_test {
namespace {

class ProgressWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ripper::CancelRip = 0;
    progress.Show();
  }
  void TearDown() override { progress.Unload(); }
  frmProgress progress;
};

TEST_F(ProgressWindow, IsTheDesignedBorderlessWindow) {
  EXPECT_EQ(progress.BorderStyle(), 0);
  EXPECT_EQ(progress.Caption(), "Progress");
  EXPECT_EQ(progress.Width(), 5220);
  EXPECT_EQ(progress.Height(), 1125);
  EXPECT_EQ(progress.BackColor(), 0xE0E0E0u);
  EXPECT_EQ(progress.lblStatus.Caption(), "Extracting track");
  EXPECT_EQ(progress.Command1.Caption(), "Cancel");
  EXPECT_EQ(progress.picProgress2.Width(), 0);
  EXPECT_EQ(&progress.picProgress2.parent(), &progress.picProgress1);
  // Everything lies inside the window.
  for (const controls::Control* c : progress.controls()) {
    SCOPED_TRACE(c->Name().toStdString());
    EXPECT_GE(c->Left(), 0);
    EXPECT_LE(c->Left() + c->Width(), progress.Width());
    EXPECT_LE(c->Top() + c->Height(), progress.Height());
  }
}

TEST_F(ProgressWindow, ChangeProgressShowsThePercentageTheBarAndTheStatus) {
  progress.ChangeProgress("Extracting track /music/01 - Intro.mp3", 26, 60);
  EXPECT_EQ(progress.Caption(), "Progress 43.33 %");
  EXPECT_DOUBLE_EQ(progress.picProgress2.Width(), static_cast<float>(26.0f / 60.0f) * progress.picProgress1.ScaleWidth());
  EXPECT_EQ(progress.lblStatus.Caption(), "Extracting track /music/01 - Intro.mp3");
  progress.ChangeProgress("done", 60, 60);
  EXPECT_EQ(progress.Caption(), "Progress 100.00 %");
  EXPECT_DOUBLE_EQ(progress.picProgress2.Width(), progress.picProgress1.ScaleWidth());
}

TEST_F(ProgressWindow, IsDrawnWithTheBarFilledToItsShare) {
  progress.ChangeProgress("Extracting track /music/01 - Rock/03 - Track 3.mp3", 26, 60);
  const QString path = QStringLiteral(RIPPER_RENDER_DIR "/frmProgress.png");
  ASSERT_TRUE(controls::renderToPng(progress, path));
  const QImage image(path);
  ASSERT_EQ(image.size(), QSize(348, 75));
  // Inside the bar's frame (x 16 to 259, y 42 to 61): the bar up to 43 % of
  // it, white after.
  EXPECT_EQ(QColor(image.pixel(40, 51)), QColor(0x4A, 0x7F, 0xB4));
  EXPECT_EQ(QColor(image.pixel(200, 51)), QColor(Qt::white));
}

TEST(PercentText, HasTwoDigitsBeforeThePointAtLeastAndTwoAfter) {
  const struct {
    float cur, tot;
    const char* text;
  } cases[] = {{1, 20, "05.00"}, {26, 60, "43.33"}, {52, 60, "86.67"}, {60, 60, "100.00"},
               {0, 60, "00.00"}, {2, 3, "66.67"},   {1, 8, "12.50"},   {1, 800, "00.13"}};
  for (const auto& c : cases) EXPECT_EQ(percentText(c.cur, c.tot), c.text) << c.cur << "/" << c.tot;
}

TEST_F(ProgressWindow, CancelAsksTheRipToStopAndClosesNothing) {
  controls::WindowInput user(progress);
  EXPECT_TRUE(user.clickOn(progress.picProgress1));
  EXPECT_TRUE(user.clickOn(progress.lblStatus));
  EXPECT_EQ(ripper::CancelRip, 0);
  EXPECT_TRUE(user.clickOn(progress.Command1));
  EXPECT_EQ(ripper::CancelRip, ripper::kCancelled);
  EXPECT_TRUE(progress.isLoaded());
  EXPECT_TRUE(progress.Visible());
  // Borderless: the window has no close box of its own.
  EXPECT_EQ(progress.BorderStyle(), 0);
}

}  // namespace
}  // namespace ripper_test
