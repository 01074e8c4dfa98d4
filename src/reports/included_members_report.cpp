#include "reports/included_members_report.h"

#include <string>
#include <vector>

namespace ksfort {
namespace {

// Print positions (position 1 is the carriage control).
constexpr int kNumberPos = 4;  // five digits
constexpr int kPointPos = 9;
constexpr int kNamePos = 12;    // first 8 characters of the member name
constexpr int kLabelPos = 22;   // 12 characters
constexpr int kColonPos = 34;   // " :"
constexpr int kFirstName = 38;  // 8 names of 8 characters and 4 blanks
constexpr int kNameSlot = 12;
constexpr int kNamesPerLine = 8;

// One section: its label and names, 8 to a line; an empty list prints one line.
void section(PageFrame& frame, std::string_view label, const std::vector<std::string>& names,
             bool first, int number, std::string_view member) {
  std::size_t at = 0;
  bool firstLine = true;
  do {
    PrintLine line;
    if (first && firstLine) {
      line.putIntZero(kNumberPos, 5, 5, number).put(kPointPos, ".");
      line.put(kNamePos, member.substr(0, 8));
    }
    if (firstLine) line.put(kLabelPos, label);
    line.put(kColonPos, " :");
    for (int k = 0; k < kNamesPerLine && at < names.size(); ++k, ++at)
      line.put(kFirstName + k * kNameSlot, std::string_view(names[at]).substr(0, 8));
    frame.countLine();
    line.emit(frame.out());
    firstLine = false;
  } while (at < names.size());
}

void dotted(PageFrame& frame) {
  std::string dots(33, ' ');
  for (int i = 0; i < 49; ++i) dots += ". ";
  dots += '.';
  frame.countLine();
  PrintLine line;
  line.put(2, dots).emit(frame.out());
}

}  // namespace

void printIncludedMembers(PageFrame& frame, const IncludeMembers& members,
                          const ProgramTable& programs, const std::array<char, 10>& programName) {
  // The pseudo member of the sources is no included member.
  if (members.count() <= 1) return;
  std::string title = "INCLUDED  MEMBERS  BY  ";
  title += view(programName);
  frame.setTitle(title, 0);
  frame.startPage();
  int number = 0;
  for (const std::int32_t e : members.sortedOrder()) {
    const IncludeMember& m = members[e];
    if (m.lowestLevel == 0) continue;  // "<SOURCE>"
    ++number;
    std::vector<std::string> users, byFile, including;
    for (const std::int32_t p : m.programs) users.emplace_back(programs.name(p));
    for (const std::int32_t f : m.includedBy) byFile.push_back(members[f].name);
    for (const std::int32_t i : m.includes) including.push_back(members[i].name);
    section(frame, "/BY PROGRAM/", users, true, number, m.name);
    dotted(frame);
    section(frame, "/BY FILE   /", byFile, false, number, m.name);
    dotted(frame);
    section(frame, "/INCLUDING /", including, false, number, m.name);
    frame.countLine();
    PrintLine rule;
    rule.put(2, std::string(132, '-')).emit(frame.out());
  }
}

}  // namespace ksfort
