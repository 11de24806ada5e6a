#include "encoder_settings.h"

#include <cstring>

namespace ripper {

EncoderSettings mp3Settings(std::uint32_t bitrate, std::int32_t preset, bool privateFlag, bool crc,
                            bool copyright, bool original) {
  EncoderSettings s;
  std::memset(&s, 0, sizeof s);
  s.configKind = kLameConfigKind;
  s.structVersion = kSettingsVersion;
  s.structSize = kSettingsStatedSize;
  s.inSampleRate = 44100;
  s.outSampleRate = 0;
  s.channelMode = kJointStereo;
  s.bitrate = bitrate;
  s.preset = preset;
  s.mpegVersion = kMpeg1;
  s.psychoModel = 0;
  s.emphasis = 0;
  s.privateFlag = privateFlag ? kTrue : 0;
  s.crcFlag = crc ? kTrue : 0;
  s.copyrightFlag = copyright ? kTrue : 0;
  s.originalFlag = original ? kTrue : 0;
  s.vbrMethod = kNoVbr;
  return s;
}

}  // namespace ripper
