#include "lex/upper.h"

#include <algorithm>
#include <cstddef>

namespace ksfort {

void upper(std::span<char> text, std::int32_t n) {
  if (n < 1) return;
  const std::size_t m = std::min(text.size(), static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < m; ++i) {
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
  }
}

}  // namespace ksfort
