// The main window's frame: its design, tabs, picture buttons, dragging,
// help mode, the message window, the web links and the display reset.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "form5_test_support.h"
#include "key_codes.h"
#include "store_error.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class MainWindow : public QuietlyStartedWindow {};

TEST_F(MainWindow, IsTheDesignedBorderlessFrame) {
  EXPECT_EQ(form.BorderStyle(), 0);
  EXPECT_EQ(form.Width(), 8880);
  EXPECT_EQ(form.Height(), 6750);
  struct Place {
    controls::Control& control;
    double left, top, width, height;
  };
  const Place places[] = {{form.ImgBtnUpLeft, 0, 0, 750, 750}, {form.Image13, 6960, 90, 1650, 900},
                          {form.Image14, 8610, 0, 675, 1050},  {form.Image15, 0, 6090, 675, 675},
                          {form.Image5, 7920, 120, 855, 255},  {form.Frame3, 1080, 6120, 2895, 615}};
  for (const Place& p : places) {
    SCOPED_TRACE(p.control.Name().toStdString());
    EXPECT_EQ(p.control.Left(), p.left);
    EXPECT_EQ(p.control.Top(), p.top);
    EXPECT_EQ(p.control.Width(), p.width);
    EXPECT_EQ(p.control.Height(), p.height);
  }
  EXPECT_TRUE(form.Image5.Picture().isEmpty());
  EXPECT_EQ(form.SSTab1.TabCaption(0), "*Create / Load project");
  EXPECT_EQ(form.SSTab1.TabCaption(1), "Edit Album");
  EXPECT_EQ(form.SSTab1.TabCaption(2), "&Details / Interface");
  EXPECT_EQ(form.Label1.Caption(), "Help on the web");
  EXPECT_EQ(form.Label15.Caption(), "Visit the website");
  // Nothing of a project can be used before one is open.
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &form.Command2, &form.Command19, &form.Command20, &form.Command22, &form.Command6, &form.Command24,
           &form.Command7, &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15,
           &form.cmdPreview, &form.Command27, &form.Command5, &form.Command9, &form.Picture1, &form.Command10,
           &form.Command12, &form.Command16, &form.Image2, &form.Image3, &form.Image4, &form.imgPreview2,
           &form.Label13, &form.lblProjectTitle, &form.lblProjectSubTitle, &form.lblCdLabl, &form.Label7,
           &form.Label9, &form.Label10, &form.Check1})
    EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
  EXPECT_FALSE(form.listProjects.Visible());
  EXPECT_FALSE(form.cmdOpenExistProj.Visible());
  EXPECT_FALSE(form.listProjectsPath.Visible());
  EXPECT_TRUE(form.optFrom1.Value());
  EXPECT_TRUE(form.Option1.Value());
  EXPECT_FALSE(form.infoTeller);
}

// The picture buttons are pressed as a real mouse presses them: through the
// window, where Qt itself picks who gets the release.
TEST_F(MainWindow, NextTabPagesRoundWithLabel4Following) {
  controls::WindowInput user(form);
  const char* const captions[] = {"Edit Album", "&Details / Interface", "*Create / Load project"};
  for (int press = 0; press < 3; ++press) {
    ASSERT_TRUE(user.pressOn(form.Image13));
    EXPECT_FALSE(form.Image13.Visible());  // shows the pressed look beneath
    ASSERT_TRUE(user.releaseOn(form.Image13));
    EXPECT_TRUE(form.Image13.Visible());
    EXPECT_EQ(form.SSTab1.Tab(), (press + 1) % 3);
    EXPECT_EQ(form.Label4.Caption(), captions[press]);
  }
  // A click on a tab itself moves the heading too.
  ASSERT_TRUE(form.SSTab1.selectTab(2));
  EXPECT_EQ(form.Label4.Caption(), "&Details / Interface");
}

TEST_F(MainWindow, MinimiseAndCloseButtons) {
  controls::WindowInput user(form);
  ASSERT_TRUE(user.pressOn(form.ImgBtnUpLeft));
  EXPECT_FALSE(form.ImgBtnUpLeft.Visible());
  ASSERT_TRUE(user.releaseOn(form.ImgBtnUpLeft));
  EXPECT_TRUE(form.ImgBtnUpLeft.Visible());
  EXPECT_EQ(form.WindowState(), controls::vbMinimized);

  form.setWindowState(controls::vbNormal);
  // The close picture reaches past the window's right edge.
  const QPointF onClose = user.pointIn(form.Image14, {135, 525});
  ASSERT_TRUE(user.pressAt(onClose));
  EXPECT_FALSE(form.Image14.Visible());
  ASSERT_TRUE(user.releaseAt(onClose));
  EXPECT_FALSE(form.isLoaded());
  EXPECT_EQ(fakes.programEnds, 1);
}

TEST_F(MainWindow, AButtonPressedAndReleasedElsewhereTakesItsLookBackAndActs) {
  // The release belongs to the picture that took the press, wherever the
  // pointer went meanwhile.
  controls::WindowInput user(form);
  ASSERT_TRUE(user.pressOn(form.Image13));
  ASSERT_TRUE(user.moveTo({4000, 1050}));
  ASSERT_TRUE(user.releaseAt({4000, 1050}));
  EXPECT_TRUE(form.Image13.Visible());
  EXPECT_EQ(form.SSTab1.Tab(), 1);
  EXPECT_FALSE(form.dragging);  // the surface beneath saw none of it
}

class OtherWindow : public controls::Form {
 public:
  explicit OtherWindow(const QString& name) : Form(name) {}
};

TEST_F(MainWindow, ExitAreaUnloadsTheWindowThePickerAndTheMessageWindow) {
  OtherWindow picker("Dialog"), ripper("frmRipper");
  picker.Load();
  ripper.Load();
  ASSERT_TRUE(controls::WindowInput(form).clickOn(form.Image5));
  EXPECT_FALSE(form.isLoaded());
  EXPECT_FALSE(picker.isLoaded());
  EXPECT_TRUE(ripper.isLoaded());  // the program ends only with its last window
  for (controls::Form* f : controls::Form::loadedForms()) EXPECT_NE(f->Name(), "frmMessage");
  EXPECT_EQ(fakes.programEnds, 0);
}

TEST_F(MainWindow, ClosingThroughTheWindowSystemIsTheExitArea) {
  ASSERT_TRUE(form.close());
  EXPECT_FALSE(form.isLoaded());
  EXPECT_TRUE(controls::Form::loadedForms().empty());
}

TEST_F(MainWindow, DraggingKeepsThePressedPointUnderThePointer) {
  form.Move(3000, 2000);
  ASSERT_TRUE(form.mouseDown(1, 0, 4000, 2500.5));
  EXPECT_TRUE(form.dragging);
  EXPECT_EQ(form.dragStartY, 2500);  // nearest whole number, ties to even
  ASSERT_TRUE(form.mouseMove(1, 0, 4150, 2400.5));
  EXPECT_EQ(form.Left(), 3150);
  EXPECT_EQ(form.Top(), 1900.5);
  ASSERT_TRUE(form.mouseUp(1, 0, 4000, 2500));
  EXPECT_FALSE(form.dragging);
  ASSERT_TRUE(form.mouseMove(0, 0, 5000, 3000));
  EXPECT_EQ(form.Left(), 3150);  // no button pressed on the surface: no drag
}

TEST_F(MainWindow, TheBuildPanelIsPulledBackInsideTheWindow) {
  struct Case {
    const char* what;
    double dx, dy;  // how far the pointer moves from the press
    double left, top;
  };
  const Case cases[] = {
      {"inside", 400, -300, 1480, 5820},
      {"beyond the left edge", -2000, 0, 0, 6120},
      {"beyond the top edge", 0, -7000, 1080, 0},
      {"half outside the right edge", 6500, -1000, 8880 - 2895, 5120},
      {"half outside the bottom edge", 0, 300, 1080, 6750 - 615},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (controls::Element* handle : {static_cast<controls::Element*>(&form.Frame3),
                                      static_cast<controls::Element*>(&form.Image6)}) {
      form.Frame3.Move(1080, 6120);
      ASSERT_TRUE(handle->mouseDown(1, 0, 100.4, 200.5));
      EXPECT_EQ(form.moveFrameX, 100);
      EXPECT_EQ(form.moveFrameY, 200);
      ASSERT_TRUE(handle->mouseMove(1, 0, 100 + c.dx, 200 + c.dy));
      handle->mouseUp(1, 0, 100 + c.dx, 200 + c.dy);
      EXPECT_EQ(form.Frame3.Left(), c.left) << handle->Name().toStdString();
      EXPECT_EQ(form.Frame3.Top(), c.top) << handle->Name().toStdString();
    }
  }
}

TEST_F(MainWindow, HelpModeEndsOnlyInTheLowerLeftCorner) {
  struct Case {
    double x, y;
    bool ends;
  };
  // Points on the window's bare surface (the help button is hidden while
  // help mode is on); the last is the window's bottom left pixel.
  const Case cases[] = {{690, 6180, false}, {675, 6165, false}, {4000, 1050, false}, {675, 6180, true}, {0, 6735, true}};
  controls::WindowInput user(form);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    if (!form.infoTeller) {
      ASSERT_TRUE(user.clickOn(form.Image15));
    }
    EXPECT_TRUE(form.infoTeller);
    EXPECT_EQ(form.MousePointer(), controls::vbArrowQuestion);
    EXPECT_FALSE(form.Image15.Visible());
    ASSERT_TRUE(user.clickAt({c.x, c.y}));
    EXPECT_EQ(form.infoTeller, !c.ends);
    EXPECT_EQ(form.Image15.Visible(), c.ends);
    EXPECT_EQ(form.MousePointer(), c.ends ? controls::vbDefault : controls::vbArrowQuestion);
  }
}

TEST_F(MainWindow, InHelpModeHandlersShowTheirTextAndStop) {
  EXPECT_FALSE(form.helpShown("Press this button inorder to add a new album instance."));
  EXPECT_TRUE(fakes.modals.shown().isEmpty());

  ASSERT_TRUE(form.Image15.mouseDown());
  expectMessage(fakes.modals, "Press this button inorder to add a new album instance.");
  EXPECT_TRUE(form.helpShown("Press this button inorder to add a new album instance."));
  // The source options show their help text and act as well.
  form.SSTab1.setTab(1);
  expectMessage(fakes.modals, "Mark this option inorder to rip MP3 files that are on a CD.");
  ASSERT_TRUE(form.optFrom2.click());
  EXPECT_TRUE(form.optFrom2.Value());
  expectMessage(fakes.modals, "Mark this option inorder to use the MP3 files that are on a drive.");
  ASSERT_TRUE(form.optFrom1.click());
  EXPECT_TRUE(form.optFrom1.Value());
  EXPECT_EQ(fakes.modals.pending(), 0);
  // The picture buttons act as usual.
  ASSERT_TRUE(controls::WindowInput(form).clickOn(form.Image13));
  EXPECT_EQ(form.SSTab1.Tab(), 2);
}

TEST_F(MainWindow, TheMessageWindowClosesOnAClickOnlyWhenAllowed) {
  frmMessage& m = form.messageWindow();
  m.closeOnClick = false;
  m.showText("Working....");
  m.Show();
  EXPECT_TRUE(m.Label1.click());
  EXPECT_TRUE(m.mouseDown());
  EXPECT_TRUE(m.isLoaded());
  m.closeOnClick = true;
  m.mouseDown();
  EXPECT_FALSE(m.isLoaded());
  // The next use loads it afresh, in its design state.
  EXPECT_FALSE(form.messageWindow().closeOnClick);

  // A long text is shown whole: the window grows to hold it.
  const QString longText =
      "If the checkbox is marked, you will be able to add a personal secret password to your project. "
      "this way noone will be able to edit it but you.";
  fakes.modals.expect<frmMessage>([&](frmMessage& shown) {
    EXPECT_EQ(shown.Label1.Caption(), longText);
    EXPECT_GT(shown.Label1.Height(), 615);
    EXPECT_EQ(shown.Height() - shown.Label1.Height(), 1350 - 615);
    EXPECT_TRUE(shown.Label1.click());
  });
  form.message(longText, true);
  EXPECT_EQ(fakes.modals.pending(), 0);
}

TEST_F(MainWindow, WorkingIndicatorIsModeless) {
  form.showWorking();
  EXPECT_TRUE(form.messageWindow().Visible());
  EXPECT_FALSE(form.messageWindow().isModal());
  EXPECT_EQ(form.messageWindow().Label1.Caption(), "Working....");
  form.hideWorking();
  EXPECT_FALSE(form.messageWindow().Visible());
  EXPECT_TRUE(fakes.modals.shown().isEmpty());
}

TEST_F(MainWindow, TheWindowSystemsCloseOfTheMessageWindowDoesWhatAClickDoes) {
  // "Working....": it stays up until the work hides it.
  form.showWorking();
  form.messageWindow().widget()->close();
  EXPECT_TRUE(form.messageWindow().isLoaded());
  EXPECT_TRUE(form.messageWindow().widget()->isVisible());
  form.hideWorking();
  EXPECT_FALSE(form.messageWindow().Visible());

  // A help text or notice goes, and its caller goes on.
  fakes.modals.expect<frmMessage>([](frmMessage& shown) { shown.widget()->close(); });
  form.message("Press this button inorder to add a new album instance.", true);
  EXPECT_EQ(fakes.modals.pending(), 0);
  for (controls::Form* f : controls::Form::loadedForms()) EXPECT_NE(f->Name(), "frmMessage");
  EXPECT_TRUE(form.acceptsUserInput());
}

TEST_F(MainWindow, WebLinksOpenTheHostsPagesMinimisedInHelpModeToo) {
  ASSERT_TRUE(form.Image15.mouseDown());
  form.SSTab1.setTab(2);
  ASSERT_TRUE(form.Label1.click());
  ASSERT_TRUE(form.Label15.click());
  const auto& started = fakes.launcher->started();
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].program, "xdg-open");
  EXPECT_EQ(started[0].arguments, QStringList{"http://127.0.0.1:1/utilities/quendrel/help.html"});
  EXPECT_EQ(started[0].style, platform::WindowStyle::Minimized);
  EXPECT_EQ(started[1].arguments, QStringList{"http://127.0.0.1:1/utilities/quendrel/"});
  EXPECT_TRUE(fakes.modals.shown().isEmpty());

  fakes.launcher->setFailing(true);
  fakes.dialogs->expectMsgBox("Could not open http://127.0.0.1:1/utilities/quendrel/: xdg-open did not start.",
                              platform::vbOK);
  ASSERT_TRUE(form.Label15.click());
}

TEST_F(MainWindow, CleanGuiEmptiesTheDisplayAndSelectsRed) {
  const controls::Picture picture{QPixmap(8, 8)};
  for (controls::Image* image : {&form.Image2, &form.Image3, &form.Image4, &form.imgPreview2})
    image->setPicture(picture);
  form.Picture1.setPicture(picture);
  form.Label13.setCaption("Info");
  form.lblProjectSubTitle.setCaption("Live");
  form.lblCdLabl.setCaption("My Disc");
  form.lblProjectTitle.setCaption("Rock");
  form.lblProjectName.setCaption("Rock");
  form.List1.AddItem("01 - Ties");
  form.redRGB = 10, form.greenRGB = 200, form.blueRGB = 30;
  form.Label17.setCaption("200");
  form.Frame5.setBackColor(0x1EC80A);
  // The green channel was selected.
  form.RGB_SET = 2;
  form.Label14.setBorderStyle(0);
  form.Label17.setBorderStyle(1);
  form.Label19.setLeft(1058);
  form.SSTab1.setTab(1);
  form.cmdPreview.setEnabled(true);

  form.cleanGui();

  for (controls::Image* image : {&form.Image2, &form.Image3, &form.Image4, &form.imgPreview2})
    EXPECT_TRUE(image->Picture().isEmpty()) << image->Name().toStdString();
  EXPECT_TRUE(form.Picture1.Picture().isEmpty());
  EXPECT_EQ(form.Label13.Caption(), "");
  EXPECT_EQ(form.lblProjectSubTitle.Caption(), "");
  EXPECT_EQ(form.lblCdLabl.Caption(), "");
  EXPECT_EQ(form.List1.ListCount(), 0);
  EXPECT_EQ(form.redRGB + form.greenRGB + form.blueRGB, 0);
  for (controls::Label* channel : {&form.Label14, &form.Label17, &form.Label18}) EXPECT_EQ(channel->Caption(), "0");
  EXPECT_EQ(form.Frame5.BackColor(), 0u);
  EXPECT_EQ(form.RGB_SET, 1);
  EXPECT_EQ(form.Label14.BorderStyle(), 1);
  EXPECT_EQ(form.Label17.BorderStyle(), 0);
  EXPECT_EQ(form.Label18.BorderStyle(), 0);
  EXPECT_EQ(form.Label19.Left(), 0);
  // Left as they were.
  EXPECT_EQ(form.lblProjectTitle.Caption(), "Rock");
  EXPECT_EQ(form.lblProjectName.Caption(), "Rock");
  EXPECT_EQ(form.SSTab1.Tab(), 1);
  EXPECT_TRUE(form.cmdPreview.Enabled());
}

TEST_F(MainWindow, ProjectListRoundTripsThroughQddDat) {
  form.addToProjectList(QString::fromUtf8("Café"), QString::fromUtf8("/music/Café"));
  form.addToProjectList("Rock", "/music/Rock");
  form.listProjects.AddItem("stale");
  form.loadProjectList();
  ASSERT_EQ(form.listProjects.ListCount(), 2);
  EXPECT_EQ(form.listProjects.List(0), QString::fromUtf8("Café"));
  EXPECT_EQ(form.listProjectsPath.List(0), QString::fromUtf8("/music/Café"));
  EXPECT_EQ(form.listProjectsPath.List(1), "/music/Rock");

  fs::remove(fakes.folder.path() / "qdd.dat");
  EXPECT_THROW(form.loadProjectList(), store::StoreError);
  EXPECT_EQ(form.listProjects.ListCount(), 0);
}

TEST_F(MainWindow, FolderSizeAndTheChangeMark) {
  form.sDirectory = QString::fromStdString((fakes.folder.path() / "Rock").string());
  fs::create_directory(form.sDirectory.toStdString());
  std::ofstream(fs::path(form.sDirectory.toStdString()) / "a.mp3") << std::string(12345, 'x');
  form.showFolderSize();
  EXPECT_EQ(form.lblFolderSize.Caption(), "12 KB");

  form.cmdPreview.setEnabled(true);
  form.markProjectChanged();
  EXPECT_FALSE(form.cmdPreview.Enabled());
  EXPECT_TRUE(form.Command27.Enabled());
}

}  // namespace
}  // namespace authoring_test
