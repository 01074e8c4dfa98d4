#include "structure/unit_registration.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace ksfort {
namespace {

// Attribute positions copied into an argument record, in its order.
constexpr Attribute kArgumentAttributes[] = {
    Attribute::kType,        Attribute::kLengthHigh,   Attribute::kLengthLow,
    Attribute::kClass,       Attribute::kKind,         Attribute::kReferenced,
    Attribute::kSubstituted, Attribute::kRealArgument, Attribute::kInputOutput};
// Attribute positions copied into a call record: type and length, then the
// class (S subroutine or F function reference) and the kind.
constexpr Attribute kCallAttributes[] = {Attribute::kType, Attribute::kLengthHigh,
                                         Attribute::kLengthLow, Attribute::kClass,
                                         Attribute::kKind};

// The three call groups of a unit, in the order their records are written.
enum class CallGroup { kStatementFunction, kDummyProcedure, kOrdinary };

CallGroup groupOf(const NameTable& names, int e) {
  switch (names.at(e, Attribute::kKind)) {
    case 'B':
      return CallGroup::kStatementFunction;
    case 'X':
      return CallGroup::kDummyProcedure;
    default:
      return CallGroup::kOrdinary;
  }
}

bool isCalled(const NameTable& names, int e) {
  const char cls = names.at(e, Attribute::kClass);
  return cls == 'S' || cls == 'F' || cls == 'X';
}

std::array<char, 32> nameField(std::string_view name) {
  std::array<char, 32> f = blankField<32>();
  setField(f, name);
  return f;
}

class Registration {
 public:
  Registration(ProgramStructure& s, const NameTable& n, const DeclarationTables& d, TableUsage& u)
      : s_{s}, n_{n}, d_{d}, usage_{u} {}

  // Copies the dummy arguments of name entry e into the argument table for
  // program entry p.
  void arguments(int e, int p) {
    ProgramTable& programs = s_.programs;
    const int declaration = n_.at(e, IntAttribute::kDeclaration);
    LimitedTable<ArgumentRecord>& table = s_.lists.arguments;
    programs.at(p, ProgramField::kArgumentsStart) = static_cast<std::int32_t>(table.size()) + 1;
    programs.at(p, ProgramField::kArgumentCount) = 0;
    if (declaration < 1 || static_cast<std::size_t>(declaration) > d_.declarations.size()) return;
    const std::int32_t start = d_.at(declaration, DeclarationField::kArgumentsStart);
    const std::int32_t count = d_.at(declaration, DeclarationField::kArgumentCount);
    if (start < 1 || count <= 0) return;
    table.ensureRoom(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
      const std::int32_t a = d_.lists[static_cast<std::size_t>(start - 1 + i)];
      ArgumentRecord r;
      r.name = nameField(a > 0 ? n_.name(a) : " *");
      r.attributes.fill(' ');
      r.textStart = static_cast<std::int32_t>(s_.lists.text.size()) + 1;
      r.textLength = 0;
      if (a > 0) {
        for (std::size_t k = 0; k < r.attributes.size(); ++k)
          r.attributes[k] = n_.at(a, kArgumentAttributes[k]);
        declarator(a, r);
      }
      table.add(r);
    }
    programs.at(p, ProgramField::kArgumentCount) = count;
    usage_.raise(UsageSlot::kArguments, static_cast<std::int32_t>(table.size()));
  }

  // An array argument's declarator text goes to the character buffer.
  void declarator(int a, ArgumentRecord& r) {
    if (n_.at(a, Attribute::kClass) != 'A') return;
    const int declaration = n_.at(a, IntAttribute::kDeclaration);
    if (declaration < 1 || static_cast<std::size_t>(declaration) > d_.declarations.size()) return;
    const std::int32_t start = d_.at(declaration, DeclarationField::kDeclaratorStart);
    const std::int32_t length = d_.at(declaration, DeclarationField::kDeclaratorLength);
    if (start < 1 || length <= 0) return;
    LimitedTable<char>& text = s_.lists.text;
    text.ensureRoom(static_cast<std::size_t>(length));
    for (std::int32_t i = 0; i < length; ++i)
      text.add(d_.text[static_cast<std::size_t>(start - 1 + i)]);
    r.textLength = length;
    usage_.raise(UsageSlot::kRunCharacters, static_cast<std::int32_t>(text.size()));
  }

  void copyType(int e, int p) {
    s_.programs.at(p, ProgramChar::kType) = n_.at(e, Attribute::kType);
    s_.programs.at(p, ProgramChar::kLengthHigh) = n_.at(e, Attribute::kLengthHigh);
    s_.programs.at(p, ProgramChar::kLengthLow) = n_.at(e, Attribute::kLengthLow);
  }

  // One group of call records, the group's name entries in name order; its
  // start and count.
  void calls(int unit, CallGroup group, std::span<const std::int32_t> members,
             ProgramField startField, ProgramField countField) {
    ProgramTable& programs = s_.programs;
    LimitedTable<CallRecord>& table = s_.lists.calls;
    programs.at(unit, startField) = static_cast<std::int32_t>(table.size()) + 1;
    std::int32_t count = 0;
    for (const std::int32_t e : members) {
      CallRecord r;
      r.name = nameField(n_.name(e));
      for (std::size_t k = 0; k < r.attributes.size(); ++k)
        r.attributes[k] = n_.at(e, kCallAttributes[k]);
      r.callee = group == CallGroup::kOrdinary ? programs.reference(n_.name(e)) : -1;
      r.textStart = -1;
      r.textLength = 0;
      const auto index = static_cast<std::int32_t>(table.add(r));
      ++count;
      if (group == CallGroup::kOrdinary) {
        // The callee's list of callers: (calling unit, call record).
        std::int32_t& callers = programs.at(r.callee, ProgramField::kCallers);
        if (callers == -1) callers = s_.relations.addressCount() + 1;
        s_.relations.append(unit, callers, index);
      }
    }
    programs.at(unit, countField) = count;
    usage_.raise(UsageSlot::kCalls, static_cast<std::int32_t>(table.size()));
  }

 private:
  ProgramStructure& s_;
  const NameTable& n_;
  const DeclarationTables& d_;
  TableUsage& usage_;
};

}  // namespace

int registerUnit(ProgramStructure& s, const NameTable& names, const DeclarationTables& declarations,
                 const ProgramUnit& unit, const UnitCounts& counts, TableUsage& usage) {
  Registration r(s, names, declarations, usage);
  ProgramTable& programs = s.programs;
  const int self = programs.define(trimmed(unit.name));
  programs.at(self, ProgramField::kCards) = counts.cards;
  programs.at(self, ProgramField::kFirstCard) = counts.firstCard;
  programs.at(self, ProgramField::kStatements) = counts.statements;
  programs.at(self, ProgramChar::kKind) = unit.kind;

  programs.at(self, ProgramField::kEntriesStart) =
      static_cast<std::int32_t>(s.lists.entries.size()) + 1;
  programs.at(self, ProgramField::kEntryCount) = 0;
  // The called names of each call group, in name order, gathered in the same
  // pass over the names.
  std::array<std::vector<std::int32_t>, 3> called;
  for (int p = 1; p <= names.count(); ++p) {
    const int e = names.sortedEntry(p);
    if (isCalled(names, e)) called[static_cast<std::size_t>(groupOf(names, e))].push_back(e);
    const char cls = names.at(e, Attribute::kClass);
    if (cls == 'P') {
      r.copyType(e, self);
      r.arguments(e, self);
    } else if (cls == 'E') {
      const int entry = programs.define(names.name(e));
      programs.at(entry, ProgramField::kOwner) = self;
      programs.at(entry, ProgramChar::kKind) = unit.kind;
      programs.at(entry, ProgramChar::kEntryMark) = 'E';
      r.copyType(e, entry);
      s.lists.entries.add(entry);
      ++programs.at(self, ProgramField::kEntryCount);
      usage.raise(UsageSlot::kEntries, static_cast<std::int32_t>(s.lists.entries.size()));
      r.arguments(e, entry);
    }
  }
  auto group = [&](CallGroup g) {
    return std::span<const std::int32_t>(called[static_cast<std::size_t>(g)]);
  };
  r.calls(self, CallGroup::kStatementFunction, group(CallGroup::kStatementFunction),
          ProgramField::kStatementFunctionsStart, ProgramField::kStatementFunctionCount);
  r.calls(self, CallGroup::kDummyProcedure, group(CallGroup::kDummyProcedure),
          ProgramField::kDummyProceduresStart, ProgramField::kDummyProcedureCount);
  r.calls(self, CallGroup::kOrdinary, group(CallGroup::kOrdinary), ProgramField::kCallsStart,
          ProgramField::kCallCount);

  if (s.selectedCards.size() < static_cast<std::size_t>(programs.count()))
    s.selectedCards.resize(static_cast<std::size_t>(programs.count()), {0, 0});
  s.selectedCards[static_cast<std::size_t>(self - 1)] = {counts.selectedFirst,
                                                         counts.selectedCount};
  return self;
}

}  // namespace ksfort
