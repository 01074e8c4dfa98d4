// The keyword dictionary of the classifier: the keyword of every statement
// class 1 to 86, written without blanks, in class-code order. That order groups
// the keywords by initial letter and puts a longer keyword before each shorter
// one that is its prefix (CHARACTERFUNCTION before CHARACTER), so the first
// match is the longest. Blanks are not significant in fixed form, so a
// statement's first token is its keyword run together with whatever followed
// it ("GOTO10", "REALX").
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "lex/class_table.h"

namespace ksfort {

inline constexpr std::int32_t kKeywordCount = 86;
inline constexpr int kKeywordWidth = kClassNameWidth;

namespace keyword_text {

// The keyword characters: the display names of classes 1 to 86 with their
// blanks removed ("BACK SPACE" is matched as BACKSPACE).
struct Texts {
  std::array<std::array<char, kKeywordWidth>, kKeywordCount> chars;
  std::array<std::size_t, kKeywordCount> length;
};

constexpr Texts build() {
  Texts t{};
  for (std::size_t k = 0; k < kKeywordCount; ++k) {
    const std::string_view name = kClassDisplayNames[k + 1 - kFirstClassCode];
    std::size_t n = 0;
    for (char c : name) {
      if (c != ' ') t.chars[k][n++] = c;
    }
    t.length[k] = n;
  }
  return t;
}

inline constexpr Texts kTexts = build();

}  // namespace keyword_text

// The keyword of class code 1-86.
constexpr std::string_view keywordOf(std::int32_t code) {
  const auto k = static_cast<std::size_t>(code - 1);
  return {keyword_text::kTexts.chars[k].data(), keyword_text::kTexts.length[k]};
}

// The class of the first keyword, in dictionary order within the range of the
// token's initial letter, that the token begins with (letters in either case);
// nothing when the initial is no letter, its range is empty or no keyword
// matches.
std::optional<StatementClass> matchKeyword(std::string_view token);

}  // namespace ksfort
