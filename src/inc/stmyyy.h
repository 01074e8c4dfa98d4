// STMYYY: the keyword dictionary's texts: the keywords of statement classes
// 1 to 86 written without blanks, in class-code order, which groups them by
// initial letter and puts a longer keyword before each shorter one that is
// its prefix (CHARACTERFUNCTION before CHARACTER), so the first match is the
// longest.
#pragma once
#include <array>
#include <string_view>

#include "inc/stmedt.h"

namespace ksfort {

namespace keyword_text {

inline constexpr int kWidth = 31;
inline constexpr int kCount = 86;

// The keyword characters: the display names of classes 1 to 86 with their
// blanks removed ("BACK SPACE" is matched as BACKSPACE).
struct Texts {
  std::array<std::array<char, kWidth>, kCount> chars;
  std::array<std::size_t, kCount> length;
};

constexpr Texts build() {
  Texts t{};
  for (std::size_t k = 0; k < kCount; ++k) {
    const std::string_view name =
        STMEDT::kNames[k + 1 - static_cast<std::size_t>(STMEDT::kFirstClass)];
    std::size_t n = 0;
    for (char c : name) {
      if (c != ' ') t.chars[k][n++] = c;
    }
    t.length[k] = n;
  }
  return t;
}

inline constexpr Texts kTexts = build();

constexpr std::array<std::string_view, kCount> views() {
  std::array<std::string_view, kCount> a{};
  for (std::size_t k = 0; k < a.size(); ++k) a[k] = {kTexts.chars[k].data(), kTexts.length[k]};
  return a;
}

}  // namespace keyword_text

struct STMYYY {
  static constexpr int kWidth = keyword_text::kWidth;
  static constexpr int kCount = keyword_text::kCount;
  // Index = class code - 1.
  static constexpr std::array<std::string_view, kCount> kKeywords = keyword_text::views();
};

}  // namespace ksfort
