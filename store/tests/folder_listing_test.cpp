#include "folder_listing.h"

#include <gtest/gtest.h>

#include <functional>

#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::TempFolder;
using testing_support::writeBytes;

TEST(FolderListing, PatternListsIgnoreCase) {
  struct Case {
    const char* name;
    const char* patterns;
    bool match;
  };
  const Case cases[] = {
      {"song.mp3", "*.mp3", true},
      {"SONG.MP3", "*.mp3", true},
      {"song.mp3x", "*.mp3", false},
      {"song.mp", "*.mp3", false},
      {"cover.JPEG", "*.gif;*.jpg;*.jpeg;*.bmp", true},
      {"cover.png", "*.gif;*.jpg;*.jpeg;*.bmp", false},
      {"noext", "*.*", true},
      {"noext", "*", true},
      {"a.b.c", "*.c", true},
      {"01 - x.dat", "?? - *.dat", true},
      {"1 - x.dat", "?? - *.dat", false},
      {"pic.bmp", " *.gif ; *.bmp ", true},
      {"pic.bmp", "", false},
      {"pic.bmp", ";;", false},
      {"Élan.ICO", "*.ico", true},
      {"élan.ico", "ÉLAN.ICO", true},
  };
  for (const auto& c : cases) EXPECT_EQ(matchesPattern(c.name, c.patterns), c.match) << c.name << " ~ " << c.patterns;
}

TEST(FolderListing, ListsInNameOrderWithoutHiddenEntries) {
  TempFolder dir;
  for (const char* f : {"b.mp3", "A.mp3", "c.MP3", "a.txt", ".hidden.mp3", "02 - x.mp3", "10 - y.mp3"})
    writeBytes(dir / f, "x");
  for (const char* d : {"02 - Jazz", "01 - rock", ".work", "10 - Pop"}) std::filesystem::create_directory(dir / d);
  EXPECT_EQ(listFiles(dir.path(), "*.mp3"),
            (std::vector<std::string>{"02 - x.mp3", "10 - y.mp3", "A.mp3", "b.mp3", "c.MP3"}));
  EXPECT_EQ(listFolders(dir.path()), (std::vector<std::string>{"01 - rock", "02 - Jazz", "10 - Pop"}));
  EXPECT_TRUE(listFiles(dir / "missing").empty());
  EXPECT_TRUE(listFolders(dir / "missing").empty());
}

TEST(FolderListing, ReadingAFolderThatCannotBeReadFailsInsteadOfListingNothing) {
  TempFolder dir;
  writeBytes(dir / "song.mp3", "x");
  std::filesystem::create_directory(dir / "01 - Rock");
  EXPECT_EQ(readFolderFiles(dir.path(), "*.mp3"), listFiles(dir.path(), "*.mp3"));
  EXPECT_EQ(readSubfolders(dir.path()), listFolders(dir.path()));
  EXPECT_TRUE(readFolderFiles(dir / "01 - Rock").empty());  // empty, and read
  for (const char* notAFolder : {"missing", "song.mp3"}) {
    SCOPED_TRACE(notAFolder);
    for (const auto& read : {std::function<void()>([&] { readFolderFiles(dir / notAFolder); }),
                             std::function<void()>([&] { readSubfolders(dir / notAFolder); })}) {
      try {
        read();
        ADD_FAILURE() << "no error";
      } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Path not found");
      }
    }
  }
}
