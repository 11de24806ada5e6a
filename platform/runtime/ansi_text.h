#pragma once
// The collection files hold text in the Windows-1252 ("ANSI") code page; the
// rest of the program works in UTF-8. Every conversion between the two goes
// through here so that nothing is ever stored garbled.

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// UTF-8 to Windows-1252. Empty optional when the text is not valid UTF-8 or
// holds a character the code page cannot represent.
std::optional<std::string> toAnsi(std::string_view utf8);

// Windows-1252 to UTF-8. Every byte has a meaning (the five unassigned bytes
// map to the C1 controls of the same value, as Windows does), so this cannot fail.
std::string fromAnsi(std::string_view ansi);

// The first character of `utf8` that Windows-1252 cannot hold, as UTF-8 (for
// error messages); empty when there is none.
std::string firstUnrepresentable(std::string_view utf8);

// Case mapping of the code page's letters (ASCII, Latin-1, and the few letters
// of 0x80-0x9F); every other character is left as it is.
std::string ansiLower(std::string_view utf8);
std::string ansiUpper(std::string_view utf8);

// Case-insensitive ordering and equality of names under the mapping above.
bool ansiEqualNoCase(std::string_view a, std::string_view b);
int ansiCompareNoCase(std::string_view a, std::string_view b);

}  // namespace runtime
