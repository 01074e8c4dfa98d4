#include "reports/undefined_names.h"

#include <string>

#include "host/fixed_text.h"
#include "listing/unit_kind_text.h"

namespace ksfort {
namespace {

constexpr std::string_view kTitleText = " STATIC  ANALYSIS  OF  ";
constexpr std::string_view kHeading = "          UNDEFINED  NAME  CHECK";
constexpr std::string_view kWarning = "WARNING  MESSAGE  FOR  ";
constexpr std::string_view kUndefined = "  IS  PROBABLY  UNDEFINED.";

// Print positions (carriage control in position 1).
constexpr int kWarningPos = 9;  // after 7 blanks
constexpr int kUnitNamePos = kWarningPos + static_cast<int>(kWarning.size());
constexpr int kUnitNameWidth = 8;
constexpr int kKindPos = kUnitNamePos + kUnitNameWidth;
constexpr int kSuspectNamePos = 14;  // after 12 blanks
constexpr int kUndefinedPos = kSuspectNamePos + kNameWidth;

// A variable or array that is used (its value read by an expression or
// written out) while nothing in the unit gives it a value: no DATA, PARAMETER
// or initial value, no assignment, not passed as an argument, never read in,
// and it is not a dummy argument, common member, constant, external,
// intrinsic, statement function or saved name.
bool isUndefinedSuspect(const NameTable& names, int e) {
  const char cls = names.at(e, Attribute::kClass);
  const char io = names.at(e, Attribute::kInputOutput);
  const bool variable = cls == 'V' || cls == 'A';
  const bool plain = names.at(e, Attribute::kKind) == ' ';
  const bool neverGiven = names.at(e, Attribute::kDefined) == ' ' &&
                          names.at(e, Attribute::kSubstituted) == ' ' &&
                          names.at(e, Attribute::kRealArgument) == ' ' && (io == ' ' || io == 'O');
  const bool used = io == 'O' || names.at(e, Attribute::kReferenced) == 'R';
  return variable && plain && neverGiven && used;
}

int firstSuspect(const NameTable& names) {
  for (int p = 1; p <= names.count(); ++p)
    if (isUndefinedSuspect(names, names.sortedEntry(p))) return p;
  return 0;
}

void startReport(PageFrame& frame, const std::array<char, 10>& programName) {
  std::string title(kTitleText);
  title += view(programName);
  frame.setTitle(title, 1);
  frame.setHeadings(kHeading, "");
  frame.startPage();
}

}  // namespace

void printUndefinedNames(PageFrame& frame, UndefinedNamesReport& report, bool switchedOn,
                         const NameTable& names, const std::array<char, 10>& programName,
                         std::string_view unitName, char unitKind) {
  if (!switchedOn) return;
  const int first = firstSuspect(names);
  if (first == 0) return;
  if (!report.started) {
    report.started = true;
    startReport(frame, programName);
  }
  Listing& out = frame.out();
  // The separator before the unit line is an empty record written and counted
  // like a detail line, so that a page break falls on it as on any other line;
  // a "0" control would skip a line the page counter never sees.
  frame.countLine();
  out.record("");

  PrintLine l;
  frame.countLine();
  l.put(kWarningPos, kWarning)
      .put(kUnitNamePos, unitName.substr(0, kUnitNameWidth))
      .put(kKindPos, unitKindText(unitKind))
      .emit(out);
  for (int p = first; p <= names.count(); ++p) {
    const int e = names.sortedEntry(p);
    if (!isUndefinedSuspect(names, e)) continue;
    frame.countLine();
    l.clear();
    l.put(kSuspectNamePos, names.name(e)).put(kUndefinedPos, kUndefined).emit(out);
  }
}

}  // namespace ksfort
