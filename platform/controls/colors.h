#pragma once
// Colours as the windows write them: 32-bit values 0x00BBGGRR (&HFFC0C0 is a
// pale blue). Values with the high bit set name a system colour, as the
// designed defaults do (&H8000000F is the face of a button).

#include <QColor>
#include <cstdint>

namespace controls {

using OleColor = std::uint32_t;

// System colours the designed defaults use.
inline constexpr OleColor vbWindowBackground = 0x80000005;
inline constexpr OleColor vbWindowText = 0x80000008;
inline constexpr OleColor vbButtonFace = 0x8000000F;
inline constexpr OleColor vbButtonText = 0x80000012;
inline constexpr OleColor vbBlack = 0x000000;
inline constexpr OleColor vbWhite = 0xFFFFFF;

// The colour of red, green and blue channels (each taken modulo 256).
OleColor RGB(int red, int green, int blue);

// What the screen shows for `color`; system colours come from the
// application's palette.
QColor toQColor(OleColor color);
// The 0x00BBGGRR value of an opaque colour.
OleColor fromQColor(const QColor& color);

}  // namespace controls
