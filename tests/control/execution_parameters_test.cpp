// The execution-parameters page: one line per setting in fixed columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/option_parser.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

enum Sw { kNone, kOff, kOn };

// " " + item (32) + 2 blanks + off field (4) + blank + on field (3) + 2 blanks
// + detail; a record drops its trailing blanks.
std::string row(const std::string& item, Sw sw, const std::string& detail = "") {
  std::string s = " " + item;
  s.resize(33, ' ');
  s += "  ";
  s += sw == kOff ? "OFF " : "    ";
  s += " ";
  s += sw == kOn ? "ON " : "   ";
  s += "  " + detail;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

const std::string kFs = "<< UNIX/WINDOWS  FILE SYSTEM >>";

// The default setting rows, from COMMON to DOCUMENT.
std::vector<std::string> defaultRows() {
  return {row("     COMMON  SPECIFICATION", kOn, "BRIEF  LIST"),
          row("     PARAMETERS(CONSTANT NAMES)", kOff),
          row("     PROGRAM SUMMARY", kOff),
          row("     LIBRARY ROUTINES USED", kOn),
          row("     TREE STRUCTURE", kOn),
          row("     NEST STRUCTURE", kOff),
          row("     CLASSIFICATION SUMMARY", kOn),
          row("     MASTER  INDEX", kOff),
          row("     INCLUDED  MEMBERS", kOff),
          row("     CLASSIFIED  STATEMENTS", kOff),
          row("     UNDEFINED  NAME  CHECK", kOn),
          row("     ORIGINAL  SOURCE  CODE", kNone, "ASCII"),
          row("     DOCUMENT  PRINT", kOff)};
}

// The page printed for the option text on a fresh run.
std::vector<std::string> pageFor(std::string_view text) {
  test::TestRun t;
  parseOptions(text, t.run->optionSettings(), t.listing);
  Run& r = *t.run;
  printExecutionParameters(r.out, r.options, r.document, r.names, r.archive);
  return t.lines();
}

TEST(ExecutionParameters, DefaultPageExactly) {
  test::Lines expected = {"", "", "", "", "   EXECUTION  PARAMETERS", ""};
  const test::Lines rows = defaultRows();
  expected.insert(expected.end(), rows.begin(), rows.end());
  expected.insert(expected.end(), {"", row("     SOURCE  FILE", kNone, kFs),
                                   row("     INCLUDE  DATA  SET", kNone, kFs),
                                   row("     ELM  OPTION", kNone), "", ""});
  EXPECT_EQ(pageFor(""), expected);
}

TEST(ExecutionParameters, OptionSets) {
  struct Case {
    std::string text;
    int index;                      // of the row in defaultRows() that changes
    std::vector<std::string> rows;  // the rows in its place
  };
  const std::string both = "LOWER=M" + std::string(31, ' ') + " ,  UPPER=P";
  const Case cases[] = {
      {"COMMON(DETAIL)", 0, {row("     COMMON  SPECIFICATION", kOn, "DETAIL  LIST")}},
      {"COMMON(OFF)", 0, {row("     COMMON", kOff)}},
      {"TREE(OFF,ENTRY=MAIN)", 4, {row("     TREE STRUCTURE", kOff)}},
      {"TREE(ENTRY=MAIN)", 4, {row("     TREE STRUCTURE", kOn, "ENTRY=MAIN")}},
      {"INDEX(LOWER=M)", 7, {row("     MASTER  INDEX", kOn, "LOWER=M")}},
      {"INDEX(LOWER=M,UPPER=P)", 7, {row("     MASTER  INDEX", kOn, both)}},
      {"STATEMENT(GOTO)", 9, {row("     CLASSIFIED  STATEMENTS", kOn, "STATEMENT CLASS:GO TO")}},
      {"DOCUMENT(COMMON)", 12, {row("     DOCUMENT  PRINT", kOn, "COMMON")}},
      {"DEBUG(TOKEN)",
       12,
       {row("     DOCUMENT  PRINT", kOff),
        row("     DEBUG  OPTION", kOn, "TOKEN  ANALYSIS  PROCESS")}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> expected = defaultRows();
    expected.erase(expected.begin() + c.index);
    expected.insert(expected.begin() + c.index, c.rows.begin(), c.rows.end());
    const auto lines = pageFor(c.text);
    ASSERT_GE(lines.size(), 6 + expected.size()) << c.text;
    const std::vector<std::string> got(lines.begin() + 6,
                                       lines.begin() + 6 + static_cast<long>(expected.size()));
    EXPECT_EQ(got, expected) << c.text;
    EXPECT_EQ(lines[6 + expected.size()], "") << c.text;
  }
}

// A sub class adds a line under the class.
TEST(ExecutionParameters, StatementSubClass) {
  const struct {
    const char *text, *className, *subName;
  } subs[] = {{"STATEMENT(GT.2)", "GO TO", "ASSIGNED GO TO"},
              {"STATEMENT(WR.4)", "WRITE", "DIRECT(FORMATTED)"}};
  for (const auto& s : subs) {
    const auto lines = test::slice(pageFor(s.text), 15, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], row("     CLASSIFIED  STATEMENTS", kOn,
                            std::string("STATEMENT CLASS:") + s.className));
    EXPECT_EQ(lines[1].substr(0, 61), row("", kNone, "      SUB CLASS:")) << s.text;
    EXPECT_NE(lines[1].find(s.subName), std::string::npos) << s.text;
  }
}

TEST(ExecutionParameters, ElmEntries) {
  const auto lines = pageFor("ELM(PREFIX=AB,M1,FIRST-LAST)");
  const std::string first = row("     ELM  OPTION", kNone, "PREFIX=AB");
  EXPECT_EQ(test::slice(lines, test::findLine(lines, first), 4),
            (test::Lines{first, row("", kNone, "M1"), row("", kNone, "FIRST-LAST"), ""}));
}

}  // namespace
}  // namespace ksfort
