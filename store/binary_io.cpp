#include "binary_io.h"

namespace store {

bool ByteReader::readWord(std::uint16_t& out) {
  if (remaining() < 2) return false;
  out = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
  pos_ += 2;
  return true;
}

bool ByteReader::readInteger(std::int16_t& out) {
  std::uint16_t w;
  if (!readWord(w)) return false;
  out = static_cast<std::int16_t>(w);
  return true;
}

bool ByteReader::readLong(std::int32_t& out) {
  if (remaining() < 4) return false;
  std::uint32_t v = static_cast<std::uint32_t>(bytes_[pos_]) |
                    static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8 |
                    static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16 |
                    static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24;
  out = static_cast<std::int32_t>(v);
  pos_ += 4;
  return true;
}

bool ByteReader::readBytes(std::size_t n, std::span<const std::uint8_t>& out) {
  if (remaining() < n) return false;
  out = bytes_.subspan(pos_, n);
  pos_ += n;
  return true;
}

void ByteWriter::writeWord(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::writeInteger(std::int16_t v) { writeWord(static_cast<std::uint16_t>(v)); }

void ByteWriter::writeLong(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

void ByteWriter::writeBytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::writeBytes(const std::string& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

}  // namespace store
