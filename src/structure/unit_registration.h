// The close of a program unit in the program structure: the unit, its ENTRY
// names and their dummy arguments, and one call record per called name, with
// the callers' lists of the callees.
#pragma once
#include <cstdint>

#include "names/declaration_tables.h"
#include "names/name_table.h"
#include "names/statement_analysis.h"
#include "structure/program_table.h"

namespace ksfort {

struct UnitCounts {
  std::int32_t cards = 0;
  std::int32_t firstCard = 0;
  std::int32_t statements = 0;
  std::int32_t selectedFirst = 0;  // the unit's cards in the selected-statement store
  std::int32_t selectedCount = 0;
};

// Registers the closed unit; returns its program-table entry.
int registerUnit(ProgramStructure& structure, const NameTable& names,
                 const DeclarationTables& declarations, const ProgramUnit& unit,
                 const UnitCounts& counts, TableUsage& usage);

}  // namespace ksfort
