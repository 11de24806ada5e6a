#include "picture_cleanup.h"

#include <gtest/gtest.h>

#include "folder_listing.h"
#include "temp_folder.h"

using namespace store;
using testing_support::TempFolder;
using testing_support::writeBytes;

TEST(PictureCleanup, DeletesByPatternWithoutRegardToCase) {
  struct Case {
    const char* pattern;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"", {"c.png", "d.ico", "e.txt"}},
      {"*.gif;*.jpg;*.jpeg;*.bmp", {"c.png", "d.ico", "e.txt"}},
      {"*.ico", {"a.JPG", "b.jpeg", "c.png", "f.Gif", "g.bmp", "e.txt"}},
      {"*.png", {"a.JPG", "b.jpeg", "c.png", "d.ico", "e.txt", "f.Gif", "g.bmp"}},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    for (const char* f : {"a.JPG", "b.jpeg", "c.png", "d.ico", "e.txt", "f.Gif", "g.bmp"}) writeBytes(dir / f, "x");
    deleteAllPics(dir.str(), c.pattern);
    auto left = listFiles(dir.path());
    auto expected = c.left;
    std::sort(expected.begin(), expected.end(), nameOrderLess);
    EXPECT_EQ(left, expected) << '"' << c.pattern << '"';
  }
}
