#pragma once
// The counted shifted text every collection file uses for its texts: a 16-bit
// character count, then each character's Windows-1252 code plus 100 as a
// 16-bit value. "abc" is 03 00 C5 00 C6 00 C7 00.

#include <optional>
#include <string>
#include <string_view>

#include "binary_io.h"

namespace store {

inline constexpr int kShiftedStringMaxLength = 32767;
inline constexpr int kCharacterShift = 100;

// Appends `utf8` as one field. Throws StoreError naming `field` when the text
// holds a character Windows-1252 cannot represent or is longer than 32767
// characters.
void writeShiftedString(ByteWriter& out, std::string_view utf8, std::string_view field);

// The same for text that already is in Windows-1252.
void writeShiftedAnsi(ByteWriter& out, std::string_view ansi, std::string_view field);

// Reads one field as UTF-8. Empty optional when the bytes end inside the field
// or its count is negative; the reader is then left where the field began.
// A stored value outside the code page (below 100 or above 355) is skipped.
std::optional<std::string> readShiftedString(ByteReader& in);
std::optional<std::string> readShiftedAnsi(ByteReader& in);

}  // namespace store
