#include "reports/program_summary.h"

#include <algorithm>
#include <string>
#include <vector>

#include "host/fixed_text.h"
#include "listing/unit_kind_text.h"
#include "reports/report_layout.h"
#include "reports/unit_relations.h"

namespace ksfort {
namespace {

constexpr std::string_view kSummaryTitle = "PROGRAM  SUMMARY  OF ";
constexpr std::string_view kLibraryTitle = "LIBRARY  ROUTINES  USED  BY  ";
using report_layout::kRuleWidth;
using report_layout::kShownName;
using report_layout::kUsageNotation1;
using report_layout::kUsageNotation2;

// Print positions (carriage control in position 1) of an entry's title record
// in the summary and of a routine's record in the library list.
constexpr int kNumberPos = 7;
constexpr int kNumberWidth = 5;
constexpr int kDotPos = kNumberPos + kNumberWidth;
constexpr int kNamePos = kDotPos + 3;
constexpr int kKindPos = kNamePos + kShownName;
constexpr int kKindWidth = 20;
constexpr int kEntryOfPos = kKindPos + kKindWidth + 5;
constexpr std::string_view kEntryOf = "SUB ENTRY OF ";
constexpr int kOwnerPos = kEntryOfPos + static_cast<int>(kEntryOf.size());
constexpr int kCardsPos = kKindPos + kKindWidth + 10;
constexpr int kCardsWidth = 8;
constexpr int kCardsWordPos = kCardsPos + kCardsWidth + 1;
constexpr int kDuplicatePos = 110;

// The argument section: text after 13 blanks, five arguments per record in
// cells of 22 positions (number 3, blank, name 8, blank, usage letters 4, 5 blanks).
constexpr int kArgumentPos = 15;
constexpr int kArgumentCountPos = kArgumentPos + 14;  // after "ARGUMENT LIST "
constexpr int kArgumentsPerRecord = 5;
constexpr int kArgumentCell = 22;
constexpr std::string_view kArgumentHeading = "    ARGUMENT USED     ";
static_assert(kArgumentHeading.size() == kArgumentCell);
// Argument record attributes 6 to 9: referenced, substituted, actual argument,
// input/output.
constexpr std::size_t kFirstUsageLetter = 5;

// The lower table: four cells of 24 positions (2 blanks, name 8, kind 12,
// 2 blanks) and two of 12 (4 blanks, name 8) after 10 blanks.
constexpr int kTablePos = 12;
constexpr int kWideCell = 24;
constexpr int kNarrowCell = 12;
constexpr int kCommonPos = kTablePos + 4 * kWideCell;
constexpr int kIncludePos = kCommonPos + kNarrowCell;
constexpr std::string_view kWideDashes = "  - - - - - - - - - - - ";
constexpr std::string_view kNarrowDashes = "    - - - - ";
constexpr std::array<std::string_view, 4> kWideHeadings = {
    "    STATEMENT FUNCTION  ", "    DUMMY PROCEDURE     ", "    CALLING PROGRAMS    ",
    "    CALLED  BY          "};
constexpr std::string_view kCommonHeading = "    COMMON  ";
constexpr std::string_view kIncludeHeading = "    INCLUDE ";

// The library list: kind 12, 2 blanks, ":", 2 blanks, then callers in cells of 10.
constexpr int kLibraryKindWidth = 12;
constexpr int kColonPos = kKindPos + kLibraryKindWidth + 2;
constexpr int kCallersPos = kColonPos + 3;
constexpr int kCallerCell = 10;
constexpr int kCallersPerRecord = 8;

std::string_view shown(std::string_view name) {
  return name.substr(0, kShownName);
}

std::string_view libraryKindText(char kind) {
  switch (kind) {
    case 'S':
      return "(SUBROUTINE)";
    case 'F':
      return "(FUNCTION  )";
    default:
      return "(UNKNOWN   )";
  }
}

void startReport(PageFrame& frame, std::string_view title, const std::array<char, 10>& programName,
                 int headingLines) {
  std::string text(title);
  text += view(programName);
  frame.setTitle(text, headingLines);
  if (headingLines == 2) frame.setHeadings(kUsageNotation1, kUsageNotation2);
  frame.startPage();
}

class SummaryWriter {
 public:
  SummaryWriter(PageFrame& frame, const ProgramStructure& s, const CommonTables& commons,
                const IncludeMembers& members)
      : frame_{frame},
        out_{frame.out()},
        s_{s},
        t_{s.programs},
        commons_{commons},
        members_{members} {}

  void entry(int e, int number) {
    rule();
    titleRecord(e, number);
    rule();
    blank();
    const char kind = t_.at(e, ProgramChar::kKind);
    if (kind == 'S' || kind == 'F') arguments(e);
    relations(e);
  }

 private:
  void emit() {
    frame_.countLine();
    line_.emit(out_);
    line_.clear();
  }
  void rule() {
    line_.put(2, rule_);
    emit();
  }
  void blank() { emit(); }

  void titleRecord(int e, int number) {
    line_.putInt(kNumberPos, kNumberWidth, number)
        .put(kDotPos, ".")
        .put(kNamePos, shown(t_.name(e)))
        .put(kKindPos, unitKindText(t_.at(e, ProgramChar::kKind), "(MAIN)"));
    if (t_.at(e, ProgramChar::kEntryMark) == 'E') {
      const int owner = t_.at(e, ProgramField::kOwner);
      line_.put(kEntryOfPos, kEntryOf);
      if (owner >= 1 && owner <= t_.count()) line_.put(kOwnerPos, shown(t_.name(owner)));
    } else {
      line_.putInt(kCardsPos, kCardsWidth, t_.at(e, ProgramField::kCards))
          .put(kCardsWordPos, "CARDS");
    }
    if (t_.at(e, ProgramChar::kDefinition) == '+') line_.put(kDuplicatePos, "** DUPLICATE NAME **");
    emit();
  }

  // The dummy arguments of the entry itself (an ENTRY name has its own).
  void arguments(int e) {
    const int count = countOf(t_, e, ProgramField::kArgumentCount);
    if (count == 0) {
      line_.put(kArgumentPos, "NO ARGUMENT.");
      emit();
      return;
    }
    line_.put(kArgumentPos, "ARGUMENT LIST ")
        .putInt(kArgumentCountPos, 5, count)
        .put(kArgumentCountPos + 5, " ARGUMENTS.");
    emit();
    blank();
    for (int k = 0; k < kArgumentsPerRecord; ++k)
      line_.put(kArgumentPos + k * kArgumentCell, kArgumentHeading);
    emit();
    const int first = t_.at(e, ProgramField::kArgumentsStart);
    for (int i = 0; i < count; ++i) {
      const auto index = static_cast<std::size_t>(first - 1 + i);
      if (first < 1 || index >= s_.lists.arguments.size()) break;
      const ArgumentRecord& a = s_.lists.arguments[index];
      const int cell = kArgumentPos + (i % kArgumentsPerRecord) * kArgumentCell;
      line_.putInt(cell, 3, i + 1)
          .put(cell + 4, shown(view(a.name)))
          .put(cell + 13, view(a.attributes).substr(kFirstUsageLetter, 4));
      if (i % kArgumentsPerRecord == kArgumentsPerRecord - 1) emit();
    }
    if (count % kArgumentsPerRecord != 0) emit();
  }

  // The lower table: statement functions, dummy procedures, the procedures the
  // unit calls and its callers, each filling its column one name per record.
  // The common blocks of the unit and its included members fill the last two
  // columns, one name per record.
  void relations(int e) {
    gatherRelations(s_, commons_, e, r_);
    const auto& functions = r_.statementFunctions;
    const auto& dummies = r_.dummyProcedures;
    const auto& calls = r_.calls;
    const auto& callers = r_.callers;
    const auto& blocks = r_.commonBlocks;
    const auto& includes = r_.includes;
    const std::size_t rows = std::max({functions.size(), dummies.size(), calls.size(),
                                       callers.size(), blocks.size(), includes.size()});
    if (rows == 0) return;

    blank();
    tableFrame();
    for (int k = 0; k < 4; ++k) line_.put(kTablePos + k * kWideCell, kWideHeadings[k]);
    line_.put(kCommonPos, kCommonHeading).put(kIncludePos, kIncludeHeading);
    emit();
    tableFrame();
    for (std::size_t r = 0; r < rows; ++r) {
      if (r < functions.size()) cell(0, view(functions[r].name), "");
      if (r < dummies.size())
        cell(1, view(dummies[r].name), procedureKindText(dummies[r].kindLetter()));
      if (r < calls.size()) cell(2, view(calls[r].name), calleeKindText(t_, calls[r]));
      if (r < callers.size()) {
        const int unit = callers[r];
        if (unit >= 1 && unit <= t_.count())
          cell(3, t_.name(unit), callerKindText(t_.at(unit, ProgramChar::kKind)));
      }
      if (r < blocks.size()) line_.put(kCommonPos + 4, shown(commonBlockName(commons_, blocks[r])));
      if (r < includes.size()) line_.put(kIncludePos + 4, shown(members_[includes[r]].name));
      emit();
    }
  }

  void tableFrame() {
    for (int k = 0; k < 4; ++k) line_.put(kTablePos + k * kWideCell, kWideDashes);
    line_.put(kCommonPos, kNarrowDashes).put(kIncludePos, kNarrowDashes);
    emit();
  }

  void cell(int column, std::string_view name, std::string_view kind) {
    const int pos = kTablePos + column * kWideCell;
    line_.put(pos + 2, shown(name)).put(pos + 2 + kShownName, kind);
  }

  PageFrame& frame_;
  Listing& out_;
  const ProgramStructure& s_;
  const ProgramTable& t_;
  PrintLine line_;
  const std::string rule_ = std::string(kRuleWidth, '-');
  const CommonTables& commons_;
  const IncludeMembers& members_;
  UnitRelations r_;
};

}  // namespace

void printProgramSummary(PageFrame& frame, const ProgramStructure& structure,
                         const CommonTables& commons, const IncludeMembers& members,
                         const std::array<char, 10>& programName) {
  const ProgramTable& t = structure.programs;
  if (t.count() == 0) return;
  startReport(frame, kSummaryTitle, programName, 2);
  SummaryWriter writer(frame, structure, commons, members);
  int number = 0;
  for (int p = 1; p <= t.count(); ++p) {
    const int e = t.sortedEntry(p);
    if (t.at(e, ProgramChar::kDefinition) == '*' || !isUnitKind(t.at(e, ProgramChar::kKind)))
      continue;
    writer.entry(e, ++number);
  }
}

void printLibraryRoutines(PageFrame& frame, const ProgramStructure& structure,
                          const std::array<char, 10>& programName) {
  const ProgramTable& t = structure.programs;
  const auto& calls = structure.lists.calls;
  Listing& out = frame.out();
  startReport(frame, kLibraryTitle, programName, 0);
  const std::string rule(kRuleWidth, '-');
  PrintLine l;
  l.put(2, rule).emit(out);
  if (t.count() == 0) return;

  std::vector<std::array<std::int32_t, 2>> callers;
  int number = 0;
  for (int p = 1; p <= t.count(); ++p) {
    const int e = t.sortedEntry(p);
    if (t.at(e, ProgramChar::kDefinition) != '*') continue;
    callers.clear();
    structure.relations.forEach(t.at(e, ProgramField::kCallers),
                                [&](std::int32_t unit, std::int32_t call) {
                                  callers.push_back({unit, call});
                                });
    // The kind comes from the call of the last caller on the first record.
    char kind = ' ';
    if (!callers.empty()) {
      const std::int32_t call =
          callers[std::min<std::size_t>(callers.size(), kCallersPerRecord) - 1][1];
      if (call >= 0 && static_cast<std::size_t>(call) < calls.size())
        kind = calls[static_cast<std::size_t>(call)].kindLetter();
    }
    l.clear();
    l.putInt(kNumberPos, kNumberWidth, ++number)
        .put(kDotPos, ".")
        .put(kNamePos, shown(t.name(e)))
        .put(kKindPos, libraryKindText(kind));
    std::size_t i = 0;
    do {
      l.put(kColonPos, ":");
      for (int k = 0; k < kCallersPerRecord && i < callers.size(); ++k, ++i) {
        const int unit = callers[i][0];
        if (unit >= 1 && unit <= t.count())
          l.put(kCallersPos + k * kCallerCell, shown(t.name(unit)));
      }
      frame.countLine();
      l.emit(out);
      l.clear();
    } while (i < callers.size());
    frame.countLine();
    l.put(2, rule).emit(out);
  }
}

}  // namespace ksfort
