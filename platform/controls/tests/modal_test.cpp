// Modal windows and pop-up menus go through the modal driver: in tests the
// script acts on them and the call returns; nothing can wait for ever.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QTimer>

#include "command_button.h"
#include "form.h"
#include "frame.h"
#include "label.h"
#include "list_box.h"
#include "menu.h"
#include "scripted_modals.h"

namespace controls {
namespace {

// A message window that closes at the first click, as the help texts use it.
class MessageWindow : public Form {
 public:
  MessageWindow() : Form("frmMessage") {
    ++made;
    Label1.Click = [this] {
      if (closeOnClick) Unload();
    };
  }
  ~MessageWindow() override { ++destroyed; }
  Label Label1{*this, "Label1"};
  bool closeOnClick = false;
  static int made, destroyed, loads;

 protected:
  void Form_Load() override { ++loads; }
};
int MessageWindow::made = 0, MessageWindow::destroyed = 0, MessageWindow::loads = 0;

class MainWindow : public Form {
 public:
  MainWindow() : Form("Form5") {
    Command2.Click = [this] { message("Press this button inorder to add a new album instance."); };
    TrackList.MouseDown = [this](int button, int, double, double) {
      if (button == 2) PopupMenu(mnuPopup);
    };
    mnuChangeName.Click = [this] { renamed = true; };
  }
  void message(const QString& text) {
    frmMessage->closeOnClick = true;
    frmMessage->Label1.setCaption(text);
    frmMessage->Show(vbModal);
    returned = true;
  }
  CommandButton Command2{*this, "Command2"};
  ListBox TrackList{*this, "TrackList"};
  Menu mnuPopup{*this, "mnuPopup"};
  MenuItem mnuChangeName{mnuPopup, "mnuChangeName", "Rename"};
  FormSlot<MessageWindow> frmMessage;
  bool returned = false;
  bool renamed = false;
};

TEST(ModalWindows, TheScriptedActionRunsAndTheShowReturns) {
  MainWindow main;
  main.Show();
  ScriptedModals modals;
  bool ownerWasBlocked = false;
  modals.expect<MessageWindow>([&](MessageWindow& m) {
    EXPECT_EQ(m.Label1.Caption(), "Press this button inorder to add a new album instance.");
    ownerWasBlocked = main.isBlocked() && !main.widget()->isEnabled() && !main.Command2.click();
    EXPECT_TRUE(m.Label1.click());
  });
  ASSERT_TRUE(main.Command2.click());
  EXPECT_TRUE(main.returned);
  EXPECT_TRUE(ownerWasBlocked);
  EXPECT_FALSE(main.isBlocked());
  EXPECT_TRUE(main.widget()->isEnabled());
  EXPECT_TRUE(main.Command2.acceptsUserInput());
  EXPECT_EQ(modals.shown(), QStringList{"frmMessage"});
}

TEST(ModalWindows, AHiddenLoadedWindowShownModallyOverAModalOneTakesInput) {
  // The message window stays loaded and hidden after its first use (as the
  // splash leaves it); a picker shown modally then blocks it with the rest,
  // and a message shown from the picker must still be clickable.
  MainWindow main;
  main.Show();
  main.frmMessage->Load();
  MainWindow picker;
  picker.Load();
  ScriptedModals modals;
  bool messageTookTheClick = false;
  modals.expect("Form5", [&](Form&) {
    modals.expect<MessageWindow>([&](MessageWindow& m) {
      EXPECT_FALSE(m.isBlocked());
      EXPECT_FALSE(main.Command2.acceptsUserInput()) << "the main window stays blocked";
      messageTookTheClick = m.Label1.click();
    });
    main.message("No file was chosen.");
    picker.Unload();
  });
  picker.Show(vbModal);
  EXPECT_TRUE(messageTookTheClick);
  EXPECT_FALSE(main.isBlocked());
  EXPECT_TRUE(main.Command2.acceptsUserInput());
}

TEST(ModalWindows, APressThatOpensAModalWindowDoesNotReachTheContainerToo) {
  // Help mode: a press on the slider's thumb shows its text modally; the
  // strip under it must not show its own text for the same press.
  class SliderWindow : public Form {
   public:
    SliderWindow() : Form("Form5") {
      Strip.Move(0, 0, 1455, 495);
      Thumb.Move(0, 0, 105, 240);
      Thumb.MouseDown = [this](int, int, double, double) {
        ++thumbPresses;
        frmMessage->closeOnClick = true;
        frmMessage->Show(vbModal);
      };
      Strip.MouseDown = [this](int, int, double, double) { ++stripPresses; };
    }
    Frame Strip{*this, "Strip"};
    Label Thumb{Strip, "Thumb"};
    FormSlot<MessageWindow> frmMessage;
    int thumbPresses = 0, stripPresses = 0;
  } window;
  window.Move(0, 0, 3000, 2000);
  window.Show();
  ScriptedModals modals;
  modals.expect<MessageWindow>([](MessageWindow& m) { EXPECT_TRUE(m.Label1.click()); });
  ASSERT_TRUE(window.Thumb.mouseDown(1, 0, 50, 50));
  window.Thumb.mouseUp(1, 0, 50, 50);
  EXPECT_EQ(window.thumbPresses, 1);
  EXPECT_EQ(window.stripPresses, 0);
}

TEST(ModalWindows, AnUnexpectedWindowFailsTheTestAndDoesNotHang) {
  MainWindow main;
  main.Show();
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedModals modals;
        main.Command2.click();
      },
      "unexpected modal window frmMessage");
  EXPECT_TRUE(main.returned);
  EXPECT_FALSE(main.isBlocked());
}

TEST(ModalWindows, AWindowLeftUpOrNeverShownFailsTheTest) {
  MainWindow main;
  main.Show();
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedModals modals;
        modals.expect("frmMessage", [](Form&) {});
        main.Command2.click();
      },
      "still up after its scripted action");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedModals modals;
        modals.expect("Dialog", [](Form& f) { f.Unload(); });
      },
      "modal window Dialog was never shown");
}

TEST(ModalWindows, AnUnloadedWindowComesBackFreshOnItsNextUse) {
  MessageWindow::made = MessageWindow::destroyed = MessageWindow::loads = 0;
  {
    MainWindow main;
    main.Show();
    ScriptedModals modals;
    for (int i = 0; i < 3; ++i)
      modals.expect<MessageWindow>([](MessageWindow& m) {
        EXPECT_EQ(m.Label1.Caption(), "Press this button inorder to add a new album instance.");
        m.Label1.click();  // unloads itself from its own handler
      });
    for (int i = 0; i < 3; ++i) main.Command2.click();
    EXPECT_EQ(MessageWindow::made, 3);
    EXPECT_EQ(MessageWindow::loads, 3);
    // The one that unloaded itself goes once none of its handlers runs.
    main.frmMessage.get();
    EXPECT_GE(MessageWindow::destroyed, 3);
  }
  EXPECT_EQ(MessageWindow::destroyed, MessageWindow::made);
}

TEST(ModalWindows, ClosingAModalWindowByItsCloseBoxEndsTheWait) {
  MainWindow main;
  main.Show();
  ScriptedModals modals;
  modals.expect<MessageWindow>([](MessageWindow& m) { EXPECT_TRUE(m.close()); });
  main.Command2.click();
  EXPECT_TRUE(main.returned);
  EXPECT_EQ(main.frmMessage.ifLoaded(), nullptr);
}

TEST(PopupMenus, TheChosenItemClicksAfterTheMenuCloses) {
  MainWindow main;
  main.TrackList.AddItem("Track 1");
  main.Show();
  ScriptedModals modals;
  modals.expectPopup("mnuPopup", "");
  modals.expectPopup("mnuPopup", "mnuChangeName");
  main.TrackList.select(0, 2);
  EXPECT_FALSE(main.renamed);
  main.TrackList.select(0, 2);
  EXPECT_TRUE(main.renamed);
}

TEST(ModalWindows, WithoutAScriptAModalWindowFailsAtOnce) {
  MainWindow main;
  main.Show();
  EXPECT_NONFATAL_FAILURE(main.Command2.click(), "shown with no ScriptedModals installed");
  EXPECT_TRUE(main.returned);
}

TEST(ModalWindows, TheProgramsDriverWaitsInAnEventLoopUntilTheWindowGoes) {
  ModalDriver* previous = installedModalDriver();
  setModalDriver(nullptr);
  MainWindow main;
  main.Show();
  QTimer::singleShot(0, [&] { main.frmMessage->Label1.click(); });
  // Should the click not close it, the test still ends.
  QTimer::singleShot(5000, [&] {
    ADD_FAILURE() << "the modal window did not close";
    main.frmMessage->Hide();
  });
  main.Command2.click();
  setModalDriver(previous);
  EXPECT_TRUE(main.returned);
  EXPECT_EQ(main.frmMessage.ifLoaded(), nullptr);
}

// Records the hooks of a window's life.
class Recorder : public Form {
 public:
  Recorder() : Form("Recorder") {}
  QStringList hooks;
  int cancelUnload = 0;

 protected:
  void Form_Load() override { hooks << "Load"; }
  void Form_Activate() override { hooks << "Activate"; }
  void Form_Paint() override { hooks << "Paint"; }
  void Form_QueryUnload(int& cancel, int mode) override {
    hooks << QString("QueryUnload %1").arg(mode);
    cancel = cancelUnload;
  }
  void Form_Unload(int&) override { hooks << "Unload"; }
};

TEST(FormLifecycle, HooksRunInOrderAndTheCloseBoxCanBeRefused) {
  Recorder r;
  r.Load();
  r.Show();
  r.Show();  // already shown and active
  r.paint();
  r.cancelUnload = 1;
  EXPECT_TRUE(r.close());
  EXPECT_TRUE(r.isLoaded());
  r.cancelUnload = 0;
  EXPECT_TRUE(r.close());
  EXPECT_FALSE(r.isLoaded());
  EXPECT_FALSE(r.Visible());
  EXPECT_EQ(r.hooks, (QStringList{"Load", "Activate", "Paint", "QueryUnload 0", "QueryUnload 0", "Unload"}));
}

TEST(FormLifecycle, AWindowThatTakesNoInputRefusesTheWindowSystemsCloseUnasked) {
  // The window system's close (Alt+F4, a window list's close) reaches a
  // window whatever its state, a borderless one too.
  Recorder r;
  r.setBorderStyle(0);
  r.Show();
  r.hooks.clear();
  r.setEnabled(false);
  r.widget()->close();
  EXPECT_TRUE(r.isLoaded());
  EXPECT_TRUE(r.widget()->isVisible());

  // Blocked by a modal window of another.
  r.setEnabled(true);
  MainWindow main;
  main.Show();
  ScriptedModals modals;
  modals.expect<MessageWindow>([&](MessageWindow& m) {
    r.widget()->close();
    EXPECT_TRUE(m.Label1.click());
  });
  main.Command2.click();
  EXPECT_TRUE(r.isLoaded());
  EXPECT_TRUE(r.hooks.isEmpty());

  // Taking input again, it is asked and goes.
  r.widget()->close();
  EXPECT_FALSE(r.isLoaded());
  EXPECT_EQ(r.hooks, (QStringList{"QueryUnload 0", "Unload"}));
}

TEST(FormLifecycle, HiddenOrMinimisedWindowsStayLoaded) {
  Recorder r;
  r.setCaption("Quendrel - 01 - Rock");
  r.Show();
  r.setWindowState(vbMinimized);
  EXPECT_EQ(r.WindowState(), vbMinimized);
  EXPECT_FALSE(r.acceptsUserInput());
  r.Hide();
  EXPECT_TRUE(r.isLoaded());
  r.setWindowState(vbNormal);
  r.Show();
  EXPECT_TRUE(r.acceptsUserInput());
  EXPECT_EQ(r.widget()->windowTitle(), "Quendrel - 01 - Rock");
  r.setMousePointer(vbArrowQuestion);
  EXPECT_EQ(r.widget()->cursor().shape(), Qt::WhatsThisCursor);
  r.setMousePointer(vbDefault);
  EXPECT_EQ(r.widget()->cursor().shape(), Qt::ArrowCursor);
}

TEST(FormLifecycle, EndAndTheLastUnloadCallTheirHandlers) {
  int ended = 0, lastGone = 0;
  setEndHandler([&] { ++ended; });
  setLastFormUnloadedHandler([&] { ++lastGone; });
  {
    Recorder a, b;
    a.Show();
    b.Show();
    a.Unload();
    EXPECT_EQ(lastGone, 0);
    b.Unload();
    EXPECT_EQ(lastGone, 1);
    End();
  }
  EXPECT_EQ(ended, 1);
  setEndHandler({});
  setLastFormUnloadedHandler({});
}

}  // namespace
}  // namespace controls
