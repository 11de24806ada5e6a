#include "shifted_string.h"

#include <gtest/gtest.h>

#include "store_error.h"
#include "temp_folder.h"

using namespace store;
using testing_support::fromBytes;
using testing_support::hex;
using testing_support::toBytes;

namespace {

std::string encode(const std::string& utf8) {
  ByteWriter out;
  writeShiftedString(out, utf8, "title");
  return fromBytes(out.bytes());
}

std::optional<std::string> decode(const std::string& bytes, std::size_t* left = nullptr) {
  Bytes b = toBytes(bytes);
  ByteReader in(b);
  auto text = readShiftedString(in);
  if (left) *left = in.remaining();
  return text;
}

}  // namespace

TEST(ShiftedString, StoresEachCharacterCodePlusHundred) {
  EXPECT_EQ(encode("abc"), hex("03 00 C5 00 C6 00 C7 00"));
  EXPECT_EQ(encode(""), hex("00 00"));
  // Windows-1252 codes, not UTF-8 bytes: é is 0xE9, € is 0x80.
  EXPECT_EQ(encode("é€"), hex("02 00 4D 01 E4 00"));
}

TEST(ShiftedString, RoundTripsEveryCharacterOfTheCodePage) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  ByteWriter out;
  writeShiftedAnsi(out, all, "text");
  ByteReader in(out.bytes());
  EXPECT_EQ(readShiftedAnsi(in), all);
  EXPECT_TRUE(in.atEnd());
}

TEST(ShiftedString, RefusesTextTheCodePageCannotHoldNamingTheField) {
  for (const std::string bad : {"Songs \xE4\xB8\xAD", "\xF0\x9F\x8E\xB5", "broken \xC3"}) {
    ByteWriter out;
    try {
      writeShiftedString(out, bad, "subtitle");
      FAIL() << "accepted " << bad;
    } catch (const StoreError& e) {
      EXPECT_NE(std::string(e.what()).find("subtitle"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(out.bytes().empty());
  }
}

TEST(ShiftedString, HoldsAtMost32767Characters) {
  ByteWriter out;
  EXPECT_NO_THROW(writeShiftedString(out, std::string(32767, 'x'), "information text"));
  EXPECT_EQ(out.bytes().size(), 2u + 2u * 32767u);
  EXPECT_THROW(writeShiftedString(out, std::string(32768, 'x'), "information text"), StoreError);
}

TEST(ShiftedString, ReaderStopsAtAFieldThatDoesNotFit) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"no bytes", ""},
      {"half a count", hex("03")},
      {"count beyond the bytes", hex("03 00 C5 00 C6 00")},
      {"negative count", hex("FF FF C5 00")},
      {"huge count", hex("FF 7F C5 00")},
  };
  for (const auto& c : cases) {
    std::size_t left = 0;
    EXPECT_FALSE(decode(c.bytes, &left).has_value()) << c.name;
    EXPECT_EQ(left, c.bytes.size()) << c.name << ": reader moved";
  }
}

TEST(ShiftedString, ReaderSkipsValuesOutsideTheCodePage) {
  // 0x0050 is code -20 and 0x0200 code 412: neither is a character.
  EXPECT_EQ(decode(hex("03 00 50 00 C5 00 00 02")), "a");
}
