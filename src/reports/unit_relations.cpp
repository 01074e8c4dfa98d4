#include "reports/unit_relations.h"

#include <algorithm>

namespace ksfort {
namespace {

// One call group of the entry: its records in the call table.
std::span<const CallRecord> group(const ProgramStructure& s, int e, ProgramField start,
                                  ProgramField count) {
  const int first = s.programs.at(e, start);
  const auto n = static_cast<std::size_t>(countOf(s.programs, e, count));
  const std::span<const CallRecord> calls = s.lists.calls.used();
  if (first < 1 || static_cast<std::size_t>(first - 1) >= calls.size()) return {};
  const auto from = static_cast<std::size_t>(first - 1);
  return calls.subspan(from, std::min(n, calls.size() - from));
}

}  // namespace

void gatherRelations(const ProgramStructure& s, const CommonTables& commons, int e,
                     UnitRelations& out) {
  const ProgramTable& t = s.programs;
  out.statementFunctions =
      group(s, e, ProgramField::kStatementFunctionsStart, ProgramField::kStatementFunctionCount);
  out.dummyProcedures =
      group(s, e, ProgramField::kDummyProceduresStart, ProgramField::kDummyProcedureCount);
  out.calls = group(s, e, ProgramField::kCallsStart, ProgramField::kCallCount);
  out.callers.clear();
  s.relations.forEach(t.at(e, ProgramField::kCallers),
                      [&out](std::int32_t unit, std::int32_t) { out.callers.push_back(unit); });
  out.commonBlocks = unitCommonBlocks(commons, t, e);
  out.includes.clear();
  const int first = t.at(e, ProgramField::kIncludesStart);
  for (int k = 0; k < countOf(t, e, ProgramField::kIncludeCount); ++k) {
    const auto index = static_cast<std::size_t>(first - 1 + k);
    if (first < 1 || index >= s.lists.includes.size()) break;
    out.includes.push_back(s.lists.includes[index]);
  }
}

std::string_view calleeKindText(const ProgramTable& t, const CallRecord& call) {
  const char kind = call.kindLetter();
  if (kind != 'S' && kind != 'F') return "(UNKNOWN)";
  const bool subroutine = kind == 'S';
  if (call.callee >= 1 && call.callee <= t.count()) {
    if (t.at(call.callee, ProgramChar::kDefinition) == '*')
      return subroutine ? "(LIB.:SUB.)" : "(LIB.:FUNC.)";
    if (t.at(call.callee, ProgramChar::kEntryMark) == 'E')
      return subroutine ? "(ENTRY:SUB.)" : "(ENTRY:FUNC)";
  }
  return subroutine ? "(SUBROUTINE)" : "(FUNCTION)";
}

}  // namespace ksfort
