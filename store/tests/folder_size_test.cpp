#include "folder_size.h"

#include <gtest/gtest.h>

#include "runtime_rules.h"
#include "temp_folder.h"

using namespace store;
using testing_support::TempFolder;
using testing_support::writeBytes;

TEST(FolderSize, TextGroupsWholeThousands) {
  const std::pair<double, const char*> cases[] = {
      {0, "0 KB"},           {999, "0 KB"},           {12345, "12 KB"},         {99999, "99 KB"},
      {100000, "100 KB"},    {1000000, "1,000 KB"},   {1234567, "1,234 KB"},    {12345678, "12,345 KB"},
      {123456789, "123,456 KB"}, {1e9, "1,000,000 KB"}, {5e12, "5,000,000,000 KB"},
  };
  for (auto [bytes, text] : cases) EXPECT_EQ(folderSizeText(bytes), text) << bytes;
}

TEST(FolderSize, SumsEverythingBelowAFolder) {
  TempFolder dir;
  EXPECT_EQ(SizeOf(dir.str()), 0) << "empty folder";
  EXPECT_EQ(SizeOf((dir / "missing").string()), 0);
  std::filesystem::create_directories(dir / "01 - A" / "deeper");
  writeBytes(dir / "top.bin", std::string(1000, 'x'));
  writeBytes(dir / "01 - A" / "song.mp3", std::string(2345, 'x'));
  writeBytes(dir / "01 - A" / "deeper" / ".hidden", std::string(5, 'x'));
  EXPECT_EQ(SizeOf((dir / "top.bin").string()), 1000);
  EXPECT_EQ(SizeOf(dir.str()), 3350);
}

TEST(FolderSize, DoesNotFollowFolderLinksAndLetsEventsRun) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "a");
  writeBytes(dir / "a" / "f", "12345");
  std::filesystem::create_directory_symlink(dir.path(), dir / "a" / "loop");
  int events = 0;
  runtime::setPendingEventsHandler([&] { ++events; });
  EXPECT_EQ(SizeOf(dir.str()), 5);
  runtime::setPendingEventsHandler(nullptr);
  EXPECT_EQ(events, 3) << "one per folder entry: a, f, loop";
}
