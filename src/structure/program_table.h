// The program structure of the whole run: the program table (every program
// unit, ENTRY name and called procedure name, with 23 integer and 6 character
// fields), the per-unit lists the unit close fills (arguments, calls, ENTRY
// names, character texts), and the relation store that links a table entry to
// a growing list of value pairs (for example a procedure to its callers).
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "host/fixed_text.h"
#include "listing/bounded_table.h"
#include "listing/table_usage.h"

namespace ksfort {

// Integer fields 1 to 23 of a program-table entry; -1 when unset.
enum class ProgramField : int {
  kOwner = 1,  // the unit that defines the name (itself for a unit or reference)
  kArgumentsStart = 2,
  kArgumentCount = 3,
  kCommonsStart = 4,
  kCommonCount = 5,
  kParametersStart = 6,
  kParameterCount = 7,
  kCallsStart = 8,  // the ordinary calls (third call group)
  kCallCount = 9,
  kStatementFunctionsStart = 10,  // first call group
  kStatementFunctionCount = 11,
  kDummyProceduresStart = 12,  // second call group
  kDummyProcedureCount = 13,
  kEntriesStart = 14,
  kEntryCount = 15,
  kIncludesStart = 16,
  kIncludeCount = 17,
  kCallers = 18,  // address index of the callers' list in the relation store
  kCards = 19,
  kFirstCard = 20,
  kStatements = 21,
  kTreeCut = 22,  // work fields of the tree report
  kTreeNext = 23,
};
inline constexpr int kProgramFields = 23;

// Character fields 1 to 6.
enum class ProgramChar : int {
  kType = 1,  // type letter and length as in the name table (positions 2-4)
  kLengthHigh = 2,
  kLengthLow = 3,
  kKind = 4,        // S subroutine, F function, B block data, P main program
  kEntryMark = 5,   // "E" for an ENTRY name
  kDefinition = 6,  // "*" referenced only, blank defined, "+" a further definition
};
inline constexpr int kProgramChars = 6;

struct ProgramEntry {
  std::array<char, 32> name;
  std::array<std::int32_t, kProgramFields> ints;
  std::array<char, kProgramChars> chars;
};

// One dummy argument of a unit or ENTRY name: its name (" *" for an alternate
// return), nine attribute characters of the name table (positions 2, 3, 4
// type and length, 5 class, 6 kind, 8 referenced, 9 substituted, 10 actual
// argument, 11 input/output) and its declarator text in the character buffer.
struct ArgumentRecord {
  std::array<char, 32> name;
  std::array<char, 9> attributes;
  std::int32_t textStart;
  std::int32_t textLength;
};

// One called name of a unit: the callee, five attribute characters of the
// name table (positions 2, 3, 4 type and length, 5 class: S subroutine or F
// function reference, 6 kind), its program-table entry (-1 for a statement
// function or a dummy procedure) and its actual-argument text (-1, 0: none).
struct CallRecord {
  std::array<char, 32> name;
  std::array<char, 5> attributes;
  std::int32_t callee;
  std::int32_t textStart;
  std::int32_t textLength;
  char kindLetter() const { return attributes[3]; }
};

class ProgramTable {
 public:
  ProgramTable() = default;
  // The table grows with the names it records, up to the limit MXPRO.
  ProgramTable(StopPath& stop, std::int64_t limit, TableUsage& usage);

  // Looks a name up as a reference (created with the marker "*" when new) or
  // enters it as a definition (a referenced name becomes defined; a name
  // already defined gets a further entry with "+"). The entry number (from 1).
  int reference(std::string_view name);
  int define(std::string_view name);
  // The first entry of a name, or 0.
  int find(std::string_view name) const;

  int count() const { return count_; }
  // The entry at position p (1-based) of name order; entries of one name in
  // order of creation.
  int sortedEntry(int p) const;

  ProgramEntry& operator[](int e) { return entries_[static_cast<std::size_t>(e - 1)]; }
  const ProgramEntry& operator[](int e) const { return entries_[static_cast<std::size_t>(e - 1)]; }
  std::int32_t& at(int e, ProgramField f) {
    return (*this)[e].ints[static_cast<std::size_t>(f) - 1];
  }
  std::int32_t at(int e, ProgramField f) const {
    return (*this)[e].ints[static_cast<std::size_t>(f) - 1];
  }
  char& at(int e, ProgramChar c) { return (*this)[e].chars[static_cast<std::size_t>(c) - 1]; }
  char at(int e, ProgramChar c) const { return (*this)[e].chars[static_cast<std::size_t>(c) - 1]; }
  std::string_view name(int e) const { return view((*this)[e].name); }

 private:
  int create(const std::array<char, 32>& key, char marker);
  std::size_t slotOf(const std::array<char, 32>& key) const;

  std::vector<ProgramEntry> entries_;
  StopPath* stop_ = nullptr;
  std::int64_t limit_ = 0;
  TableUsage* usage_ = nullptr;
  int count_ = 0;
  // Open addressing from a name to its first entry; the name order is sorted
  // once when it is asked for after a change.
  std::vector<std::int32_t> hash_;
  mutable std::vector<std::int32_t> order_;
  mutable bool orderValid_ = true;
};

// The relation store: per address index a list of value pairs in order of
// insertion. Address indexes are given out as count + 1.
class RelationStore {
 public:
  RelationStore() = default;
  RelationStore(std::int64_t maxAddresses, std::int64_t maxPairs, StopPath& stop,
                TableUsage& usage);
  int addressCount() const { return static_cast<int>(heads_.size()); }
  // Appends the pair to the list of address index n (n = count + 1 starts a new list).
  void append(std::int32_t value1, int n, std::int32_t value2);
  // The pairs of n in order of insertion: f(value1, value2).
  template <class F>
  void forEach(int n, F f) const {
    if (n < 1 || n > addressCount()) return;
    for (std::int32_t p = heads_[static_cast<std::size_t>(n - 1)]; p >= 0;
         p = next_[static_cast<std::size_t>(p)])
      f(pairs_[static_cast<std::size_t>(p)][0], pairs_[static_cast<std::size_t>(p)][1]);
  }
  int pairCount(int n) const {
    return n >= 1 && n <= addressCount() ? counts_[static_cast<std::size_t>(n - 1)] : 0;
  }

 private:
  std::int64_t maxAddresses_ = 0;
  std::int64_t maxPairs_ = 0;
  StopPath* stop_ = nullptr;
  TableUsage* usage_ = nullptr;
  std::vector<std::int32_t> heads_, tails_, counts_;
  std::vector<std::array<std::int32_t, 2>> pairs_;
  std::vector<std::int32_t> next_;
};

// The per-unit lists that the unit close appends to, each a contiguous
// stretch per unit located by the unit's entry.
struct ProgramLists {
  LimitedTable<ArgumentRecord> arguments;  // MXARG
  LimitedTable<CallRecord> calls;          // MXSFX
  LimitedTable<std::int32_t> entries;      // MXRENT: program-table entries of ENTRY names
  LimitedTable<char> text;                 // MXCBF: declarator and argument texts
  LimitedTable<std::int32_t> includes;     // MXRINC: member entries included by the units
};

// Everything the program structure holds, for the unit close and the reports.
struct ProgramStructure {
  ProgramTable programs;
  RelationStore relations;
  ProgramLists lists;
  // Per entry (index entry - 1): the first position (0-based) and count of
  // the unit's cards in the selected-statement store.
  std::vector<std::array<std::int32_t, 2>> selectedCards;
};

}  // namespace ksfort
