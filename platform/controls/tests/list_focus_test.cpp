// A list's entry changes only by the program or by the user's press or keys:
// the focus it takes by Tab, by its window's activation or from the window
// system selects nothing and raises no Click, and the keys still move the
// selection afterwards. In the folder list Enter opens the entry the keys
// highlight.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "dialogs/scripted_dialogs.h"
#include "dir_list_box.h"
#include "file_list_box.h"
#include "form.h"
#include "list_box.h"
#include "text_box.h"
#include "window_input.h"

namespace controls {
namespace {

// A window with a box where the focus starts and one list of each kind, in
// the order the Tab key visits them.
class Lists : public Form {
 public:
  explicit Lists(const QString& folder) : Form("Lists") {
    setWidth(9000);
    setHeight(3000);
    Text1.Move(120, 120, 1500, 300);
    List1.Move(120, 600, 1500, 1800);
    File1.Move(1800, 600, 1500, 1800);
    Dir1.Move(3480, 600, 1500, 1800);
    TrackList.Move(5160, 600, 1500, 1800);
    TrackList.setMultiSelect(2);
    for (const char* album : {"01 - Rock", "02 - Jazz", "03 - Pop"}) List1.AddItem(album);
    for (const char* track : {"Track 1", "Track 2"}) TrackList.AddItem(track);
    File1.setPattern("*.mp3");
    File1.setPath(folder);
    Dir1.setPath(folder);
    for (ListControl* list : all()) list->Click = [this, list] { clicks += list->Name().toStdString() + ' '; };
  }
  std::vector<ListControl*> all() { return {&List1, &File1, &Dir1, &TrackList}; }

  TextBox Text1{*this, "Text1"};
  ListBox List1{*this, "List1"};
  FileListBox File1{*this, "File1"};
  DirListBox Dir1{*this, "Dir1"};
  ListBox TrackList{*this, "TrackList"};
  std::string clicks;  // the Clicks raised, by list name
};

class ListFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    for (const char* song : {"01 - a.mp3", "02 - b.mp3"}) {
      QFile file(QDir(folder.path()).filePath(song));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(folder.path()).mkdir("sub");
    lists = std::make_unique<Lists>(folder.path());
    lists->Show();
    QApplication::processEvents();  // the window comes up active
    lists->Text1.SetFocus();
  }
  // Tab until `list` has the focus; every list on the way is passed too.
  void tabTo(ListControl& list) {
    WindowInput user(*lists);
    for (int i = 0; i < 8 && QApplication::focusWidget() != list.widget(); ++i) ASSERT_TRUE(user.key(vbKeyTab));
    ASSERT_EQ(QApplication::focusWidget(), list.widget()) << list.Name().toStdString();
  }

  QTemporaryDir folder;
  std::unique_ptr<Lists> lists;
};

TEST_F(ListFocus, TheFocusByTabSelectsNothingAndTheKeysThenSelectAsBefore) {
  for (ListControl* list : lists->all()) {
    SCOPED_TRACE(list->Name().toStdString());
    lists->clicks.clear();
    tabTo(*list);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->Text(), list == &lists->Dir1 ? folder.path() : QString());
    EXPECT_EQ(lists->clicks, "");

    ASSERT_TRUE(WindowInput(*lists).key(vbKeyDown));
    EXPECT_EQ(list->ListIndex(), 0);
    EXPECT_EQ(lists->clicks, list->Name().toStdString() + ' ');
  }
  EXPECT_TRUE(lists->List1.Selected(0));
}

TEST_F(ListFocus, TheFocusComingBackWithTheWindowSelectsNothing) {
  // The user presses below the last entry: the list has the focus and no entry.
  for (ListControl* list : {static_cast<ListControl*>(&lists->List1), static_cast<ListControl*>(&lists->File1)}) {
    SCOPED_TRACE(list->Name().toStdString());
    lists->clicks.clear();
    WindowInput user(*lists);
    ASSERT_TRUE(user.clickAt(user.pointIn(*list, {300, list->Height() - 150})));
    ASSERT_EQ(QApplication::focusWidget(), list->widget());

    // Another window is made active and goes; the window system gives the
    // list's window its activation and its focus back.
    Form other("Other");
    other.Show();
    QApplication::processEvents();
    ASSERT_NE(QApplication::activeWindow(), lists->widget());
    other.Hide();
    lists->widget()->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), lists->widget());
    ASSERT_EQ(QApplication::focusWidget(), list->widget());

    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(lists->clicks, "");
  }
}

TEST_F(ListFocus, TheFocusKeepsAnEntryTheUserOrTheProgramChose) {
  lists->List1.setListIndex(2);
  lists->clicks.clear();
  tabTo(lists->List1);
  EXPECT_EQ(lists->List1.ListIndex(), 2);
  ASSERT_TRUE(WindowInput(*lists).key(vbKeyUp));
  EXPECT_EQ(lists->List1.ListIndex(), 1);
  EXPECT_EQ(lists->clicks, "List1 ");
}

// Return or the keypad's Enter opens the folder the arrow keys highlight, as
// a double click does: a subfolder, or the folder above; one that has gone
// meanwhile is told and the list stays where it was.
TEST_F(ListFocus, ReturnOrTheKeypadsEnterOpensTheHighlightedFolder) {
  const QString top = QDir::cleanPath(folder.path());
  const QString sub = top + "/sub";
  for (bool keypad : {false, true}) {
    SCOPED_TRACE(keypad ? "keypad Enter" : "Return");
    WindowInput user(*lists);
    const auto enter = [&] { return keypad ? user.keypadEnter() : user.key(vbKeyReturn); };
    tabTo(lists->Dir1);
    ASSERT_TRUE(user.key(vbKeyDown));
    ASSERT_EQ(lists->Dir1.Text(), sub);
    ASSERT_TRUE(enter());
    EXPECT_EQ(lists->Dir1.Path(), sub);
    EXPECT_EQ(QApplication::focusWidget(), lists->Dir1.widget());
    // From the open folder's line up to the one above it.
    ASSERT_TRUE(user.key(vbKeyUp));
    ASSERT_EQ(lists->Dir1.Text(), top);
    ASSERT_TRUE(enter());
    EXPECT_EQ(lists->Dir1.Path(), top);
    EXPECT_EQ(lists->Dir1.ListCount(), 1);
  }

  platform::ScopedDialogs dialogs;
  QDir(top).rmdir("sub");
  WindowInput user(*lists);
  ASSERT_TRUE(user.key(vbKeyDown));
  ASSERT_EQ(lists->Dir1.Text(), sub);
  dialogs->expectMsgBox("Path not found", platform::vbOK).withStyle(platform::vbCritical);
  ASSERT_TRUE(user.key(vbKeyReturn));
  EXPECT_TRUE(dialogs->allShown());
  EXPECT_EQ(lists->Dir1.Path(), top);
}

}  // namespace
}  // namespace controls
