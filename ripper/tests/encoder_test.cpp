// The encoder's settings record and its stream calls over libmp3lame: the
// record's bytes, the refusals, the frame headers the chosen bitrate and
// flags give, and what the quality presets do.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>

#include "mp3_encoder.h"
#include "mp3_reading.h"
#include "temp_folder.h"

namespace ripper_test {
namespace {

using namespace ripper;
using namespace ripper::encoder;

std::int32_t wordAt(const EncoderSettings& s, std::size_t offset) {
  std::int32_t value;
  std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(&s) + offset, 4);
  return value;
}

// `seconds` of a stereo tone, `hz` on the left and 1.5 times it on the right.
std::vector<std::int16_t> tone(double seconds, double hz) {
  std::vector<std::int16_t> pcm;
  const long pairs = std::lround(seconds * 44100);
  for (long i = 0; i < pairs; ++i) {
    pcm.push_back(static_cast<std::int16_t>(12000 * std::sin(2 * std::numbers::pi * hz * i / 44100.0)));
    pcm.push_back(static_cast<std::int16_t>(8000 * std::sin(2 * std::numbers::pi * 1.5 * hz * i / 44100.0)));
  }
  return pcm;
}

// The stream of `pcm` through the four calls, in chunks of one CD frame.
std::vector<std::uint8_t> encode(const EncoderSettings& settings, const std::vector<std::int16_t>& pcm) {
  std::uint32_t samples = 0, size = 0, written = 0;
  StreamHandle stream = 0;
  EXPECT_EQ(beInitStream(&settings, &samples, &size, &stream), kSuccess);
  std::vector<std::uint8_t> out(size), all;
  for (std::size_t at = 0; at + 1176 <= pcm.size(); at += 1176) {
    EXPECT_EQ(beEncodeChunk(stream, 1176, pcm.data() + at, out.data(), &written), kSuccess);
    all.insert(all.end(), out.begin(), out.begin() + written);
  }
  EXPECT_EQ(beDeinitStream(stream, out.data(), &written), kSuccess);
  all.insert(all.end(), out.begin(), out.begin() + written);
  EXPECT_EQ(beCloseStream(stream), kSuccess);
  return all;
}

TEST(EncoderSettingsRecord, HoldsTheFixedValuesTheBitratePresetAndFlags) {
  const EncoderSettings s = mp3Settings(160, 9000, true, false, true, false);
  const struct {
    std::size_t offset;
    std::int32_t value;
  } words[] = {{0, 256}, {4, 1},    {8, 331},  {12, 44100}, {16, 0},  {20, 1},  {24, 160}, {32, 9000},
               {36, 1},  {40, 0},   {44, 0},   {48, -1},    {52, 0},  {56, -1}, {60, 0},   {80, -1}};
  for (const auto& w : words) EXPECT_EQ(wordAt(s, w.offset), w.value) << "offset " << w.offset;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&s);
  for (std::size_t at : {28u, 29u, 30u, 31u, 64u, 70u, 79u, 84u, 200u, 330u, 331u}) EXPECT_EQ(bytes[at], 0) << at;
}

TEST(QualityPresets, EachLineGivesItsPresetValueAndTheEncoderTuningOfIt) {
  const struct {
    const char* line;
    std::int32_t preset;
    int quality;
    bool mono;
    int lowpassHz, highpassHz;
  } presets[] = {
      {"Low", 1, 9, false, 0, 0},         {"Normal", 0, 5, false, 0, 0},      {"High", 2, 2, false, 0, 0},
      {"Voice", 3, 5, true, 12000, 0},    {"Phone", 1000, 5, true, 3400, 300}, {"Radio", 6000, 5, false, 15000, 0},
      {"Tape", 7000, 5, false, 16000, 0}, {"Hifi", 8000, 2, false, 18000, 0}, {"CD", 9000, 2, false, 19500, 0},
      {"Studio", 10000, 0, false, -1, 0},
  };
  ASSERT_EQ(kQualityPresets.size(), std::size(presets));
  for (std::size_t i = 0; i < std::size(presets); ++i) {
    const auto& p = presets[i];
    SCOPED_TRACE(p.line);
    EXPECT_STREQ(kQualityPresets[i].line, p.line);
    EXPECT_EQ(kQualityPresets[i].value, p.preset);
    const std::optional<LameTuning> tuning = tuningOfPreset(kQualityPresets[i].value);
    ASSERT_TRUE(tuning);
    EXPECT_EQ(tuning->quality, p.quality);
    EXPECT_EQ(tuning->mono, p.mono);
    EXPECT_EQ(tuning->lowpassHz, p.lowpassHz);
    EXPECT_EQ(tuning->highpassHz, p.highpassHz);
  }
}

TEST(EncoderStream, RefusesWhatItCannotEncode) {
  const struct {
    const char* what;
    void (*change)(EncoderSettings&);
    std::uint32_t error;
  } cases[] = {
      {"another record layout", [](EncoderSettings& s) { s.configKind = 0; }, kInvalidFormat},
      {"another version", [](EncoderSettings& s) { s.structVersion = 2; }, kInvalidFormatParameters},
      {"another size", [](EncoderSettings& s) { s.structSize = 332; }, kInvalidFormatParameters},
      {"a bitrate MPEG-1 does not have", [](EncoderSettings& s) { s.bitrate = 144; }, kInvalidFormatParameters},
      {"no bitrate", [](EncoderSettings& s) { s.bitrate = 0; }, kInvalidFormatParameters},
      {"a preset outside the list", [](EncoderSettings& s) { s.preset = 4; }, kInvalidFormatParameters},
      {"dual channel", [](EncoderSettings& s) { s.channelMode = 2; }, kInvalidFormatParameters},
      {"a variable bitrate", [](EncoderSettings& s) { s.vbrMethod = 0; }, kInvalidFormatParameters},
      {"a rate MPEG-1 cannot carry", [](EncoderSettings& s) { s.inSampleRate = 22050; }, kInvalidFormatParameters},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EncoderSettings s = mp3Settings(160, 0, false, false, false, false);
    c.change(s);
    std::uint32_t samples = 0, size = 0;
    StreamHandle stream = 0;
    EXPECT_EQ(beInitStream(&s, &samples, &size, &stream), c.error);
    EXPECT_EQ(stream, 0u);
  }
  EXPECT_EQ(LameErrText(kInvalidFormatParameters), "Invalid format parameters");
}

TEST(EncoderStream, HandlesRunOutAndUnknownHandlesAreRefused) {
  const EncoderSettings s = mp3Settings(128, 0, false, false, false, false);
  std::vector<StreamHandle> open;
  std::uint32_t samples = 0, size = 0;
  for (int i = 0; i < 8; ++i) {
    StreamHandle stream = 0;
    ASSERT_EQ(beInitStream(&s, &samples, &size, &stream), kSuccess);
    open.push_back(stream);
  }
  StreamHandle more = 0;
  EXPECT_EQ(beInitStream(&s, &samples, &size, &more), kNoMoreHandles);
  EXPECT_EQ(samples, 2304u);
  EXPECT_GE(size, 588u * 5 / 4 + 7200);  // what LAME may give for one CD frame
  for (StreamHandle stream : open) EXPECT_EQ(beCloseStream(stream), kSuccess);

  std::vector<std::uint8_t> out(size);
  std::vector<std::int16_t> pcm(1176);
  std::uint32_t written = 99;
  EXPECT_EQ(beEncodeChunk(open[0], 1176, pcm.data(), out.data(), &written), kInvalidHandle);
  EXPECT_EQ(beDeinitStream(0, out.data(), &written), kInvalidHandle);
  EXPECT_EQ(beCloseStream(open[0]), kInvalidHandle);
  EXPECT_EQ(beCloseStream(9), kInvalidHandle);
}

TEST(EncoderStream, ErrorTexts) {
  const char* texts[] = {"No Error", "Invalid format", "Invalid format parameters", "No more handles",
                         "Invalid handle", "Buffer too small", ""};
  for (std::uint32_t code = 0; code <= 6; ++code) EXPECT_EQ(LameErrText(code), texts[code]) << code;
  EXPECT_EQ(LameErrText(0xFFFFFFFF), "");
}

TEST(EncoderStream, EveryFrameCarriesTheBitrateAndTheFourFlagsAndNothingElseIsWritten) {
  const struct {
    std::uint32_t bitrate;
    bool privateFlag, crc, copyright, original;
  } cases[] = {{160, false, false, false, false}, {32, true, false, false, false}, {320, false, true, false, false},
               {128, false, false, true, false},  {96, false, false, false, true},  {192, true, true, true, true}};
  const std::vector<std::int16_t> pcm = tone(1.0, 440);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bitrate);
    const auto stream = encode(mp3Settings(c.bitrate, 0, c.privateFlag, c.crc, c.copyright, c.original), pcm);
    const auto frames = framesOf(stream);
    ASSERT_TRUE(frames) << "not only frames";
    // One second is 38.3 frames of 1152 pairs, with the encoder's delay and the last frame's rest.
    EXPECT_GE(frames->size(), 39u);
    EXPECT_LE(frames->size(), 41u);
    for (const FrameHeader& h : *frames) {
      ASSERT_EQ(h.mpegVersion, 1);
      ASSERT_EQ(h.sampleRate, 44100);
      ASSERT_EQ(h.bitrate, static_cast<int>(c.bitrate));
      ASSERT_EQ(h.channelMode, 1);  // joint stereo
      ASSERT_EQ(h.privateBit, c.privateFlag);
      ASSERT_EQ(h.crc, c.crc);
      ASSERT_EQ(h.copyright, c.copyright);
      ASSERT_EQ(h.original, c.original);
      ASSERT_EQ(h.emphasis, 0);
    }
    // No VBR header frame: the first frame holds no "Xing" or "Info" tag.
    const std::string first(stream.begin(), stream.begin() + frames->front().length);
    EXPECT_EQ(first.find("Xing"), std::string::npos);
    EXPECT_EQ(first.find("Info"), std::string::npos);
  }
}

TEST(EncoderStream, EveryPresetOfTheListEncodesAndTheSpeechPresetsAreMonoAndBandLimited) {
  testing_support::TempFolder folder;
  // A 440 Hz and a 6 kHz part: the telephone band keeps the first and cuts the second.
  std::vector<std::int16_t> pcm = tone(1.0, 440);
  const std::vector<std::int16_t> high = tone(1.0, 6000);
  pcm.insert(pcm.end(), high.begin(), high.end());
  auto rms = [](const Decoded& d, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += std::pow(d.samples[i * static_cast<std::size_t>(d.channels)], 2);
    return std::sqrt(sum / static_cast<double>(to - from));
  };
  for (const QualityPreset& preset : kQualityPresets) {
    SCOPED_TRACE(preset.line);
    const auto stream = encode(mp3Settings(128, preset.value, false, false, false, false), pcm);
    const auto frames = framesOf(stream);
    ASSERT_TRUE(frames);
    const bool speech = preset.value == 3 || preset.value == 1000;
    EXPECT_EQ(frames->front().channelMode, speech ? 3 : 1);
    EXPECT_EQ(frames->front().bitrate, 128);
    const auto file = folder / (std::string(preset.line) + ".mp3");
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(stream.size()));
    const auto decoded = decodeMp3(file);
    ASSERT_TRUE(decoded);
    const double low = rms(*decoded, 11025, 33075), cut = rms(*decoded, 55125, 77175);
    EXPECT_GT(low, 3000);
    if (preset.value == 1000)
      EXPECT_LT(cut, low / 20) << "the phone band passes 6 kHz";
    else
      EXPECT_GT(cut, low / 2) << "6 kHz is lost";
  }
}

}  // namespace
}  // namespace ripper_test
