#include "mpg123_decoder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "tone_mp3.h"

using namespace media;
using media_testing::kToneRate;
using media_testing::writeToneMp3;

namespace {

class Mpg123DecoderTest : public testing::Test {
 protected:
  std::filesystem::path file(const char* name) const { return std::filesystem::path(dir_.path().toStdString()) / name; }

  std::filesystem::path tone(double seconds, int channels = 2) {
    const auto path = file(channels == 1 ? "mono.mp3" : "tone.mp3");
    EXPECT_TRUE(writeToneMp3(path, seconds, channels));
    return path;
  }

  // Decodes everything from where the decoder stands; returns the frames read.
  static std::int64_t readToEnd(AudioDecoder& decoder, float* peak = nullptr) {
    std::vector<float> buffer(2 * 1000);
    std::int64_t total = 0;
    while (const std::size_t got = decoder.read(buffer.data(), 1000)) {
      total += static_cast<std::int64_t>(got);
      if (peak)
        for (std::size_t i = 0; i < 2 * got; ++i) *peak = std::max(*peak, std::abs(buffer[i]));
    }
    return total;
  }

  QTemporaryDir dir_;
};

}  // namespace

TEST_F(Mpg123DecoderTest, GivesTheExactLengthWithoutTheEncoderPadding) {
  Mpg123Decoder decoder;
  ASSERT_TRUE(decoder.open(tone(2.0)));
  EXPECT_EQ(decoder.format(), (AudioFormat{kToneRate, 2}));
  EXPECT_EQ(decoder.lengthFrames(), 2 * kToneRate);
  float peak = 0;
  EXPECT_EQ(readToEnd(decoder, &peak), 2 * kToneRate);
  EXPECT_NEAR(peak, 16000.0 / 32768, 0.05) << "the tone comes out at its own level";
  EXPECT_EQ(decoder.read(std::vector<float>(20).data(), 10), 0u) << "the end stays the end";
}

TEST_F(Mpg123DecoderTest, MonoSongsComeOutAsStereo) {
  Mpg123Decoder decoder;
  ASSERT_TRUE(decoder.open(tone(0.5, 1)));
  EXPECT_EQ(decoder.format(), (AudioFormat{kToneRate, 2}));
  std::vector<float> buffer(2 * 4000);
  ASSERT_EQ(decoder.read(buffer.data(), 4000), 4000u);
  for (std::size_t i = 0; i < buffer.size(); i += 2) ASSERT_EQ(buffer[i], buffer[i + 1]) << "frame " << i / 2;
}

TEST_F(Mpg123DecoderTest, SeeksToAFrameAndClampsToTheSong) {
  Mpg123Decoder decoder;
  ASSERT_TRUE(decoder.open(tone(2.0)));
  EXPECT_EQ(decoder.seek(kToneRate / 2), kToneRate / 2);
  EXPECT_EQ(readToEnd(decoder), 2 * kToneRate - kToneRate / 2);

  EXPECT_EQ(decoder.seek(-100), 0);
  EXPECT_EQ(readToEnd(decoder), 2 * kToneRate) << "back to the start after the end";

  EXPECT_EQ(decoder.seek(10 * kToneRate), 2 * kToneRate);
  EXPECT_EQ(readToEnd(decoder), 0);
  EXPECT_EQ(decoder.seek(2 * kToneRate - 100), 2 * kToneRate - 100) << "a seek leaves the end again";
  EXPECT_EQ(readToEnd(decoder), 100);
}

TEST_F(Mpg123DecoderTest, RefusesWhatIsNoSongAndStaysClosed) {
  std::ofstream(file("words.mp3")) << "These are not the frames you are looking for.\r\n";
  std::ofstream(file("empty.mp3"));
  std::ofstream(file("cut.mp3"), std::ios::binary) << "\xFF\xFB\x90";  // a frame header and no frame
  for (const char* name : {"missing.mp3", "words.mp3", "empty.mp3", "cut.mp3"}) {
    SCOPED_TRACE(name);
    Mpg123Decoder decoder;
    EXPECT_FALSE(decoder.open(file(name)));
    EXPECT_FALSE(decoder.format().isValid());
    EXPECT_EQ(decoder.lengthFrames(), 0);
    EXPECT_EQ(decoder.read(std::vector<float>(20).data(), 10), 0u);
    EXPECT_EQ(decoder.seek(50), 0);
  }
}

TEST_F(Mpg123DecoderTest, AFailedOpenClosesTheSongBefore) {
  Mpg123Decoder decoder;
  ASSERT_TRUE(decoder.open(tone(0.5)));
  EXPECT_FALSE(decoder.open(file("missing.mp3")));
  EXPECT_EQ(decoder.lengthFrames(), 0);
  EXPECT_EQ(decoder.read(std::vector<float>(20).data(), 10), 0u);
}
