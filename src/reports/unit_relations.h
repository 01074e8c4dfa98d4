// The relations of a program unit (or ENTRY name) that the program summary and
// the program document print: its statement functions, dummy procedures and
// the procedures it calls (its three call groups), its callers, its common
// blocks and its included members, with the bracketed kinds both reports show.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "input/include_members.h"
#include "structure/common_blocks.h"
#include "structure/program_table.h"

namespace ksfort {

struct UnitRelations {
  std::span<const CallRecord> statementFunctions;
  std::span<const CallRecord> dummyProcedures;
  std::span<const CallRecord> calls;
  std::vector<std::int32_t> callers;  // program-table entries, in order of insertion
  std::span<const std::int32_t> commonBlocks;
  std::vector<std::int32_t> includes;  // member entries
};

// The relations of program-table entry e; lists the entry does not have are empty.
void gatherRelations(const ProgramStructure& structure, const CommonTables& commons, int e,
                     UnitRelations& out);

// A count field of the program table; -1 (unset) counts as nothing.
inline int countOf(const ProgramTable& t, int e, ProgramField f) {
  return t.at(e, f) < 0 ? 0 : t.at(e, f);
}

// Units and ENTRY names have one of the unit kind letters; a name that is only
// called has none.
constexpr bool isUnitKind(char kind) {
  return kind == 'S' || kind == 'F' || kind == 'B' || kind == 'P';
}

// A dummy procedure by the call's kind letter.
constexpr std::string_view procedureKindText(char kind) {
  switch (kind) {
    case 'S':
      return "(SUBROUTINE)";
    case 'F':
      return "(FUNCTION)";
    default:
      return "(UNKNOWN)";
  }
}

// A caller by its unit kind letter.
constexpr std::string_view callerKindText(char kind) {
  return kind == 'P' ? "(MAIN)" : procedureKindText(kind);
}

// A called procedure: a library routine when no source defines it, an ENTRY
// name of another unit, or an ordinary unit.
std::string_view calleeKindText(const ProgramTable& t, const CallRecord& call);

}  // namespace ksfort
