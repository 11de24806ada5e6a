// A window drawn offscreen into a PNG file, to be looked at.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "check_box.h"
#include "colors.h"
#include "command_button.h"
#include "form.h"
#include "frame.h"
#include "hscroll_bar.h"
#include "label.h"
#include "line.h"
#include "list_box.h"
#include "look.h"
#include "option_button.h"
#include "render.h"
#include "shape.h"
#include "ss_tab.h"
#include "text_box.h"

namespace controls {
namespace {

class Sampler : public Form {
 public:
  Sampler() : Form("Sampler") {
    setCaption("Controls");
    setBackColor(0xE0E0E0);
    Move(0, 0, 6000, 4200);
    SSTab1.Move(120, 120, 3600, 2700);
    SSTab1.setTabCaption(0, "*Create / Load project");
    SSTab1.setTabCaption(1, "Edit Album");
    SSTab1.setTabCaption(2, "&Details / Interface");
    Option1.Move(120, 120, 2400, 255);
    Option1.setCaption("Create a new Project");
    Option1.setValue(true);
    Option2.Move(120, 420, 2400, 255);
    Option2.setCaption("Load an Existing project");
    List1.Move(120, 780, 2000, 1200);
    for (const char* album : {"01 - Rock", "02 - Jazz", "03 - Pop"}) List1.AddItem(album);
    List1.setListIndex(1);
    Label4.Move(3840, 120, 2000, 255);
    Label4.setCaption(SSTab1.Caption());
    Label4.setForeColor(0x800000);
    Label4.setFontBold(true);
    Command27.Move(3840, 480, 1215, 375);
    Command27.setCaption("Compile");
    Check1.Move(3840, 960, 2100, 255);
    Check1.setCaption("Add a password");
    Check1.setValue(1);
    txtProjectName.Move(3840, 1320, 1800, 285);
    txtProjectName.setText("Demo");
    Frame5.Move(3840, 1740, 1455, 495);
    Frame5.setBackColor(RGB(200, 40, 40));
    scrlVOL.Move(120, 2940, 3600, 255);
    scrlVOL.setValue(9000);
    Shape1.Move(3840, 2400, 1200, 700);
    Shape1.setKind(4);
    Shape1.setBorderColor(0x0000C0);
    Line1.setX1(120);
    Line1.setY1(3400);
    Line1.setX2(5800);
    Line1.setY2(3400);
    Line1.setBorderColor(0xC00000);
    Line1.setBorderWidth(2);
  }
  SSTab SSTab1{*this, "SSTab1"};
  OptionButton Option1{SSTab1.page(0), "Option1"};
  OptionButton Option2{SSTab1.page(0), "Option2"};
  ListBox List1{SSTab1.page(0), "List1"};
  Label Label4{*this, "Label4"};
  CommandButton Command27{*this, "Command27"};
  CheckBox Check1{*this, "Check1"};
  TextBox txtProjectName{*this, "txtProjectName"};
  Frame Frame5{*this, "Frame5"};
  HScrollBar scrlVOL{*this, "scrlVOL"};
  Shape Shape1{*this, "Shape1"};
  Line Line1{*this, "Line1"};
};

TEST(RenderToPng, WritesTheWindowAsDrawn) {
  applyLook(*qApp);
  Sampler sampler;
  const QString path = QDir::current().filePath("controls_sampler.png");
  ASSERT_TRUE(renderToPng(sampler, path));
  const QImage image(path);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(400, 280));
  // The colour strip is painted in its BackColor (the style shades its frame a little).
  const QColor strip = image.pixelColor(256 + 48, 116 + 20);
  EXPECT_NEAR(strip.red(), 200, 4);
  EXPECT_NEAR(strip.green(), 40, 4);
  EXPECT_NEAR(strip.blue(), 40, 4);
  EXPECT_FALSE(sampler.Visible());  // rendering did not show it
  EXPECT_FALSE(renderToPng(sampler, "/nonexistent-folder/x.png"));
}

// Boxes in a borderless frame (drawn under a style sheet) are painted in
// their own colours, whatever order the colours were given in.
TEST(RenderToPng, BoxesInABorderlessFrameShowTheirColours) {
  applyLook(*qApp);
  class Panel : public Form {
   public:
    Panel() : Form("Panel") {
      Move(0, 0, 3000, 2000);
      Frame1.setBorderStyle(0);
      Frame1.Move(0, 0, 3000, 2000);
      Text1.setMultiLine(true);
      Text1.Move(150, 150, 1200, 1200);
      List1.Move(1500, 150, 1200, 1200);
      setBackColor(0x804000);
      Text1.setBackColor(RGB(10, 120, 30));
      List1.setBackColor(RGB(130, 20, 90));
      Frame1.setBackColor(0x804000);
    }
    Frame Frame1{*this, "Frame1"};
    TextBox Text1{Frame1, "Text1"};
    ListBox List1{Frame1, "List1"};
  } panel;
  const QString path = QDir::current().filePath("controls_panel.png");
  ASSERT_TRUE(renderToPng(panel, path));
  const QImage image(path);
  EXPECT_EQ(image.pixelColor(50, 50), QColor(10, 120, 30));
  EXPECT_EQ(image.pixelColor(140, 50), QColor(130, 20, 90));
}

}  // namespace
}  // namespace controls
