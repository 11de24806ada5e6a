// The player window's design: on the smallest screen the player is made for,
// everything it shows fits on the screen and nothing covers anything else.
#include <gtest/gtest.h>

#include <QRectF>
#include <set>

#include "player_fixture.h"

namespace player::testing_support {
namespace {

QRectF rectOf(const controls::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// Pairs of the visible controls placed on `container` that overlap, leaving
// out a box lying on its own backdrop.
std::vector<std::string> overlaps(const controls::Container& container,
                                  const std::set<std::pair<std::string, std::string>>& onBackdrop) {
  std::vector<const controls::Control*> shown;
  for (const controls::Control* c : container.controls())
    if (c->Visible()) shown.push_back(c);
  std::vector<std::string> found;
  for (std::size_t i = 0; i < shown.size(); ++i)
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const std::string a = shown[i]->Name().toStdString() + "(" + std::to_string(shown[i]->Index()) + ")";
      const std::string b = shown[j]->Name().toStdString() + "(" + std::to_string(shown[j]->Index()) + ")";
      if (onBackdrop.count({shown[i]->Name().toStdString(), shown[j]->Name().toStdString()})) continue;
      if (rectOf(*shown[i]).intersects(rectOf(*shown[j]))) found.push_back(a + " and " + b);
    }
  return found;
}

class PlayerWindowLayout : public PlayerTest {};

TEST_F(PlayerWindowLayout, FitsAn800By600ScreenWithNothingCovered) {
  controls::Screen::setSize(800 * 15, 600 * 15);
  writeTypicalCollection(1);
  std::vector<std::string> songs;
  for (int s = 1; s <= 31; ++s) songs.push_back(runtime::twoDigits(s) + " - A song with a long name.mp3");
  addFiles("01 - Album 1", songs);
  start();
  finishAnimation();
  browser().sort(true);
  Form2& w = window();
  // What plays, the personal list's hint and both readouts show too.
  for (controls::Control* c : std::initializer_list<controls::Control*>{&w.Label5, &w.Label6, &w.Image9, &w.Label3})
    c->setVisible(true);

  const QRectF panel(0, 0, w.Frame1.Width(), w.Frame1.Height());
  EXPECT_LE(w.Frame1.Top() + w.Frame1.Height(), controls::Screen::Height());
  EXPECT_GE(w.Frame1.Left(), 0);
  for (const controls::Control* c : w.Frame1.controls()) {
    if (!c->Visible()) continue;
    EXPECT_TRUE(panel.contains(rectOf(*c))) << c->Name().toStdString() << c->Index();
  }
  const QRectF utils(0, 0, w.FrameUtils.Width(), w.FrameUtils.Height());
  for (const controls::Control* c : w.FrameUtils.controls()) {
    if (!c->Visible()) continue;
    EXPECT_TRUE(utils.contains(rectOf(*c))) << c->Name().toStdString();
  }

  EXPECT_EQ(overlaps(w.Frame1, {{"Command1", "Text1"}}), std::vector<std::string>{});
  EXPECT_EQ(overlaps(w.FrameUtils, {{"Command4", "pList"}}), std::vector<std::string>{});
  // Opening puts the album's picture where the design has it.
  EXPECT_EQ(w.Image3.Left() + w.Image3.Width(), w.Frame1.Width() - 240);
}

}  // namespace
}  // namespace player::testing_support
