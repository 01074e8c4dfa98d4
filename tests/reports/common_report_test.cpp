// The common specification report over units analysed in memory: the brief
// and detailed forms, the wrap of long member texts and of many users, and
// the cases that print nothing. Expected records are put together from the
// report's layout.
#include "reports/common_report.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "control/analysis_driver.h"
#include "control/size_columns.h"
#include "control/workspace.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::rtrim;

using test::padded;
using test::rjust;
using Strings = std::vector<std::string>;

using test::blanks;
constexpr std::array<char, 10> kProgram = test::kTestProgram;
const std::string kRule = " " + std::string(132, '-');

// Units analysed one at a time and registered in the common tables; a line
// starting with "&" is a continuation card. The sources have no END, so the
// names of each unit are still there when its analysis returns.
struct CommonRun {
  explicit CommonRun(int option) : option{option}, a{[&](Run& r) { r.options.common = option; }} {}

  void unit(const Strings& lines) {
    std::string text;
    for (const std::string& l : lines)
      text += (l[0] == '&' ? "     1" + l.substr(1) : "      " + l) + "\n";
    a.analyse(text);
  }
  test::Lines print() {
    printCommonReport(t.run->frame, commons, t.run->structure, option, kProgram);
    return t.lines();
  }
  int option;
  test::AnalysisRun a;
  test::TestRun& t = a.t;
  CommonTables& commons = t.run->commons;  // the driver registers every unit's blocks
};

// The page opening, the heading lines and the report's records.
test::Lines page(const std::string& title, const test::Lines& headings,
                 const test::Lines& records) {
  test::Lines l = {
      "1", "", "",
      " " + std::string(kBanner) + " : " + padded(title, 60) + " : DATE 2026-12-06  PAGE  00001"};
  for (const std::string& h : headings) l.push_back(" " + h);
  l.push_back("");
  l.insert(l.end(), records.begin(), records.end());
  return l;
}

// A layout record: block number (0: blank), block name, layout number (0:
// blank), a text piece and up to five users.
std::string layoutRecord(int number, const std::string& block, int layout, const std::string& piece,
                         const Strings& users) {
  std::string r = " " + blanks(5) + (number > 0 ? rjust(number, 5) + "." : blanks(6)) + blanks(2) +
                  padded(block, 8) + " " + " " + (layout > 0 ? rjust(layout, 3) : blanks(3)) +
                  ": " + padded(piece, 50) + " :" + blanks(2);
  for (const std::string& u : users) r += padded(u, 8) + " ";
  return rtrim(r);
}

// A variable record: number (0: a further record), name, merged letters and
// users with their letters.
std::string variableRecord(int number, const std::string& name, const std::string& merged,
                           const std::vector<std::pair<std::string, std::string>>& users) {
  std::string r = " " + blanks(24) +
                  (number > 0 ? rjust(number, 5) + "." + " " + padded(name, 8) + "(" + merged + ")"
                              : blanks(5 + 1 + 1 + 8 + 7)) +
                  ":" + " ";
  for (const auto& [u, letters] : users) r += padded(u, 8) + "(" + letters + ")" + blanks(2);
  return rtrim(r);
}

std::string separator() {
  std::string s = " " + blanks(26);
  for (int i = 0; i < 53; ++i) s += ". ";
  return rtrim(s);
}

TEST(CommonReport, BriefListShowsEveryBlockWithItsLayoutsAndUsersFivePerRecord) {
  CommonRun c(kCommonBrief);
  c.unit({"SUBROUTINE U1", "COMMON /SHARED/ A, B /TWO/ P"});
  c.unit({"SUBROUTINE U2", "COMMON /SHARED/ A, B /TWO/ Q"});
  c.unit({"SUBROUTINE U3", "COMMON /SHARED/ A,B /TWO/ P", "COMMON X"});
  for (const char* name : {"U4", "U5", "U6", "U7"})
    c.unit({std::string("SUBROUTINE ") + name, "COMMON /SHARED/ A, B /TWO/ P"});
  // Eleven members of ten characters: a text of 120 in pieces of 50, 50 and 20.
  c.unit({"SUBROUTINE U8", "COMMON /LONG/ VARIABLE01, VARIABLE02, VARIABLE03, VARIABLE04,",
          "& VARIABLE05, VARIABLE06, VARIABLE07, VARIABLE08,",
          "& VARIABLE09, VARIABLE10, VARIABLE11"});
  const test::Lines lines = c.print();

  EXPECT_EQ(
      lines,
      page("COMMON  SPECIFICATION  OF  TESTPROG    ( BRIEF  LIST ) ", {},
           {
               kRule,
               layoutRecord(1, "BLANKNAM", 0, "X", {"U3"}),
               kRule,
               layoutRecord(2, "LONG", 0, "VARIABLE01,VARIABLE02,VARIABLE03,VARIABLE04,VARIAB",
                            {"U8"}),
               layoutRecord(0, "", 0, "LE05,VARIABLE06,VARIABLE07,VARIABLE08,VARIABLE09,V", {}),
               layoutRecord(0, "", 0, "ARIABLE10,VARIABLE11", {}),
               kRule,
               layoutRecord(3, "SHARED", 0, "A,B", {"U1", "U2", "U3", "U4", "U5"}),
               layoutRecord(0, "", 0, "", {"U6", "U7"}),
               kRule,
               layoutRecord(4, "TWO", 1, "P", {"U1", "U3", "U4", "U5", "U6"}),
               layoutRecord(0, "", 0, "", {"U7"}),
               separator(),
               layoutRecord(0, "", 2, "Q", {"U2"}),
               kRule,
           }));
  // Every record after the opening rule is counted below the header's four lines.
  EXPECT_EQ(c.t.run->frame.linesUsed(), 4 + 14);
}

TEST(CommonReport, DetailListAddsEveryVariableWithItsUsersAndTheNotationLines) {
  CommonRun c(kCommonDetail);
  c.unit({"SUBROUTINE ONE", "COMMON /D/ A, B, C", "READ (5, *) A", "B = 1.0"});
  c.unit({"SUBROUTINE TWO", "COMMON /D/ A, B, C", "WRITE (6, *) A, B"});
  for (const char* name : {"U3", "U4", "U5", "U6", "U7"})
    c.unit({std::string("SUBROUTINE ") + name, "COMMON /D/ A, B, C", "B = A"});
  const test::Lines lines = c.print();

  const std::string r = " R   ", s = "  S  ";
  EXPECT_EQ(
      lines,
      page(
          "COMMON  SPECIFICATION  OF  TESTPROG    ( DETAIL  LIST )",
          {blanks(19) + "NOTATION" + blanks(8) +
               "D(DEFINED) , R(REFERENCED) , S(SUBSTITUTED) , X(REAL ARGUMENT)",
           blanks(35) + "I(READ) ,  O(WRITE) , B(READ/WRITE)"},
          {
              kRule,
              layoutRecord(1, "D", 0, "A,B,C", {"ONE", "TWO", "U3", "U4", "U5"}),
              layoutRecord(0, "", 0, "", {"U6", "U7"}),
              separator(),
              // A read in ONE and written in TWO: "B".
              variableRecord(1, "A", " R  B",
                             {{"ONE", "    I"}, {"TWO", "    O"}, {"U3", r}, {"U4", r}, {"U5", r}}),
              variableRecord(0, "", "", {{"U6", r}, {"U7", r}}),
              variableRecord(2, "B", "  S O",
                             {{"ONE", s}, {"TWO", "    O"}, {"U3", s}, {"U4", s}, {"U5", s}}),
              variableRecord(0, "", "", {{"U6", s}, {"U7", s}}),
              // Declared everywhere, used nowhere.
              variableRecord(3, "C", "     ", {}),
              kRule,
          }));
  EXPECT_EQ(c.t.run->frame.linesUsed(), 6 + 9);
}

TEST(CommonReport, NothingIsPrintedWithTheOptionOffOrWithoutBlocks) {
  CommonRun off(kCommonOff);
  off.unit({"COMMON /A/ X"});
  EXPECT_EQ(off.commons.blockCount(), 1);
  EXPECT_EQ(off.print(), test::Lines{});
  CommonRun none(kCommonDetail);
  none.unit({"X = 1"});
  EXPECT_EQ(none.print(), test::Lines{});
}

}  // namespace
}  // namespace ksfort
