#include "pack_file.h"

#include <gtest/gtest.h>

#include "binary_io.h"
#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::hex;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::toBytes;
using testing_support::writeBytes;

namespace {

// One record as the format lays it out, for hand-made pack files.
std::string record(std::int32_t count, std::int32_t number, const std::string& name, const std::string& data) {
  ByteWriter w;
  w.writeLong(count);
  w.writeLong(number);
  w.writeInteger(8);
  w.writeInteger(static_cast<std::int16_t>(name.size()));
  w.writeBytes(name);
  w.writeLong(static_cast<std::int32_t>(data.size()));
  if (data.size() < 65535) {
    w.writeWord(static_cast<std::uint16_t>(data.size()));
  } else {
    w.writeWord(0xFFFF);
    w.writeLong(static_cast<std::int32_t>(data.size()));
  }
  w.writeBytes(data);
  return std::string(w.bytes().begin(), w.bytes().end());
}

const std::string kHeader = hex("00 10 00 00");

std::vector<std::string> filesIn(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    names.push_back(std::filesystem::relative(e.path(), dir).string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(PackFile, MatchesTheWorkedCoverExample) {
  TempFolder mirror;
  writeBytes(mirror / "01.jpg", "xyz");
  std::vector<std::string> coverNames(30);
  coverNames[0] = "01.jpg";
  packFiles(mirror / "cvrd.qd", coverNames, mirror.path());
  EXPECT_EQ(readBytes(mirror / "cvrd.qd"),
            hex("00 10 00 00 1E 00 00 00 01 00 00 00 08 00 06 00 30 31 2E 6A 70 67 03 00 00 00 03 00") + "xyz");
}

TEST(PackFile, EmptyNameListGivesTheHeaderOnlyAndUnpacksNothing) {
  TempFolder mirror, target;
  packFiles(mirror / "dop.qd", {"", "", ""}, mirror.path());
  EXPECT_EQ(readBytes(mirror / "dop.qd"), kHeader);
  EXPECT_TRUE(unpackFiles(mirror / "dop.qd", target.path()).empty());
  EXPECT_TRUE(filesIn(target.path()).empty());
}

TEST(PackFile, IntroAloneIsRecordOneOfThreeAndUnpacksToTheFirstName) {
  TempFolder mirror, target;
  writeBytes(mirror / "__Intro__.jpg", "JPEG");
  packFiles(mirror / "dop.qd", {"", "", "__Intro__.jpg"}, mirror.path());
  EXPECT_EQ(readBytes(mirror / "dop.qd"), kHeader + record(3, 1, "__Intro__.jpg", "JPEG"));
  EXPECT_EQ(unpackFiles(mirror / "dop.qd", target.path()), std::vector<std::string>{"__Intro__.jpg"});
  EXPECT_EQ(readBytes(target / "__Intro__.jpg"), "JPEG");
}

TEST(PackFile, LengthPrefixAroundThe16BitLimit) {
  struct Case {
    std::size_t size;
    std::string prefix;  // the bytes after dataLength
  };
  const Case cases[] = {
      {0, hex("00 00")},
      {65534, hex("FE FF")},
      {65535, hex("FF FF FF FF 00 00")},
      {70000, hex("FF FF 70 11 01 00")},
  };
  for (const auto& c : cases) {
    TempFolder mirror, target;
    std::string data(c.size, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + 3);
    writeBytes(mirror / "m.bmp", data);
    packFiles(mirror / "p.qd", {"m.bmp"}, mirror.path());
    const std::string bytes = readBytes(mirror / "p.qd");
    // header 4, count 4, number 4, tag 2, length 2, name 5, dataLength 4
    ASSERT_GE(bytes.size(), 25u + c.prefix.size());
    EXPECT_EQ(bytes.substr(21, 4), std::string(reinterpret_cast<const char*>(&c.size), 4)) << c.size;
    EXPECT_EQ(bytes.substr(25, c.prefix.size()), c.prefix) << c.size;
    EXPECT_EQ(bytes.size(), 25 + c.prefix.size() + c.size);
    ASSERT_EQ(unpackFiles(mirror / "p.qd", target.path()), std::vector<std::string>{"m.bmp"});
    EXPECT_EQ(readBytes(target / "m.bmp"), data) << c.size;
  }
}

TEST(PackFile, RepackingFewerMembersLeavesNoOldBytes) {
  TempFolder mirror;
  writeBytes(mirror / "a.jpg", std::string(5000, 'a'));
  writeBytes(mirror / "b.gif", "bb");
  packFiles(mirror / "dop.qd", {"a.jpg", "b.gif", ""}, mirror.path());
  packFiles(mirror / "dop.qd", {"", "b.gif", ""}, mirror.path());
  EXPECT_EQ(readBytes(mirror / "dop.qd"), kHeader + record(3, 1, "b.gif", "bb"));
}

TEST(PackFile, AMissingMemberFailsAndKeepsTheOldPackWhole) {
  TempFolder mirror;
  writeBytes(mirror / "a.jpg", "aaa");
  packFiles(mirror / "dop.qd", {"a.jpg", "", ""}, mirror.path());
  const std::string before = readBytes(mirror / "dop.qd");
  EXPECT_THROW(packFiles(mirror / "dop.qd", {"a.jpg", "gone.jpg", ""}, mirror.path()), StoreError);
  EXPECT_EQ(readBytes(mirror / "dop.qd"), before);
  EXPECT_EQ(filesIn(mirror.path()), (std::vector<std::string>{"a.jpg", "dop.qd"}));
}

TEST(PackFile, ReadersStopAtTheRulesAndAtCorruptRecords) {
  const std::string one = record(3, 1, "a.jpg", "A");
  const std::string two = record(3, 2, "b.jpg", "B");
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> names;
  };
  const std::vector<Case> cases = {
      {"empty file", "", {}},
      {"header only", kHeader, {}},
      {"two whole records", kHeader + one + two, {"a.jpg", "b.jpg"}},
      {"number equals count stops", kHeader + record(2, 2, "a.jpg", "A") + two, {"a.jpg"}},
      {"second record cut in its data", kHeader + one + two.substr(0, two.size() - 1), {"a.jpg"}},
      {"second record cut in its name", kHeader + one + two.substr(0, 15), {"a.jpg"}},
      {"wrong type tag", kHeader + one + two.substr(0, 8) + hex("07 00") + two.substr(10), {"a.jpg"}},
      {"negative name length", kHeader + one + two.substr(0, 10) + hex("FF FF") + two.substr(12), {"a.jpg"}},
      {"long prefix beyond the file", kHeader + one + two.substr(0, 21) + hex("FF FF FF FF FF 7F") + "B", {"a.jpg"}},
      {"negative long prefix", kHeader + one + two.substr(0, 21) + hex("FF FF 00 00 00 80") + "B", {"a.jpg"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    Bytes b = toBytes(c.bytes);
    forEachPackRecord(b, [&](const PackRecordView& r) { names.push_back(r.memberName); });
    EXPECT_EQ(names, c.names) << c.name;
    TempFolder target;
    writeBytes(target / "p.qd", c.bytes);
    std::filesystem::create_directory(target / "out");
    EXPECT_EQ(unpackFiles(target / "p.qd", target / "out"), c.names) << c.name;
  }
}

TEST(PackFile, MemberNamesThatLeaveTheFolderAreSkipped) {
  TempFolder root;
  std::filesystem::create_directories(root / "target");
  const std::string bad[] = {"../escape.jpg", "/tmp/abs.jpg", "a\\b.jpg", "..", ".", "", std::string("x\0y", 3),
                             "sub/inner.jpg"};
  std::string bytes = kHeader;
  int number = 0;
  for (const auto& name : bad) bytes += record(20, ++number, name, "evil");
  bytes += record(20, ++number, "good.jpg", "fine");
  writeBytes(root / "p.qd", bytes);
  EXPECT_EQ(unpackFiles(root / "p.qd", root / "target"), std::vector<std::string>{"good.jpg"});
  EXPECT_EQ(filesIn(root.path()), (std::vector<std::string>{"p.qd", "target", "target/good.jpg"}));
  for (const auto& name : bad) EXPECT_FALSE(isPlainFileName(name)) << name;
  EXPECT_TRUE(isPlainFileName("__Intro__.jpeg"));
}

TEST(PackFile, UnpackReplacesExistingMembersAndFailsOnAMissingPack) {
  TempFolder mirror;
  writeBytes(mirror / "a.jpg", "new");
  packFiles(mirror / "dop.qd", {"a.jpg"}, mirror.path());
  writeBytes(mirror / "a.jpg", "a much longer old file");
  unpackFiles(mirror / "dop.qd", mirror.path());
  EXPECT_EQ(readBytes(mirror / "a.jpg"), "new");
  EXPECT_THROW(unpackFiles(mirror / "gone.qd", mirror.path()), StoreError);
}
