// The texts of include members already read in this run. A code base
// includes the same few members in most of its units; holding each text once
// saves opening, querying and reading the file again at every INCLUDE. A
// member is taken as it was when first read: the run sees one state of every
// file.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "host/record_file.h"

namespace ksfort {

class MemberTexts {
 public:
  // Members longer than this are read from the file every time.
  static constexpr std::size_t kMemberLimit = std::size_t{1} << 20;
  // Texts beyond this total are not kept.
  static constexpr std::size_t kTotalLimit = std::size_t{64} << 20;

  MemberTexts() = default;
  // Texts held up to totalLimit bytes, read with the given access.
  MemberTexts(std::size_t totalLimit, FileAccess access)
      : totalLimit_{totalLimit}, access_{access} {}

  // The text of the member at path when it is held, else nullptr.
  const std::string* find(std::string_view path) const;
  // Reads the member at path (a regular file) and holds its text; nullptr
  // when it cannot be held (it cannot be opened or read, it is too long, or
  // the total is reached): the caller then reads the file as it stands. A
  // member too long to hold is not read for holding again.
  const std::string* load(std::string_view path);

 private:
  // Looked up by the path as it stands, without a copy of it.
  struct PathHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view path) const {
      return std::hash<std::string_view>{}(path);
    }
  };
  std::unordered_map<std::string, std::string, PathHash, std::equal_to<>> texts_;
  std::unordered_set<std::string, PathHash, std::equal_to<>> tooLong_;  // too long to hold
  std::size_t total_ = 0;
  std::size_t totalLimit_ = kTotalLimit;
  FileAccess access_ = FileAccess::kAny;
};

}  // namespace ksfort
