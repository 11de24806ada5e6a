// The file picker: its layouts by pattern, its four answers, the refusals
// that keep it open, the preview, and its unshown use as a lister.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "album_tab_fixture.h"
#include "dialog.h"
#include "form5_test_support.h"
#include "open_project_fixture.h"
#include "store_error.h"
#include "system/scoped_environment.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

class Picker : public QuietlyStartedWindow {
 protected:
  void SetUp() override {
    QuietlyStartedWindow::SetUp();
    ASSERT_TRUE(root.isValid());
    songs = folder("songs", {"a.mp3", "b.mp3", "cover.jpg"});
    pictures = folder("pictures", {"notes.txt"});
  }
  fs::path folder(const std::string& name, const std::vector<std::string>& files) {
    const fs::path path = fs::path(root.path().toStdString()) / name;
    fs::create_directories(path);
    for (const std::string& file : files) writeAll(path / file, file);
    return path;
  }
  // Shows the picker for `pattern`; `act` plays the user.
  bool show(const QString& pattern, std::function<void(Dialog&)> act) {
    fakes.modals.expect<Dialog>(std::move(act));
    return form.dialog().showDialog(pattern);
  }
  static QString qs(const fs::path& p) { return QString::fromStdString(p.string()); }

  QTemporaryDir root;
  fs::path songs, pictures;
};

TEST_F(Picker, EachPatternHasItsLayout) {
  struct Case {
    QString pattern, caption, okCaption;
    bool addAll;
    double width, addAllLeft, okLeft, cancelLeft;
  };
  const Case cases[] = {
      {"*.mp3", "Open mp3 file.", "Add One", true, 5590, 1000, 2075, 3390},
      {"*.gif;*.bmp;*.jpg", "Open file", "OK", false, 8805, 1680, 2880, 4320},
      {"*.gif;*.bmp;*.jpg;*.jpeg", "Open file", "OK", false, 8805, 1680, 2880, 4320},
      {"*.ico", "Open Icon (*.ico) file.", "OK", false, 8805, 1680, 2880, 4320},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern.toStdString());
    show(c.pattern, [&](Dialog& d) {
      EXPECT_EQ(d.Caption(), c.caption);
      EXPECT_EQ(d.File1.Pattern(), c.pattern);
      EXPECT_EQ(d.OKButton.Caption(), c.okCaption);
      EXPECT_EQ(d.CancelButton.Caption(), "Cancel");
      EXPECT_EQ(d.AddAllButton.Visible(), c.addAll);
      EXPECT_EQ(d.Width(), c.width);
      EXPECT_EQ(d.Height(), 3570);
      EXPECT_EQ(d.AddAllButton.Left(), c.addAllLeft);
      EXPECT_EQ(d.OKButton.Left(), c.okLeft);
      EXPECT_EQ(d.CancelButton.Left(), c.cancelLeft);
      EXPECT_EQ(d.Image1.Height(), d.File1.Height());
      EXPECT_FALSE(d.Picture1.Visible());
      EXPECT_TRUE(d.CancelButton.click());
    });
  }
}

TEST_F(Picker, TheFourAnswers) {
  form.lastVisitedDirectory = qs(pictures);
  // Add One: the file and its folder; the next picker starts there.
  EXPECT_TRUE(show("*.mp3", [&](Dialog& d) {
    EXPECT_EQ(d.Dir1.Path(), qs(pictures));
    EXPECT_EQ(d.File1.Path(), qs(pictures));
    EXPECT_TRUE(qs(pictures).startsWith(d.Drive1.Drive()));
    d.Dir1.setPath(qs(songs));
    ASSERT_EQ(d.File1.ListCount(), 2);
    EXPECT_TRUE(d.File1.select(1));
    EXPECT_TRUE(d.OKButton.click());
  }));
  EXPECT_EQ(form.path_var, qs(songs));
  EXPECT_EQ(form.file_var, "b.mp3");
  EXPECT_EQ(form.lastVisitedDirectory, qs(songs));

  // Add All: the folder, no file.
  EXPECT_TRUE(show("*.mp3", [&](Dialog& d) {
    EXPECT_EQ(d.Dir1.Path(), qs(songs));
    EXPECT_TRUE(d.AddAllButton.click());
  }));
  EXPECT_EQ(form.path_var, qs(songs));
  EXPECT_EQ(form.file_var, "");

  // The close box leaves the earlier answer as it was.
  EXPECT_FALSE(show("*.mp3", [&](Dialog& d) {
    d.Dir1.setPath(qs(pictures));
    EXPECT_TRUE(d.close());
  }));
  EXPECT_EQ(form.path_var, qs(songs));
  EXPECT_EQ(form.file_var, "");
  EXPECT_EQ(form.lastVisitedDirectory, qs(songs));

  // Cancel empties the answer but not the folder the next one starts in.
  form.file_var = "x";
  EXPECT_FALSE(show("*.ico", [&](Dialog& d) {
    d.Dir1.setPath(qs(pictures));
    EXPECT_TRUE(d.CancelButton.click());
  }));
  EXPECT_EQ(form.path_var, "");
  EXPECT_EQ(form.file_var, "");
  EXPECT_EQ(form.lastVisitedDirectory, qs(songs));
  show("*.ico", [&](Dialog& d) {
    EXPECT_EQ(d.Dir1.Path(), qs(songs));
    EXPECT_TRUE(d.CancelButton.click());
  });
}

TEST_F(Picker, StartsInTheLastFolderWhateverPlaceHoldsIt) {
  const fs::path home = folder("home", {});
  const fs::path music = folder("home/music", {"a.mp3"});
  const platform::ScopedEnvironmentVariable homeHere("HOME", home.string());
  form.lastVisitedDirectory = qs(music);
  show("*.mp3", [&](Dialog& d) {
    EXPECT_EQ(d.Drive1.Drive(), qs(home));
    EXPECT_EQ(d.Dir1.Path(), qs(music));
    EXPECT_EQ(d.File1.ListCount(), 1);
    EXPECT_TRUE(d.CancelButton.click());
  });
}

TEST_F(Picker, RefusalsKeepItOpen) {
  EXPECT_TRUE(show("*.mp3", [&](Dialog& d) {
    d.Dir1.setPath(qs(pictures));
    expectMessage(fakes.modals, "No mp3 files in this directory.");
    EXPECT_TRUE(d.AddAllButton.click());
    EXPECT_TRUE(d.isLoaded());
    d.Dir1.setPath(qs(songs));
    expectMessage(fakes.modals, "No file was chosen.");
    EXPECT_TRUE(d.OKButton.click());
    EXPECT_TRUE(d.isLoaded());
    EXPECT_TRUE(d.File1.select(0));
    EXPECT_TRUE(d.OKButton.click());
  }));
  EXPECT_EQ(form.file_var, "a.mp3");
}

// With the keyboard alone: Enter on a chosen file keeps the picker open, and
// the button Tab gives the focus takes Enter, the keypad's too.
TEST_F(Picker, EnterPressesTheButtonTabGaveTheFocusAndNotTheFileList) {
  form.lastVisitedDirectory = qs(songs);
  form.file_var = "x";
  EXPECT_FALSE(show("*.mp3", [&](Dialog& d) {
    QApplication::processEvents();  // the window comes up active
    controls::WindowInput user(d);
    ASSERT_TRUE(user.clickAt(user.entryOf(d.File1, 1)));
    ASSERT_TRUE(user.key(controls::vbKeyReturn));
    EXPECT_TRUE(d.isLoaded());
    tabTo(d, d.CancelButton);
    ASSERT_TRUE(user.key(controls::vbKeyReturn));
    EXPECT_TRUE(d.isUnloaded());
  }));
  EXPECT_EQ(form.file_var, "");
  EXPECT_EQ(form.path_var, "");

  EXPECT_TRUE(show("*.mp3", [&](Dialog& d) {
    QApplication::processEvents();  // the window comes up active
    controls::WindowInput user(d);
    ASSERT_TRUE(user.clickAt(user.entryOf(d.File1, 1)));
    tabTo(d, d.OKButton);
    ASSERT_TRUE(user.keypadEnter());
    EXPECT_TRUE(d.isUnloaded());
  }));
  EXPECT_EQ(form.file_var, "b.mp3");
  EXPECT_EQ(form.path_var, qs(songs));
}

// The keyboard alone on the folder list: Return or the keypad's Enter opens
// the folder the arrow keys highlight, the file list follows, and the picker
// stays open.
TEST_F(Picker, EnterOpensTheFolderTheArrowKeysHighlight) {
  for (bool keypad : {false, true}) {
    SCOPED_TRACE(keypad ? "keypad Enter" : "Return");
    form.lastVisitedDirectory = root.path();
    EXPECT_TRUE(show("*.mp3", [&](Dialog& d) {
      QApplication::processEvents();  // the window comes up active
      controls::WindowInput user(d);
      const auto enter = [&] { return keypad ? user.keypadEnter() : user.key(controls::vbKeyReturn); };
      tabTo(d, d.Dir1);
      // The subfolders are "pictures" and "songs".
      ASSERT_TRUE(user.key(controls::vbKeyDown));
      ASSERT_TRUE(user.key(controls::vbKeyDown));
      ASSERT_TRUE(enter());
      EXPECT_TRUE(d.isLoaded());
      EXPECT_EQ(d.Dir1.Path(), qs(songs));
      ASSERT_EQ(d.File1.ListCount(), 2);
      tabTo(d, d.File1);
      ASSERT_TRUE(user.key(controls::vbKeyDown));
      tabTo(d, d.OKButton);
      ASSERT_TRUE(enter());
    }));
    EXPECT_EQ(form.path_var, qs(songs));
    EXPECT_EQ(form.file_var, "a.mp3");
  }
}

TEST_F(Picker, PicturesArePreviewedSongsAndBrokenFilesAreNot) {
  const fs::path mixed = folder("mixed", {"broken.jpg", "song.mp3"});
  writePicture(mixed / "good.bmp");
  show("*.gif;*.bmp;*.jpg", [&](Dialog& d) {
    d.Dir1.setPath(qs(mixed));
    ASSERT_EQ(d.File1.List(1), "good.bmp");
    EXPECT_TRUE(d.File1.select(1));
    EXPECT_FALSE(d.Image1.Picture().isEmpty());
    EXPECT_EQ(d.Image1.Picture(), d.Picture1.Picture());
    fakes.dialogs->expectMsgBox("Invalid picture", platform::vbOK);
    EXPECT_TRUE(d.File1.select(0));
    EXPECT_TRUE(d.Image1.Picture().isEmpty());
    EXPECT_TRUE(d.Picture1.Picture().isEmpty());
    EXPECT_TRUE(d.isLoaded());
    EXPECT_TRUE(d.CancelButton.click());
  });
  show("*.mp3", [&](Dialog& d) {
    d.Dir1.setPath(qs(mixed));
    EXPECT_TRUE(d.File1.select(0));
    EXPECT_TRUE(d.Image1.Picture().isEmpty());
    EXPECT_TRUE(d.CancelButton.click());
  });
}

TEST_F(Picker, AnUnreadableDriveLeavesTheFolderListWhereItWas) {
  const fs::path mounts = fs::path(root.path().toStdString()) / "mounts";
  writeAll(mounts, "/dev/sr7 /mnt/quendrel-no-such-disc iso9660 ro 0 0\n");
  show("*.mp3", [&](Dialog& d) {
    d.Drive1.setSources(qs(mounts), qs(songs));
    d.Drive1.setDrive(qs(songs));
    ASSERT_EQ(d.Dir1.Path(), qs(songs));
    const int disc = d.Drive1.ListCount() - 1;
    ASSERT_TRUE(d.Drive1.List(disc).contains("quendrel-no-such-disc"));
    fakes.dialogs->expectMsgBox("Path not found", platform::vbOK);
    EXPECT_TRUE(d.Drive1.select(disc));
    EXPECT_EQ(d.Dir1.Path(), qs(songs));
    EXPECT_EQ(d.Drive1.Drive(), qs(songs));
    EXPECT_TRUE(d.CancelButton.click());
  });
}

TEST_F(Picker, ListsUnshownAndGivesItsListBack) {
  Dialog& lister = form.dialog();
  lister.File1.setPattern("*.mp3");
  lister.File1.setPath(qs(songs));
  EXPECT_EQ(lister.File1.ListCount(), 2);
  EXPECT_FALSE(lister.Visible());

  lister.File1.setPath(qs(pictures));
  EXPECT_EQ(form.listWithPicker(qs(songs), "*.jpg"), QStringList{"cover.jpg"});
  EXPECT_EQ(lister.File1.Path(), qs(pictures));
  EXPECT_EQ(lister.File1.Pattern(), "*.mp3");
  EXPECT_THROW(form.listWithPicker(qs(songs / "gone"), "*.mp3"), store::StoreError);
  EXPECT_EQ(lister.File1.Pattern(), "*.mp3");

  // A lister use that loaded the window: the next picker starts in its folder.
  show("*.mp3", [&](Dialog& d) {
    EXPECT_EQ(&d, &lister);
    EXPECT_EQ(d.File1.Path(), qs(pictures));
    EXPECT_TRUE(d.CancelButton.click());
  });
}

}  // namespace
}  // namespace authoring_test
