#include "system/file_services.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "system/unchangeable_folder.h"
#include "temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

// --- findNoCase

TEST(FindNoCase, FindsANameWrittenInAnotherCase) {
  TempFolder dir;
  writeBytes(dir / "QD.exe", "player");
  EXPECT_EQ(findNoCase(dir.str(), "qd.exe"), "QD.exe");
  EXPECT_EQ(findNoCase(dir.str(), "QD.EXE"), "QD.exe");
  EXPECT_EQ(findNoCase(dir.str(), "QD.exe"), "QD.exe");
}

TEST(FindNoCase, PrefersTheExactNameThenTheFirstInNameOrder) {
  TempFolder dir;
  writeBytes(dir / "qd.exe", "a");
  writeBytes(dir / "Qd.exe", "b");
  writeBytes(dir / "QD.exe", "c");
  EXPECT_EQ(findNoCase(dir.str(), "qd.exe"), "qd.exe");
  EXPECT_EQ(findNoCase(dir.str(), "Qd.exe"), "Qd.exe");
  EXPECT_EQ(findNoCase(dir.str(), "qD.exe"), "QD.exe");
  EXPECT_EQ(findNoCase(dir.str(), "QD.EXE"), "QD.exe");
}

TEST(FindNoCase, FindsFoldersAndUsesTheCodePagesCaseRules) {
  TempFolder dir;
  fs::create_directory(dir / "01 - Été");
  EXPECT_EQ(findNoCase(dir.str(), "01 - éTÉ"), "01 - Été");
  fs::create_directory(dir / "Handle");
  EXPECT_EQ(findNoCase(dir.str(), "handle"), "Handle");
}

TEST(FindNoCase, NothingFound) {
  TempFolder dir;
  writeBytes(dir / "QD.exe", "player");
  EXPECT_FALSE(findNoCase(dir.str(), "setup.exe").has_value());
  EXPECT_FALSE(findNoCase(dir.str(), "QD.ex").has_value());
  EXPECT_FALSE(findNoCase(dir.str(), "").has_value());
  EXPECT_FALSE(findNoCase(dir.str(), "sub/QD.exe").has_value());
  EXPECT_FALSE(findNoCase((dir / "missing").string(), "QD.exe").has_value());
}

// --- renameNoReplace

TEST(RenameNoReplace, RenamesAFile) {
  TempFolder dir;
  writeBytes(dir / "01 - a.mp3", "song");
  EXPECT_EQ(renameNoReplace((dir / "01 - a.mp3").string(), (dir / "02 - a.mp3").string()), std::nullopt);
  EXPECT_FALSE(fs::exists(dir / "01 - a.mp3"));
  EXPECT_EQ(readBytes(dir / "02 - a.mp3"), "song");
}

TEST(RenameNoReplace, NeverReplacesAnExistingFile) {
  TempFolder dir;
  writeBytes(dir / "a.mp3", "a");
  writeBytes(dir / "b.mp3", "b");
  EXPECT_EQ(renameNoReplace((dir / "a.mp3").string(), (dir / "b.mp3").string()), "File already exists");
  EXPECT_EQ(readBytes(dir / "a.mp3"), "a");
  EXPECT_EQ(readBytes(dir / "b.mp3"), "b");
}

TEST(RenameNoReplace, RenamesAFolderWithItsContents) {
  TempFolder dir;
  fs::create_directories(dir / "01 - Rock");
  writeBytes(dir / "01 - Rock" / "01 - x.mp3", "x");
  EXPECT_EQ(renameNoReplace((dir / "01 - Rock").string(), (dir / "02 - Rock").string()), std::nullopt);
  EXPECT_EQ(readBytes(dir / "02 - Rock" / "01 - x.mp3"), "x");
  EXPECT_FALSE(fs::exists(dir / "01 - Rock"));
}

TEST(RenameNoReplace, NeverReplacesAnExistingFolderEvenAnEmptyOne) {
  TempFolder dir;
  fs::create_directories(dir / "01 - Rock");
  fs::create_directories(dir / "02 - Jazz");
  writeBytes(dir / "01 - Rock" / "song.mp3", "x");
  EXPECT_EQ(renameNoReplace((dir / "01 - Rock").string(), (dir / "02 - Jazz").string()), "File already exists");
  EXPECT_TRUE(fs::exists(dir / "01 - Rock" / "song.mp3"));
  EXPECT_TRUE(fs::is_empty(dir / "02 - Jazz"));
  // Nor a file by a folder, nor a folder by a file.
  writeBytes(dir / "file", "f");
  EXPECT_EQ(renameNoReplace((dir / "01 - Rock").string(), (dir / "file").string()), "File already exists");
  EXPECT_EQ(renameNoReplace((dir / "file").string(), (dir / "02 - Jazz").string()), "File already exists");
}

TEST(RenameNoReplace, AMissingSourceOrTargetFolder) {
  TempFolder dir;
  EXPECT_EQ(renameNoReplace((dir / "gone.mp3").string(), (dir / "b.mp3").string()), "File not found");
  writeBytes(dir / "a.mp3", "a");
  EXPECT_EQ(renameNoReplace((dir / "a.mp3").string(), (dir / "no folder" / "b.mp3").string()), "Path not found");
  EXPECT_TRUE(fs::exists(dir / "a.mp3"));
}

TEST(RenameNoReplace, OntoItselfOrOnlyInCase) {
  TempFolder dir;
  writeBytes(dir / "rock.mp3", "r");
  EXPECT_EQ(renameNoReplace((dir / "rock.mp3").string(), (dir / "rock.mp3").string()), std::nullopt);
  EXPECT_EQ(renameNoReplace((dir / "rock.mp3").string(), (dir / "Rock.mp3").string()), std::nullopt);
  EXPECT_EQ(readBytes(dir / "Rock.mp3"), "r");
}

TEST(RenameNoReplace, TheFallbackWithoutTheFlagBehavesTheSame) {
  TempFolder dir;
  writeBytes(dir / "a", "a");
  writeBytes(dir / "b", "b");
  fs::create_directories(dir / "d1" / "inner");
  fs::create_directories(dir / "d2");
  EXPECT_EQ(detail::renameNoReplaceWithoutFlag((dir / "a").string(), (dir / "b").string()), "File already exists");
  EXPECT_EQ(detail::renameNoReplaceWithoutFlag((dir / "d1").string(), (dir / "d2").string()), "File already exists");
  EXPECT_EQ(detail::renameNoReplaceWithoutFlag((dir / "x").string(), (dir / "y").string()), "File not found");
  EXPECT_EQ(detail::renameNoReplaceWithoutFlag((dir / "a").string(), (dir / "c").string()), std::nullopt);
  EXPECT_EQ(readBytes(dir / "c"), "a");
  EXPECT_FALSE(fs::exists(dir / "a"));
  EXPECT_EQ(detail::renameNoReplaceWithoutFlag((dir / "d1").string(), (dir / "d3").string()), std::nullopt);
  EXPECT_TRUE(fs::is_directory(dir / "d3" / "inner"));
  EXPECT_EQ(detail::renameNoReplaceWithoutFlag((dir / "c").string(), (dir / "C").string()), std::nullopt);
  EXPECT_EQ(readBytes(dir / "C"), "a");
}

// --- in-use test

TEST(InUseTest, PassesForFilesAndFoldersNotInUse) {
  TempFolder dir;
  writeBytes(dir / "01 - a.mp3", "a");
  fs::create_directories(dir / "01 - Rock");
  EXPECT_EQ(inUseTest((dir / "01 - a.mp3").string()), std::nullopt);
  EXPECT_EQ(inUseTest((dir / "01 - Rock").string()), std::nullopt);
  EXPECT_EQ(readBytes(dir / "01 - a.mp3"), "a");
  EXPECT_TRUE(fs::is_directory(dir / "01 - Rock"));
}

TEST(InUseTest, TheFirstRefusalIsTheError) {
  TempFolder dir;
  writeBytes(dir / "a", "a");
  EXPECT_EQ(inUseTest((dir / "missing").string()), "File not found");
  EXPECT_EQ(inUseTest(std::vector<std::string>{(dir / "a").string(), (dir / "missing").string(),
                                               (dir / "no folder" / "x").string()}),
            "File not found");
  EXPECT_EQ(inUseTest(std::vector<std::string>{(dir / "a").string(), dir.str()}), std::nullopt);
}

// The names in `folder`, hidden ones too, in name order.
std::vector<std::string> allNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(InUseTest, RefusesWhereTheFolderCannotBeChangedAndLeavesEverythingAsItWas) {
  TempFolder dir;
  const fs::path project = dir / "Rock";
  fs::create_directories(project / "01 - Live");
  writeBytes(project / "01 - Live" / "01 - a.mp3", "a");
  writeBytes(project / "AUTORUN.INF", "x");
  const std::vector<std::string> before = allNames(project);
  {
    UnchangeableFolder locked(project);
    if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
    EXPECT_EQ(inUseTest((project / "01 - Live").string()), "Permission denied");
    EXPECT_EQ(inUseTest((project / "AUTORUN.INF").string()), "Permission denied");
    EXPECT_EQ(inUseTest(std::vector<std::string>{(project / "01 - Live" / "01 - a.mp3").string(),
                                                 (project / "01 - Live").string()}),
              "Permission denied");
    EXPECT_EQ(inUseTestOfContents((project / "01 - Live").string()), std::nullopt);
    EXPECT_EQ(inUseTestOfContents(project.string()), "Permission denied");
  }
  EXPECT_EQ(allNames(project), before);
  EXPECT_EQ(allNames(project / "01 - Live"), std::vector<std::string>{"01 - a.mp3"});
}

TEST(InUseTest, OfContentsTestsEveryEntryBelowAFolder) {
  TempFolder dir;
  const fs::path album = dir / "01 - Live";
  fs::create_directories(album / "extra");
  writeBytes(album / "01 - a.dat", "a");
  writeBytes(album / "extra" / ".hidden", "h");
  EXPECT_EQ(inUseTestOfContents(album.string()), std::nullopt);
  EXPECT_EQ(inUseTestOfContents((dir / "missing").string()), "File not found");
  {
    UnchangeableFolder locked(album / "extra");
    if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";
    EXPECT_EQ(inUseTestOfContents(album.string()), "Permission denied");
  }
  EXPECT_EQ(allNames(album), (std::vector<std::string>{"01 - a.dat", "extra"}));
  EXPECT_EQ(allNames(album / "extra"), std::vector<std::string>{".hidden"});
}

// --- forced folder delete

TEST(ForceDeleteFolder, DeletesEverythingInsideReadOnlyToo) {
  TempFolder dir;
  const fs::path album = dir / "01 - Rock";
  fs::create_directories(album / "sub" / "deeper");
  writeBytes(album / "01 - a.mp3", "a");
  writeBytes(album / "sub" / "deeper" / "x.dat", "x");
  fs::permissions(album / "01 - a.mp3", fs::perms::owner_read);
  fs::permissions(album / "sub" / "deeper", fs::perms::owner_read | fs::perms::owner_exec);
  // A link inside is removed, what it points to stays.
  writeBytes(dir / "outside", "keep");
  fs::create_symlink(dir / "outside", album / "link");
  EXPECT_EQ(forceDeleteFolder(album.string()), std::nullopt);
  EXPECT_FALSE(fs::exists(album));
  EXPECT_EQ(readBytes(dir / "outside"), "keep");
}

TEST(ForceDeleteFolder, NoSuchFolder) {
  TempFolder dir;
  EXPECT_EQ(forceDeleteFolder((dir / "missing").string()), "Path not found");
  writeBytes(dir / "file", "f");
  EXPECT_EQ(forceDeleteFolder((dir / "file").string()), "Path not found");
  EXPECT_TRUE(fs::exists(dir / "file"));
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST(CopyNoReplace, CopiesWholeKeepingRunBitsAndNeverReplaces) {
  TempFolder dir;
  writeBytes(dir / "rodud.qd", "launcher");
  fs::permissions(dir / "rodud.qd", fs::perms::owner_all);
  EXPECT_EQ(copyNoReplace((dir / "rodud.qd").string(), (dir / "Alpha.exe").string()), std::nullopt);
  EXPECT_EQ(readBytes(dir / "Alpha.exe"), "launcher");
  EXPECT_EQ(fs::status(dir / "Alpha.exe").permissions(), fs::perms::owner_all);

  writeBytes(dir / "other", "other");
  EXPECT_EQ(copyNoReplace((dir / "other").string(), (dir / "Alpha.exe").string()), "File already exists");
  EXPECT_EQ(readBytes(dir / "Alpha.exe"), "launcher");
  EXPECT_EQ(copyNoReplace((dir / "missing").string(), (dir / "new").string()), "File not found");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3) << "no copy left behind";
}

}  // namespace
}  // namespace platform
