#include "lex/keyword_dictionary.h"

#include "host/ascii.h"

namespace ksfort {
namespace {

// First and last keyword (class code) per initial letter A-Z; a letter
// without keywords has first > last.
struct KeywordRange {
  std::int32_t first = 1;
  std::int32_t last = 0;
};

constexpr std::array<KeywordRange, 26> kLetters = [] {
  std::array<KeywordRange, 26> a{};
  for (std::int32_t k = kKeywordCount; k >= 1; --k) {
    KeywordRange& r = a[static_cast<std::size_t>(keywordOf(k)[0] - 'A')];
    if (r.first > r.last) r.last = k;
    r.first = k;
  }
  return a;
}();

// The dictionary's order is what makes the first match the longest: the
// keywords of one letter are contiguous and a keyword never follows one of
// its own prefixes.
constexpr bool dictionaryIsOrdered() {
  for (std::int32_t k = 1; k <= kKeywordCount; ++k) {
    const std::string_view w = keywordOf(k);
    if (w.empty() || w.size() > kKeywordWidth || w[0] < 'A' || w[0] > 'Z') return false;
    const KeywordRange r = kLetters[static_cast<std::size_t>(w[0] - 'A')];
    if (k < r.first || k > r.last) return false;
    for (std::int32_t e = r.first; e < k; ++e)
      if (w.starts_with(keywordOf(e))) return false;
  }
  for (std::size_t l = 0; l < 26; ++l) {
    const KeywordRange r = kLetters[l];
    for (std::int32_t k = r.first; k <= r.last; ++k)
      if (keywordOf(k)[0] != static_cast<char>('A' + l)) return false;
  }
  return true;
}
static_assert(dictionaryIsOrdered());
static_assert(kLetters['H' - 'A'].first > kLetters['H' - 'A'].last);
static_assert(kLetters['Z' - 'A'].first > kLetters['Z' - 'A'].last);

}  // namespace

std::optional<StatementClass> matchKeyword(std::string_view token) {
  if (token.empty()) return std::nullopt;
  const char initial = upperAscii(token[0]);
  if (initial < 'A' || initial > 'Z') return std::nullopt;
  const KeywordRange r = kLetters[static_cast<std::size_t>(initial - 'A')];
  for (std::int32_t k = r.first; k <= r.last; ++k)
    if (startsWithWord(token, keywordOf(k))) return static_cast<StatementClass>(k);
  return std::nullopt;
}

}  // namespace ksfort
