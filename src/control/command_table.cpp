#include "control/command_table.h"

#include <algorithm>
#include <cstring>

namespace ksfort {

CommandTable::CommandTable(int argc, const char* const* argv) {
  count_ = std::max(argc, 0);
  std::size_t longest = 0;
  std::size_t total = 0;
  for (int i = 0; i < count_; ++i) {
    const std::size_t n = std::strlen(argv[i] ? argv[i] : "");
    longest = std::max(longest, n);
    total += n;
  }
  width_ = static_cast<int>(std::min<std::size_t>(longest + 1, 1u << 30));
  text_.reserve(total);
  start_.reserve(static_cast<std::size_t>(count_) + 1);
  for (int i = 0; i < count_; ++i) {
    const char* a = argv[i] ? argv[i] : "";
    text_.insert(text_.end(), a, a + std::strlen(a));
    start_.push_back(text_.size());
  }
}

ArgumentKind CommandTable::kind(int n) const {
  const char first = at(n, 0);
  if (first != '-' && first != '/') return ArgumentKind::kSource;
  switch (at(n, 1)) {
    case 'f':
      return ArgumentKind::kOptionFile;
    case 'I':
      return ArgumentKind::kIncludeDirectory;
    default:
      return ArgumentKind::kOptionText;
  }
}

}  // namespace ksfort
