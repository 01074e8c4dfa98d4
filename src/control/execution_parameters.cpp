// The execution-parameters page: one line per analysis option setting.
#include <algorithm>
#include <cstdlib>

#include "control/option_parser.h"
#include "host/fixed_text.h"
#include "lex/class_table.h"

namespace ksfort {
namespace {

constexpr int kItemPos = 2;
constexpr int kOffPos = 36;
constexpr int kOnPos = 41;
constexpr int kDetailPos = 46;
constexpr int kDetailWidth = 80;

enum class Switch { kNone, kOff, kOn };

void item(Listing& out, std::string_view name, Switch sw, std::string_view detail = {},
          std::string_view detail2 = {}, std::string_view detail3 = {}) {
  PrintLine l;
  l.put(kItemPos, name.substr(0, 32));
  if (sw == Switch::kOff) l.put(kOffPos, "OFF ");
  if (sw == Switch::kOn) l.put(kOnPos, "ON ");
  // The detail field is 80 characters wide.
  char buf[kDetailWidth];
  std::size_t n = 0;
  for (std::string_view part : {detail, detail2, detail3}) {
    for (char c : part) {
      if (n < sizeof buf) buf[n++] = c;
    }
  }
  l.put(kDetailPos, std::string_view(buf, std::min(n, sizeof buf)));
  l.emit(out);
}

Switch onOff(bool on) {
  return on ? Switch::kOn : Switch::kOff;
}

}  // namespace

void printExecutionParameters(Listing& out, const ReportOptions& o, const DocumentParts& d,
                              const ReportNames& names, const ArchiveOptions& e) {
  out.record(" ");
  out.record("");
  out.record("");
  out.record("");
  out.record("   EXECUTION  PARAMETERS ");
  out.record("");

  item(out, o.common != 0 ? "     COMMON  SPECIFICATION" : "     COMMON", onOff(o.common != 0),
       o.common == 1   ? "BRIEF  LIST"
       : o.common == 2 ? "DETAIL  LIST"
                       : "");
  item(out, "     PARAMETERS(CONSTANT NAMES)", onOff(o.parameters == 1));
  item(out, "     PROGRAM SUMMARY", onOff(o.programSummary == 1));
  item(out, "     LIBRARY ROUTINES USED", onOff(o.library == 1));
  const bool entry = o.tree == 1 && !isBlank(names.treeEntry);
  item(out, "     TREE STRUCTURE", onOff(o.tree == 1), entry ? "ENTRY=" : "",
       entry ? view(names.treeEntry) : "");
  item(out, "     NEST STRUCTURE", onOff(o.nest == 1));
  item(out, "     CLASSIFICATION SUMMARY", onOff(o.classSummary == 1));
  {
    const bool lower = names.indexLower != ReportNames::kLowest;
    const bool upper = names.indexUpper != ReportNames::kHighest;
    const std::string_view lo = view(names.indexLower);
    const std::string_view up = view(names.indexUpper);
    if (o.index == 1 && lower && upper) {
      PrintLine l;
      l.put(kItemPos, "     MASTER  INDEX").put(kOnPos, "ON ");
      l.put(kDetailPos, "LOWER=").put(kDetailPos + 6, lo).put(kDetailPos + 38, " ,  UPPER=");
      l.put(kDetailPos + 48, up.substr(0, kDetailWidth - 48));
      l.emit(out);
    } else {
      item(out, "     MASTER  INDEX", onOff(o.index == 1),
           o.index == 1 && lower   ? "LOWER="
           : o.index == 1 && upper ? "UPPER="
                                   : "",
           o.index == 1 && lower   ? lo
           : o.index == 1 && upper ? up
                                   : "");
    }
  }
  item(out, "     INCLUDED  MEMBERS", onOff(o.includes == 1));
  if (o.statementSelection == kSelectionOff) {
    item(out, "     CLASSIFIED  STATEMENTS", Switch::kOff);
  } else if (o.statementSelection == kSelectionIo) {
    item(out, "     CLASSIFIED  STATEMENTS", Switch::kOn, "STATEMENT CLASS:I/O  STATEMENT");
  } else {
    const auto cls = static_cast<StatementClass>(o.statementSelection / 100);
    const int sub = std::abs(o.statementSelection % 100);
    item(out, "     CLASSIFIED  STATEMENTS", Switch::kOn,
         "STATEMENT CLASS:", classDisplayName(cls));
    // A DO sub class is named on the second line as GO TO, IF, READ and WRITE are.
    if (sub != 0) {
      const std::string_view name = subClassName(cls, sub);
      if (!name.empty()) item(out, "", Switch::kNone, "      SUB CLASS:", name);
    }
  }
  item(out, "     UNDEFINED  NAME  CHECK", onOff(o.undefinedCheck == 1));
  item(out, "     ORIGINAL  SOURCE  CODE", Switch::kNone, o.code == 2 ? "EBCDIC" : "ASCII");
  item(out, "     DOCUMENT  PRINT", onOff(d.common == 1 || d.program == 1),
       d.common == 1 && d.program == 1 ? "ALL"
       : d.common == 1                 ? "COMMON"
       : d.program == 1                ? "PROGRAM"
                                       : "");
  if (o.debug == 1 || o.debug == 2) {
    item(out, "     DEBUG  OPTION", Switch::kOn,
         o.debug == 1 ? "UNCLASSIFIED  ONLY" : "TOKEN  ANALYSIS  PROCESS");
  }
  out.record("");
  item(out, "     SOURCE  FILE", Switch::kNone, "<< UNIX/WINDOWS  FILE SYSTEM >>");
  item(out, "     INCLUDE  DATA  SET", Switch::kNone, "<< UNIX/WINDOWS  FILE SYSTEM >>");
  for (int i = 0; i < std::max(1, e.count); ++i) {
    const std::string_view name = i == 0 ? "     ELM  OPTION" : "";
    if (e.count == 0) {
      item(out, name, Switch::kNone);
      break;
    }
    const ArchiveSelection& en = e.selections[static_cast<std::size_t>(i)];
    if (!isBlank(en.prefix)) {
      item(out, name, Switch::kNone, "PREFIX=", view(en.prefix));
    } else if (!isBlank(en.last)) {
      item(out, name, Switch::kNone, trimmed(en.first), "-", view(en.last));
    } else {
      item(out, name, Switch::kNone, view(en.first));
    }
  }
  out.record("");
  out.record("");
}

}  // namespace ksfort
