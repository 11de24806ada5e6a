// The album boxes: their grid, the fit to a short screen, the selection
// frame and the animation that reveals them.
#include <gtest/gtest.h>

#include "player_fixture.h"
#include "runtime_rules.h"

namespace player::testing_support {
namespace {

class BrowserLayout : public PlayerTest {
 protected:
  Form1& startWith(int albums, double screenHeight = 11520) {
    controls::Screen::setSize(15360, screenHeight);
    writeTypicalCollection(albums);
    start();
    return browser();
  }
};

TEST_F(BrowserLayout, PutsFiveBoxesToARow) {
  struct Case {
    int albums, box;
    double left, top;
  };
  const Case cases[] = {{1, 0, 2400, 480},  {5, 4, 2400 + 4 * 1195, 480}, {6, 5, 2400, 480 + 1195},
                        {30, 7, 2400 + 2 * 1195, 480 + 1195}, {30, 29, 2400 + 4 * 1195, 480 + 5 * 1195}};
  for (const auto& c : cases) {
    emptyDisc();
    Form1& f = startWith(c.albums);
    ASSERT_EQ(f.numOfAlbums, c.albums);
    EXPECT_FALSE(f.Image1.exists(c.albums));
    EXPECT_EQ(f.Image1(c.box).Left(), c.left) << c.albums << " albums, box " << c.box;
    EXPECT_EQ(f.Image1(c.box).Top(), c.top) << c.albums << " albums, box " << c.box;
    EXPECT_EQ(f.Image1(c.box).Width(), 1095);
    EXPECT_EQ(f.Image1(c.box).Height(), 1095);
  }
}

TEST_F(BrowserLayout, ShrinksEveryBoxAlikeOnAShortScreen) {
  // Six rows end at 7550; on a screen 7000 high each box loses
  // round(550 / 6) + 100 = 192 twips.
  Form1& f = startWith(30, 7000);
  const double size = 1095 - 192;
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(f.Image1(i).Width(), size) << i;
    EXPECT_EQ(f.Image1(i).Height(), size) << i;
    EXPECT_EQ(f.Image1(i).Left(), 2400 + (i % 5) * (size + 100)) << i;
    EXPECT_EQ(f.Image1(i).Top(), 480 + (i / 5) * (size + 100)) << i;
  }
  // The title link moves down to end where the last row ends.
  const double bottom = f.Image1(29).Top() + size;
  EXPECT_EQ(f.ttlL.Top() + f.ttlL.Height(), bottom);
  EXPECT_EQ(f.LabelShadow.Top(), f.ttlL.Top() + 15);
}

TEST_F(BrowserLayout, KeepsTheDesignWhereTheBoxesFit) {
  Form1& f = startWith(30, 7550);
  EXPECT_EQ(f.Image1(29).Width(), 1095);
  EXPECT_EQ(f.Image1(29).Top(), 480 + 5 * 1195);
  EXPECT_EQ(f.ttlL.Top(), 7295);
}

TEST_F(BrowserLayout, TheButtonOnlyModesGrowAndShrinkByAHundred) {
  Form1& f = startWith(6);
  f.arrangeBoxes(2, true);
  EXPECT_EQ(f.Image1(0).Width(), 1195);
  EXPECT_EQ(f.Image1(5).Top(), 480 + 1295);
  EXPECT_EQ(f.Image1(4).Left(), 2400 + 4 * 1295);
  f.arrangeBoxes(3, true);
  f.arrangeBoxes(3, true);
  EXPECT_EQ(f.Image1(0).Width(), 995);
  EXPECT_EQ(f.Image1(1).Left(), 2400 + 1095);
  // Growing stops before the last box would pass the screen's bottom.
  controls::Screen::setSize(15360, 480 + 1095 + 2 * 995 - 1);
  f.arrangeBoxes(2, true);
  EXPECT_EQ(f.Image1(0).Width(), 995);
  // Shrinking stops at 200 twips.
  for (int i = 0; i < 20; ++i) f.arrangeBoxes(3, true);
  EXPECT_EQ(f.Image1(0).Width(), 195);
}

TEST_F(BrowserLayout, TheFrameSurroundsABoxAndTheSelectionShowsItsPicture) {
  Form1& f = startWith(6);
  f.setFrame(5);
  const double L = 2400, T = 480 + 1195, W = 1095, H = 1095;
  const double expected[4][4] = {{L - 30, T - 30, L + W + 15, T - 30},
                                 {L - 30, T - 30, L - 30, T + H + 30},
                                 {L - 30, T + H + 15, L + W + 15, T + H + 15},
                                 {L + W + 15, T - 30, L + W + 15, T + H + 30}};
  const controls::Line* lines[] = {&f.Line1, &f.Line2, &f.Line3, &f.Line4};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i]->X1(), expected[i][0]) << i;
    EXPECT_EQ(lines[i]->Y1(), expected[i][1]) << i;
    EXPECT_EQ(lines[i]->X2(), expected[i][2]) << i;
    EXPECT_EQ(lines[i]->Y2(), expected[i][3]) << i;
    EXPECT_FALSE(lines[i]->Visible());
  }
  f.showFrame(true);
  for (const auto* line : lines) EXPECT_TRUE(line->Visible());

  f.setBorder(3);
  EXPECT_TRUE(f.mainIMG.Picture() == f.Image1(3).Picture());
  f.setBorder(6);  // no such box: nothing changes
  EXPECT_TRUE(f.mainIMG.Picture() == f.Image1(3).Picture());
  EXPECT_EQ(f.GetAlbumName(0), "");
  EXPECT_EQ(f.GetAlbumName(6), "06 - Album 6");
  EXPECT_EQ(f.GetAlbumName(7), "");
}

class BoxAnimation : public BrowserLayout {
 protected:
  int visibleBoxes() {
    int n = 0;
    for (int i = 0; i < browser().numOfAlbums; ++i) n += browser().Image1(i).Visible() ? 1 : 0;
    return n;
  }
};

TEST_F(BoxAnimation, RevealsEachBoxOnceThenTheInterface) {
  Form1& f = startWith(6);
  // Repeats draw again: boxes 2, 2, 0, 5, 5, 1, 3, 4.
  scriptRnd({2.5 / 6, 2.1 / 6, 0.0, 5.9 / 6, 5.0 / 6, 1.2 / 6, 3.3 / 6, 4.4 / 6});
  std::vector<int> revealOrder;

  EXPECT_FALSE(f.Image1(0).click());
  clock->advance(4999);
  EXPECT_EQ(visibleBoxes(), 0);
  for (int tick = 0; tick < 6; ++tick) {
    clock->advance(tick == 0 ? 1 : 100);
    EXPECT_EQ(visibleBoxes(), tick + 1);
    EXPECT_EQ(f.revealedBoxes(), tick + 1);
    for (int i = 0; i < 6; ++i)
      if (f.Image1(i).Visible() && std::find(revealOrder.begin(), revealOrder.end(), i) == revealOrder.end())
        revealOrder.push_back(i);
    if (tick < 5) {
      EXPECT_FALSE(f.Label1.Visible());
      EXPECT_TRUE(f.ImageTorvel.Visible());
      for (int i = 0; i < 6; ++i) EXPECT_FALSE(f.Image1(i).Enabled());
    }
  }
  EXPECT_EQ(revealOrder, (std::vector<int>{2, 0, 5, 1, 3, 4}));
  EXPECT_FALSE(f.BoxesTimer.Enabled());
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &f.Label1, &f.Label2, &f.Label3, &f.mainIMG, &f.minIMG, &f.Image2, &f.Image9, &f.ttlL, &f.LabelShadow,
           &f.imgPlyAll, &f.Label9, &f.Label8})
    EXPECT_TRUE(c->Visible()) << c->Name().toStdString();
  EXPECT_FALSE(f.ImageTorvel.Visible());
  EXPECT_FALSE(f.Image10.Visible());
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(f.Image1(i).Enabled());
  EXPECT_FALSE(f.Text1.Visible());
  clock->advance(1000);
  EXPECT_EQ(f.revealedBoxes(), 6);
  EXPECT_FALSE(f.BoxesTimer.Enabled());
}

TEST_F(BoxAnimation, OneAlbumShowsOnTheFirstTick) {
  Form1& f = startWith(1);
  clock->advance(5000);
  EXPECT_TRUE(f.Image1(0).Visible());
  EXPECT_TRUE(f.Label8.Visible());
  EXPECT_FALSE(f.BoxesTimer.Enabled());
}

TEST_F(BoxAnimation, ATickDuringTheYieldShowsNoBoxTwice) {
  Form1& f = startWith(5);
  scriptRnd({0.0, 0.0, 0.2, 0.2, 0.4, 0.4, 0.6, 0.6, 0.8, 0.8});
  int nested = 0;
  runtime::setPendingEventsHandler([&] {
    ++nested;
    f.BoxesTimer_Timer();  // the next tick, fallen due while events run
  });
  clock->advance(5000 + 4 * 100);
  runtime::setPendingEventsHandler({});
  EXPECT_GT(nested, 0);
  EXPECT_EQ(f.revealedBoxes(), 5);
  EXPECT_EQ(visibleBoxes(), 5);
  EXPECT_TRUE(f.Label1.Visible());
}

TEST_F(BoxAnimation, ANumberSourceThatMissesStillEnds) {
  Form1& f = startWith(3);
  player->random().setSource([] { return 0.0; });
  clock->advance(5000 + 2 * 100);
  EXPECT_EQ(f.revealedBoxes(), 3);
  EXPECT_EQ(visibleBoxes(), 3);
}

}  // namespace
}  // namespace player::testing_support
