#pragma once
// The encoder's configuration record and the quality presets of the ripper
// window. The record is 331 bytes as stated in its size field; 332 are
// reserved and zeroed. Flags are -1 for true and 0 for false; every byte
// not named here stays zero.

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace ripper {

inline constexpr std::uint32_t kLameConfigKind = 256;
inline constexpr std::uint32_t kSettingsVersion = 1;
inline constexpr std::uint32_t kSettingsStatedSize = 331;
inline constexpr std::int32_t kJointStereo = 1;
inline constexpr std::int32_t kNoVbr = -1;
inline constexpr std::uint32_t kMpeg1 = 1;
inline constexpr std::int32_t kTrue = -1;

struct EncoderSettings {
  std::uint32_t configKind;        // 256: this layout
  std::uint32_t structVersion;     // 1
  std::uint32_t structSize;        // 331
  std::uint32_t inSampleRate;      // 44100
  std::uint32_t outSampleRate;     // 0: no resampling
  std::int32_t channelMode;        // 1: joint stereo
  std::uint32_t bitrate;           // kbit/s
  std::uint8_t reserved28[4];
  std::int32_t preset;             // a value of the quality table
  std::uint32_t mpegVersion;       // 1
  std::uint32_t psychoModel;       // 0
  std::uint32_t emphasis;          // 0
  std::int32_t privateFlag;
  std::int32_t crcFlag;
  std::int32_t copyrightFlag;
  std::int32_t originalFlag;
  std::uint8_t reserved64[16];
  std::int32_t vbrMethod;          // -1: none
  std::uint8_t reserved84[248];
};

static_assert(sizeof(EncoderSettings) == 332);
static_assert(offsetof(EncoderSettings, configKind) == 0);
static_assert(offsetof(EncoderSettings, structVersion) == 4);
static_assert(offsetof(EncoderSettings, structSize) == 8);
static_assert(offsetof(EncoderSettings, inSampleRate) == 12);
static_assert(offsetof(EncoderSettings, outSampleRate) == 16);
static_assert(offsetof(EncoderSettings, channelMode) == 20);
static_assert(offsetof(EncoderSettings, bitrate) == 24);
static_assert(offsetof(EncoderSettings, preset) == 32);
static_assert(offsetof(EncoderSettings, mpegVersion) == 36);
static_assert(offsetof(EncoderSettings, psychoModel) == 40);
static_assert(offsetof(EncoderSettings, emphasis) == 44);
static_assert(offsetof(EncoderSettings, privateFlag) == 48);
static_assert(offsetof(EncoderSettings, crcFlag) == 52);
static_assert(offsetof(EncoderSettings, copyrightFlag) == 56);
static_assert(offsetof(EncoderSettings, originalFlag) == 60);
static_assert(offsetof(EncoderSettings, vbrMethod) == 80);

// A record cleared to zero and given the fixed values of an MP3 rip, the
// bitrate, the preset value and the four header flags.
EncoderSettings mp3Settings(std::uint32_t bitrate, std::int32_t preset, bool privateFlag, bool crc,
                            bool copyright, bool original);

// The lines of the quality list in their order, with the preset value each
// gives the record.
struct QualityPreset {
  const char* line;
  std::int32_t value;
};
inline constexpr std::array<QualityPreset, 10> kQualityPresets{{
    {"Low", 1},
    {"Normal", 0},
    {"High", 2},
    {"Voice", 3},
    {"Phone", 1000},
    {"Radio", 6000},
    {"Tape", 7000},
    {"Hifi", 8000},
    {"CD", 9000},
    {"Studio", 10000},
}};

// The lines of the bitrate list, in kbit/s.
inline constexpr std::array<int, 14> kBitrates{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

}  // namespace ripper
