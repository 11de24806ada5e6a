#include "mpg123_decoder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
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

  static std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
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

TEST_F(Mpg123DecoderTest, RefusesPipesDevicesAndFoldersWithoutWaiting) {
  const auto pipe = file("pipe.mp3");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_directory(file("folder.mp3"));
  std::filesystem::create_symlink("/dev/zero", file("zero.mp3"));
  for (const char* name : {"pipe.mp3", "folder.mp3", "zero.mp3"}) {
    SCOPED_TRACE(name);
    Mpg123Decoder decoder;
    auto opened = std::async(std::launch::async, [&] { return decoder.open(file(name)); });
    if (opened.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
      ADD_FAILURE() << "the open waits";
      // A writer lets an open that waits for one go on, so the test can end.
      const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
    EXPECT_FALSE(opened.get());
    EXPECT_EQ(decoder.lengthFrames(), 0);
  }
  std::filesystem::create_symlink(tone(0.5), file("link.mp3"));
  Mpg123Decoder decoder;
  EXPECT_TRUE(decoder.open(file("link.mp3"))) << "a link to a song is a song";
}

// A song cut short, or with more after the end its info frame tells of: a
// scan of the file would find another length than the info frame gives.
TEST_F(Mpg123DecoderTest, TakesTheLengthFromTheEncoderInfoFrameWithoutReadingTheSong) {
  const std::string song = bytesOf(tone(2.0));
  const std::pair<const char*, std::string> cases[] = {
      {"cut", song.substr(0, song.size() * 2 / 3)},
      {"longer", song + song},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    writeBytes(file("changed.mp3"), bytes);
    Mpg123Decoder decoder;
    ASSERT_TRUE(decoder.open(file("changed.mp3")));
    EXPECT_EQ(decoder.lengthFrames(), 2 * kToneRate);
  }
}

TEST_F(Mpg123DecoderTest, ScansASongWithoutTheEncoderInfoFrameForItsExactLength) {
  const auto path = file("plain.mp3");
  ASSERT_TRUE(writeToneMp3(path, 2.0, 2, false));
  // Bytes after the last frame make a guess from the file's size far too long.
  writeBytes(path, bytesOf(path) + std::string(40000, '\0'));
  Mpg123Decoder decoder;
  ASSERT_TRUE(decoder.open(path));
  const std::int64_t length = decoder.lengthFrames();
  EXPECT_GE(length, 2 * kToneRate) << "the encoder's delay and padding, unknown, stay in";
  EXPECT_LT(length, 2 * kToneRate + 4000);
  EXPECT_EQ(readToEnd(decoder), length);
}
