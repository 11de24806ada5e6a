// What the user sees fits: both readouts show every value they can take on
// one line.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

// Whether a label shows its whole caption on one line: a wrapped caption
// shows only the top of its second line, or nothing of it.
::testing::AssertionResult showsOnOneLine(const controls::Label& label) {
  const auto* shown = qobject_cast<const QLabel*>(label.widget());
  if (!shown) return ::testing::AssertionFailure() << "not a label";
  const QFontMetrics metrics(shown->font());
  const QRect room = shown->contentsRect();
  const int needed = metrics.horizontalAdvance(shown->text());
  if (needed > room.width() || shown->heightForWidth(room.width()) > room.height() || metrics.height() > room.height())
    return ::testing::AssertionFailure() << '"' << shown->text().toStdString() << "\" needs " << needed << " x "
                                         << metrics.height() << " pixels, the label has " << room.width() << " x "
                                         << room.height();
  return ::testing::AssertionSuccess();
}

class ReadoutFit : public PlayWindowTest {};

TEST_F(ReadoutFit, EveryVolumeAndBalanceShowsOnOneLine) {
  startWith(1, 1);
  Form2& w = window();
  // The widest balance, as the user sets it: the step button at the far left.
  press(w.Command9);
  clock->advance(1);
  ASSERT_TRUE(w.Label9.Visible());
  ASSERT_EQ(w.Label9.Caption(), " Balance: -10000");
  EXPECT_TRUE(showsOnOneLine(w.Label9));

  const struct {
    controls::HScrollBar& slider;
    controls::Label& readout;
    const char* atMax;
  } readouts[] = {{w.scrlVOL, w.Label3, " Volume: 100"}, {w.scrlBAL, w.Label9, " Balance: 10000"}};
  for (const auto& r : readouts) {
    for (int value = r.slider.Min(); value <= r.slider.Max(); ++value) {
      r.slider.setValue(value);
      clock->advance(1);
      ASSERT_TRUE(showsOnOneLine(r.readout)) << value;
    }
    EXPECT_EQ(r.readout.Caption(), r.atMax);
  }
}

}  // namespace
}  // namespace player::testing_support
