// STMZZZ: the keyword dictionary's numbers: the length of every keyword of
// STMYYY and, per initial letter A-Z, the first and last keyword number (the
// class code). A letter without keywords has first > last.
#pragma once
#include <array>
#include <cstdint>

#include "inc/stmyyy.h"

namespace ksfort {

struct KeywordRange {
  std::int32_t first = 1;
  std::int32_t last = 0;
};

struct STMZZZ {
  using Range = KeywordRange;

  // Index = class code - 1.
  static constexpr std::array<std::int32_t, STMYYY::kCount> kLengths = [] {
    std::array<std::int32_t, STMYYY::kCount> a{};
    for (int k = 0; k < STMYYY::kCount; ++k)
      a[k] = static_cast<std::int32_t>(STMYYY::kKeywords[k].size());
    return a;
  }();

  // Index = letter - 'A'.
  static constexpr std::array<Range, 26> kLetters = [] {
    std::array<Range, 26> a{};
    for (int k = STMYYY::kCount; k >= 1; --k) {
      Range& r = a[STMYYY::kKeywords[k - 1][0] - 'A'];
      if (r.first > r.last) r.last = k;
      r.first = k;
    }
    return a;
  }();
};

}  // namespace ksfort
