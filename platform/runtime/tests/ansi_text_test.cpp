#include "ansi_text.h"

#include <gtest/gtest.h>

using namespace runtime;

TEST(AnsiText, ConvertsTheWholeCodePageBothWays) {
  for (int b = 0; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string utf8 = fromAnsi(byte);
    EXPECT_EQ(toAnsi(utf8), byte) << b;
  }
  EXPECT_EQ(fromAnsi("\x80\x9F\xE9"), "€Ÿé");
  EXPECT_EQ(toAnsi("“quoted” – ok"), std::string("\x93quoted\x94 \x96 ok"));
}

TEST(AnsiText, RefusesWhatTheCodePageCannotHold) {
  for (const char* bad : {"\xE4\xB8\xAD", "\xF0\x9F\x8E\xB5", "\xC3", "\xC0\x80", "\xED\xA0\x80", "\xFF"})
    EXPECT_FALSE(toAnsi(bad).has_value()) << bad;
  EXPECT_EQ(firstUnrepresentable("ok 中 no"), "中");
  EXPECT_EQ(firstUnrepresentable("all fine é"), "");
}

TEST(AnsiText, CaseMappingCoversTheCodePageLetters) {
  EXPECT_EQ(ansiLower("ÀÉÎ ŠŒŽŸ ABC × 中"), "àéî šœžÿ abc × 中");
  EXPECT_EQ(ansiUpper("àéî šœžÿ abc ÷ ß"), "ÀÉÎ ŠŒŽŸ ABC ÷ ß");
  EXPECT_TRUE(ansiEqualNoCase("Rock", "ROCK"));
  EXPECT_TRUE(ansiEqualNoCase("Café", "CAFÉ"));
  EXPECT_FALSE(ansiEqualNoCase("Rock", "Rocks"));
  EXPECT_LT(ansiCompareNoCase("apple", "Banana"), 0);
}
