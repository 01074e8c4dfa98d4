// Whole runs over sources in the forms of newer fixed-form code: IMPLICIT
// NONE, DOUBLE COMPLEX, RECURSIVE, PURE and ELEMENTAL heads and an interface
// block. Each must give the summary counts, the units of the tree and the unit
// on the status page that the same code written without them would give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::padded;
using test::rjust;

// A fixed-form source: every statement starts in column 7; a line that begins
// with a blank is a labelled card written out in full.
std::string fixedForm(const std::vector<std::string>& statements) {
  std::string source;
  for (const std::string& s : statements) source += (s[0] == ' ' ? "" : "      ") + s + "\n";
  return source;
}

// A summary entry as laid out: two blanks, the tag, ":", the 31-character
// name, two blanks and the count in 6 positions.
std::string entry(const std::string& tag, const std::string& name, long count) {
  return "  " + padded(tag, 4) + ":" + padded(name, 31) + "  " + rjust(count, 6);
}

// A tree cell: the 3-character mark and the name in 8 positions whose trailing
// blanks in positions 7 and 8 become "-", then the connector.
std::string cell(const std::string& mark, const std::string& name, const std::string& connector) {
  std::string shown = padded(name, 8);
  for (std::size_t i = 6; i < 8; ++i)
    if (shown[i] == ' ') shown[i] = '-';
  return mark + shown + connector;
}
const std::string gap(11, ' ');  // a cell without mark and name

struct Form {
  const char* what;
  const char* file;
  std::vector<std::string> statements;
  std::vector<std::string> entries;  // summary entries
  std::vector<std::string> roots;    // the units the tree starts from, in name order
  std::vector<std::string> tree;     // the tree lines, in order
  // A name table of nameLimit entries overflows at statement isn of the unit
  // whose name and kind text the status page shows.
  struct Stop {
    int nameLimit;
    std::string unit;
    int isn;
    std::string statement;
  } stop;
};

const std::string kRecursive = " *( RECURSIVE CALL)*";

const std::vector<Form>& forms() {
  static const std::vector<Form> all = {
      {"IMPLICIT NONE and DOUBLE COMPLEX",
       "zdot.f",
       {"DOUBLE COMPLEX FUNCTION ZDOT(N, A)", "IMPLICIT NONE", "INTEGER N", "DOUBLE COMPLEX A(N)",
        "ZDOT = A(1)", "CALL ZSCALE(N, A)", "END", "SUBROUTINE ZSCALE(N, Z)", "IMPLICIT NONE",
        "INTEGER N, I", "DOUBLE COMPLEX Z(N)", "DO 10 I = 1, N", "Z(I) = 2 * Z(I)",
        "   10 CONTINUE", "CALL ZLOG(N)", "END"},
       {entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "IMPLICIT", 2),
        entry("", "COMPLEX", 2), entry("", "FUNCTION", 1), entry("", "SUBROUTINE", 1),
        entry("", "END", 2)},
       {"ZDOT"},
       {" " + cell(" F.", "ZDOT", "---") + cell(" S.", "ZSCALE", "---") + "*S.ZLOG"},
       {3, padded("ZDOT", 32) + "(FUNCTION)", 6, "CALL ZSCALE(N, A)"}},
      {"RECURSIVE SUBROUTINE",
       "tour.f",
       {"PROGRAM TOUR", "CALL WALK(64)", "END", "RECURSIVE SUBROUTINE WALK(NODE)", "INTEGER NODE",
        "IF (NODE .GT. 1) CALL WALK(NODE / 2)", "CALL VISIT(NODE)", "END"},
       {entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "PROGRAM", 1),
        entry("", "SUBROUTINE", 1), entry("", "END", 2)},
       {"TOUR"},
       {" " + cell(" P.", "TOUR", "---") + cell(" S.", "WALK", "-+-") + "*S.VISIT",
        " " + std::string(14, ' ') + gap + " +-" + " S.WALK    <==" + std::string(5 * 14, '=') +
            kRecursive},
       {2, padded("WALK", 32) + "(SUBROUTINE)", 4, "CALL VISIT(NODE)"}},
      {"PURE, ELEMENTAL and RECURSIVE typed FUNCTION heads",
       "powers.f",
       {"ELEMENTAL RECURSIVE REAL*8 FUNCTION CUBE(X)", "REAL*8 X", "CUBE = X * SQ(X)", "END",
        "PURE REAL FUNCTION SQ(X)", "REAL X", "SQ = X * X", "END", "PROGRAM POWERS",
        "X = SQ(2.0) + CUBE(2.0)", "END"},
       {entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "FUNCTION", 2),
        entry("", "REAL", 2), entry("", "PROGRAM", 1)},
       {"POWERS"},
       {" " + cell(" P.", "POWERS", "-+-") + cell(" F.", "CUBE", "---") + " F.SQ",
        " " + gap + " +-" + " F.SQ"},
       {2, padded("CUBE", 32) + "(FUNCTION)", 3, "CUBE = X * SQ(X)"}},
      {"an interface block inside a subroutine",
       "outer.f",
       {"SUBROUTINE OUTER(X)", "INTERFACE", "REAL FUNCTION G(Y)", "REAL Y", "END FUNCTION G",
        "SUBROUTINE H", "END", "END INTERFACE", "X = G(1.0)", "CALL LIB", "END"},
       // INTERFACE and END INTERFACE are unclassified; the block's statements
       // are counted as usual.
       {entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 2), entry("", "FUNCTION", 1),
        entry("", "REAL", 1), entry("", "SUBROUTINE", 2), entry("", "END", 3)},
       {"OUTER"},
       // G is defined nowhere: a library function.
       {" " + cell(" S.", "OUTER", "-+-") + "*F.G", " " + gap + " +-" + "*S.LIB"},
       // The block entered no name, and its bare END left the numbering going on.
       {2, padded("OUTER", 32) + "(SUBROUTINE)", 9, "X = G(1.0)"}},
  };
  return all;
}

std::vector<std::string> trimmedLines(const test::CommandResult& r) {
  std::vector<std::string> lines;
  for (std::string l : r.lines()) lines.push_back(test::rtrim(l));
  return lines;
}

TEST(FortranForms, SummaryTreeAndNoAnalysisErrors) {
  for (const Form& f : forms()) {
    const std::string src = test::sourceFile(f.file, fixedForm(f.statements));
    const auto r = test::runKsfort({"-tree", src});
    ASSERT_EQ(r.status, 0) << f.what << r.err;
    const auto lines = trimmedLines(r);
    for (const std::string& e : f.entries) {
      bool found = false;
      for (const std::string& l : lines)
        found = found || (l.rfind(" *", 0) == 0 && l.find(e) != std::string::npos);
      EXPECT_TRUE(found) << f.what << ": no summary entry\n" << e;
    }
    // One tree per root, each on its own page; no phantom MAIN.
    std::vector<std::string> roots;
    for (const std::string& l : lines) {
      const std::size_t at = l.find("(  ENTRY  IS  ");
      if (at != std::string::npos) roots.push_back(test::rtrim(l.substr(at + 14, 8)));
    }
    EXPECT_EQ(roots, f.roots) << f.what;
    const int first = test::findLine(lines, f.tree[0]);
    ASSERT_GE(first, 0) << f.what << "\n" << r.out;
    EXPECT_EQ(test::slice(lines, static_cast<std::size_t>(first), f.tree.size()), f.tree) << f.what;
    EXPECT_EQ(r.out.find("ERROR ("), std::string::npos) << f.what;
  }
}

// The status page of a stop shows the unit its head named, and the statement
// numbers run on through an interface block.
TEST(FortranForms, StatusPageShowsTheUnitTheHeadNamed) {
  for (const Form& f : forms()) {
    const std::string src = test::sourceFile(f.file, fixedForm(f.statements));
    const auto r = test::runKsfort({"-size(mxvnam=" + std::to_string(f.stop.nameLimit) + ")", src});
    EXPECT_NE(r.status, 0) << f.what;
    const auto lines = trimmedLines(r);
    const int at = test::findLine(lines, "0** PROGRAM NAME : " + padded(f.stop.unit, 52) + " **");
    ASSERT_GE(at, 0) << f.what << "\n" << r.out;
    EXPECT_EQ(lines[static_cast<std::size_t>(at) + 1],
              "  ISN : " + rjust(f.stop.isn, 6) + "         " + f.stop.statement)
        << f.what;
  }
}

}  // namespace
}  // namespace ksfort
