#pragma once
// The interface colour of a collection and the colours made from it.

#include <cstdint>
#include <optional>
#include <string>

namespace player {

// The colour 0x00BBGGRR of the three colour texts of the project data. Each
// text is read as a number (no number counts as 0) and rounded to a 16-bit
// whole number (one out of that range counts as 0); parts above 255 count as
// 255. Empty when a part is negative: no colour is made then, and the caller
// keeps the colour it had.
std::optional<std::uint32_t> interfaceColour(const std::string& red, const std::string& green,
                                             const std::string& blue);

// The title link's text colour: the background's value plus 48000, carries
// between the colour's bytes included, kept within the 24 bits of a colour.
std::uint32_t titleLinkColour(std::uint32_t background);

}  // namespace player
