// What the user sees fits: the browser and the player window lie inside the
// part of the screen that windows may take, whatever style the player was
// started with, with every control they show in sight; and both readouts
// show every value they can take on one line.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <sstream>

#include "frame.h"
#include "play_window_fixture.h"
#include "timing/timer.h"

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

QRect onScreen(const QWidget& widget) { return {widget.mapToGlobal(QPoint(0, 0)), widget.size()}; }

std::string text(const QRect& r) {
  std::ostringstream out;
  out << r.width() << "x" << r.height() << " at (" << r.x() << ", " << r.y() << ")";
  return out.str();
}

// The controls shown in `container` (and in the frames it holds) that do
// not lie whole inside `seen`, the part of the screen where the window and
// every frame around them can be seen. A frame's own background may go on
// past the edge of the window; what it holds may not.
void controlsOutOfSight(const controls::Container& container, const QRect& seen, std::vector<std::string>& out) {
  for (const controls::Control* c : container.controls()) {
    const QWidget& widget = *c->widget();
    if (!widget.isVisible()) continue;
    const QRect rect = onScreen(widget);
    if (const auto* frame = dynamic_cast<const controls::Frame*>(c)) {
      controlsOutOfSight(*frame, seen & rect, out);
      continue;
    }
    if (!seen.contains(rect))
      out.push_back(c->Name().toStdString() + "(" + std::to_string(c->Index()) + ") " + text(rect));
  }
}

class WindowFit : public PlayWindowTest {
 protected:
  // Both windows lie inside the area windows may take, with what they show.
  void expectInside(const QRect& area) {
    for (controls::Form* form : std::initializer_list<controls::Form*>{&browser(), &window()}) {
      SCOPED_TRACE(form->Name().toStdString());
      ASSERT_TRUE(form->widget()->isVisible());
      const QRect frame = form->widget()->frameGeometry();
      EXPECT_TRUE(area.contains(frame)) << text(frame) << " on " << text(area);
      std::vector<std::string> out;
      controlsOutOfSight(*form, area & onScreen(*form->widget()), out);
      EXPECT_EQ(out, std::vector<std::string>{});
    }
  }
};

TEST_F(WindowFit, BothWindowsLieOnTheScreenWithEveryControlInSight) {
  using platform::WindowStyle;
  const struct Case {
    const char* what;
    int width, height;   // the screen, pixels
    QRect area;          // what windows may take; empty for all of it
    WindowStyle style;
  } cases[] = {
      {"800 x 600", 800, 600, {}, WindowStyle::Normal},
      {"1024 x 768", 1024, 768, {}, WindowStyle::Normal},
      {"1280 x 1024", 1280, 1024, {}, WindowStyle::Normal},
      {"1920 x 1080", 1920, 1080, {}, WindowStyle::Normal},
      {"a panel at the foot", 1280, 1024, {0, 0, 1280, 994}, WindowStyle::Normal},
      {"a panel at the top", 1280, 1024, {0, 30, 1280, 994}, WindowStyle::Normal},
      {"a dock at the left", 1280, 1024, {48, 0, 1232, 1024}, WindowStyle::Normal},
      {"started without focus", 1280, 1024, {}, WindowStyle::NormalNoFocus},
      {"started maximised", 1280, 1024, {}, WindowStyle::Maximized},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    restart();
    emptyDisc();
    controls::Screen::setSize(c.width * 15, c.height * 15);
    const QRect area = c.area.isEmpty() ? QRect(0, 0, c.width, c.height) : c.area;
    if (!c.area.isEmpty())
      controls::Screen::setAvailableArea({area.x() * 15.0, area.y() * 15.0, area.width() * 15.0, area.height() * 15.0});
    writeSongAlbums(30, 3);
    player = std::make_unique<Player>(
        [this] {
          auto control = std::make_unique<media::FakeMediaControl>(*clock);
          mp1 = control.get();
          return control;
        },
        [this](EndReason reason) { ends.push_back(reason); });
    player->setStartStyle(c.style);
    player->form1();
    finishAnimation();
    controls::WindowInput browserUser(browser());
    ASSERT_TRUE(browserUser.dblClickOn(browser().Image1(0)));
    // A song plays: the now-playing texts show in both windows.
    ASSERT_TRUE(user().dblClickOn(window().Label1(0)));
    expectInside(area);
  }
}

class ReadoutFit : public PlayWindowTest {};

TEST_F(ReadoutFit, EveryVolumeAndBalanceShowsOnOneLine) {
  startWith(1, 1);
  Form2& w = window();
  // The widest balance, as the user sets it: the step button at the far left.
  press(w.Command9);
  clock->advance(platform::kSystemTickMs);
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
      clock->advance(platform::kSystemTickMs);
      ASSERT_TRUE(showsOnOneLine(r.readout)) << value;
    }
    EXPECT_EQ(r.readout.Caption(), r.atMax);
  }
}

}  // namespace
}  // namespace player::testing_support
