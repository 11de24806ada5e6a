// Tab 2's texts, the CD label and the colour slider of an open project, and
// what each of them writes (dat.qd, AUTORUN.INF) as the store reads it back.
#include <gtest/gtest.h>

#include "frm_edit_txt.h"
#include "open_project_fixture.h"
#include "projects_fixture.h"
#include "window_input.h"

namespace authoring_test {
namespace {

class TextsTest : public ProjectsTest {
 protected:
  void SetUp() override {
    ProjectsTest::SetUp();
    create("Alpha");
    project = projectAt("Alpha");
    onTab(2);
  }
  fs::path project;
};

TEST_F(ProjectsTest, TextsNeedAProject) {
  onTab(2);
  // The labels are off without a project; the commands refuse all the same.
  for (const auto& [command, name] :
       std::initializer_list<std::pair<void (Form5::*)(), const char*>>{{&Form5::lblProjectTitle_Click, "title"},
                                                                        {&Form5::lblProjectSubTitle_Click, "subtitle"},
                                                                        {&Form5::Label13_Click, "information text"}}) {
    SCOPED_TRACE(name);
    fakes.dialogs->expectMsgBox("First create a new project", platform::vbOK)
        .withStyle(platform::vbOKOnly)
        .withTitle("Quendrel.");
    (form.*command)();
    EXPECT_TRUE(fakes.dialogs->allShown());
  }
  fakes.dialogs->expectMsgBox("First create or open a project.", platform::vbOK);
  form.lblCdLabl_Click();
  // Without a project name the slider does not move, and nothing is written.
  form.Label19_MouseMove(1, 0, 700, 0);
  form.Label19_MouseUp(1, 0, 700, 0);
  EXPECT_EQ(form.Label19.Left(), 0);
  EXPECT_EQ(form.Label14.Caption(), "0");
}

TEST_F(TextsTest, TitleAndSubtitleAreAskedWithTheCurrentTextAndWritten) {
  fakes.dialogs->expectInputBox("Set Title", "Best Of").withDefaultText("Alpha").withTitle("Quendrel");
  ASSERT_TRUE(form.lblProjectTitle.click());
  fakes.dialogs->expectInputBox("Set Sub title", "1999").withDefaultText("");
  ASSERT_TRUE(form.lblProjectSubTitle.click());
  EXPECT_EQ(form.lblProjectTitle.Caption(), "Best Of");
  EXPECT_EQ(form.lblProjectSubTitle.Caption(), "1999");
  const store::ProjectData data = dataOf(project);
  EXPECT_EQ(data.projectTitle, "Best Of");
  EXPECT_EQ(data.projectSubTitle, "1999");
  // The title is not the disc label.
  EXPECT_EQ(form.lblCdLabl.Caption(), "Alpha");
  EXPECT_EQ(bytesOf(project / "AUTORUN.INF"), "[autorun]\r\nicon = QD.exe,0\r\nlabel = Alpha\r\nopen = Alpha.exe\r\n");
}

TEST_F(TextsTest, ACancelledSubtitleEmptiesTheScreenButNotTheFile) {
  fakes.dialogs->expectInputBox("Set Sub title", "1999");
  ASSERT_TRUE(form.lblProjectSubTitle.click());
  fakes.dialogs->expectInputBox("Set Sub title", "").withDefaultText("1999");
  ASSERT_TRUE(form.lblProjectSubTitle.click());
  EXPECT_TRUE(form.lblProjectSubTitle.Caption().isEmpty());
  EXPECT_EQ(dataOf(project).projectSubTitle, "1999");
  // Until the next write.
  fakes.dialogs->expectInputBox("Set Title", "New");
  ASSERT_TRUE(form.lblProjectTitle.click());
  EXPECT_EQ(dataOf(project).projectSubTitle, "");
}

TEST_F(TextsTest, ATitleOrCdLabelItsFileCannotHoldIsReportedAndTheOldOneStays) {
  const struct {
    controls::Label& label;
    const char* prompt;
    const char* answer;
    const char* what;  // in the refusal
    const char* file;  // the file that must stay as it was
  } cases[] = {
      {form.lblProjectTitle, "Set Title", "\u03a9 Songs", "title", "dat.qd"},
      {form.lblCdLabl, "Enter CD Label:", "\u03a9", "disc autorun file", "AUTORUN.INF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prompt);
    const std::string before = bytesOf(project / c.file);
    fakes.dialogs->expectInputBox(c.prompt, QString::fromUtf8(c.answer));
    fakes.dialogs->expectMsgBox(omegaRefusal(c.what), platform::vbOK);
    ASSERT_TRUE(c.label.click());
    EXPECT_EQ(c.label.Caption(), "Alpha");
    EXPECT_EQ(bytesOf(project / c.file), before);
  }
}

TEST_F(TextsTest, TheInformationTextIsEditedInTheTextEditor) {
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    EXPECT_EQ(editor.Caption(), "Edit Info.");
    EXPECT_TRUE(editor.Text1.Text().isEmpty());
    editor.Text1.setText("First\r\nSecond");
    EXPECT_TRUE(editor.Command1.click());
  });
  ASSERT_TRUE(form.Label13.click());
  EXPECT_EQ(form.Label13.Caption(), "First\r\nSecond");
  EXPECT_EQ(dataOf(project).infoText, "First\r\nSecond");

  // Closed without OK: the text stays.
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    EXPECT_EQ(editor.Text1.Text(), "First\r\nSecond");
    editor.Text1.setText("thrown away");
    EXPECT_TRUE(editor.close());
  });
  ASSERT_TRUE(form.Label13.click());
  EXPECT_EQ(form.Label13.Caption(), "First\r\nSecond");
  EXPECT_EQ(dataOf(project).infoText, "First\r\nSecond");
}

TEST_F(TextsTest, TheCdLabelCannotBeLeftEmptyAndOnlyItsLineChanges) {
  // An icon line of its own, which the label must keep.
  writeBytes(project / "AUTORUN.INF", "[autorun]\r\nicon = disc.ico\r\nlabel = Alpha\r\nopen = Alpha.exe\r\n");
  const std::string data = bytesOf(project / "dat.qd");
  fakes.dialogs->expectInputBox("Enter CD Label:", "").withDefaultText("Alpha").withTitle("Quendrel");
  fakes.dialogs->expectMsgBox("CD label can not be empty.", platform::vbOK).withStyle(platform::vbOKOnly);
  fakes.dialogs->expectInputBox("Enter CD Label:", "").withDefaultText("Alpha");
  fakes.dialogs->expectMsgBox("CD label can not be empty.", platform::vbOK);
  fakes.dialogs->expectInputBox("Enter CD Label:", "My Disc");
  ASSERT_TRUE(form.lblCdLabl.click());
  EXPECT_TRUE(fakes.dialogs->allShown());
  EXPECT_EQ(form.lblCdLabl.Caption(), "My Disc");
  EXPECT_EQ(bytesOf(project / "AUTORUN.INF"),
            "[autorun]\r\nicon = disc.ico\r\nlabel = My Disc\r\nopen = "
            "Alpha.exe\r\n");
  EXPECT_EQ(bytesOf(project / "dat.qd"), data);

  // And it is what the project shows when it is opened again.
  create("Beta");
  open("Alpha");
  EXPECT_EQ(form.lblCdLabl.Caption(), "My Disc");
}

TEST_F(TextsTest, ACdLabelWithoutAnAutorunFileGetsTheDefaultLines) {
  for (const char* content : {static_cast<const char*>(nullptr), "[autorun]\r\n"}) {
    SCOPED_TRACE(content ? "short" : "missing");
    fs::remove(project / "AUTORUN.INF");
    if (content) writeBytes(project / "AUTORUN.INF", content);
    fakes.dialogs->expectInputBox("Enter CD Label:", "Disc");
    ASSERT_TRUE(form.lblCdLabl.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(bytesOf(project / "AUTORUN.INF"), "[autorun]\r\nicon = QD.exe,0\r\nlabel = Disc\r\nopen = Alpha.exe\r\n");
  }
}

TEST_F(TextsTest, ACdLabelWithoutAnIconLineKeepsTheProjectsOwnIcon) {
  const fs::path icons = fs::path(place.path().toStdString()) / "icons";
  fs::create_directories(icons);
  writePicture(icons / "disc.ico", 32, 32);
  expectPickerChoice(fakes.modals, icons, "disc.ico");
  controls::WindowInput user(form);
  ASSERT_TRUE(user.clickOn(form.Picture1));
  ASSERT_EQ(form.Text1_, "disc.ico");
  for (const char* content : {static_cast<const char*>(nullptr), "[autorun]\r\n"}) {
    SCOPED_TRACE(content ? "short" : "missing");
    fs::remove(project / "AUTORUN.INF");
    if (content) writeBytes(project / "AUTORUN.INF", content);
    fakes.dialogs->expectInputBox("Enter CD Label:", "Disc");
    ASSERT_TRUE(user.clickOn(form.lblCdLabl));
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(bytesOf(project / "AUTORUN.INF"), "[autorun]\r\nicon = disc.ico\r\nlabel = Disc\r\nopen = Alpha.exe\r\n");
  }
}

// ---- The colour slider
// -------------------------------------------------------------

// Moves the thumb so that its left edge would land on `position`.
void dragTo(Form5& form, double position) {
  form.Label19_MouseMove(1, 0, position - form.Label19.Left() + form.Label19.Width() / 2, 0);
}

TEST_F(TextsTest, TheThumbPositionGivesTheChannelValue) {
  const struct {
    double position;
    int value;
  } cases[] = {{0, 0}, {1, 0}, {675, 127}, {1349, 254}, {1350, 255}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    dragTo(form, c.position);
    EXPECT_DOUBLE_EQ(form.Label19.Left(), c.position);
    EXPECT_EQ(form.redRGB, c.value);
    EXPECT_EQ(form.Label14.Caption(), QString::number(c.value));
    EXPECT_EQ(form.Frame5.BackColor(), controls::RGB(c.value, 0, 0));
  }
}

TEST_F(TextsTest, PastEitherEndTheThumbStopsAndTheValueStaysAtTheLastMoveInside) {
  dragTo(form, 1300);
  const int inside = form.redRGB;
  dragTo(form, 1500);
  EXPECT_EQ(form.Label19.Left(), 1350);
  EXPECT_EQ(form.redRGB, inside);
  EXPECT_EQ(form.Label14.Caption(), QString::number(inside));
  dragTo(form, 200);
  dragTo(form, -40);
  EXPECT_EQ(form.Label19.Left(), 0);
  EXPECT_EQ(form.redRGB, 37);  // Int(255 * 200 / 1350)
}

TEST_F(TextsTest, MovesWithoutAButtonDoNothing) {
  form.Label19_MouseMove(0, 0, 700, 0);
  EXPECT_EQ(form.Label19.Left(), 0);
  EXPECT_EQ(form.redRGB, 0);
}

TEST_F(TextsTest, EachChannelLabelSelectsItsChannelAndPlacesTheThumb) {
  dragTo(form, 675);  // red 127
  ASSERT_TRUE(form.Label17.click());
  EXPECT_EQ(form.RGB_SET, 2);
  EXPECT_EQ(form.Label19.Left(), 0);  // green is 0
  EXPECT_EQ(form.Label17.BorderStyle(), 1);
  EXPECT_EQ(form.Label14.BorderStyle(), 0);
  EXPECT_EQ(form.Label18.BorderStyle(), 0);
  dragTo(form, 1350);
  EXPECT_EQ(form.greenRGB, 255);
  EXPECT_EQ(form.redRGB, 127);
  ASSERT_TRUE(form.Label18.click());
  dragTo(form, 270);  // Int(255 * 270 / 1350) = 51
  EXPECT_EQ(form.Frame5.BackColor(), controls::RGB(127, 255, 51));
  ASSERT_TRUE(form.Label14.click());
  EXPECT_DOUBLE_EQ(form.Label19.Left(), 127 * 1350 / 255.0);
  EXPECT_EQ(form.Label14.BorderStyle(), 1);
  EXPECT_EQ(form.Label18.BorderStyle(), 0);
}

TEST_F(TextsTest, EveryReleaseWritesTheColour) {
  ASSERT_TRUE(form.Label19.mouseDown(1, 0, 50, 100));
  dragTo(form, 1350);
  ASSERT_TRUE(form.Label19.mouseUp(1, 0, 50, 100));
  store::ProjectData data = dataOf(project);
  EXPECT_EQ(data.colourRed, " 255");
  EXPECT_EQ(data.colourGreen, " 0");
  EXPECT_EQ(data.colourBlue, " 0");
  // A release without a move writes too.
  data.colourRed = " 1";
  store::writeProjectData(project / "dat.qd", data);
  ASSERT_TRUE(form.Label19.mouseDown(1, 0, 50, 100));
  ASSERT_TRUE(form.Label19.mouseUp(1, 0, 50, 100));
  EXPECT_EQ(dataOf(project).colourRed, " 255");
  // Through the real pointer too: pressed, dragged and let go on the thumb.
  form.Label19.setLeft(0);
  ASSERT_TRUE(form.Label19.mouseDown(1, 0, 52.5, 100));
  ASSERT_TRUE(form.Label19.mouseMove(1, 0, 727.5, 100));
  ASSERT_TRUE(form.Label19.mouseUp(1, 0, 727.5, 100));
  EXPECT_NEAR(form.Label19.Left(), 675, 15);
  EXPECT_EQ(dataOf(project).colourRed, store::colourText(form.redRGB));
  EXPECT_NEAR(form.redRGB, 127, 3);
}

TEST_F(TextsTest, HelpModeShowsEachTextAndChangesNothing) {
  const std::string data = bytesOf(project / "dat.qd");
  form.infoTeller = true;
  const struct {
    controls::Element& control;
    bool press;  // help on the mouse press rather than the click
    const char* text;
  } cases[] = {
      {form.lblProjectTitle, false,
       "The headline of the project. this can be the name of the collection or "
       "the band's name."},
      {form.lblProjectSubTitle, false,
       "The subtitle of the project. this can use to specify a date or the "
       "collector's name."},
      {form.Label13, false, "The information text that appears at a click when Quendrel loads."},
      {form.lblCdLabl, false,
       "The Label of the CD that will be burned. this can be the name of the "
       "collection or the band's name."},
      {form.lblProjectName, false, "The Project name."},
      {form.Label17, false, "Set the color of the project's interface."},
      {form.Label18, false, "Set the color of the project's interface."},
      {form.Label14, false, "Set the color of the project's interface."},
      {form.Label19, true, "Set the color of the project's interface."},
      {form.Frame5, true, "Set the color of the project's interface."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control.Name().toStdString());
    expectMessage(fakes.modals, c.text);
    if (c.press) {
      // Beside the thumb on the strip.
      const double x = &c.control == &form.Frame5 ? 700 : 10;
      ASSERT_TRUE(c.control.mouseDown(1, 0, x, 10));
      c.control.mouseUp(1, 0, x, 10);
    } else {
      ASSERT_TRUE(c.control.click());
    }
    EXPECT_EQ(fakes.modals.pending(), 0);
  }
  EXPECT_EQ(form.RGB_SET, 1);
  EXPECT_EQ(form.lblProjectTitle.Caption(), "Alpha");
  EXPECT_EQ(bytesOf(project / "dat.qd"), data);
  EXPECT_EQ(fakes.dialogs->shown().size(), 1u);  // "Created"
}

TEST_F(TextsTest, TheSliderDragsInHelpModeToo) {
  form.infoTeller = true;
  dragTo(form, 675);
  EXPECT_EQ(form.redRGB, 127);
}

}  // namespace
}  // namespace authoring_test
