#include "control/command_table.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "control/option_keywords.h"
#include "control/option_tokens.h"
#include "host/ascii.h"
#include "host/file_status.h"

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
  kinds_.reserve(static_cast<std::size_t>(count_));
  for (int n = 1; n <= count_; ++n) kinds_.push_back(classify(n));
}

namespace {

// "/index(on)", "/TREE": the option text begins with a keyword of the option
// language.
bool beginsWithOptionKeyword(std::string_view text) {
  std::string upper(text.substr(0, 64));
  toUpperAscii(upper);
  const OptionToken t = nextOptionToken(upper, 0);
  if (t.kind != OptionTokenKind::kName && t.kind != OptionTokenKind::kNameParen) return false;
  return findOption(std::string_view(upper).substr(static_cast<std::size_t>(t.start),
                                                   static_cast<std::size_t>(t.length))) != nullptr;
}

// An existing file, or a wildcard pattern whose directory exists.
bool namesExistingSource(std::string_view path) {
  StringSink messages;  // a non-blank name never gets a message
  if (path.find_first_of("*?") != std::string_view::npos) {
    const std::size_t slash = path.rfind('/');
    const FileStatus dir = queryFileKind(messages, path.substr(0, slash + 1));
    return dir.status == 0 && dir.kind == FileKind::kDirectory;
  }
  return queryFileKind(messages, path).status == 0;
}

}  // namespace

ArgumentKind CommandTable::classify(int n) const {
  const char first = at(n, 0);
  if (first != '-' && first != '/') return ArgumentKind::kSource;
  if (first == '/' && at(n, 1) != 'I' && !beginsWithOptionKeyword(row(n).substr(1)) &&
      namesExistingSource(row(n)))
    return ArgumentKind::kSource;
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
