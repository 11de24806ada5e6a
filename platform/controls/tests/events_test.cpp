// The user's mouse and keys reach the window's handlers with the arguments
// the windows use, and only where a user could reach.
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

#include "check_box.h"
#include "combo_box.h"
#include "command_button.h"
#include "control_array.h"
#include "form.h"
#include "frame.h"
#include "held_drags.h"
#include "hscroll_bar.h"
#include "image.h"
#include "key_codes.h"
#include "label.h"
#include "list_box.h"
#include "option_button.h"
#include "ss_tab.h"
#include "text_box.h"
#include "window_input.h"

namespace controls {
namespace {

struct MouseCall {
  std::string what;
  int index, button, shift;
  double x, y;
  bool operator==(const MouseCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MouseCall& c) {
  return out << c.what << "(" << c.index << "," << c.button << "," << c.shift << "," << c.x << "," << c.y << ")";
}

class Panel : public Form {
 public:
  Panel() : Form("Panel") {
    setBorderStyle(0);
    Move(0, 0, 8880, 6750);
    Frame3.Move(1080, 4000, 2895, 615);
    Command2.Move(2760, 2520, 375, 375);
    Command2.Click = [this] { log.push_back({"Command2_Click", -1, 0, 0, 0, 0}); };
    cmdInFrame.Move(60, 60, 600, 375);
    cmdInFrame.Click = [this] { log.push_back({"cmdInFrame_Click", -1, 0, 0, 0, 0}); };
    Image13.Move(6960, 90, 1650, 900);
    Image13.MouseDown = [this](int b, int s, double x, double y) {
      log.push_back({"Image13_MouseDown", -1, b, s, x, y});
      Image13.setVisible(false);  // shows the button as pressed
    };
    Image13.MouseUp = [this](int b, int s, double x, double y) {
      log.push_back({"Image13_MouseUp", -1, b, s, x, y});
      Image13.setVisible(true);
    };
    for (int i = 0; i < 3; ++i) Label1(i).Move(700, 300 + i * 300, 3000, 255);
    Label1.MouseDown = [this](int index, int b, int s, double x, double y) {
      log.push_back({"Label1_MouseDown", index, b, s, x, y});
    };
    Label1.Click = [this](int index) { log.push_back({"Label1_Click", index, 0, 0, 0, 0}); };
    Label1.DblClick = [this](int index) { log.push_back({"Label1_DblClick", index, 0, 0, 0, 0}); };
    MouseDown = [this](int b, int s, double x, double y) { log.push_back({"Form_MouseDown", -1, b, s, x, y}); };
    MouseUp = [this](int b, int s, double x, double y) { log.push_back({"Form_MouseUp", -1, b, s, x, y}); };
  }
  Frame Frame3{*this, "Frame3"};
  CommandButton cmdInFrame{Frame3, "cmdInFrame"};
  CommandButton Command2{*this, "Command2"};
  Image Image13{*this, "Image13"};
  ControlArray<Label> Label1{*this, "Label1", 3};
  std::vector<MouseCall> log;
};

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override { panel.Show(); }
  Panel panel;
};

TEST_F(EventsTest, MouseEventsCarryButtonShiftAndTwipsRelativeToTheControl) {
  ASSERT_TRUE(panel.Image13.mouseDown(vbLeftButton, vbShiftMask, 675, 450));
  // Hidden by its own MouseDown, the pressed picture still gets the MouseUp.
  EXPECT_FALSE(panel.Image13.Visible());
  ASSERT_TRUE(panel.Image13.mouseUp(vbLeftButton, 0, 690, 465));
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Image13_MouseDown", -1, 1, 1, 675, 450},
                                               {"Image13_MouseUp", -1, 1, 0, 690, 465}}));
  EXPECT_TRUE(panel.Image13.Visible());

  panel.log.clear();
  ASSERT_TRUE(panel.mouseDown(vbRightButton, vbCtrlMask, 675, 6180));
  ASSERT_TRUE(panel.mouseUp(vbRightButton, 0, 675, 6180));
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Form_MouseDown", -1, 2, 2, 675, 6180},
                                               {"Form_MouseUp", -1, 2, 0, 675, 6180}}));
}

TEST_F(EventsTest, ControlArrayRaisesItsElementsEventsWithTheirIndex) {
  ASSERT_TRUE(panel.Label1(2).click(30, 45));
  ASSERT_TRUE(panel.Label1(0).dblClick());
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Label1_MouseDown", 2, 1, 0, 30, 45},
                                               {"Label1_Click", 2, 0, 0, 0, 0},
                                               {"Label1_MouseDown", 0, 1, 0, 1500, 127.5},
                                               {"Label1_Click", 0, 0, 0, 0, 0},
                                               {"Label1_DblClick", 0, 0, 0, 0, 0}}));
}

TEST_F(EventsTest, LoadedElementsCopyElementZeroAndStartHidden) {
  panel.Label1(0).setCaption("01 - Rock");
  panel.Label1(0).setForeColor(0xFFC0C0);
  Label& added = panel.Label1.Load(5);
  EXPECT_EQ(added.Index(), 5);
  EXPECT_EQ(added.Caption(), "01 - Rock");
  EXPECT_EQ(added.ForeColor(), 0xFFC0C0u);
  EXPECT_EQ(added.Width(), panel.Label1(0).Width());
  EXPECT_FALSE(added.Visible());
  EXPECT_FALSE(panel.Label1.exists(4));
  EXPECT_EQ(panel.Label1.UBound(), 5);
  EXPECT_FALSE(added.click());  // hidden
  added.setVisible(true);
  EXPECT_TRUE(added.click());
  EXPECT_EQ(panel.log.back(), (MouseCall{"Label1_Click", 5, 0, 0, 0, 0}));
  EXPECT_THROW(panel.Label1(4), store::StoreError);
}

TEST_F(EventsTest, ClicksReachOnlyWhatTheUserCouldReach) {
  struct Case {
    const char* what;
    std::function<void(Panel&)> arrange;
    bool reaches;
  };
  const Case cases[] = {
      {"enabled and shown", [](Panel&) {}, true},
      {"disabled button", [](Panel& p) { p.Command2.setEnabled(false); }, false},
      {"hidden button", [](Panel& p) { p.Command2.setVisible(false); }, false},
      {"disabled window", [](Panel& p) { p.setEnabled(false); }, false},
      {"hidden window", [](Panel& p) { p.Hide(); }, false},
      {"minimised window", [](Panel& p) { p.setWindowState(vbMinimized); }, false},
  };
  for (const Case& c : cases) {
    Panel p;
    p.Show();
    c.arrange(p);
    EXPECT_EQ(p.Command2.click(), c.reaches) << c.what;
    EXPECT_EQ(p.log.size(), c.reaches ? 1u : 0u) << c.what;
  }
}

TEST_F(EventsTest, RealMouseEventsTakeTheSameRoad) {
  QTest::mouseClick(panel.Command2.widget(), Qt::LeftButton);
  QTest::mousePress(panel.Image13.widget(), Qt::LeftButton, Qt::NoModifier, QPoint(45, 30));
  // Hidden by its MouseDown, the picture still gets the release.
  QTest::mouseRelease(panel.widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6960 / 15 + 46, 90 / 15 + 31));
  panel.Command2.setEnabled(false);
  QTest::mouseClick(panel.Command2.widget(), Qt::LeftButton);
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Command2_Click", -1, 0, 0, 0, 0},
                                               {"Image13_MouseDown", -1, 1, 0, 675, 450},
                                               {"Image13_MouseUp", -1, 1, 0, 690, 465}}));
}

// Events that enter at the window, as the window system delivers a real
// mouse's: Qt itself chooses who gets the moves and the release.
TEST_F(EventsTest, APictureThatHidesItselfOnThePressGetsTheMovesAndTheReleaseThroughTheWindow) {
  WindowInput user(panel);
  const QPointF at = user.pointIn(panel.Image13, {675, 450});
  ASSERT_TRUE(user.pressAt(at, vbLeftButton, vbShiftMask));
  EXPECT_FALSE(panel.Image13.Visible());
  ASSERT_TRUE(user.moveTo(at + QPointF(15, 15)));
  ASSERT_TRUE(user.releaseAt(at + QPointF(15, 15)));
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Image13_MouseDown", -1, 1, 1, 675, 450},
                                               {"Image13_MouseUp", -1, 1, 0, 690, 465}}));
  EXPECT_TRUE(panel.Image13.Visible());

  // Nothing is left over: the next clicks go where they land.
  panel.log.clear();
  ASSERT_TRUE(user.clickOn(panel.Image13));
  ASSERT_TRUE(user.clickOn(panel.Command2));
  ASSERT_TRUE(user.clickAt({675, 6180}));
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Image13_MouseDown", -1, 1, 0, 825, 450},
                                               {"Image13_MouseUp", -1, 1, 0, 825, 450},
                                               {"Command2_Click", -1, 0, 0, 0, 0},
                                               {"Form_MouseDown", -1, 1, 0, 675, 6180},
                                               {"Form_MouseUp", -1, 1, 0, 675, 6180}}));
}

TEST_F(EventsTest, ThroughTheWindowClicksAndDoubleClicksReachOnlyWhatTheUserCouldReach) {
  WindowInput user(panel);
  ASSERT_TRUE(user.clickOn(panel.Label1(1)));
  ASSERT_TRUE(user.dblClickOn(panel.Label1(2)));
  panel.Command2.setEnabled(false);
  ASSERT_TRUE(user.clickOn(panel.Command2));  // lands on a disabled button: nothing
  panel.setWindowState(vbMinimized);
  EXPECT_FALSE(user.clickOn(panel.Label1(0)));
  // The middle of a 17-pixel label is a whole pixel away from 127.5 twips.
  EXPECT_EQ(panel.log, (std::vector<MouseCall>{{"Label1_MouseDown", 1, 1, 0, 1500, 135},
                                               {"Label1_Click", 1, 0, 0, 0, 0},
                                               {"Label1_MouseDown", 2, 1, 0, 1500, 135},
                                               {"Label1_Click", 2, 0, 0, 0, 0},
                                               {"Label1_DblClick", 2, 0, 0, 0, 0}}));
}

TEST_F(EventsTest, AWindowOfItsOwnIsNoPartOfTheWindowItBelongsTo) {
  // A small window that belongs to the panel, as a pop-up menu does: a
  // click in it is its own, not the panel's Form_MouseDown.
  QWidget own(panel.widget(), Qt::Window);
  QPushButton* button = new QPushButton("OK", &own);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  own.resize(120, 60);
  button->setGeometry(0, 0, 120, 60);
  own.show();
  ASSERT_TRUE(WindowInput(&own).clickAt({900, 450}));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(panel.log.empty());
}

TEST_F(EventsTest, ControlsOnAFrameFollowItsStateAndPosition) {
  EXPECT_TRUE(panel.cmdInFrame.click());
  panel.Frame3.setEnabled(false);
  EXPECT_FALSE(panel.cmdInFrame.click());
  panel.Frame3.setEnabled(true);
  panel.Frame3.setVisible(false);
  EXPECT_FALSE(panel.cmdInFrame.click());
  EXPECT_EQ(panel.log.size(), 1u);
  // Positions on a frame are relative to the frame.
  EXPECT_EQ(panel.cmdInFrame.widget()->parentWidget(), panel.Frame3.widget());
  EXPECT_EQ(panel.cmdInFrame.widget()->pos(), QPoint(4, 4));
}

class Keys : public Form {
 public:
  Keys() : Form("Keys") {
    txtProjectName.KeyDown = [this](int& code, int shift) {
      downs.push_back(code * 10 + shift);
      if (code == vbKeySpace) txtProjectName.setText(txtProjectName.Text().trimmed());
    };
    txtProjectName.KeyPress = [](int& ascii) {
      if (ascii == '|') ascii = 0;           // refused
      if (ascii == 'x') ascii = 'y';         // replaced
    };
    txtProjectName.Change = [this] { ++changes; };
  }
  TextBox txtProjectName{*this, "txtProjectName"};
  TextBox Text1{*this, "Text1"};
  std::vector<int> downs;
  int changes = 0;
};

TEST(KeyEvents, KeysThroughTheWindowGoToTheFocusedBox) {
  Keys keys;
  keys.Show();
  keys.txtProjectName.SetFocus();
  WindowInput user(keys);
  ASSERT_TRUE(user.type("ab|x"));
  ASSERT_TRUE(user.key(vbKeyReturn));
  EXPECT_EQ(keys.txtProjectName.Text(), "aby");
  EXPECT_EQ(keys.downs, (std::vector<int>{650, 660, 880, 130}));
  EXPECT_EQ(keys.Text1.Text(), "");
}

TEST(KeyEvents, KeyDownGetsCodesAndKeyPressCanRefuseOrReplace) {
  Keys keys;
  keys.Show();
  ASSERT_TRUE(keys.txtProjectName.type("ab|x"));
  EXPECT_EQ(keys.txtProjectName.Text(), "aby");
  ASSERT_TRUE(keys.txtProjectName.pressKey(vbKeyReturn));
  ASSERT_TRUE(keys.txtProjectName.pressKey(vbKeyF3, vbShiftMask));
  EXPECT_EQ(keys.downs, (std::vector<int>{650, 660, 880, 130, 1141}));
  EXPECT_EQ(keys.txtProjectName.Text(), "aby");  // Enter adds no line to a one-line box
  EXPECT_EQ(keys.changes, 3);
}

TEST(TextBoxes, KeepCrLfAndTheTypingLimit) {
  Keys keys;
  keys.Show();
  TextBox& box = keys.Text1;
  box.setMultiLine(true);
  box.setText("line one\r\nline two\r\n");
  EXPECT_EQ(box.Text(), "line one\r\nline two\r\n");
  box.setText("");
  box.setMaxLength(5);
  box.type("abc\ndefg");
  EXPECT_EQ(box.Text(), "abc\r\n");  // CR LF counts two
  box.setLocked(true);
  box.setText("set by the program");
  box.type("zz");
  EXPECT_EQ(box.Text(), "set by the program");
}

class Choices : public Form {
 public:
  Choices() : Form("Choices") {
    Option1.Click = [this] { clicks.push_back("Option1"); };
    Option2.Click = [this] { clicks.push_back("Option2"); };
    optFrom1.Click = [this] { clicks.push_back("optFrom1"); };
    Check1.Click = [this] { clicks.push_back("Check1=" + std::to_string(Check1.Value())); };
    List1.Click = [this] { clicks.push_back("List1_Click " + std::to_string(List1.ListIndex())); };
    List1.MouseDown = [this](int, int, double, double) {
      clicks.push_back("List1_MouseDown " + std::to_string(List1.ListIndex()));
    };
    List1.DblClick = [this] { clicks.push_back("List1_DblClick"); };
    scrlVOL.Change = [this] { clicks.push_back("Change " + std::to_string(scrlVOL.Value())); };
    scrlVOL.Scroll = [this] { clicks.push_back("Scroll " + std::to_string(scrlVOL.Value())); };
    SSTab1.Click = [this](int previous) { clicks.push_back("SSTab1 from " + std::to_string(previous)); };
  }
  OptionButton Option1{*this, "Option1"};
  OptionButton Option2{*this, "Option2"};
  Frame Frame4{*this, "Frame4"};
  OptionButton optFrom1{Frame4, "optFrom1"};
  CheckBox Check1{*this, "Check1"};
  ListBox List1{*this, "List1"};
  HScrollBar scrlVOL{*this, "scrlVOL"};
  SSTab SSTab1{*this, "SSTab1"};
  CommandButton Command7{SSTab1.page(1), "Command7"};
  std::vector<std::string> clicks;
};

TEST(ChoiceControls, OptionButtonsFormOneGroupPerContainer) {
  Choices c;
  c.Show();
  c.Option1.setValue(true);
  c.optFrom1.setValue(true);
  EXPECT_TRUE(c.Option1.Value());  // another container, another group
  c.Option2.click();
  EXPECT_FALSE(c.Option1.Value());
  EXPECT_TRUE(c.Option2.Value());
  c.Option2.click();  // a click on the chosen one still raises Click
  c.Option2.setValue(true);  // the program choosing it again does not
  EXPECT_EQ(c.clicks, (std::vector<std::string>{"Option1", "optFrom1", "Option2", "Option2"}));
}

TEST(ChoiceControls, CheckBoxClicksWithEveryChangeOfValue) {
  Choices c;
  c.Show();
  c.Check1.click();
  c.Check1.setValue(vbUnchecked);
  c.Check1.setValue(vbUnchecked);
  EXPECT_EQ(c.clicks, (std::vector<std::string>{"Check1=1", "Check1=0"}));
}

TEST(ChoiceControls, ListSelectionIsMadeBeforeMouseDownAndCodeSelectionClicksToo) {
  Choices c;
  c.List1.Move(120, 480, 2055, 3735);
  for (const char* album : {"01 - Rock", "02 - Jazz", "03 - Pop"}) c.List1.AddItem(album);
  c.Show();
  ASSERT_TRUE(c.List1.select(1));
  c.List1.setListIndex(-1);
  c.List1.setListIndex(2);
  ASSERT_TRUE(c.List1.dblClickItem(2));
  EXPECT_EQ(c.clicks, (std::vector<std::string>{"List1_MouseDown 1", "List1_Click 1", "List1_Click -1",
                                                "List1_Click 2", "List1_MouseDown 2", "List1_DblClick"}));
  EXPECT_EQ(c.List1.Text(), "03 - Pop");
  c.List1.RemoveItem(2);
  EXPECT_EQ(c.List1.ListIndex(), -1);
  EXPECT_EQ(c.List1.List(5), "");
  EXPECT_THROW(c.List1.setListIndex(2), store::StoreError);
}

TEST(ChoiceControls, ScrollBarTellsDraggingFromOtherChanges) {
  Choices c;
  c.Show();
  c.scrlVOL.setMax(0);
  c.scrlVOL.setMin(-6000);
  c.scrlVOL.setLargeChange(1000);
  c.clicks.clear();
  c.scrlVOL.setValue(-600);
  c.scrlVOL.setValue(100);  // out of range: refused
  c.scrlVOL.dragThumbTo(-300);
  c.scrlVOL.clickTrack(-1);
  EXPECT_EQ(c.scrlVOL.Value(), -1300);
  EXPECT_EQ(c.clicks, (std::vector<std::string>{"Change -600", "Scroll -300", "Change -300", "Change -1300"}));
}

TEST(ChoiceControls, TheScrollBarsThumbKeepsItsSizeWhateverTheRangeAndAClickBesideItStepsLargeChange) {
  Choices c;
  c.scrlVOL.Move(120, 120, 4500, 255);
  c.SSTab1.setVisible(false);  // it would lie over the bar
  c.Show();
  auto thumbWidth = [&] {
    auto* bar = static_cast<QScrollBar*>(c.scrlVOL.widget());
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.pageStep = bar->pageStep();
    option.sliderPosition = bar->sliderPosition();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar).width();
  };
  c.scrlVOL.setMax(10);
  c.scrlVOL.setLargeChange(8);
  const int small = thumbWidth();
  c.scrlVOL.setMax(0);  // a song of no length
  EXPECT_EQ(thumbWidth(), small);
  ASSERT_TRUE(c.scrlVOL.clickTrack(1));
  ASSERT_TRUE(c.scrlVOL.clickArrow(1));
  EXPECT_EQ(c.scrlVOL.Value(), 0);
  c.scrlVOL.setMax(100000);
  c.scrlVOL.setLargeChange(50000);
  EXPECT_EQ(thumbWidth(), small);
  EXPECT_LT(small, 40);
  // A real click on the track, through the window, right of the thumb.
  c.clicks.clear();
  WindowInput user(c);
  ASSERT_TRUE(user.clickAt(user.pointIn(c.scrlVOL, {4000, 127})));
  EXPECT_EQ(c.scrlVOL.Value(), 50000);
  EXPECT_EQ(c.clicks, (std::vector<std::string>{"Change 50000"}));
}

TEST(ChoiceControls, TabsShowOnlyTheControlsOfTheCurrentTab) {
  Choices c;
  c.Show();
  c.SSTab1.setTabCaption(0, "*Create / Load project");
  c.SSTab1.setTabCaption(1, "Edit Album");
  EXPECT_EQ(c.SSTab1.Caption(), "*Create / Load project");
  EXPECT_FALSE(c.Command7.click());
  ASSERT_TRUE(c.SSTab1.selectTab(1));
  EXPECT_EQ(c.SSTab1.Caption(), "Edit Album");
  EXPECT_TRUE(c.Command7.click());
  c.SSTab1.setTab(0);
  EXPECT_FALSE(c.Command7.click());
  EXPECT_TRUE(c.Command7.Visible());  // its own Visible is untouched
  EXPECT_EQ(c.clicks, (std::vector<std::string>{"SSTab1 from 0", "SSTab1 from 1"}));
  EXPECT_THROW(c.SSTab1.setTab(3), store::StoreError);
}

// Songs dragged onto a basket, as the player's personal list takes them.
class Basket : public Form {
 public:
  Basket() : Form("Basket") {
    setWidth(3000);
    setHeight(2000);
    Image8.Move(1500, 300, 600, 600);
    Image8.DragDrop = [this](Control& source, double x, double y) {
      dropped.push_back(static_cast<Label&>(source).Caption().toStdString() + " at " + std::to_string(x) + "," +
                        std::to_string(y));
    };
    Label1(0).Move(150, 300, 900, 225);
    Label1(0).setCaption("03 - Sunday");
    Label1.MouseDown = [this](int, int, int, double, double) { events.push_back("MouseDown"); };
    Label1.MouseUp = [this](int, int, int, double, double) { events.push_back("MouseUp"); };
    Label1.Click = [this](int) { events.push_back("Click"); };
    Label1.DblClick = [this](int) { events.push_back("DblClick"); };
  }
  Image Image8{*this, "Image8"};
  Image Image9{*this, "Image9"};  // takes no drops
  ControlArray<Label> Label1{*this, "Label1", 1};
  std::vector<std::string> dropped;
  std::vector<std::string> events;
};

class Dragging : public ::testing::Test {
 protected:
  Dragging() {
    basket.Show();
    basket.Image9.Move(1500, 1200, 600, 600);
  }
  // The user presses on the label, the drag comes over `at` and is let go there.
  bool dragLabelTo(QPointF at) {
    const int before = drags.count();
    if (!user.pressOn(basket.Label1(0))) return false;
    const bool started = drags.count() == before + 1;
    const bool dropped = started && user.dropAt(at, drags.last());
    user.releaseAt(at);
    return dropped;
  }
  HeldDrags drags;
  Basket basket;
  WindowInput user{basket};
};

TEST_F(Dragging, ALabelInAutomaticModeIsDroppedOnTheControlUnderThePointer) {
  basket.Label1(0).setDragMode(1);
  // 30 twips right of and 60 below the picture's corner, on whole pixels.
  EXPECT_TRUE(dragLabelTo(user.pointIn(basket.Image8, {30, 60})));
  EXPECT_EQ(basket.dropped, (std::vector<std::string>{"03 - Sunday at 30.000000,60.000000"}));
  // A drag raises none of the label's own mouse events.
  EXPECT_EQ(basket.events, std::vector<std::string>{});

  // Let go where nothing takes the drop: the window takes it, nothing happens.
  EXPECT_TRUE(dragLabelTo(user.pointIn(basket.Image9, {300, 300})));
  EXPECT_EQ(basket.dropped.size(), 1u);
  // A disabled control takes no drop.
  basket.Image8.setEnabled(false);
  EXPECT_FALSE(dragLabelTo(user.middleOf(basket.Image8)));
  EXPECT_EQ(basket.dropped.size(), 1u);
}

TEST_F(Dragging, ADragThatCrossesAControlTakingNoDropStillDropsBeyondIt) {
  basket.Label1(0).setDragMode(1);
  basket.Image9.setEnabled(false);
  ASSERT_TRUE(user.pressOn(basket.Label1(0)));
  ASSERT_EQ(drags.count(), 1);
  // The drag comes into the window over the disabled picture first.
  EXPECT_FALSE(user.dragOver(user.middleOf(basket.Image9), drags.last()));
  EXPECT_TRUE(user.dragOver(user.pointIn(basket.Image8, {150, 150}), drags.last()));
  EXPECT_TRUE(user.dropAt(user.pointIn(basket.Image8, {300, 300}), drags.last()));
  user.releaseAt(user.pointIn(basket.Image8, {300, 300}));
  EXPECT_EQ(basket.dropped, (std::vector<std::string>{"03 - Sunday at 300.000000,300.000000"}));
}

TEST_F(Dragging, ALabelInManualModeIsPressedNotDragged) {
  ASSERT_TRUE(user.dblClickOn(basket.Label1(0)));
  EXPECT_EQ(drags.count(), 0);
  EXPECT_EQ(basket.events, (std::vector<std::string>{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));

  // Back to manual after a drag: the next press is an ordinary one again.
  basket.Label1(0).setDragMode(1);
  ASSERT_TRUE(user.pressOn(basket.Label1(0)));
  basket.Label1(0).setDragMode(0);
  ASSERT_TRUE(user.releaseOn(basket.Label1(0)));
  basket.events.clear();
  ASSERT_TRUE(user.clickOn(basket.Label1(0)));
  EXPECT_EQ(basket.events, (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
}

TEST_F(Dragging, OnlyTheProgramsOwnDragOfAControlIsTaken) {
  basket.Label1(0).setDragMode(1);
  ASSERT_TRUE(user.pressOn(basket.Label1(0)));
  ASSERT_EQ(drags.count(), 1);
  QMimeData text;
  text.setText("03 - Sunday");
  EXPECT_FALSE(user.dropAt(user.middleOf(basket.Image8), text));
  // The data of an earlier drag names no control once the next has started.
  QMimeData earlier;
  for (const QString& format : drags.last().formats()) earlier.setData(format, drags.last().data(format));
  user.releaseOn(basket.Label1(0));
  ASSERT_TRUE(user.pressOn(basket.Label1(0)));
  EXPECT_FALSE(user.dropAt(user.middleOf(basket.Image8), earlier));
  EXPECT_TRUE(user.dropAt(user.middleOf(basket.Image8), drags.last()));
  user.releaseOn(basket.Image8);
  EXPECT_EQ(basket.dropped.size(), 1u);
}

}  // namespace
}  // namespace controls
