#pragma once
// Little-endian fields back to back, as every collection file stores them.
// The reader never reads past its bytes: a field that does not fit answers
// false and leaves the position where it was.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace store {

using Bytes = std::vector<std::uint8_t>;

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool readInteger(std::int16_t& out);  // 16-bit signed
  bool readWord(std::uint16_t& out);    // 16-bit unsigned
  bool readLong(std::int32_t& out);     // 32-bit signed
  bool readBytes(std::size_t n, std::span<const std::uint8_t>& out);

  std::size_t remaining() const { return bytes_.size() - pos_; }
  bool atEnd() const { return pos_ >= bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

class ByteWriter {
 public:
  void writeInteger(std::int16_t v);
  void writeWord(std::uint16_t v);
  void writeLong(std::int32_t v);
  void writeBytes(std::span<const std::uint8_t> bytes);
  void writeBytes(const std::string& bytes);

  const Bytes& bytes() const { return bytes_; }
  Bytes take() { return std::move(bytes_); }
  void reserve(std::size_t n) { bytes_.reserve(n); }

 private:
  Bytes bytes_;
};

}  // namespace store
