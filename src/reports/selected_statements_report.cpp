#include "reports/selected_statements_report.h"

#include <algorithm>
#include <string>

#include "host/fixed_text.h"
#include "lex/class_table.h"
#include "listing/unit_kind_text.h"
#include "reports/report_layout.h"

namespace ksfort {
namespace {

constexpr std::string_view kTitle = "CLASSIFIED  STATEMENTS  OF   ";
constexpr std::string_view kClassLine = "                 STATEMENT CLASS : ";
constexpr std::string_view kSubClassLine = "                       SUB CLASS : ";
constexpr std::string_view kIoStatements = "I/O  STATEMENT";
using report_layout::kRuleWidth;

// A card record is wider than a print line: the whole 132-column card sits
// between bars and the unit's name, kind and duplicate mark follow it.
// Positions are 1-based with the carriage control in position 1.
constexpr int kBarPos = 7;  // after 5 blanks
constexpr int kCardPos = kBarPos + 2;
constexpr int kCloseBarPos = kCardPos + kCardWidth;
constexpr int kUnitNamePos = kCloseBarPos + 2 + 5;
constexpr int kUnitNameWidth = 8;
constexpr int kKindPos = kUnitNamePos + kUnitNameWidth;
constexpr int kKindWidth = 20;
constexpr int kDuplicatePos = kKindPos + kKindWidth + 2;
constexpr int kRecordWidth = kDuplicatePos + 8 - 1;

void place(std::string& record, int pos, std::string_view text) {
  std::copy(text.begin(), text.end(), record.begin() + (pos - 1));
}

// The title names the selected class and, for a sub class, the sub class
// (DO as GO TO, IF, READ and WRITE, as on the execution parameters page).
void startReport(PageFrame& frame, std::int32_t selection,
                 const std::array<char, 10>& programName) {
  std::string title(kTitle);
  title += view(programName);
  std::string first(kClassLine);
  std::string second;
  if (selection == kSelectionIo) {
    first += kIoStatements;
  } else {
    const std::int32_t code = selection / 100;
    const std::int32_t sub = selection % 100;
    if (isClassCode(code)) {
      const auto cls = static_cast<StatementClass>(code);
      first += classDisplayName(cls);
      if (sub != 0 && !subClassName(cls, sub).empty()) {
        second = kSubClassLine;
        second += subClassName(cls, sub);
      }
    }
  }
  frame.setTitle(title, second.empty() ? 1 : 2);
  frame.setHeadings(first, second);
  frame.startPage();
}

}  // namespace

void printSelectedStatements(PageFrame& frame, const ProgramStructure& structure,
                             const SelectedCards& selected, std::int32_t selection,
                             std::span<const std::array<std::int32_t, 2>> unitCards,
                             const std::array<char, 10>& programName) {
  if (selection <= kSelectionOff || selected.cards.size() == 0) return;
  Listing& out = frame.out();
  startReport(frame, selection, programName);
  PrintLine rule;
  rule.put(2, std::string(kRuleWidth, '-'));
  rule.emit(out);

  const ProgramTable& t = structure.programs;
  std::string record(kRecordWidth, ' ');
  place(record, kBarPos, ": ");
  place(record, kCloseBarPos, " :");
  // Units in the order of their entries; ENTRY names share their unit's cards.
  for (int e = 1; e <= t.count() && static_cast<std::size_t>(e) <= unitCards.size(); ++e) {
    const auto [first, count] = unitCards[static_cast<std::size_t>(e - 1)];
    const char kind = t.at(e, ProgramChar::kKind);
    if (t.at(e, ProgramChar::kEntryMark) == 'E' || t.at(e, ProgramChar::kDefinition) == '*' ||
        count <= 0 || first < 0 || unitKindText(kind).empty())
      continue;
    place(record, kUnitNamePos, t.name(e).substr(0, kUnitNameWidth));
    setField(std::span<char>(record).subspan(kKindPos - 1, kKindWidth), unitKindText(kind));
    place(record, kDuplicatePos,
          t.at(e, ProgramChar::kDefinition) == ' ' ? std::string_view("        ") : "* DUP. *");
    const std::size_t end = std::min(
        selected.cards.size(), static_cast<std::size_t>(first) + static_cast<std::size_t>(count));
    for (std::size_t c = static_cast<std::size_t>(first); c < end; ++c) {
      place(record, kCardPos, view(selected.cards[c]));
      frame.countLine();
      out.record(record);
    }
    rule.emit(out);
  }
}

}  // namespace ksfort
