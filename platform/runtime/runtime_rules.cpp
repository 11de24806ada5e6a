#include "runtime_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace runtime {

double Val(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') s += c;

  std::size_t i = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const bool hex = s[1] == 'H' || s[1] == 'h';
    std::uint64_t v = 0;
    std::size_t digits = 0;
    for (i = 2; i < s.size(); ++i) {
      int d;
      char c = s[i];
      if (c >= '0' && c <= '9') d = c - '0';
      else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else break;
      if (!hex && d > 7) break;
      v = hex ? (v << 4) | d : (v << 3) | d;
      v &= 0xFFFFFFFFull;
      ++digits;
    }
    // Short literals are 16-bit values, longer ones 32-bit, both signed.
    if (hex ? digits <= 4 : digits <= 6) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  }

  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool anyDigit = false, point = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') { number += c; anyDigit = true; }
    else if (c == '.' && !point) { number += c; point = true; }
    else break;
  }
  if (!anyDigit) return 0.0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    std::size_t firstDigit = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') exponent += s[j++];
    if (j > firstDigit) number += exponent;
  }
  return std::strtod(number.c_str(), nullptr);
}

std::string Str(long long value) {
  std::string digits = std::to_string(value);
  return value < 0 ? digits : " " + digits;
}

std::string Str(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
    return Str(static_cast<long long>(value));
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string s = buf;
  // Str writes no zero before the point ("0.5" is ".5").
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return value < 0 ? s : " " + s;
}

double Int(double value) { return std::floor(value); }

long long roundHalfEven(double value) { return static_cast<long long>(std::nearbyint(value)); }

std::string twoDigits(int value) {
  std::string s = std::to_string(value);
  return (value >= 0 && value < 10) ? "0" + s : s;
}

Random::Random(std::uint32_t seed) : state_(seed & 0xFFFFFF) {}

void Random::randomize(double seed) {
  std::uint64_t bits;
  static_assert(sizeof bits == sizeof seed);
  std::memcpy(&bits, &seed, sizeof bits);
  std::uint32_t mixed = static_cast<std::uint32_t>(bits ^ (bits >> 32));
  state_ = ((mixed & 0xFFFF) << 8 | ((mixed >> 16) & 0xFF)) ^ (state_ & 0xFF);
  state_ &= 0xFFFFFF;
}

double Random::next() {
  if (source_) return source_();
  // 24-bit linear congruential generator.
  state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
  return static_cast<double>(state_) / 16777216.0;
}

int Random::below(int n) { return static_cast<int>(Int(next() * n)); }

void Random::setSource(std::function<double()> source) { source_ = std::move(source); }

namespace {
std::function<void()>& pendingEventsHandler() {
  static std::function<void()> handler;
  return handler;
}
}  // namespace

void letPendingEventsRun() {
  if (auto& h = pendingEventsHandler()) h();
}

void setPendingEventsHandler(std::function<void()> handler) {
  pendingEventsHandler() = std::move(handler);
}

}  // namespace runtime
