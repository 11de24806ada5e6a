// Boxes and modal windows belong to the window on screen when they come up:
// they are its transient children, above it, with a title, and they take
// their own keys whatever state the window they came from is in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWindow>
#include <functional>

#include "command_button.h"
#include "dialogs/real_boxes.h"
#include "form.h"
#include "scripted_modals.h"

namespace controls {
namespace {

class Window : public Form {
 public:
  explicit Window(const QString& name) : Form(name) { Move(600, 600, 4800, 3600); }
  CommandButton Command1{*this, "Command1"};
};

QWindow* windowOf(Form& form) { return form.widget()->windowHandle(); }

TEST(BoxOwner, ABoxClosesOnItsKeyWhateverStateTheActiveWindowIsIn) {
  Window main("Form5");
  main.Show();
  struct Case {
    const char* what;
    std::function<void(Window& picker)> leave;  // how the window the box comes from is left
  };
  const Case cases[] = {
      // The window system tells of the focus leaving a closed window only later.
      {"the active window has just been hidden", [](Window& picker) { picker.Hide(); }},
      {"the active window is unloaded", [](Window& picker) { picker.Unload(); }},
      {"the active window is disabled while it works", [](Window& picker) { picker.setEnabled(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window picker("Dialog");
    picker.Show();
    c.leave(picker);
    QApplication::setActiveWindow(picker.widget());
    platform::RealBoxes boxes;
    boxes.pressOnNextBox(Qt::Key_Return);

    EXPECT_EQ(platform::dialogs().MsgBox("Invalid picture"), platform::vbOK);

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].closedByKey);
    EXPECT_FALSE(boxes.shown()[0].childWidget);
    // It belongs to a window on screen, never to the one that has gone.
    ASSERT_NE(boxes.shown()[0].owner, nullptr);
    EXPECT_TRUE(boxes.shown()[0].owner->isVisible());
    picker.Unload();
  }
}

TEST(BoxOwner, AModalWindowBelongsToTheWindowItCameFromAndStaysAboveIt) {
  ScriptedModals modals;
  Window main("Form5");
  main.setCaption("Quendrel");
  main.Show();
  Window editor("frmEditTxt");
  Window message("frmMessage");
  QWindow* editorOwner = nullptr;
  QWindow* messageOwner = nullptr;
  modals.expect("frmEditTxt", [&](Form& shown) {
    editorOwner = windowOf(shown)->transientParent();
    modals.expect("frmMessage", [&](Form& notice) {
      messageOwner = windowOf(notice)->transientParent();
      notice.Hide();
    });
    message.Show(vbModal);
    shown.Hide();
  });
  editor.Show(vbModal);
  EXPECT_EQ(editorOwner, windowOf(main));
  EXPECT_EQ(messageOwner, windowOf(editor));

  // A modeless window shown for an owner is its transient child too, and of
  // the kind a window system keeps above its owner, still without a frame.
  Window working("frmMessage");
  working.setBorderStyle(0);
  working.Show(vbModeless, main);
  EXPECT_EQ(windowOf(working)->transientParent(), windowOf(main));
  EXPECT_EQ(working.widget()->windowType(), Qt::Dialog);
  EXPECT_TRUE(working.widget()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(working.widget()->isVisible());
  working.Hide();
  working.Show(vbModeless);
  EXPECT_EQ(windowOf(working)->transientParent(), nullptr);
  EXPECT_EQ(working.widget()->windowType(), Qt::Window);
  EXPECT_TRUE(working.widget()->windowFlags() & Qt::FramelessWindowHint);
}

TEST(WindowTitles, AWindowWithoutACaptionShowsTheProgramsTitle) {
  platform::setProgramTitle("Quendrel");
  Window plain("frmMessage");
  plain.Show();
  EXPECT_EQ(plain.widget()->windowTitle(), "Quendrel");
  EXPECT_EQ(plain.Caption(), "");
  plain.setCaption("Edit Text");
  EXPECT_EQ(plain.widget()->windowTitle(), "Edit Text");
  plain.setCaption("");
  EXPECT_EQ(plain.widget()->windowTitle(), "Quendrel");
  platform::setProgramTitle({});
}

// A collection's title is the browser's caption: the window system is given
// it as it stands, marks Qt would read into it included.
TEST(WindowTitles, TheWindowSystemGetsTheCaptionAsItStands) {
  Window window("Form1");
  window.Show();
  for (const char* caption : {"Hits [*] & more", "[*]", "[*][*] x", "a[*]b[*]"}) {
    window.setCaption(caption);
    EXPECT_EQ(window.Caption(), caption);
    ASSERT_NE(window.widget()->windowHandle(), nullptr);
    EXPECT_EQ(window.widget()->windowHandle()->title(), caption);
  }
}

}  // namespace
}  // namespace controls
