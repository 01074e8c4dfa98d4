#include "host/wildcard_match.h"

#include "host/fixed_text.h"

namespace ksfort {

// Only the latest '*' is remembered. Once the text before it has matched at
// its leftmost place, any match of the rest that an earlier '*' could reach by
// absorbing more is also reached from that place, the latest '*' absorbing the
// difference. So a failing comparison only lets the latest '*' take one more
// character, and the walk ends after at most pattern x name steps.
bool matchesWildcard(std::string_view pattern, std::string_view name) {
  pattern = trimmed(pattern);
  name = trimmed(name);
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t p = 0, n = 0;
  std::size_t star = kNone;  // pattern position of the latest '*'
  std::size_t mark = 0;      // name position where that '*' stops absorbing
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (star != kNone) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace ksfort
