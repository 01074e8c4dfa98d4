// The run-wide table of named constants: one entry per name and value text,
// so that a constant defined alike in many units has one entry listing all
// its users and a different value of the same name forms a further variant;
// and each unit's list of the constants it defines.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "listing/bounded_table.h"
#include "listing/size_limits.h"
#include "listing/table_usage.h"
#include "names/declaration_tables.h"
#include "names/name_table.h"
#include "structure/program_table.h"

namespace ksfort {

// Integer fields 1 to 4 of a constant entry.
enum class ConstantInt : int {
  kValue = 1,      // the evaluated value of the defining expression
  kTextStart = 2,  // the value text in the run-wide character buffer (from 1)
  kTextLength = 3,
  kUsers = 4,  // address index of the users' list in the relation store: (unit, -1)
};
inline constexpr int kConstantInts = 4;

struct NamedConstant {
  std::array<char, 32> name;
  std::array<std::int32_t, kConstantInts> ints;
  std::array<char, 3> type;  // type letter and length, as name table positions 2-4
};

struct ConstantTable {
  ConstantTable() = default;
  // The table grows with what it records, up to MXPRM entries; the units'
  // lists up to MXRPRM; value texts share the character buffer (MXCBF).
  ConstantTable(StopPath& stop, const SizeLimits& limits, TableUsage& usage);

  // Finds the entry of (name, value text), entering it when new, and appends
  // the unit to its users. Value texts that differ only in trailing blanks are
  // one value. The entry number (from 1).
  int enter(ProgramStructure& structure, std::string_view name, std::string_view value,
            std::int32_t numeric, const std::array<char, 3>& type, int unit);

  int count() const { return static_cast<int>(entries_.size()); }
  // The entry at position p (1-based) of the order by name, then by value
  // text (the shorter blank padded).
  int sortedEntry(int p) const;

  const NamedConstant& operator[](int e) const { return entries_[static_cast<std::size_t>(e - 1)]; }
  std::int32_t at(int e, ConstantInt f) const {
    return (*this)[e].ints[static_cast<std::size_t>(f) - 1];
  }
  std::string_view name(int e) const { return {(*this)[e].name.data(), (*this)[e].name.size()}; }

  // The constants of every unit (entry numbers), a stretch per unit located
  // by its ProgramField::kParametersStart and kParameterCount.
  LimitedTable<std::int32_t> references;

 private:
  std::size_t slotOf(const std::array<char, 32>& name, std::string_view value) const;
  void grow();

  StopPath* stop_ = nullptr;
  TableUsage* usage_ = nullptr;
  std::int64_t maxEntries_ = 0;     // MXPRM
  std::int64_t maxCharacters_ = 0;  // MXCBF
  std::vector<NamedConstant> entries_;
  std::vector<std::string> keys_;   // per entry its value text without trailing blanks
  std::vector<std::int32_t> hash_;  // open addressing over entry numbers, 0 free
  mutable std::vector<std::int32_t> order_;
  mutable bool orderValid_ = true;
};

// Registers every named constant of the closed unit (class "C" in the name
// table, in its sorted order) and appends each to the unit's list, whose
// start and count go to the unit's program-table entry. The caller calls it
// when the PARAMETER option is on.
void registerConstants(ConstantTable& constants, ProgramStructure& structure,
                       const NameTable& names, const DeclarationTables& declarations, int unitEntry,
                       TableUsage& usage);

}  // namespace ksfort
