#include "main/cmdtable.h"

#include <algorithm>
#include <cstring>

namespace ksfort {

CommandTable::CommandTable(int argc, const char* const* argv) {
  count_ = std::max(argc, 0);
  std::size_t longest = 0;
  for (int i = 0; i < count_; ++i) longest = std::max(longest, std::strlen(argv[i] ? argv[i] : ""));
  width_ = static_cast<int>(longest + 1);
  rows_.assign(static_cast<std::size_t>(count_) * width_, ' ');
  for (int i = 0; i < count_; ++i) {
    const char* a = argv[i] ? argv[i] : "";
    std::memcpy(rows_.data() + static_cast<std::size_t>(i) * width_, a, std::strlen(a));
  }
}

}  // namespace ksfort
