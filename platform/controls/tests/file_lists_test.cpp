// The file, folder and drive lists list what is on disk, in name order, the
// same way the store does, whether or not their window is shown.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "dir_list_box.h"
#include "drive_list_box.h"
#include "file_list_box.h"
#include "form.h"
#include "store_error.h"

namespace controls {
namespace {

class Picker : public Form {
 public:
  Picker() : Form("Dialog") {
    Dir1.Change = [this] { changes << Dir1.Path(); };
    Drive1.Change = [this] { changes << "drive " + Drive1.Drive(); };
  }
  FileListBox File1{*this, "File1"};
  DirListBox Dir1{*this, "Dir1"};
  DriveListBox Drive1{*this, "Drive1"};
  QStringList changes;
};

void touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList entries(const FileListBox& list) {
  QStringList names;
  for (int i = 0; i < list.ListCount(); ++i) names << list.List(i);
  return names;
}

class FileListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.MP3", "a.mp3", "Cover.JPG", "pic.gif", "notes.txt", ".hidden.mp3", "song.mp3.bak",
                             "intro.jpeg"})
      touch(dir.filePath(name));
    QDir(dir.path()).mkdir("folder.mp3");
  }
  QTemporaryDir dir;
};

TEST_F(FileListTest, PatternListsMatchWithoutRegardToCaseInNameOrder) {
  struct Case {
    const char* pattern;
    QStringList names;
  };
  const Case cases[] = {
      {"*.mp3", {"a.mp3", "b.MP3"}},
      {"*.gif;*.bmp;*.jpg", {"Cover.JPG", "pic.gif"}},
      {"*.gif;*.bmp;*.jpg;*.jpeg", {"Cover.JPG", "intro.jpeg", "pic.gif"}},
      {"*.*", {"a.mp3", "b.MP3", "Cover.JPG", "intro.jpeg", "notes.txt", "pic.gif", "song.mp3.bak"}},
      {"?.mp3", {"a.mp3", "b.MP3"}},
      {"*.ico", {}},
  };
  Picker picker;  // never shown: a lister
  picker.File1.setPath(dir.path());
  for (const Case& c : cases) {
    picker.File1.setPattern(c.pattern);
    EXPECT_EQ(entries(picker.File1), c.names) << c.pattern;
    EXPECT_EQ(picker.File1.ListIndex(), -1);
  }
}

TEST_F(FileListTest, RefreshShowsChangesOnDiskAndClearsTheSelection) {
  Picker picker;
  picker.File1.setPattern("*.mp3");
  picker.File1.setPath(dir.path());
  picker.File1.setListIndex(1);
  EXPECT_EQ(picker.File1.FileName(), "b.MP3");
  touch(dir.filePath("0 - first.mp3"));
  QFile::remove(dir.filePath("a.mp3"));
  EXPECT_EQ(entries(picker.File1), (QStringList{"a.mp3", "b.MP3"}));
  picker.File1.Refresh();
  EXPECT_EQ(entries(picker.File1), (QStringList{"0 - first.mp3", "b.MP3"}));
  EXPECT_EQ(picker.File1.ListIndex(), -1);
  EXPECT_EQ(picker.File1.FileName(), "");
}

TEST_F(FileListTest, PathIsCleanAndAMissingFolderIsRefused) {
  Picker picker;
  picker.File1.setPath(dir.path() + "/folder.mp3/../");
  EXPECT_EQ(picker.File1.Path(), QDir::cleanPath(dir.path()));
  try {
    picker.File1.setPath(dir.filePath("gone"));
    FAIL() << "a missing folder was taken";
  } catch (const store::StoreError& e) {
    EXPECT_STREQ(e.what(), "Path not found");
  }
  EXPECT_EQ(picker.File1.Path(), QDir::cleanPath(dir.path()));
  picker.File1.setPath("/");
  EXPECT_EQ(picker.File1.Path(), "/");
}

TEST_F(FileListTest, FileNameWithAFolderOrAWildcardSetsPathOrPattern) {
  Picker picker;
  picker.File1.setFileName(dir.path() + "/*.gif");
  EXPECT_EQ(picker.File1.Path(), QDir::cleanPath(dir.path()));
  EXPECT_EQ(entries(picker.File1), (QStringList{"pic.gif"}));
  picker.File1.setFileName("pic.gif");
  EXPECT_EQ(picker.File1.ListIndex(), 0);
}

TEST(DirListBoxes, ListSubfoldersAsFullPathsAndAncestorsBelowZero) {
  QTemporaryDir dir;
  const QString root = QDir::cleanPath(dir.path());
  for (const char* name : {"02 - Jazz", "01 - Rock", "10 - Pop", ".mirror"}) QDir(root).mkdir(name);
  touch(root + "/dat.qd");
  Picker picker;
  picker.Dir1.setPath(root);
  ASSERT_EQ(picker.Dir1.ListCount(), 3);
  EXPECT_EQ(picker.Dir1.List(0), root + "/01 - Rock");
  EXPECT_EQ(picker.Dir1.List(1), root + "/02 - Jazz");
  EXPECT_EQ(picker.Dir1.List(2), root + "/10 - Pop");
  EXPECT_EQ(picker.Dir1.List(3), "");
  EXPECT_EQ(picker.Dir1.List(-1), root);
  EXPECT_EQ(picker.Dir1.List(-2), QFileInfo(root).path());
  EXPECT_EQ(picker.Dir1.ListIndex(), -1);
  EXPECT_EQ(picker.changes, QStringList{root});

  // The user: a click selects, a double click opens.
  picker.Show();
  ASSERT_TRUE(picker.Dir1.select(1));
  EXPECT_EQ(picker.Dir1.ListIndex(), 1);
  EXPECT_EQ(picker.Dir1.Path(), root);
  ASSERT_TRUE(picker.Dir1.dblClickItem(1));
  EXPECT_EQ(picker.Dir1.Path(), root + "/02 - Jazz");
  EXPECT_EQ(picker.Dir1.ListCount(), 0);
  EXPECT_EQ(picker.changes, (QStringList{root, root + "/02 - Jazz"}));

  // Setting the same folder again lists it anew without a Change.
  QDir(root + "/02 - Jazz").mkdir("sub");
  picker.Dir1.setPath(root + "/02 - Jazz");
  EXPECT_EQ(picker.Dir1.ListCount(), 1);
  EXPECT_EQ(picker.changes.size(), 2);
  EXPECT_THROW(picker.Dir1.setPath(root + "/gone"), store::StoreError);
}

TEST(DriveListBoxes, OfferRootHomeAndMountedMedia) {
  QTemporaryDir dir;
  const QString mounts = dir.filePath("mounts");
  QFile table(mounts);
  ASSERT_TRUE(table.open(QIODevice::WriteOnly));
  table.write("/dev/sda1 / ext4 rw 0 0\n"
              "proc /proc proc rw 0 0\n"
              "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
              "/dev/sr0 /media/cdrom0 iso9660 ro 0 0\n"
              "/dev/sdc1 /run/media/ann/Backup ext4 rw 0 0\n"
              "/dev/sdd1 /mnt/data ext4 rw 0 0\n"
              "tmpfs /run/user/1000 tmpfs rw 0 0\n");
  table.close();
  const std::vector<DriveEntry> drives = listDrives(mounts, "/home/ann");
  QStringList folders;
  for (const DriveEntry& d : drives) folders << d.folder;
  EXPECT_EQ(folders, (QStringList{"/", "/home/ann", "/media/ann/USB STICK", "/media/cdrom0", "/mnt/data",
                                  "/run/media/ann/Backup"}));
  EXPECT_EQ(drives[2].text, "/media/ann/USB STICK [USB STICK]");
}

TEST(DriveListBoxes, DriveIsTheFolderOfThePlaceThatHoldsAPath) {
  QTemporaryDir dir;
  const QString home = QDir::cleanPath(dir.path());
  QDir(home).mkdir("Music");
  Picker picker;
  picker.Drive1.setSources(dir.filePath("no-mounts"), home);
  picker.changes.clear();
  picker.Drive1.setDrive(home + "/Music");
  EXPECT_EQ(picker.Drive1.Drive(), home);
  picker.Drive1.setDrive("/usr/share");
  EXPECT_EQ(picker.Drive1.Drive(), "/");
  EXPECT_EQ(picker.changes, (QStringList{"drive " + home, "drive /"}));

  picker.Show();
  ASSERT_TRUE(picker.Drive1.select(1));
  EXPECT_EQ(picker.Drive1.Drive(), home);
  QDir(home).removeRecursively();
  try {
    picker.Drive1.setDrive(home);
    FAIL() << "a vanished place was taken";
  } catch (const store::StoreError& e) {
    EXPECT_STREQ(e.what(), "Device unavailable");
  }
}

}  // namespace
}  // namespace controls
