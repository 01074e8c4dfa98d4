// The command-line table: every process argument, program name first, as rows
// of equal width (longest argument plus one), blank padded.
#pragma once
#include <string_view>
#include <vector>

namespace ksfort {

class CommandTable {
 public:
  CommandTable() = default;
  CommandTable(int argc, const char* const* argv);
  int width() const { return width_; }
  int count() const { return count_; }
  // Row n (1-based) with its padding.
  std::string_view row(int n) const {
    return {rows_.data() + static_cast<std::size_t>(n - 1) * width_,
            static_cast<std::size_t>(width_)};
  }

 private:
  int width_ = 1;
  int count_ = 0;
  std::vector<char> rows_;
};

}  // namespace ksfort
