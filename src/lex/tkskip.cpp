#include "lex/tkskip.h"

#include "inc/tkncmd.h"

namespace ksfort {

int tkskip(int mode, int position, std::span<const std::int32_t> kinds) {
  const int n = static_cast<int>(kinds.size());
  int p = mode == 0 ? position + 1 : position;
  if (p < 1) p = 1;
  int depth = 0;
  for (; p <= n; ++p) {
    const std::int32_t k = kinds[static_cast<std::size_t>(p - 1)];
    if (k == tkncmd::kOpen) {
      ++depth;
    } else if (k == tkncmd::kClose) {
      if (depth == 0) return p;
      --depth;
    } else if (mode == 0 && depth == 0 && (k == tkncmd::kName || k == tkncmd::kNameParen)) {
      return p;
    }
  }
  return n + 1;
}

}  // namespace ksfort
