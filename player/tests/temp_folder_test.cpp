// The player's folder of one run in the shared temporary folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "private_temp_folder.h"
#include "temp_folder.h"

namespace player {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;
using testing_support::writeBytes;

mode_t modeOf(const fs::path& path) {
  struct stat st{};
  if (::lstat(path.c_str(), &st) != 0) return 0;
  return st.st_mode;
}

TEST(RunFolder, IsANewFolderForThisUserOnlyEveryRun) {
  TempFolder tmp;
  // A folder an earlier run left, and a link someone planted.
  fs::create_directory(tmp / "Quendrel-old");
  TempFolder elsewhere;
  fs::create_directory_symlink(elsewhere.path(), tmp / ("Quendrel-" + std::to_string(::geteuid())));

  RunFolder first, second;
  const auto a = first.make(tmp.str());
  const auto b = second.make(tmp.str() + "/");
  ASSERT_TRUE(a && b);
  EXPECT_NE(*a, *b);
  for (const std::string& folder : {*a, *b}) {
    EXPECT_EQ(fs::path(folder).parent_path().parent_path(), tmp.path()) << folder;
    EXPECT_TRUE(fs::path(folder).parent_path().filename().string().starts_with("Quendrel-")) << folder;
    EXPECT_TRUE(S_ISDIR(modeOf(folder))) << "a real folder, not a link: " << folder;
    EXPECT_EQ(modeOf(folder) & 07777, 0700u) << folder;
  }
  EXPECT_EQ(first.make(tmp.str()), a) << "the run keeps its folder";
  EXPECT_EQ(first.path(), a);
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST(RunFolder, GoesWithAllItHoldsButNothingItLinksTo) {
  TempFolder tmp, elsewhere;
  writeBytes(elsewhere / "mine.png", "x");
  std::string folder;
  {
    RunFolder run;
    const auto covers = run.makeSubfolder(tmp.str(), "cvrd");
    ASSERT_TRUE(covers);
    folder = *run.path();
    EXPECT_EQ(*covers, folder + "cvrd/");
    EXPECT_EQ(modeOf(*covers) & 07777, 0700u);
    EXPECT_EQ(run.makeSubfolder(tmp.str(), "cvrd"), covers) << "made once, found again";
    writeBytes(*covers + "01.jpg", "x");
    writeBytes(folder + "title.png", "x");
    fs::create_directory_symlink(elsewhere.path(), folder + "link");
    run.remove();
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(run.path());
    // A later need makes a new one, which goes when the run does.
    ASSERT_TRUE(run.make(tmp.str()));
    folder = *run.path();
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_TRUE(fs::is_empty(tmp.path()));
  EXPECT_TRUE(fs::exists(elsewhere / "mine.png"));
}

TEST(RunFolder, IsNoneWhereItCannotBeMade) {
  TempFolder tmp;
  writeBytes(tmp / "file", "x");
  RunFolder run;
  EXPECT_FALSE(run.make(tmp.str() + "/none"));
  EXPECT_FALSE(run.make(""));
  EXPECT_FALSE(run.path());
  EXPECT_FALSE(run.makeSubfolder(tmp.str() + "/file", "cvrd"));
  ASSERT_TRUE(run.make(tmp.str()));
  writeBytes(*run.path() + "cvrd", "a file of that name");
  EXPECT_FALSE(run.makeSubfolder(tmp.str(), "cvrd"));
  EXPECT_FALSE(run.makeSubfolder(tmp.str(), "a/b"));
}

}  // namespace
}  // namespace player
