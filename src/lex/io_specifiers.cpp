#include "lex/io_specifiers.h"

#include "host/ascii.h"

namespace ksfort {
namespace {

struct Range {
  std::int32_t first = 1;
  std::int32_t last = 0;
};

// First and last specifier number per initial letter; the table is grouped
// by initial letter.
constexpr std::array<Range, 26> kLetterIndex = [] {
  std::array<Range, 26> a{};
  for (int k = IoKeys::kCount; k >= 1; --k) {
    Range& r = a[IoKeys::kWords[k - 1][0] - 'A'];
    if (r.first > r.last) r.last = k;
    r.first = k;
  }
  return a;
}();

constexpr bool tableIsGrouped() {
  for (int k = 1; k <= IoKeys::kCount; ++k) {
    const std::string_view w = IoKeys::kWords[k - 1];
    if (w.size() > IoKeys::kWidth) return false;
    const Range r = kLetterIndex[w[0] - 'A'];
    if (k < r.first || k > r.last) return false;
  }
  return true;
}
static_assert(tableIsGrouped());
static_assert(IoKeys::kWords[IoKeys::kErr - 1] == "ERR");
static_assert(IoKeys::kWords[IoKeys::kEnd - 1] == "END");
static_assert(IoKeys::kWords[IoKeys::kFmt - 1] == "FMT");
static_assert(IoKeys::kWords[IoKeys::kRec - 1] == "REC");

}  // namespace

std::int32_t findIoSpecifier(std::string_view text) {
  if (text.empty() || text.size() > IoKeys::kWidth) return 0;
  const char initial = upperAscii(text[0]);
  if (initial < 'A' || initial > 'Z') return 0;
  const Range r = kLetterIndex[initial - 'A'];
  for (std::int32_t k = r.first; k <= r.last; ++k)
    if (equalsWord(text, IoKeys::kWords[k - 1])) return k;
  return 0;
}

}  // namespace ksfort
