// The player's own folder in the shared temporary folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(PrivateTempFolder, IsMadeForThisUserOnly) {
  TempFolder tmp;
  const auto folder = makePrivateFolder(tmp.str(), "Quendrel-test");
  ASSERT_TRUE(folder);
  EXPECT_EQ(*folder, tmp.str() + "/Quendrel-test/");
  EXPECT_EQ(modeOf(tmp / "Quendrel-test") & 07777, 0700u);
  // A second start finds it again.
  EXPECT_EQ(makePrivateFolder(tmp.str() + "/", "Quendrel-test"), folder);
}

TEST(PrivateTempFolder, NarrowsAFolderOfOursThatOthersCouldEnter) {
  TempFolder tmp;
  fs::create_directory(tmp / "Q");
  fs::permissions(tmp / "Q", fs::perms::all);
  writeBytes(tmp / "Q" / "kept.png", "x");
  ASSERT_TRUE(makePrivateFolder(tmp.str(), "Q"));
  EXPECT_EQ(modeOf(tmp / "Q") & 07777, 0700u);
  EXPECT_TRUE(fs::exists(tmp / "Q" / "kept.png"));
}

TEST(PrivateTempFolder, RefusesALinkAFileAndAMissingParent) {
  TempFolder tmp, target;
  fs::create_directory_symlink(target.path(), tmp / "link");
  writeBytes(tmp / "file", "x");
  const auto targetMode = modeOf(target.path());
  EXPECT_FALSE(makePrivateFolder(tmp.str(), "link"));
  EXPECT_EQ(modeOf(target.path()), targetMode);
  EXPECT_FALSE(makePrivateFolder(tmp.str(), "file"));
  EXPECT_FALSE(makePrivateFolder(tmp.str() + "/none", "Q"));
  EXPECT_FALSE(makePrivateFolder(tmp.str(), "a/b"));
  EXPECT_FALSE(makePrivateFolder("", "Q"));
}

TEST(PrivateTempFolder, IsNamedForTheUser) {
  EXPECT_EQ(privateTempFolderName(), "Quendrel-" + std::to_string(::geteuid()));
}

}  // namespace
}  // namespace player
