#include "opening_hold.h"

#include <gtest/gtest.h>

using media::OpeningHold;

TEST(OpeningHold, HoldsFromTheFirstLookHoweverLateItComes) {
  OpeningHold hold;
  EXPECT_FALSE(hold.holds(0)) << "nothing opened yet";

  hold.start();
  // The first look comes long after the open, as from a busy event loop.
  EXPECT_TRUE(hold.holds(5000));
  EXPECT_TRUE(hold.holds(5000 + OpeningHold::kHoldMs - 1));
  EXPECT_FALSE(hold.holds(5000 + OpeningHold::kHoldMs));
  EXPECT_FALSE(hold.holds(5000 + 1)) << "once over, it stays over until the next open";

  hold.start();
  EXPECT_TRUE(hold.holds(9000)) << "every open holds afresh";
}

TEST(OpeningHold, CancelEndsItAtOnce) {
  OpeningHold hold;
  hold.start();
  EXPECT_TRUE(hold.holds(100));
  hold.cancel();
  EXPECT_FALSE(hold.holds(101));

  hold.start();
  hold.cancel();
  EXPECT_FALSE(hold.holds(200)) << "cancelled before anyone looked";
}
