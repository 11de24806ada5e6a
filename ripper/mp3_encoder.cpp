#include "mp3_encoder.h"

#include <lame.h>

#include <algorithm>
#include <array>
#include <cstdarg>

#include "fault_filter.h"

namespace ripper {

namespace encoder {

namespace {

constexpr int kMaxStreams = 8;
// LAME takes any number of samples a call; its own frame is 1152 pairs.
constexpr std::uint32_t kPairsPerChunk = 1152;
constexpr std::uint32_t kInputChannels = 2;

struct Stream {
  lame_t lame = nullptr;
  std::uint32_t outputSize = 0;
};

std::array<Stream, kMaxStreams> streams;

Stream* streamOf(StreamHandle handle) {
  if (handle < 1 || handle > kMaxStreams || !streams[handle - 1].lame) return nullptr;
  return &streams[handle - 1];
}

// The worst case LAME names for `pairs` sample pairs.
std::uint32_t outputBytesFor(std::uint32_t pairs) { return pairs * 5 / 4 + 7200; }

bool isBitrateOf(std::uint32_t mpegVersion, std::uint32_t bitrate) {
  static constexpr std::array<std::uint32_t, 14> mpeg1{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  static constexpr std::array<std::uint32_t, 14> mpeg2{8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  const auto& table = mpegVersion == 1 ? mpeg1 : mpeg2;
  return std::find(table.begin(), table.end(), bitrate) != table.end();
}

bool isSampleRateOf(std::uint32_t mpegVersion, std::uint32_t rate) {
  return mpegVersion == 1 ? rate == 32000 || rate == 44100 || rate == 48000
                          : rate == 16000 || rate == 22050 || rate == 24000;
}

std::optional<MPEG_mode> modeOf(std::int32_t channelMode) {
  switch (channelMode) {
    case 0: return STEREO;
    case 1: return JOINT_STEREO;
    case 3: return MONO;
    default: return std::nullopt;
  }
}

void quiet(const char*, va_list) {}

// Sets up `lame` for the record; false when the record asks for what this
// encoder cannot give.
bool configure(lame_t lame, const EncoderSettings& s, const LameTuning& tuning) {
  const std::uint32_t outRate = s.outSampleRate ? s.outSampleRate : s.inSampleRate;
  const std::optional<MPEG_mode> mode = modeOf(s.channelMode);
  if (!mode || s.inSampleRate == 0 || s.mpegVersion > 1 || !isSampleRateOf(s.mpegVersion, outRate) ||
      !isBitrateOf(s.mpegVersion, s.bitrate) || s.emphasis > 3 || s.vbrMethod != kNoVbr)
    return false;
  return guardedLibraryCall([&] {
    lame_set_errorf(lame, quiet);
    lame_set_debugf(lame, quiet);
    lame_set_msgf(lame, quiet);
    lame_set_num_channels(lame, kInputChannels);
    lame_set_in_samplerate(lame, static_cast<int>(s.inSampleRate));
    lame_set_out_samplerate(lame, static_cast<int>(outRate));
    lame_set_mode(lame, tuning.mono ? MONO : *mode);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, static_cast<int>(s.bitrate));
    lame_set_quality(lame, tuning.quality);
    lame_set_lowpassfreq(lame, tuning.lowpassHz);
    lame_set_highpassfreq(lame, tuning.highpassHz);
    lame_set_emphasis(lame, static_cast<int>(s.emphasis));
    lame_set_extension(lame, s.privateFlag != 0);
    lame_set_error_protection(lame, s.crcFlag != 0);
    lame_set_copyright(lame, s.copyrightFlag != 0);
    lame_set_original(lame, s.originalFlag != 0);
    lame_set_bWriteVbrTag(lame, 0);
    lame_set_write_id3tag_automatic(lame, 0);
    return lame_init_params(lame) >= 0 && lame_get_version(lame) == static_cast<int>(s.mpegVersion);
  });
}

}  // namespace

std::optional<LameTuning> tuningOfPreset(std::int32_t preset) {
  switch (preset) {
    case 1: return LameTuning{9, false, 0, 0};         // Low
    case 0: return LameTuning{5, false, 0, 0};         // Normal
    case 2: return LameTuning{2, false, 0, 0};         // High
    case 3: return LameTuning{5, true, 12000, 0};      // Voice
    case 1000: return LameTuning{5, true, 3400, 300};  // Phone: the telephone band
    case 6000: return LameTuning{5, false, 15000, 0};  // Radio: the FM band
    case 7000: return LameTuning{5, false, 16000, 0};  // Tape
    case 8000: return LameTuning{2, false, 18000, 0};  // Hifi
    case 9000: return LameTuning{2, false, 19500, 0};  // CD
    case 10000: return LameTuning{0, false, -1, 0};    // Studio: the whole band
    default: return std::nullopt;
  }
}

std::uint32_t beInitStream(const EncoderSettings* settings, std::uint32_t* samplesPerChunk,
                           std::uint32_t* outputBufferSize, StreamHandle* stream) {
  if (!settings || !samplesPerChunk || !outputBufferSize || !stream) return kInvalidFormatParameters;
  if (settings->configKind != kLameConfigKind) return kInvalidFormat;
  const std::optional<LameTuning> tuning = tuningOfPreset(settings->preset);
  if (settings->structVersion != kSettingsVersion || settings->structSize != kSettingsStatedSize || !tuning)
    return kInvalidFormatParameters;
  const auto slot = std::find_if(streams.begin(), streams.end(), [](const Stream& s) { return !s.lame; });
  if (slot == streams.end()) return kNoMoreHandles;

  lame_t lame = guardedLibraryCall([] { return lame_init(); });
  if (!lame) return kNoMoreHandles;
  bool ready = false;
  try {
    ready = configure(lame, *settings, *tuning);
  } catch (...) {
    guardedLibraryCall([&] { lame_close(lame); });
    throw;
  }
  if (!ready) {
    guardedLibraryCall([&] { lame_close(lame); });
    return kInvalidFormatParameters;
  }
  slot->lame = lame;
  slot->outputSize = outputBytesFor(kPairsPerChunk);
  *samplesPerChunk = kPairsPerChunk * kInputChannels;
  *outputBufferSize = slot->outputSize;
  *stream = static_cast<StreamHandle>(slot - streams.begin()) + 1;
  return kSuccess;
}

std::uint32_t beEncodeChunk(StreamHandle handle, std::uint32_t sampleCount, const std::int16_t* samples,
                            std::uint8_t* output, std::uint32_t* written) {
  Stream* stream = streamOf(handle);
  if (!stream) return kInvalidHandle;
  if (!written || !output || (!samples && sampleCount > 0)) return kInvalidFormatParameters;
  *written = 0;
  const std::uint32_t pairs = sampleCount / kInputChannels;
  if (outputBytesFor(pairs) > stream->outputSize) return kBufferTooSmall;
  lame_t lame = stream->lame;
  const int size = static_cast<int>(stream->outputSize);
  // LAME only reads the samples, whatever its declaration says.
  auto* pcm = const_cast<short*>(reinterpret_cast<const short*>(samples));
  const int bytes = guardedLibraryCall(
      [&] { return lame_encode_buffer_interleaved(lame, pcm, static_cast<int>(pairs), output, size); });
  if (bytes < 0) return kBufferTooSmall;
  *written = static_cast<std::uint32_t>(bytes);
  return kSuccess;
}

std::uint32_t beDeinitStream(StreamHandle handle, std::uint8_t* output, std::uint32_t* written) {
  Stream* stream = streamOf(handle);
  if (!stream) return kInvalidHandle;
  if (!written || !output) return kInvalidFormatParameters;
  *written = 0;
  lame_t lame = stream->lame;
  const int size = static_cast<int>(stream->outputSize);
  const int bytes = guardedLibraryCall([&] { return lame_encode_flush(lame, output, size); });
  if (bytes < 0) return kBufferTooSmall;
  *written = static_cast<std::uint32_t>(bytes);
  return kSuccess;
}

std::uint32_t beCloseStream(StreamHandle handle) {
  Stream* stream = streamOf(handle);
  if (!stream) return kInvalidHandle;
  lame_t lame = stream->lame;
  *stream = Stream{};
  guardedLibraryCall([&] { lame_close(lame); });
  return kSuccess;
}

}  // namespace encoder

QString LameErrText(std::uint32_t code) {
  switch (code) {
    case 0: return QStringLiteral("No Error");
    case 1: return QStringLiteral("Invalid format");
    case 2: return QStringLiteral("Invalid format parameters");
    case 3: return QStringLiteral("No more handles");
    case 4: return QStringLiteral("Invalid handle");
    case 5: return QStringLiteral("Buffer too small");
    default: return {};
  }
}

}  // namespace ripper
