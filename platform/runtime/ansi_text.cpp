#include "ansi_text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace runtime {
namespace {

// Code points of the bytes 0x80-0x9F; the rest of the page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kHighControls[b - 0x80];
  return b;
}

std::optional<unsigned char> byteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

// Decodes one UTF-8 sequence at `pos`; nullopt on malformed input.
std::optional<char32_t> decodeOne(std::string_view s, std::size_t& pos) {
  auto lead = static_cast<unsigned char>(s[pos]);
  int extra;
  char32_t cp;
  if (lead < 0x80) { ++pos; return lead; }
  if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
  else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
  else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
  else return std::nullopt;
  for (int i = 1; i <= extra; ++i) {
    if (pos + i >= s.size()) return std::nullopt;
    auto c = static_cast<unsigned char>(s[pos + i]);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (c & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += extra + 1;
  return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t lowerOf(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
  switch (cp) {
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    case 0x0178: return 0x00FF;
    default: return cp;
  }
}

char32_t upperOf(char32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 32;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
  switch (cp) {
    case 0x0161: return 0x0160;
    case 0x0153: return 0x0152;
    case 0x017E: return 0x017D;
    case 0x00FF: return 0x0178;
    default: return cp;
  }
}

// Maps every decodable character; bytes of a malformed sequence pass through.
template <typename F>
std::string mapCase(std::string_view s, F f) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) {
    std::size_t start = pos;
    if (auto cp = decodeOne(s, pos)) {
      appendUtf8(out, f(*cp));
    } else {
      out += s[start];
      pos = start + 1;
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> toAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    auto cp = decodeOne(utf8, pos);
    if (!cp) return std::nullopt;
    auto b = byteOf(*cp);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

std::string fromAnsi(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 4);
  for (char c : ansi) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::string firstUnrepresentable(std::string_view utf8) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t start = pos;
    auto cp = decodeOne(utf8, pos);
    if (!cp) return "(invalid UTF-8)";
    if (!byteOf(*cp)) return std::string(utf8.substr(start, pos - start));
  }
  return {};
}

std::string ansiLower(std::string_view utf8) { return mapCase(utf8, lowerOf); }
std::string ansiUpper(std::string_view utf8) { return mapCase(utf8, upperOf); }

bool ansiEqualNoCase(std::string_view a, std::string_view b) {
  return ansiCompareNoCase(a, b) == 0;
}

int ansiCompareNoCase(std::string_view a, std::string_view b) {
  std::string la = ansiLower(a), lb = ansiLower(b);
  return la < lb ? -1 : (la > lb ? 1 : 0);
}

}  // namespace runtime
