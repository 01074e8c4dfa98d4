// The execution-parameters page: one line per analysis option setting.
#include <cstdlib>

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "lex/stmedt.h"
#include "main/options.h"

namespace ksfort {
namespace {

constexpr int kItemPos = 2;
constexpr int kOffPos = 36;
constexpr int kOnPos = 41;
constexpr int kDetailPos = 46;
constexpr int kDetailWidth = 80;

enum class Switch { kNone, kOff, kOn };

void item(Run& run, std::string_view name, Switch sw, std::string_view detail = {},
          std::string_view detail2 = {}, std::string_view detail3 = {}) {
  Line l;
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
  l.put(kDetailPos, std::string_view(buf, n));
  l.emit(run.out);
}

Switch onOff(bool on) {
  return on ? Switch::kOn : Switch::kOff;
}

}  // namespace

void printExecutionParameters(Run& run) {
  const OPTXXX& o = run.opt;
  run.out.record(" ");
  run.out.record("");
  run.out.record("");
  run.out.record("");
  run.out.record("   EXECUTION  PARAMETERS ");
  run.out.record("");

  item(run, o.OPTCOM != 0 ? "     COMMON  SPECIFICATION" : "     COMMON", onOff(o.OPTCOM != 0),
       o.OPTCOM == 1   ? "BRIEF  LIST"
       : o.OPTCOM == 2 ? "DETAIL  LIST"
                       : "");
  item(run, "     PARAMETERS(CONSTANT NAMES)", onOff(o.OPTPRM == 1));
  item(run, "     PROGRAM SUMMARY", onOff(o.OPTPGM == 1));
  item(run, "     LIBRARY ROUTINES USED", onOff(o.OPTLIB == 1));
  const bool entry = o.OPTTRE == 1 && !isBlank(run.optnam.ENTNAM);
  item(run, "     TREE STRUCTURE", onOff(o.OPTTRE == 1), entry ? "ENTRY=" : "",
       entry ? view(run.optnam.ENTNAM) : "");
  item(run, "     NEST STRUCTURE", onOff(o.OPTNES == 1));
  item(run, "     CLASSIFICATION SUMMARY", onOff(o.OPTCLS == 1));
  {
    const bool lower = run.optnam.LOWER != OPTNAM::filled(0);
    const bool upper = run.optnam.UPPER != OPTNAM::filled(255);
    const std::string_view lo = view(run.optnam.LOWER);
    const std::string_view up = view(run.optnam.UPPER);
    if (o.OPTINX == 1 && lower && upper) {
      Line l;
      l.put(kItemPos, "     MASTER  INDEX").put(kOnPos, "ON ");
      l.put(kDetailPos, "LOWER=").put(kDetailPos + 6, lo).put(kDetailPos + 38, " ,  UPPER=");
      l.put(kDetailPos + 48, up.substr(0, kDetailWidth - 48));
      l.emit(run.out);
    } else {
      item(run, "     MASTER  INDEX", onOff(o.OPTINX == 1),
           o.OPTINX == 1 && lower   ? "LOWER="
           : o.OPTINX == 1 && upper ? "UPPER="
                                    : "",
           o.OPTINX == 1 && lower   ? lo
           : o.OPTINX == 1 && upper ? up
                                    : "");
    }
  }
  item(run, "     INCLUDED  MEMBERS", onOff(o.OPTINC == 1));
  if (o.OPTSTM == kStatementOff) {
    item(run, "     CLASSIFIED  STATEMENTS", Switch::kOff);
  } else if (o.OPTSTM == kStatementIo) {
    item(run, "     CLASSIFIED  STATEMENTS", Switch::kOn, "STATEMENT CLASS:I/O  STATEMENT");
  } else {
    const int cls = o.OPTSTM / 100;
    const int sub = std::abs(o.OPTSTM % 100);
    item(run, "     CLASSIFIED  STATEMENTS", Switch::kOn,
         "STATEMENT CLASS:", classDisplayName(cls));
    // A DO sub class is named on the second line as GO TO, IF, READ and WRITE are.
    if (sub != 0) {
      const std::string_view name = subClassName(cls, sub);
      if (!name.empty()) item(run, "", Switch::kNone, "      SUB CLASS:", name);
    }
  }
  item(run, "     UNDEFINED  NAME  CHECK", onOff(o.OPTUDF == 1));
  item(run, "     ORIGINAL  SOURCE  CODE", Switch::kNone, o.OPTCOD == 2 ? "EBCDIC" : "ASCII");
  const DCMXXX& d = run.dcm;
  item(run, "     DOCUMENT  PRINT", onOff(d.DOCCOM == 1 || d.DOCPGM == 1),
       d.DOCCOM == 1 && d.DOCPGM == 1 ? "ALL"
       : d.DOCCOM == 1                ? "COMMON"
       : d.DOCPGM == 1                ? "PROGRAM"
                                      : "");
  if (o.OPTDBG == 1 || o.OPTDBG == 2) {
    item(run, "     DEBUG  OPTION", Switch::kOn,
         o.OPTDBG == 1 ? "UNCLASSIFIED  ONLY" : "TOKEN  ANALYSIS  PROCESS");
  }
  run.out.record("");
  item(run, "     SOURCE  FILE", Switch::kNone, "<< UNIX/WINDOWS  FILE SYSTEM >>");
  item(run, "     INCLUDE  DATA  SET", Switch::kNone, "<< UNIX/WINDOWS  FILE SYSTEM >>");
  const ELMNAM& e = run.elm;
  for (int i = 0; i < std::max(1, e.ELMNUM); ++i) {
    const std::string_view name = i == 0 ? "     ELM  OPTION" : "";
    if (e.ELMNUM == 0) {
      item(run, name, Switch::kNone);
      break;
    }
    const ElmEntry& en = e.entries[static_cast<std::size_t>(i)];
    if (!isBlank(en.prefix)) {
      item(run, name, Switch::kNone, "PREFIX=", view(en.prefix));
    } else if (!isBlank(en.last)) {
      item(run, name, Switch::kNone, trimmed(en.first), "-", view(en.last));
    } else {
      item(run, name, Switch::kNone, view(en.first));
    }
  }
  run.out.record("");
  run.out.record("");
}

}  // namespace ksfort
