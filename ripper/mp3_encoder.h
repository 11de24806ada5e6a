#pragma once
// The MP3 encoder's stream calls over libmp3lame: open a stream with a
// settings record, encode chunks of 16-bit stereo samples, flush and close.
// Results are 32-bit error codes, 0 for success (LameErrText names them).
// The stream is constant-bitrate MPEG audio and nothing else: no ID3 tag
// and no VBR header frame, only the encoded frames.

#include <QString>
#include <cstdint>
#include <optional>

#include "encoder_settings.h"

namespace ripper {

namespace encoder {

enum EncoderError : std::uint32_t {
  kSuccess = 0,
  kInvalidFormat = 1,
  kInvalidFormatParameters = 2,
  kNoMoreHandles = 3,
  kInvalidHandle = 4,
  kBufferTooSmall = 5,
};

using StreamHandle = std::uint32_t;

// Opens a stream for `settings`; answers the samples a chunk should hold
// (the encoder's frame, both channels), the output buffer's size in bytes
// and the stream's handle.
std::uint32_t beInitStream(const EncoderSettings* settings, std::uint32_t* samplesPerChunk,
                           std::uint32_t* outputBufferSize, StreamHandle* stream);
// Encodes `sampleCount` interleaved 16-bit samples (left, right) into
// `output`, of the size beInitStream answered; `written` gets the byte count.
std::uint32_t beEncodeChunk(StreamHandle stream, std::uint32_t sampleCount, const std::int16_t* samples,
                            std::uint8_t* output, std::uint32_t* written);
// Encodes what the stream still holds: the last frames.
std::uint32_t beDeinitStream(StreamHandle stream, std::uint8_t* output, std::uint32_t* written);
// Releases the stream.
std::uint32_t beCloseStream(StreamHandle stream);

// What a quality preset value asks of LAME: its algorithm quality (as the
// lame command's -q), a mono stream, and the filter band edges in Hz (0:
// LAME's own choice for the bitrate, -1: none).
struct LameTuning {
  int quality;
  bool mono;
  int lowpassHz;
  int highpassHz;
};
// The tuning of a preset value of the quality list; none for other values.
std::optional<LameTuning> tuningOfPreset(std::int32_t preset);

}  // namespace encoder

// "No Error", "Invalid format", ...; empty for a code outside the table.
QString LameErrText(std::uint32_t code);

}  // namespace ripper
