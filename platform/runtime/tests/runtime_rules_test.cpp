#include "runtime_rules.h"

#include <gtest/gtest.h>

#include <set>

using namespace runtime;

TEST(RuntimeRules, ValReadsAsMuchNumberAsThereIs) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},          {"abc", 0},       {" 128", 128},   {"  12 34", 1234}, {"29127", 29127},
      {"29128\r\n", 29128}, {"-5", -5},   {"+7", 7},       {"1.5", 1.5},      {".5", 0.5},
      {"1.2.3", 1.2},   {"12abc", 12},    {"1e3", 1000},   {"1D2", 100},      {"2e", 2},
      {"&HFF", 255},    {"&hff", 255},    {"&HFFFF", -1},  {"&H10000", 65536}, {"&O17", 15},
      {"\t9\n9", 99},   {"-", 0},         {"1-2", 1},
  };
  for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(Val(text), value) << '"' << text << '"';
}

TEST(RuntimeRules, StrKeepsTheSignPosition) {
  EXPECT_EQ(Str(128), " 128");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(2.5), " 2.5");
  EXPECT_EQ(Str(0.25), " .25");
  EXPECT_EQ(Str(-0.5), "-.5");
  EXPECT_EQ(Str(255.0), " 255");
}

TEST(RuntimeRules, IntRoundingAndTwoDigits) {
  EXPECT_EQ(Int(2.7), 2);
  EXPECT_EQ(Int(-2.1), -3);
  const std::pair<double, long long> halves[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.6, 3}};
  for (auto [v, r] : halves) EXPECT_EQ(roundHalfEven(v), r) << v;
  EXPECT_EQ(twoDigits(0), "00");
  EXPECT_EQ(twoDigits(7), "07");
  EXPECT_EQ(twoDigits(10), "10");
  EXPECT_EQ(twoDigits(30), "30");
}

TEST(RuntimeRules, RandomStaysInRangeAndCanBeScripted) {
  Random rnd;
  rnd.randomize(12345.678);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    double v = rnd.next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    seen.insert(rnd.below(30));
  }
  EXPECT_EQ(seen.size(), 30u) << "every box number is drawn";
  Random a, b;
  a.randomize(1.0);
  b.randomize(1.0);
  EXPECT_EQ(a.next(), b.next()) << "the same seed gives the same sequence";

  std::vector<double> script = {0.0, 0.999, 0.5};
  std::size_t i = 0;
  rnd.setSource([&] { return script[i++]; });
  EXPECT_EQ(rnd.below(10), 0);
  EXPECT_EQ(rnd.below(10), 9);
  EXPECT_EQ(rnd.below(10), 5);
}

TEST(RuntimeRules, PendingEventsGoToTheInstalledHandler) {
  int calls = 0;
  letPendingEventsRun();
  setPendingEventsHandler([&] { ++calls; });
  letPendingEventsRun();
  letPendingEventsRun();
  setPendingEventsHandler(nullptr);
  letPendingEventsRun();
  EXPECT_EQ(calls, 2);
}
