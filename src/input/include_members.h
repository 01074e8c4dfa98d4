// INCLUDE members: the path of a member from the include or source directory,
// and the member table of the run: every member with the members it
// includes, the members that include it, the lowest level it was met at, and
// the program units that used it.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "listing/bounded_table.h"
#include "listing/table_usage.h"

namespace ksfort {

inline constexpr int kMaxIncludeLevel = 16;  // MXILVL
inline constexpr std::size_t kMemberNameWidth = 256;

// The path of member `name`: the include directory when it is not blank,
// else the source's directory; a blank, ".", "./" or ".\" directory gives
// the name itself, any other gets a "/" unless it ends in "/", "\" or ":".
// Cut to 256 characters.
std::string memberPath(std::string_view name, std::string_view sourceDirectory,
                       std::string_view includeDirectory);

struct IncludeMember {
  std::string name;                      // as written in the INCLUDE statement
  std::vector<std::int32_t> includes;    // members it includes, in order of inclusion
  std::vector<std::int32_t> includedBy;  // members that include it (0: the source)
  std::vector<std::int32_t> programs;    // program-table entries of the units that used it
  std::int32_t lowestLevel = -1;
  bool complete = false;  // its lists are complete: no further member is added to them
};

class IncludeMembers {
 public:
  IncludeMembers() = default;
  IncludeMembers(StopPath& stop, std::int64_t maxMembers, std::int64_t maxRelations,
                 TableUsage& usage);

  // Records that member `name` is open at `level` (0: the source, entered
  // as "<SOURCE>"), included by the member open at level - 1. Its entry (1..).
  int enter(std::string_view name, int level);
  // Entries opened since the last call, each once, for the unit that included them.
  std::vector<std::int32_t> takeOpenedInUnit();
  // Member entries in ascending order of their names.
  std::vector<std::int32_t> sortedOrder() const;
  IncludeMember& operator[](int e) { return members_[static_cast<std::size_t>(e - 1)]; }
  const IncludeMember& operator[](int e) const { return members_[static_cast<std::size_t>(e - 1)]; }
  int count() const { return static_cast<int>(members_.size()); }
  // The entry open at a level, 0 when none.
  int openAt(int level) const { return path_[static_cast<std::size_t>(level)]; }

 private:
  StopPath* stop_ = nullptr;
  std::int64_t maxMembers_ = 0;
  std::int64_t maxRelations_ = 0;
  TableUsage* usage_ = nullptr;
  std::vector<IncludeMember> members_;
  std::map<std::string, std::int32_t, std::less<>> byName_;  // name order: byte order of the names
  std::array<std::int32_t, kMaxIncludeLevel + 1> path_{};
  std::int64_t includesUsed_ = 0;
  std::int64_t includedByUsed_ = 0;
  std::vector<std::int32_t> openedInUnit_;
};

}  // namespace ksfort
