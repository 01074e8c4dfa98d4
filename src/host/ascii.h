// ASCII letter case for the analyser's texts: Fortran keywords, option words
// and names compare without regard to case. Bytes other than a-z pass through.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace ksfort {

constexpr char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// upperAscii of each of the eight bytes of a word at once.
constexpr std::uint64_t upperAsciiWord(std::uint64_t w) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  const std::uint64_t low7 = w & ~kHigh;
  // The high bit of each byte: byte >= 'a', byte > 'z', byte below 0x80.
  const std::uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
  const std::uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;
  const std::uint64_t lower = atLeastA & ~aboveZ & ~w & kHigh;
  return w - (lower >> 2);  // 0x80 >> 2 is the case bit 0x20
}

inline void toUpperAscii(std::span<char> text) {
  for (char& c : text) c = upperAscii(c);
}

// True when text begins with word (upper case), letters compared in either case.
constexpr bool startsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (upperAscii(text[i]) != word[i]) return false;
  return true;
}

// True when text equals word (upper case), letters compared in either case.
constexpr bool equalsWord(std::string_view text, std::string_view word) {
  return text.size() == word.size() && startsWithWord(text, word);
}

}  // namespace ksfort
