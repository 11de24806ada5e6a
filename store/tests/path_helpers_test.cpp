#include "path_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_folder.h"

using namespace store;
using testing_support::TempFolder;

TEST(PathHelpers, JoinAndEndSlash) {
  EXPECT_EQ(setPath("/A", "b.txt"), "/A/b.txt");
  EXPECT_EQ(setPath("/A/", "b.txt"), "/A/b.txt");
  EXPECT_EQ(EndSlash("/A"), "/A/");
  EXPECT_EQ(EndSlash("/A/"), "/A/");
  EXPECT_EQ(EndSlash(""), "/");
}

TEST(PathHelpers, AddDirSepTrimsBlanksAndKeepsEitherSeparator) {
  struct Case {
    std::string in, out;
  };
  for (const auto& c : {Case{"/A   ", "/A/"}, Case{"/A/", "/A/"}, Case{"C:\\A\\", "C:\\A\\"}, Case{"/A", "/A/"},
                        Case{"", "/"}}) {
    std::string s = c.in;
    AddDirSep(s);
    EXPECT_EQ(s, c.out) << '"' << c.in << '"';
  }
}

TEST(PathHelpers, StringFromBufferCutsAtTheFirstNul) {
  EXPECT_EQ(StringFromBuffer(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(StringFromBuffer("whole"), "whole");
}

TEST(PathHelpers, ExistenceTestsNeverFail) {
  TempFolder dir;
  testing_support::writeBytes(dir / "f", "x");
  EXPECT_TRUE(DirExists(dir.str()));
  EXPECT_FALSE(DirExists((dir / "f").string()));
  EXPECT_TRUE(FileExists((dir / "f").string()));
  EXPECT_TRUE(FileExists(dir.str())) << "a folder counts as present";
  EXPECT_FALSE(FileExists((dir / "nothing").string()));
  EXPECT_FALSE(DirExists(""));
  EXPECT_FALSE(FileExists(""));
}

TEST(PathHelpers, SystemDirectoryComesFromTheEnvironment) {
  const char* saved[] = {std::getenv("QUENDREL_SYSTEM_DIR"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME")};
  std::string keep[3];
  for (int i = 0; i < 3; ++i) keep[i] = saved[i] ? saved[i] : "";

  setenv("QUENDREL_SYSTEM_DIR", "/opt/sys", 1);
  EXPECT_EQ(GetWindowsSysDir(), "/opt/sys/");
  unsetenv("QUENDREL_SYSTEM_DIR");
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(GetWindowsSysDir(), "/data/quendrel/system/");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/me", 1);
  EXPECT_EQ(GetWindowsSysDir(), "/home/me/.local/share/quendrel/system/");
  unsetenv("HOME");
  EXPECT_EQ(GetWindowsSysDir(), "");

  const char* names[] = {"QUENDREL_SYSTEM_DIR", "XDG_DATA_HOME", "HOME"};
  for (int i = 0; i < 3; ++i)
    if (saved[i]) setenv(names[i], keep[i].c_str(), 1);
}
