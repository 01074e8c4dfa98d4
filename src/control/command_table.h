// The command-line table: every process argument, program name first. Rows
// read as equal-width fields (longest argument plus one), blank padded; the
// texts are kept back to back so a single long argument costs only its own
// length, not its length times the number of arguments.
#pragma once
#include <string_view>
#include <vector>

namespace ksfort {

// What a command-line argument is. An argument beginning with "-" is an option
// argument: "-f" names the option file (or the console), "-I" the include
// directory, anything else is option text. An argument beginning with "/" is
// an option argument the same way, unless it is an absolute path: when it is
// neither "/I..." nor a known option keyword and it names an existing file (or
// holds a wildcard in an existing directory), it is a source.
enum class ArgumentKind { kSource, kOptionFile, kIncludeDirectory, kOptionText };

class CommandTable {
 public:
  CommandTable() = default;
  CommandTable(int argc, const char* const* argv);
  int width() const { return width_; }
  int count() const { return count_; }
  // Row n (1-based) without its padding.
  std::string_view row(int n) const {
    const auto i = static_cast<std::size_t>(n - 1);
    return {text_.data() + start_[i], start_[i + 1] - start_[i]};
  }
  ArgumentKind kind(int n) const { return kinds_[static_cast<std::size_t>(n - 1)]; }
  // Character k (0-based) of row n, blank in the padding.
  char at(int n, std::size_t k) const {
    const std::string_view r = row(n);
    return k < r.size() ? r[k] : ' ';
  }

 private:
  ArgumentKind classify(int n) const;

  int width_ = 1;
  int count_ = 0;
  std::vector<ArgumentKind> kinds_;
  std::vector<char> text_;
  std::vector<std::size_t> start_{0};
};

}  // namespace ksfort
