#include "autorun_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

using namespace store;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

TEST(AutorunFile, NewProjectHasTheFourLines) {
  TempFolder dir;
  writeAutorunForNewProject(dir.path(), "Alpha");
  EXPECT_EQ(readBytes(dir / "AUTORUN.INF"), "[autorun]\r\nicon = QD.exe,0\r\nlabel = Alpha\r\nopen = Alpha.exe\r\n");
  EXPECT_EQ(autorunLabel(readAutorunLines(dir.path(), "Alpha")), "Alpha");
}

TEST(AutorunFile, EachWriterKeepsTheLinesItDoesNotOwn) {
  TempFolder dir;
  writeAutorunForNewProject(dir.path(), "Alpha");
  rewriteAutorunLabel(dir.path(), "Alpha", "My Disc");
  EXPECT_EQ(autorunLabel(readAutorunLines(dir.path(), "Alpha")), "My Disc");

  rewriteAutorunIconChosen(dir.path(), "Alpha", "disc.ico");
  EXPECT_EQ(readBytes(dir / "AUTORUN.INF"), "[autorun]\r\nicon = disc.ico\r\nlabel = My Disc\r\nopen = Alpha.exe\r\n");
  rewriteAutorunIconCleared(dir.path(), "Alpha");
  EXPECT_EQ(readBytes(dir / "AUTORUN.INF"), "[autorun]\r\nicon = Alpha.exe,0\r\nlabel = My Disc\r\nopen = Alpha.exe\r\n");
  rewriteAutorunLabel(dir.path(), "Alpha", "Café Nights");
  EXPECT_EQ(readBytes(dir / "AUTORUN.INF"),
            "[autorun]\r\nicon = Alpha.exe,0\r\nlabel = Caf\xE9 Nights\r\nopen = Alpha.exe\r\n");
  EXPECT_EQ(autorunLabel(readAutorunLines(dir.path(), "Alpha")), "Café Nights");
}

TEST(AutorunFile, MissingOrShortFilesFallBackToTheNewProjectLines) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file
    AutorunLines lines;
    std::string label;
  };
  const Case cases[] = {
      {"no file", nullptr, {"icon = QD.exe,0", "label = Beta", "open = Beta.exe"}, "Beta"},
      {"header only", "[autorun]\r\n", {"icon = QD.exe,0", "label = Beta", "open = Beta.exe"}, "Beta"},
      {"two lines", "[autorun]\r\nicon = x.ico\r\n", {"icon = x.ico", "label = Beta", "open = Beta.exe"}, "Beta"},
      {"empty label", "[autorun]\r\ni\r\nlabel = \r\no\r\n", {"i", "label = ", "o"}, ""},
      {"short label line", "[autorun]\nicon\nlab\nopen", {"icon", "lab", "open"}, ""},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    if (c.content) writeBytes(dir / "AUTORUN.INF", c.content);
    const AutorunLines lines = readAutorunLines(dir.path(), "Beta");
    EXPECT_EQ(lines, c.lines) << c.name;
    EXPECT_EQ(autorunLabel(lines), c.label) << c.name;
  }
  TempFolder dir;
  rewriteAutorunLabel(dir.path(), "Beta", "New");
  EXPECT_EQ(readBytes(dir / "AUTORUN.INF"), "[autorun]\r\nicon = QD.exe,0\r\nlabel = New\r\nopen = Beta.exe\r\n");
}

TEST(AutorunFile, ALabelWrittenWithoutAnIconLineNamesTheProjectsOwnIcon) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file
    const char* icon;     // the project's own icon file; "" for none
    const char* written;
  };
  const Case cases[] = {
      {"no file", nullptr, "disc.ico", "[autorun]\r\nicon = disc.ico\r\nlabel = New\r\nopen = Beta.exe\r\n"},
      {"header only", "[autorun]\r\n", "disc.ico", "[autorun]\r\nicon = disc.ico\r\nlabel = New\r\nopen = Beta.exe\r\n"},
      {"no icon of its own", nullptr, "", "[autorun]\r\nicon = QD.exe,0\r\nlabel = New\r\nopen = Beta.exe\r\n"},
      // The file's own icon line stands.
      {"icon line kept", "[autorun]\r\nicon = Beta.exe,0\r\n", "disc.ico",
       "[autorun]\r\nicon = Beta.exe,0\r\nlabel = New\r\nopen = Beta.exe\r\n"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    if (c.content) writeBytes(dir / "AUTORUN.INF", c.content);
    rewriteAutorunLabel(dir.path(), "Beta", "New", c.icon);
    EXPECT_EQ(readBytes(dir / "AUTORUN.INF"), c.written) << c.name;
  }
}
