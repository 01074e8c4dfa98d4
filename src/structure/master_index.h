// The master index: the cross reference of the whole run, one entry per
// (name, program unit) with a compact code of how the unit uses the name.
// Each closed unit merges its names; the report walks the entries in the
// order of name, then program name, then program number.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "listing/bounded_table.h"
#include "listing/table_usage.h"
#include "names/name_table.h"
#include "structure/program_table.h"

namespace ksfort {

// The usage code of an index entry, 8 characters: D, R, S, X, I/O/B, then the
// name's class, kind and common-block mark.
inline constexpr std::array<Attribute, 8> kIndexCodeAttributes = {
    Attribute::kDefined,      Attribute::kReferenced,  Attribute::kSubstituted,
    Attribute::kRealArgument, Attribute::kInputOutput, Attribute::kClass,
    Attribute::kKind,         Attribute::kCommonBlock};

class MasterIndex {
 public:
  MasterIndex() = default;
  MasterIndex(StopPath& stop, std::int64_t limit, TableUsage& usage)
      : stop_{&stop}, limit_{limit}, usage_{&usage} {}

  // Adds the unit's names inside lower..upper (32-character comparison).
  void mergeUnit(const NameTable& names, int program, const Name& lower, const Name& upper);
  int count() const { return static_cast<int>(entries_.size()); }
  const Name& name(std::size_t i) const {
    return names_[static_cast<std::size_t>(entries_[i].name)];
  }
  // The number of entry i's name: entries have equal names exactly when
  // they have equal numbers.
  std::int32_t nameNumber(std::size_t i) const { return entries_[i].name; }
  std::int32_t program(std::size_t i) const { return entries_[i].program; }
  const std::array<char, 8>& code(std::size_t i) const { return entries_[i].code; }
  // Entry indexes (0-based) in report order: name, program name, program number.
  std::vector<std::int32_t> sortedOrder(const ProgramTable& programs) const;

 private:
  // An entry names its name by number: the index is the largest table of a
  // run and most names recur in many units, so each distinct name is held
  // once.
  struct Entry {
    std::int32_t name;  // in names_
    std::int32_t program;
    std::array<char, 8> code;
  };
  std::int32_t intern(const Name& name);

  StopPath* stop_ = nullptr;
  std::int64_t limit_ = 0;
  TableUsage* usage_ = nullptr;
  // A deque: growing it never copies it or holds it twice.
  std::deque<Entry> entries_;
  std::vector<Name> names_;          // the distinct names, in order of first use
  std::vector<std::int32_t> slots_;  // open-addressing hash of names_: number + 1, 0 empty
};

}  // namespace ksfort
