// Enter and the space bar on the control that has the focus, through the
// window as the keyboard sends them: a push button of any style takes both,
// check boxes and option buttons only the space bar, and a text box or a
// list keeps Enter to itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "check_box.h"
#include "command_button.h"
#include "form.h"
#include "frame.h"
#include "key_codes.h"
#include "list_box.h"
#include "option_button.h"
#include "ss_tab.h"
#include "text_box.h"
#include "window_input.h"

namespace controls {
namespace {

using Log = std::vector<std::string>;

class Panel : public Form {
 public:
  Panel() : Form("Panel") {
    Move(0, 0, 8400, 5400);
    Text1.Move(120, 120, 2000, 285);
    Command1.Move(120, 600, 1215, 375);
    Command1.setCaption("OK");
    Frame1.Move(120, 1200, 2000, 900);
    QPixmap arrow(16, 16);
    arrow.fill(Qt::darkBlue);
    cmdPicture.Move(120, 240, 375, 375);
    cmdPicture.setStyle(1);
    cmdPicture.setPicture(Picture(arrow));
    SSTab1.Move(2400, 120, 3600, 2400);
    Command7.Move(120, 480, 1215, 375);
    Check1.Move(120, 2400, 1800, 255);
    Option1.Move(120, 2800, 1800, 255);
    List1.Move(6200, 120, 2000, 1500);
    List1.AddItem("01 - Rock");
    List1.AddItem("02 - Jazz");

    for (Element* e : std::initializer_list<Element*>{&Text1, &Command1, &cmdPicture, &Command7, &Check1, &Option1,
                                                       &List1}) {
      const std::string name = e->Name().toStdString();
      e->Click = [this, name] { log.push_back(name + "_Click"); };
    }
    Command1.KeyDown = [this](int& code, int shift) {
      log.push_back("KeyDown " + std::to_string(code) + " " + std::to_string(shift));
      if (command1KeyDown) command1KeyDown(code);
    };
    Command1.KeyPress = [this](int& ascii) { log.push_back("KeyPress " + std::to_string(ascii)); };
    Command1.KeyUp = [this](int& code, int shift) {
      log.push_back("KeyUp " + std::to_string(code) + " " + std::to_string(shift));
    };
    Text1.KeyDown = [this](int& code, int) {
      if (code == vbKeyReturn) log.push_back("Text1_KeyDown 13");
    };
    List1.DblClick = [this] { log.push_back("List1_DblClick"); };
  }

  TextBox Text1{*this, "Text1"};
  CommandButton Command1{*this, "Command1"};
  Frame Frame1{*this, "Frame1"};
  CommandButton cmdPicture{Frame1, "cmdPicture"};
  SSTab SSTab1{*this, "SSTab1"};
  CommandButton Command7{SSTab1.page(0), "Command7"};
  CheckBox Check1{*this, "Check1"};
  OptionButton Option1{*this, "Option1"};
  ListBox List1{*this, "List1"};
  // What Command1's KeyDown does beyond noting the key.
  std::function<void(int& code)> command1KeyDown;
  Log log;
};

class ButtonKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.Show();
    QApplication::processEvents();
  }
  void focus(Control& control) {
    control.SetFocus();
    ASSERT_EQ(QApplication::focusWidget(), control.widget()) << control.Name().toStdString();
  }

  Panel panel;
  WindowInput user{panel};
};

TEST_F(ButtonKeys, EnterAndTheSpaceBarPressTheFocusedButtonOfEveryStyleAndPlace) {
  struct Key {
    const char* what;
    std::function<bool(WindowInput&)> press;
  };
  const Key keys[] = {
      {"Enter", [](WindowInput& u) { return u.key(vbKeyReturn); }},
      {"keypad Enter", [](WindowInput& u) { return u.keypadEnter(); }},
      {"space bar", [](WindowInput& u) { return u.key(vbKeySpace); }},
      {"Enter held while the keyboard repeats it", [](WindowInput& u) { return u.holdKey(vbKeyReturn, 4); }},
  };
  for (CommandButton* button : {&panel.Command1, &panel.cmdPicture, &panel.Command7}) {
    for (const Key& key : keys) {
      SCOPED_TRACE(button->Name().toStdString() + ", " + key.what);
      panel.log.clear();
      focus(*button);
      ASSERT_TRUE(key.press(user));
      const std::string click = button->Name().toStdString() + "_Click";
      EXPECT_EQ(std::count(panel.log.begin(), panel.log.end(), click), 1);
      EXPECT_EQ(QApplication::focusWidget(), button->widget());
    }
  }
}

TEST_F(ButtonKeys, TheButtonsKeyEventsComeAroundTheClickOfEnterAndMayTakeTheKey) {
  focus(panel.Command1);
  ASSERT_TRUE(user.key(vbKeyReturn));
  ASSERT_TRUE(user.key(vbKeySpace));
  EXPECT_EQ(panel.log, (Log{"KeyDown 13 0", "KeyPress 13", "Command1_Click", "KeyUp 13 0",  //
                            "KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "Command1_Click"}));

  panel.log.clear();
  ASSERT_TRUE(user.key(vbKeyReturn, vbShiftMask));
  EXPECT_EQ(panel.log, (Log{"KeyDown 13 1", "KeyPress 13", "Command1_Click", "KeyUp 13 1"}));

  struct Case {
    const char* what;
    std::function<void(int& code)> keyDown;
  };
  const Case cases[] = {
      {"takes the key", [](int& code) { code = 0; }},
      {"disables the button", [this](int&) { panel.Command1.setEnabled(false); }},
      {"hides the button", [this](int&) { panel.Command1.setVisible(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("KeyDown ") + c.what);
    panel.Command1.setEnabled(true);
    panel.Command1.setVisible(true);
    focus(panel.Command1);
    panel.log.clear();
    panel.command1KeyDown = c.keyDown;
    ASSERT_TRUE(user.key(vbKeyReturn));
    EXPECT_EQ(std::count(panel.log.begin(), panel.log.end(), "Command1_Click"), 0);
  }
}

TEST_F(ButtonKeys, AButtonTheUserCannotReachTakesNoEnter) {
  struct Case {
    const char* what;
    std::function<void(Panel&)> arrange;
  };
  const Case cases[] = {
      {"disabled", [](Panel& p) { p.cmdPicture.setEnabled(false); }},
      {"hidden", [](Panel& p) { p.cmdPicture.setVisible(false); }},
      {"on a disabled frame", [](Panel& p) { p.Frame1.setEnabled(false); }},
      {"on a hidden frame", [](Panel& p) { p.Frame1.setVisible(false); }},
      {"in a disabled window", [](Panel& p) { p.setEnabled(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Panel p;
    p.Show();
    QApplication::processEvents();
    p.cmdPicture.SetFocus();
    c.arrange(p);
    WindowInput u(p);
    ASSERT_TRUE(u.key(vbKeyReturn));
    ASSERT_TRUE(u.keypadEnter());
    EXPECT_EQ(std::count(p.log.begin(), p.log.end(), "cmdPicture_Click"), 0);
  }
}

TEST_F(ButtonKeys, CheckBoxesAndOptionButtonsTakeOnlyTheSpaceBar) {
  focus(panel.Check1);
  ASSERT_TRUE(user.key(vbKeyReturn));
  ASSERT_TRUE(user.keypadEnter());
  EXPECT_EQ(panel.Check1.Value(), vbUnchecked);
  ASSERT_TRUE(user.key(vbKeySpace));
  EXPECT_EQ(panel.Check1.Value(), vbChecked);

  focus(panel.Option1);
  ASSERT_TRUE(user.key(vbKeyReturn));
  EXPECT_FALSE(panel.Option1.Value());
  ASSERT_TRUE(user.key(vbKeySpace));
  EXPECT_TRUE(panel.Option1.Value());
  EXPECT_EQ(panel.log, (Log{"Check1_Click", "Option1_Click"}));
}

TEST_F(ButtonKeys, ATextBoxAndAListKeepTheirEnterAndPressNoButton) {
  focus(panel.Text1);
  ASSERT_TRUE(user.type("Rock"));
  ASSERT_TRUE(user.key(vbKeyReturn));
  EXPECT_EQ(panel.Text1.Text(), "Rock");
  focus(panel.List1);
  ASSERT_TRUE(user.key(vbKeyDown));
  ASSERT_TRUE(user.key(vbKeyReturn));
  ASSERT_TRUE(user.keypadEnter());
  EXPECT_EQ(panel.List1.ListIndex(), 0);
  EXPECT_EQ(panel.log, (Log{"Text1_KeyDown 13", "List1_Click"}));
}

}  // namespace
}  // namespace controls
