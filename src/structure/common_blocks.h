// The run-wide common tables: every common block of the run, each distinct
// member text of a block (a layout) with the units that declare it, and, for
// the detailed report, every variable of a block with the usage each unit
// makes of it. The tables grow with what they record, up to their limits.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "listing/bounded_table.h"
#include "listing/size_limits.h"
#include "listing/table_usage.h"
#include "names/declaration_tables.h"
#include "names/name_table.h"
#include "structure/program_table.h"

namespace ksfort {

// The COMMON option.
enum CommonOption : int { kCommonOff = 0, kCommonBrief = 1, kCommonDetail = 2 };

// Usage letters of a unit for a variable, in the name table's order: defined
// "D", referenced "R", substituted "S", real argument "X", and "I" read, "O"
// written or "B" both.
inline constexpr int kUsageLetters = 5;
using UsageLetters = std::array<char, kUsageLetters>;

// One distinct member text of a block.
struct CommonLayout {
  std::int32_t block;       // the block's number
  std::int32_t textStart;   // the member text in the run's character buffer (from 1)
  std::int32_t textLength;  // 0 for a block declared without members
  std::int32_t users;       // address index of the users' list in the relation store: (unit, -1)
};

struct CommonVariable {
  std::array<char, 32> name;
  std::array<char, 4> type;  // name table positions 2, 3, 4 (type, length) and 17 (dimensions)
  UsageLetters usage;        // merged over the units that use it
  std::int32_t firstUsage;   // its first usage record (from 1), -1 while it has none
  std::int32_t lastUsage;
  std::int32_t usageCount;
};

// The usage one unit makes of one variable.
struct CommonUsage {
  std::int32_t unit;  // program-table entry
  std::int32_t next;  // the variable's next usage record, -1 after the last
  UsageLetters letters;
};

struct CommonBlock {
  std::array<char, 32> name;            // blank common is "BLANKNAM"
  std::vector<std::int32_t> layouts;    // layout numbers in the order they were found
  std::vector<std::int32_t> variables;  // variable numbers in order of creation
};

struct CommonTables {
 public:
  CommonTables() = default;
  // Limits MXCOM blocks, MXCOM1 layouts, MXCOM2 variables, MXCOM3 usage
  // records and MXRCOM unit references; layout texts share the run's
  // character buffer (MXCBF). The tables count their use in `usage`.
  CommonTables(StopPath& stop, const SizeLimits& limits, TableUsage& usage);

  // Blocks are numbered from 1 in order of creation; a number never changes.
  int blockCount() const { return static_cast<int>(blocks_.size()); }
  const CommonBlock& block(int b) const { return blocks_[static_cast<std::size_t>(b - 1)]; }
  const CommonLayout& layout(int l) const { return layouts_[static_cast<std::size_t>(l - 1)]; }
  const CommonVariable& variable(int v) const {
    return variables_[static_cast<std::size_t>(v - 1)];
  }
  int layoutCount() const { return static_cast<int>(layouts_.size()); }
  int variableCount() const { return static_cast<int>(variables_.size()); }
  int usageCount() const { return static_cast<int>(usages_.size()); }

  // The block numbers in name order, and a block's variables in name order;
  // both are sorted when asked for.
  std::vector<std::int32_t> blocksInNameOrder() const;
  std::vector<std::int32_t> variablesInNameOrder(int b) const;
  // The usage records of variable v in order: f(unit, letters).
  template <class F>
  void forEachUsage(int v, F f) const {
    for (std::int32_t u = variable(v).firstUsage; u > 0;
         u = usages_[static_cast<std::size_t>(u - 1)].next) {
      const CommonUsage& r = usages_[static_cast<std::size_t>(u - 1)];
      f(r.unit, r.letters);
    }
  }

  // The block numbers of every unit, a stretch per unit located by its
  // ProgramField::kCommonsStart and kCommonCount.
  LimitedTable<std::int32_t> references;

 private:
  friend void registerCommonBlocks(CommonTables&, ProgramStructure&, const NameTable&,
                                   const DeclarationTables&, int, int, TableUsage&);
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Index = std::unordered_map<std::string, std::int32_t, NameHash, std::equal_to<>>;

  int enterBlock(std::string_view name);
  void addLayoutUser(int b, std::string_view text, int unit, ProgramStructure& structure,
                     TableUsage& usage);
  void recordVariables(int b, std::span<const std::int32_t> members, int unit,
                       const NameTable& names);
  void setVariableKey(int b, std::string_view name);
  int findVariable(int b, std::string_view name);
  int newVariable(int b, const NameTable& names, int entry);
  void recordUsage(int v, int unit, const UsageLetters& letters);

  StopPath* stop_ = nullptr;
  TableUsage* usage_ = nullptr;
  std::int64_t maxBlocks_ = 0;      // MXCOM
  std::int64_t maxLayouts_ = 0;     // MXCOM1
  std::int64_t maxVariables_ = 0;   // MXCOM2
  std::int64_t maxUsages_ = 0;      // MXCOM3
  std::int64_t maxCharacters_ = 0;  // MXCBF
  std::vector<CommonBlock> blocks_;
  std::vector<CommonLayout> layouts_;
  std::vector<CommonVariable> variables_;
  std::vector<CommonUsage> usages_;
  Index blockIndex_;     // block name (32 characters) to number
  Index variableIndex_;  // block number (4 bytes) and variable name to number
  std::unordered_multimap<std::uint64_t, std::int32_t> layoutIndex_;  // hash of block and text
  std::string key_;  // the variable key being looked up
};

// Registers every common block of the closed unit (its names with the
// common-block mark, in the name table's sorted order) and appends each
// block number to the unit's references, whose start and count go to the
// unit's program-table entry. Blocks are numbered whatever the option;
// commonOption 1 (brief) also records the layouts with their users, 2
// (detail) also the variables with a usage record per unit that uses one.
// usage: the run's counters, for the shared character buffer.
void registerCommonBlocks(CommonTables& commons, ProgramStructure& structure,
                          const NameTable& names, const DeclarationTables& declarations,
                          int unitEntry, int commonOption, TableUsage& usage);

// The block name (32 characters) of block number b, empty when there is no
// such block; for the COMMON column of the program summary.
std::string_view commonBlockName(const CommonTables& commons, int block);

// The block numbers a unit declares, in the order of its name table.
std::span<const std::int32_t> unitCommonBlocks(const CommonTables& commons,
                                               const ProgramTable& programs, int unit);

}  // namespace ksfort
