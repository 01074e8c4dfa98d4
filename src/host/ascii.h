// ASCII letter case for the analyser's texts: Fortran keywords, option words
// and names compare without regard to case. Bytes other than a-z pass through.
#pragma once
#include <span>
#include <string_view>

namespace ksfort {

constexpr char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool isDigit(char c) {
  return c >= '0' && c <= '9';
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
