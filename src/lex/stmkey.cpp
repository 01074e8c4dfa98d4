#include "lex/stmkey.h"

#include "inc/stmyyy.h"
#include "inc/stmzzz.h"

namespace ksfort {
namespace {

// The dictionary's order is what makes the first match the longest: the
// keywords of one letter are contiguous and a keyword never follows one of
// its own prefixes.
constexpr bool dictionaryIsOrdered() {
  for (int k = 1; k <= STMYYY::kCount; ++k) {
    const std::string_view w = STMYYY::kKeywords[k - 1];
    if (w.empty() || w.size() > STMYYY::kWidth || w[0] < 'A' || w[0] > 'Z') return false;
    const STMZZZ::Range r = STMZZZ::kLetters[w[0] - 'A'];
    if (k < r.first || k > r.last) return false;
    for (int e = r.first; e < k; ++e)
      if (w.starts_with(STMYYY::kKeywords[e - 1])) return false;
  }
  for (int l = 0; l < 26; ++l) {
    const STMZZZ::Range r = STMZZZ::kLetters[l];
    for (int k = r.first; k <= r.last; ++k)
      if (STMYYY::kKeywords[k - 1][0] != 'A' + l) return false;
  }
  return true;
}
static_assert(dictionaryIsOrdered());
static_assert(STMZZZ::kLetters['H' - 'A'].first > STMZZZ::kLetters['H' - 'A'].last);
static_assert(STMZZZ::kLetters['Z' - 'A'].first > STMZZZ::kLetters['Z' - 'A'].last);

}  // namespace

bool startsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (upperAscii(text[i]) != word[i]) return false;
  return true;
}

bool equalsWord(std::string_view text, std::string_view word) {
  return text.size() == word.size() && startsWithWord(text, word);
}

std::int32_t stmkey(std::string_view token) {
  if (token.empty()) return -1;
  const char initial = upperAscii(token[0]);
  if (initial < 'A' || initial > 'Z') return -1;
  const STMZZZ::Range r = STMZZZ::kLetters[initial - 'A'];
  for (std::int32_t k = r.first; k <= r.last; ++k)
    if (startsWithWord(token, STMYYY::kKeywords[k - 1])) return k;
  return -1;
}

}  // namespace ksfort
