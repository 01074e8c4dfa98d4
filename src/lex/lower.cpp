#include "lex/lower.h"

#include <algorithm>
#include <cstddef>

namespace ksfort {

void lower(std::span<char> text, std::int32_t n) {
  if (n < 1) return;
  const std::size_t m = std::min(text.size(), static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < m; ++i) {
    if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
}

}  // namespace ksfort
