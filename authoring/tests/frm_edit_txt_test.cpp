// The text editor window: its design, OK by the mouse and by Enter, a close
// without OK, and the 10,000 characters the user may type.
#include "frm_edit_txt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <filesystem>

#include "form5_test_support.h"
#include "key_codes.h"
#include "window_input.h"

namespace authoring_test {
namespace {

class TextEditor : public QuietlyStartedWindow {};

TEST_F(TextEditor, IsTheDesignedWindow) {
  frmEditTxt editor;
  editor.Load();
  EXPECT_EQ(editor.Caption(), "Edit Text");
  EXPECT_EQ(editor.BackColor(), 0xE0E0E0u);
  EXPECT_EQ(editor.Width(), 4680);
  EXPECT_EQ(editor.Height(), 3675);
  EXPECT_EQ(editor.Label1.Caption(), "Up to 10,000 characters:");
  const struct {
    controls::Control& control;
    double left, top, width, height;
  } places[] = {{editor.Label1, 120, 120, 4335, 375},
                {editor.Text1, 120, 480, 4335, 2415},
                {editor.Command1, 1800, 3120, 1095, 375}};
  for (const auto& p : places) {
    SCOPED_TRACE(p.control.Name().toStdString());
    EXPECT_EQ(p.control.Left(), p.left);
    EXPECT_EQ(p.control.Top(), p.top);
    EXPECT_EQ(p.control.Width(), p.width);
    EXPECT_EQ(p.control.Height(), p.height);
  }
  EXPECT_TRUE(editor.Text1.MultiLine());
  EXPECT_EQ(editor.Text1.ScrollBars(), 2);
  EXPECT_EQ(editor.Command1.Caption(), "OK");
  EXPECT_TRUE(editor.Icon() == form.Icon());
  editor.Unload();
}

TEST_F(TextEditor, OkHandsTheTextBackAndAnyOtherCloseKeepsTheCallersText) {
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    EXPECT_EQ(editor.Caption(), "Edit Lyrics.");
    EXPECT_EQ(editor.Text1.Text(), "A\r\nB\r\n");
    EXPECT_TRUE(editor.Text1.type("C"));
    EXPECT_TRUE(editor.Command1.click());
    EXPECT_TRUE(editor.isUnloaded());
  });
  form.showTextEditor("A\r\nB\r\n", "Edit Lyrics.");
  EXPECT_TRUE(form.largeText.endsWith("C") || form.largeText.startsWith("C"));
  EXPECT_EQ(form.largeText.size(), 7);

  form.largeText = "stale";
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    editor.Text1.setText("changed");
    EXPECT_TRUE(editor.close());
  });
  form.showTextEditor("kept", "Edit Info.");
  EXPECT_EQ(form.largeText, "kept");
}

TEST_F(TextEditor, EscapeCancelsWhereverTheFocusIsAndTheWindowStaysAboveTheMainWindow) {
  // The key as the window system hands it to the editor's window.
  for (const bool focusOnOk : {false, true}) {
    SCOPED_TRACE(focusOnOk ? "focus on OK" : "focus in the text");
    form.largeText = "stale";
    QWindow* owner = nullptr;
    QString title;
    fakes.modals.expect<frmEditTxt>([&](frmEditTxt& editor) {
      QWindow* window = editor.widget()->windowHandle();
      owner = window->transientParent();
      title = window->title();
      editor.Text1.setText("changed");
      (focusOnOk ? editor.Command1.widget() : editor.Text1.widget())->setFocus();
      QTest::keyClick(window, Qt::Key_Escape);
      EXPECT_TRUE(editor.isUnloaded());
    });
    form.showTextEditor("kept", "Edit Lyrics.");
    EXPECT_EQ(form.largeText, "kept");
    EXPECT_EQ(owner, form.widget()->windowHandle());
    EXPECT_EQ(title, "Edit Lyrics.");
  }
}

// With the keyboard alone: Enter in the text starts a line, and OK, reached
// with Tab, takes Enter.
TEST_F(TextEditor, EnterStartsALineInTheTextAndPressesOkOnceOkHasTheFocus) {
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    QApplication::processEvents();  // the window comes up active
    controls::WindowInput user(editor);
    ASSERT_TRUE(user.clickOn(editor.Text1));
    editor.Text1.setSelStart(static_cast<int>(editor.Text1.Text().size()));
    ASSERT_TRUE(user.type("B"));
    ASSERT_TRUE(user.key(controls::vbKeyReturn));
    EXPECT_TRUE(editor.isLoaded());
    tabTo(editor, editor.Command1);
    ASSERT_TRUE(user.key(controls::vbKeyReturn));
    EXPECT_TRUE(editor.isUnloaded());
  });
  form.showTextEditor("A\r\n", "Edit Lyrics.");
  EXPECT_EQ(form.largeText, "A\r\nB\r\n");
}

TEST_F(TextEditor, TypingStopsAtTenThousandCharactersButAGivenTextStaysWhole) {
  const QString nearlyFull(9998, 'x');
  fakes.modals.expect<frmEditTxt>([&](frmEditTxt& editor) {
    editor.Text1.setSelStart(static_cast<int>(editor.Text1.Text().size()));
    EXPECT_TRUE(editor.Text1.type("abcd"));
    EXPECT_EQ(editor.Text1.Text().size(), 10000);
    EXPECT_TRUE(editor.Command1.click());
  });
  form.showTextEditor(nearlyFull, "Edit Info.");
  EXPECT_EQ(form.largeText, nearlyFull + "ab");

  const QString longer(12000, 'y');
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) { EXPECT_TRUE(editor.Command1.click()); });
  form.showTextEditor(longer, "Edit Lyrics.");
  EXPECT_EQ(form.largeText, longer);
}

}  // namespace
}  // namespace authoring_test
