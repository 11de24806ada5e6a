#pragma once
// MP3 songs through libmpg123: gapless, always stereo float, and with the
// exact length, from the encoder's info frame when the song has one and from
// a full scan of the file at open when it has none. Only plain files open.

#include "audio_decoder.h"

struct mpg123_handle_struct;

namespace media {

class Mpg123Decoder : public AudioDecoder {
 public:
  Mpg123Decoder();
  ~Mpg123Decoder() override;
  Mpg123Decoder(const Mpg123Decoder&) = delete;
  Mpg123Decoder& operator=(const Mpg123Decoder&) = delete;

  bool open(const std::filesystem::path& path) override;
  AudioFormat format() const override { return format_; }
  std::int64_t lengthFrames() const override { return lengthFrames_; }
  std::size_t read(float* out, std::size_t frames) override;
  std::int64_t seek(std::int64_t frame) override;

 private:
  void close();

  mpg123_handle_struct* handle_ = nullptr;
  int fd_ = -1;  // the open song's file
  bool open_ = false;
  bool atEnd_ = false;
  AudioFormat format_;
  std::int64_t lengthFrames_ = 0;
};

}  // namespace media
