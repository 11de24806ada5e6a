#include "shifted_string.h"

#include "ansi_text.h"
#include "file_io.h"
#include "store_error.h"

namespace store {

void writeShiftedAnsi(ByteWriter& out, std::string_view ansi, std::string_view field) {
  if (ansi.size() > static_cast<std::size_t>(kShiftedStringMaxLength))
    throw StoreError("The " + std::string(field) + " cannot be stored: it is longer than 32767 characters.");
  out.writeInteger(static_cast<std::int16_t>(ansi.size()));
  for (char c : ansi)
    out.writeInteger(static_cast<std::int16_t>(static_cast<unsigned char>(c) + kCharacterShift));
}

void writeShiftedString(ByteWriter& out, std::string_view utf8, std::string_view field) {
  writeShiftedAnsi(out, toAnsiOrThrow(utf8, field), field);
}

std::optional<std::string> readShiftedAnsi(ByteReader& in) {
  ByteReader start = in;
  std::int16_t count;
  if (!in.readInteger(count) || count < 0 || in.remaining() / 2 < static_cast<std::size_t>(count)) {
    in = start;
    return std::nullopt;
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::int16_t v;
    in.readInteger(v);
    int code = v - kCharacterShift;
    if (code >= 0 && code <= 255) text += static_cast<char>(code);
  }
  return text;
}

std::optional<std::string> readShiftedString(ByteReader& in) {
  auto ansi = readShiftedAnsi(in);
  if (!ansi) return std::nullopt;
  return runtime::fromAnsi(*ansi);
}

}  // namespace store
