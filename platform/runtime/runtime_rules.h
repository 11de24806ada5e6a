#pragma once
// The number, text and random rules the programs were written against, in one
// place, so every window converts and rounds the same way.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace runtime {

// Numeric value of a text: blanks, tabs and line feeds are ignored anywhere,
// then an optional sign, digits with at most one decimal point and an optional
// exponent (E or D), or an &H / &O prefixed whole number; reading stops at the
// first character that cannot continue the number. No number gives 0.
double Val(std::string_view text);

// Number to text with the sign position kept: a blank in front of a number
// that is not negative, a minus sign in front of a negative one.
std::string Str(double value);
std::string Str(long long value);
inline std::string Str(int value) { return Str(static_cast<long long>(value)); }
inline std::string Str(long value) { return Str(static_cast<long long>(value)); }

// Largest whole number not greater than the value.
double Int(double value);

// Whole number nearest to the value; halves go to the even neighbour.
long long roundHalfEven(double value);

// Two decimal digits, "0" in front of a single digit (7 -> "07", 12 -> "12").
std::string twoDigits(int value);

// Uniform values in [0, 1). Seeded once at start-up; tests inject a seed or a
// fixed sequence.
class Random {
 public:
  explicit Random(std::uint32_t seed = 0x50000);
  void randomize(double seed);
  double next();  // the next value of Rnd
  // Whole number from 0 to n - 1, as Int(Rnd * n).
  int below(int n);
  // Replaces the generator, e.g. with a scripted sequence in tests.
  void setSource(std::function<double()> source);

 private:
  std::uint32_t state_;
  std::function<double()> source_;
};

// "Let pending window events run": the programs call this during long file
// work. The window programs install their event loop's handler; by default
// (tests, non-window programs) it does nothing.
void letPendingEventsRun();
void setPendingEventsHandler(std::function<void()> handler);

}  // namespace runtime
