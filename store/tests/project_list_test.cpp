#include "project_list.h"

#include <gtest/gtest.h>

#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::fromBytes;
using testing_support::hex;
using testing_support::TempFolder;
using testing_support::toBytes;

TEST(ProjectList, EmptyListIsTwoZeroBytes) {
  EXPECT_EQ(fromBytes(encodeProjectList({})), hex("00 00"));
  EXPECT_TRUE(decodeProjectList(toBytes(hex("00 00"))).empty());
}

TEST(ProjectList, KeepsOrderAndPairsAndCodePageCharacters) {
  const std::vector<ProjectListEntry> entries = {
      {"Rock", "/home/me/Rock"}, {"Café", "/media/Ümlaut/Café"}, {"Jazz", "/srv/music/Jazz"}};
  TempFolder dir;
  writeProjectList(dir / "qdd.dat", entries);
  EXPECT_EQ(readProjectList(dir / "qdd.dat"), entries);
  const std::string bytes = testing_support::readBytes(dir / "qdd.dat");
  EXPECT_EQ(bytes.substr(0, 12), hex("03 00 04 00 B6 00 D3 00 C7 00 CF 00"));  // 3 entries, "Rock"
}

TEST(ProjectList, ShortOrCorruptFilesGiveTheWholeEntriesBeforeTheFault) {
  const std::string rock = hex("01 00 B6 00") + hex("01 00 93 00");  // "R", "/"
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t entries;
  };
  const Case cases[] = {
      {"empty file", "", 0},
      {"count only, entries missing", hex("02 00"), 0},
      {"second entry missing", hex("02 00") + rock, 1},
      {"second entry without its folder", hex("02 00") + rock + hex("01 00 B6 00"), 1},
      {"negative count", hex("FF FF") + rock, 0},
      {"count far beyond the file", hex("FF 7F") + rock, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeProjectList(toBytes(c.bytes)).size(), c.entries) << c.name;
}

TEST(ProjectList, RefusesMoreThan32767EntriesAndMissingFiles) {
  std::vector<ProjectListEntry> many(32768, {"a", "/a"});
  EXPECT_THROW(encodeProjectList(many), StoreError);
  many.pop_back();
  EXPECT_NO_THROW(encodeProjectList(many));
  TempFolder dir;
  EXPECT_THROW(readProjectList(dir / "qdd.dat"), StoreError);
}
