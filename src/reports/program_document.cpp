#include "reports/program_document.h"

#include <string>
#include <string_view>

#include "host/fixed_text.h"
#include "listing/unit_kind_text.h"
#include "reports/report_layout.h"
#include "reports/unit_relations.h"

namespace ksfort {
namespace {

using report_layout::kShownName;

// The page frame: 60 records a page. A section record that would go past
// record 59 first ends the page with the continuation note (record 60) and
// starts the next one with the title block and the section heading.
constexpr int kPageLength = 60;
constexpr int kRuleWidth = 70;
constexpr int kHeadingGap = 3;  // blank records before a section heading
// A section opens only where its heading, its first record and the
// continuation note still fit; the argument list asks for room for its column
// header and a few arguments too.
constexpr int kSectionRoom = 7;
constexpr int kArgumentListRoom = 13;
// The closing rule with the blank records around it.
constexpr int kClosingRoom = 3;
// Blank records under the ABSTRACT heading, room for the abstract written in
// by hand.
constexpr int kAbstractLines = 5;

// Print positions (carriage control in position 1).
constexpr int kRulePos = 4;
constexpr int kTitlePos = 9;
constexpr int kTitleWidth = 40;
constexpr int kDatePos = kTitlePos + kTitleWidth + 5;
constexpr int kNumberPos = 12;  // after "NO."
constexpr int kNamePos = kNumberPos + 5 + 2;
constexpr int kKindPos = kNamePos + kShownName;
constexpr int kKindWidth = 20;
constexpr int kEntryOfPos = kKindPos + kKindWidth + 4;
constexpr int kOwnerPos = kEntryOfPos + 13;  // after "SUB ENTRY OF "
constexpr int kLinesPos = kKindPos + kKindWidth + 8;
constexpr int kTextPos = 6;  // headings and section records, after 4 blanks
constexpr int kContinuedPos = 57;
constexpr int kClosingPos = 13;
constexpr int kClosingWidth = 61;
constexpr int kNotationHeadPos = 28;
constexpr int kNotationPos = 24;

// The calling form: after "(" 7 arguments a record, 9 characters each.
constexpr int kFormCellsPos = kTextPos + 1;
constexpr int kFormArguments = 7;
constexpr int kFormCell = 9;
// Statement functions, dummy procedures, calls and callers: 3 a record, name
// (8), kind (12) and 2 blanks each. Common labels and members: 7 a record,
// name (8) and 2 blanks each.
constexpr int kRelationNames = 3;
constexpr int kRelationCell = kShownName + 12 + 2;
constexpr int kLabelNames = 7;
constexpr int kLabelCell = kShownName + 2;
// The argument list: number (5), 2 blanks, name (8), blank, usage letters
// (4), 4 blanks, type letter, 2 blanks, length (4), 3 blanks, array text
// (25); the rest of a longer declarator 25 characters a record from
// position 41.
constexpr int kArgumentNamePos = kTextPos + 5 + 2;
constexpr int kUsagePos = kArgumentNamePos + kShownName + 1;
constexpr int kTypeLetterPos = kUsagePos + 4 + 4;
constexpr int kLengthPos = kTypeLetterPos + 1 + 2;
constexpr int kArrayPos = kLengthPos + 4 + 3;
constexpr int kArrayWidth = 25;
constexpr int kArrayRestPos = 41;
constexpr std::string_view kArgumentColumns = "  NO.  NAME     USAGE TYPE LENGTH ARRAY";
// Argument record attributes 6 to 9: referenced, substituted, actual
// argument, input/output; 4 is the class.
constexpr std::size_t kFirstUsageLetter = 5;
constexpr std::size_t kArgumentClass = 3;

// The letters the notation page explains, the type names also in the
// function type section.
struct Notation {
  char letter;
  std::string_view meaning;
};
constexpr Notation kUsageLetters[] = {
    {'B', "READ/WRITE"}, {'D', "DEFINED"},     {'I', "READ"},         {'O', "WRITE"},
    {'R', "REFERENCED"}, {'S', "SUBSTITUTED"}, {'X', "REAL ARGUMENT"}};
constexpr Notation kTypeLetters[] = {
    {'C', "CHARACTER"}, {'D', "DOUBLE PRECISION"}, {'H', "HALF INTEGER"},        {'I', "INTEGER"},
    {'L', "LOGICAL"},   {'N', "NCHARACTER"},       {'Q', "QUADRUPLE PRECISION"}, {'R', "REAL"},
    {'X', "COMPLEX"}};

std::string_view typeName(char letter) {
  for (const Notation& t : kTypeLetters)
    if (t.letter == letter) return t.meaning;
  return {};
}

// A length kept as two characters, high and low byte.
int lengthOf(char high, char low) {
  return static_cast<unsigned char>(high) * 256 + static_cast<unsigned char>(low);
}

std::string_view shown(std::string_view name) {
  return name.substr(0, kShownName);
}

// Without blanks on either side: the alternate return " *" is written "*".
std::string_view bare(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

class DocumentWriter {
 public:
  DocumentWriter(Listing& out, const DocumentParts& parts, const ProgramStructure& s,
                 const CommonTables& commons, const IncludeMembers& members, std::string_view title,
                 std::string_view date)
      : out_{out},
        parts_{parts},
        s_{s},
        t_{s.programs},
        commons_{commons},
        members_{members},
        title_{title},
        date_{date} {}

  // Whether entry e has anything in the chosen parts.
  bool hasSections(int e) const {
    if (parts_.program == 1) return true;
    return !unitCommonBlocks(commons_, t_, e).empty();
  }

  void entry(int e, int number) {
    entry_ = e;
    number_ = number;
    heading_ = {};
    gatherRelations(s_, commons_, e, r_);
    titleBlock();
    const char kind = t_.at(e, ProgramChar::kKind);
    const bool procedure = kind == 'S' || kind == 'F';
    if (parts_.program == 1) {
      if (procedure) callingForm(kind);
      if (kind == 'F') functionType();
      if (procedure) argumentCount();
      abstract();
      relationSection("STATEMENT FUNCTION", r_.statementFunctions.size(), [&](std::size_t i) {
        return Cell{view(r_.statementFunctions[i].name), ""};
      });
      relationSection("DUMMY PROCEDURE", r_.dummyProcedures.size(), [&](std::size_t i) {
        const CallRecord& c = r_.dummyProcedures[i];
        return Cell{view(c.name), procedureKindText(c.kindLetter())};
      });
      relationSection("CALLING PROGRAMS", r_.calls.size(), [&](std::size_t i) {
        return Cell{view(r_.calls[i].name), calleeKindText(t_, r_.calls[i])};
      });
      relationSection("CALLED BY", r_.callers.size(), [&](std::size_t i) {
        const int unit = r_.callers[i];
        if (unit < 1 || unit > t_.count()) return Cell{};
        return Cell{t_.name(unit), callerKindText(t_.at(unit, ProgramChar::kKind))};
      });
    }
    if (parts_.common == 1) {
      labelSection("COMMON LABELS", r_.commonBlocks.size(),
                   [&](std::size_t i) { return commonBlockName(commons_, r_.commonBlocks[i]); });
    }
    if (parts_.program == 1) {
      labelSection("INCLUDE", r_.includes.size(), [&](std::size_t i) -> std::string_view {
        const int member = r_.includes[i];
        if (member < 1 || member > members_.count()) return {};
        return members_[member].name;
      });
      if (procedure) argumentList();
    }
    closing();
  }

  void notationPage() {
    line_.clear('1');
    line_.put(kNotationHeadPos, "* NOTATION FOR USAGE *");
    emit();
    for (const Notation& n : kUsageLetters) notation(n);
    emit();
    line_.clear('0');
    line_.put(kNotationHeadPos, "* NOTATION FOR TYPE *");
    emit();
    for (const Notation& n : kTypeLetters) notation(n);
  }

 private:
  struct Cell {
    std::string_view name;
    std::string_view kind;
  };

  // Writes the record built in line_ and counts it on the page.
  void emit() {
    line_.emit(out_);
    line_.clear();
    ++lines_;
  }

  // The title block of the current entry at the top of a new page.
  void titleBlock() {
    const std::string rule(kRuleWidth, '-');
    lines_ = 0;
    line_.clear('1');
    line_.put(kRulePos, rule);
    emit();
    line_.put(kTitlePos, title_).put(kDatePos, "DATE : ").put(kDatePos + 7, date_);
    emit();
    line_.put(kTitlePos, "NO.")
        .putInt(kNumberPos, 5, number_)
        .put(kNumberPos + 5, ". ")
        .put(kNamePos, shown(t_.name(entry_)))
        .put(kKindPos, unitKindText(t_.at(entry_, ProgramChar::kKind)));
    if (t_.at(entry_, ProgramChar::kEntryMark) == 'E') {
      const int owner = t_.at(entry_, ProgramField::kOwner);
      line_.put(kEntryOfPos, "SUB ENTRY OF ");
      if (owner >= 1 && owner <= t_.count()) line_.put(kOwnerPos, shown(t_.name(owner)));
    } else {
      line_.putInt(kLinesPos, 8, t_.at(entry_, ProgramField::kCards)).put(kLinesPos + 9, "LINES");
    }
    emit();
    line_.put(kRulePos, rule);
    emit();
    if (t_.at(entry_, ProgramChar::kDefinition) == '+') {
      line_.put(kTextPos, "** DUPLICATE NAME **");
      emit();
    }
  }

  // The section heading with its underline after the blank records.
  void sectionHeading() {
    for (int k = 0; k < kHeadingGap; ++k) emit();
    line_.put(kTextPos, heading_);
    emit();
    line_.put(kTextPos, underline_);
    emit();
    if (argumentColumns_) {
      line_.put(kTextPos, kArgumentColumns);
      emit();
      emit();
    }
  }

  // Ends the page with the continuation note and starts the next one with
  // the title block and the heading of the section that goes on.
  void pageBreak() {
    line_.put(kContinuedPos, "(TO BE CONTINUED)");
    emit();
    titleBlock();
    if (!heading_.empty()) sectionHeading();
  }

  // Opens a section: a new page first when fewer than `room` records are
  // left on this one. The heading is underlined with as many dashes as it
  // has characters unless the underline is given.
  void openSection(std::string_view heading, std::string_view underline, int room = kSectionRoom,
                   bool argumentColumns = false) {
    heading_ = {};
    argumentColumns_ = false;
    if (kPageLength - lines_ < room) pageBreak();
    heading_ = heading;
    underline_ = underline.empty() ? std::string(heading.size(), '-') : std::string(underline);
    argumentColumns_ = argumentColumns;
    sectionHeading();
  }

  // A record of the open section, on a new page when this one is full.
  void sectionRecord() {
    if (lines_ > kPageLength - 2) {
      // The record waits in line_ while the page changes.
      const PrintLine record = line_;
      line_.clear();
      pageBreak();
      line_ = record;
    }
    emit();
  }

  void callingForm(char kind) {
    openSection("FORM", "");
    line_.put(kTextPos, kind == 'S' ? "SUBROUTINE " : "FUNCTION ");
    line_.put(kTextPos + (kind == 'S' ? 11 : 9), t_.name(entry_));
    sectionRecord();
    const int count = countOf(t_, entry_, ProgramField::kArgumentCount);
    const int first = t_.at(entry_, ProgramField::kArgumentsStart);
    std::string cell;
    for (int i = 0; i < count; ++i) {
      const auto index = static_cast<std::size_t>(first - 1 + i);
      if (first < 1 || index >= s_.lists.arguments.size()) break;
      const int k = i % kFormArguments;
      if (i == 0) line_.put(kTextPos, "(");
      cell.assign(shown(bare(view(s_.lists.arguments[index].name))));
      cell += i == count - 1 ? ')' : ',';
      line_.put(kFormCellsPos + k * kFormCell, cell);
      if (k == kFormArguments - 1 || i == count - 1) sectionRecord();
    }
  }

  void functionType() {
    openSection("FUNCTION TYPE         LENGTH", "-------------         ------");
    const char type = t_.at(entry_, ProgramChar::kType);
    line_.put(kTextPos, typeName(type));
    if (type != ' ')
      line_.putInt(kTextPos + 20, 5,
                   lengthOf(t_.at(entry_, ProgramChar::kLengthHigh),
                            t_.at(entry_, ProgramChar::kLengthLow)));
    sectionRecord();
  }

  void argumentCount() {
    openSection("NUMBER OF ARGUMENT", "");
    const int count = countOf(t_, entry_, ProgramField::kArgumentCount);
    if (count == 0) {
      line_.put(kTextPos, "* NO ARGUMENT. *");
    } else {
      line_.putInt(kTextPos, 5, count).put(kTextPos + 5, " ARGUMENTS");
    }
    sectionRecord();
  }

  void abstract() {
    openSection("ABSTRACT", "");
    for (int k = 0; k < kAbstractLines; ++k) sectionRecord();
  }

  // Names with their kinds, 3 a record.
  template <class CellOf>
  void relationSection(std::string_view heading, std::size_t count, CellOf cellOf) {
    if (count == 0) return;
    openSection(heading, "");
    for (std::size_t i = 0; i < count; ++i) {
      const Cell c = cellOf(i);
      const int pos = kTextPos + static_cast<int>(i % kRelationNames) * kRelationCell;
      line_.put(pos, shown(c.name)).put(pos + kShownName, c.kind);
      if (i % kRelationNames == kRelationNames - 1 || i == count - 1) sectionRecord();
    }
  }

  // Names alone, 7 a record.
  template <class NameOf>
  void labelSection(std::string_view heading, std::size_t count, NameOf nameOf) {
    if (count == 0) return;
    openSection(heading, "");
    for (std::size_t i = 0; i < count; ++i) {
      line_.put(kTextPos + static_cast<int>(i % kLabelNames) * kLabelCell, shown(nameOf(i)));
      if (i % kLabelNames == kLabelNames - 1 || i == count - 1) sectionRecord();
    }
  }

  void argumentList() {
    const int count = countOf(t_, entry_, ProgramField::kArgumentCount);
    const int first = t_.at(entry_, ProgramField::kArgumentsStart);
    if (count == 0 || first < 1) return;
    openSection("ARGUMENT LIST", "", kArgumentListRoom, true);
    const std::span<const char> text = s_.lists.text.used();
    for (int i = 0; i < count; ++i) {
      const auto index = static_cast<std::size_t>(first - 1 + i);
      if (index >= s_.lists.arguments.size()) break;
      const ArgumentRecord& a = s_.lists.arguments[index];
      const std::string_view attributes = view(a.attributes);
      line_.putInt(kTextPos, 5, i + 1)
          .put(kArgumentNamePos, shown(view(a.name)))
          .put(kUsagePos, attributes.substr(kFirstUsageLetter, 4))
          .put(kTypeLetterPos, attributes.substr(0, 1));
      if (attributes[0] != ' ') line_.putInt(kLengthPos, 4, lengthOf(attributes[1], attributes[2]));
      const char cls = attributes[kArgumentClass];
      std::string_view array;
      if (cls == 'S' || cls == 'F' || cls == 'X') {
        array = "DUMMY PROCEDURE";
      } else if (a.textLength > 0 && a.textStart >= 1 &&
                 static_cast<std::size_t>(a.textStart - 1 + a.textLength) <= text.size()) {
        array = view(text.subspan(static_cast<std::size_t>(a.textStart - 1),
                                  static_cast<std::size_t>(a.textLength)));
      }
      line_.put(kArrayPos, array.substr(0, kArrayWidth));
      sectionRecord();
      for (std::size_t from = kArrayWidth; from < array.size(); from += kArrayWidth) {
        line_.put(kArrayRestPos, array.substr(from, kArrayWidth));
        sectionRecord();
      }
    }
  }

  void closing() {
    heading_ = {};
    argumentColumns_ = false;
    if (kPageLength - lines_ < kClosingRoom) pageBreak();
    emit();
    line_.put(kClosingPos, std::string(kClosingWidth, '_'));
    emit();
    emit();
  }

  // "B     --->    (READ/WRITE)" and the like, after a blank record.
  void notation(const Notation& n) {
    line_.clear('0');
    line_.put(kNotationPos,
              std::string(1, n.letter) + "     --->    (" + std::string(n.meaning) + ")");
    emit();
  }

  Listing& out_;
  const DocumentParts& parts_;
  const ProgramStructure& s_;
  const ProgramTable& t_;
  const CommonTables& commons_;
  const IncludeMembers& members_;
  std::string_view title_;
  std::string_view date_;
  PrintLine line_;
  int lines_ = 0;  // records on the current page
  int entry_ = 0;
  int number_ = 0;
  std::string_view heading_;  // of the open section, empty between sections
  std::string underline_;
  bool argumentColumns_ = false;  // the open section is the argument list
  UnitRelations r_;
};

}  // namespace

void printProgramDocument(Listing& document, std::string_view date, const DocumentParts& parts,
                          const ProgramStructure& structure, const CommonTables& commons,
                          const IncludeMembers& members, const std::array<char, 10>& programName) {
  const ProgramTable& t = structure.programs;
  if ((parts.common != 1 && parts.program != 1) || t.count() == 0) return;
  std::string title("PROGRAM  DOCUMENT  OF  ");
  title += view(programName);
  DocumentWriter writer(document, parts, structure, commons, members, title, date);
  int number = 0;
  for (int p = 1; p <= t.count(); ++p) {
    const int e = t.sortedEntry(p);
    if (t.at(e, ProgramChar::kDefinition) == '*' || !isUnitKind(t.at(e, ProgramChar::kKind)))
      continue;
    if (!writer.hasSections(e)) continue;
    writer.entry(e, ++number);
  }
  // The notation page explains the letters of the argument lists.
  if (parts.program == 1 && number > 0) writer.notationPage();
}

}  // namespace ksfort
