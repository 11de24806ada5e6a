#include "channel_gains.h"

#include <gtest/gtest.h>

#include <vector>

#include "gain_case.h"

using namespace media;

TEST(ChannelGains, FollowTheDecibelRuleOnEachSide) {
  const media_testing::GainCase cases[] = {
      {0, 0, 1.0f, 1.0f},
      {-600, 0, 0.501187f, 0.501187f},  // the player's start value: -6 dB
      {-6000, 0, 0.001f, 0.001f},       // quietest: -60 dB
      {0, 2000, 0.1f, 1.0f},            // right of centre: the left side loses 20 dB
      {0, -2000, 1.0f, 0.1f},
      {0, 10000, 0.00001f, 1.0f},  // right only
      {0, -10000, 1.0f, 0.00001f},
      {-2000, 4000, 0.001f, 0.1f},   // both rules add up on the attenuated side
      {500, 0, 1.0f, 1.0f},          // above the range: loudest
      {-9000, 20000, 0.00000001f, 0.001f},  // below and above: quietest, right only
  };
  for (const media_testing::GainCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "volume " << c.volume << ", balance " << c.balance);
    const ChannelGains gains = channelGains(c.volume, c.balance);
    EXPECT_NEAR(gains.left, c.left, c.left * 1e-4);
    EXPECT_NEAR(gains.right, c.right, c.right * 1e-4);
  }
}

TEST(ChannelGains, ScaleInterleavedStereoFramesSideBySide) {
  std::vector<float> samples = {0.5f, 0.5f, -1.0f, -1.0f, 0.25f, 0.75f};
  applyGains(samples.data(), 2, 2, {0.5f, 0.1f});
  // The third frame lies beyond the count and keeps its samples.
  EXPECT_EQ(samples, (std::vector<float>{0.25f, 0.05f, -0.5f, -0.1f, 0.25f, 0.75f}));
}

TEST(ChannelGains, OtherLayoutsTakeTheVolumeAloneOnEveryChannel) {
  std::vector<float> mono = {1.0f, -0.5f};
  applyGains(mono.data(), 2, 1, channelGains(-2000, 10000));
  EXPECT_NEAR(mono[0], 0.1f, 1e-6);
  EXPECT_NEAR(mono[1], -0.05f, 1e-6);
}
