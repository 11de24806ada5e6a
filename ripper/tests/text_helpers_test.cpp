// The ripper window's text helpers: a folder made ready for a file name,
// and the text of a drive record's zero-padded name field.
#include <gtest/gtest.h>

#include <string>

#include "cd_records.h"
#include "text_helpers.h"

namespace ripper_test {
namespace {

using ripper::AddSlash;
using ripper::BytesToStr;

TEST(AddSlash, AddsTheSeparatorOnlyWhenTheLastCharacterIsNotOne) {
  const struct {
    const char* path;
    const char* ready;
  } cases[] = {{"/music/01 - Rock", "/music/01 - Rock/"}, {"/music/01 - Rock/", "/music/01 - Rock/"},
               {"/", "/"}, {"", "/"}, {"a/ ", "a/ /"}};
  for (const auto& c : cases) EXPECT_EQ(AddSlash(c.path), c.ready) << c.path;
}

QString fromBytes(const std::string& bytes) {
  return BytesToStr(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(BytesToStr, KeepsEveryNonZeroByteInOrderAndSkipsTheZeros) {
  const struct {
    std::string bytes;
    QString text;
  } cases[] = {
      {std::string("HL-DT-ST\0\0DVD\0", 14), "HL-DT-STDVD"},  // a zero does not end the text
      {std::string("\0\0\0", 3), ""},
      {"", ""},
      {"disc.cue", "disc.cue"},
      {"Pl\xC3\xA4ne.cue", QString::fromUtf8("Pl\xC3\xA4ne.cue")},  // a name the library wrote as UTF-8
      {"Caf\xE9 \x80", QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC")},  // bytes of the code page
  };
  for (const auto& c : cases) EXPECT_EQ(fromBytes(c.bytes), c.text) << c.bytes;

  // A whole record field: 65 bytes, the name and zeros after it.
  ripper::CdRecord record{};
  const std::string name = "ASUS DRW-24D5MT";
  std::copy(name.begin(), name.end(), record.id);
  EXPECT_EQ(BytesToStr(record.id), "ASUS DRW-24D5MT");
}

}  // namespace
}  // namespace ripper_test
