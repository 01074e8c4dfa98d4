// The classification summary: its 47 two-entry rows and 14 single rows in the
// order of the layout, compared with records worked out by hand (fixture
// files), and the counts of a small source in their rows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::rtrim;

std::string fixture(const std::string& name) {
  std::ifstream f(std::string(KSFORT_SOURCE_DIR) + "/tests/fixtures/expected/" + name);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The summary body of a run: from the first frame line to the closing one,
// trailing blanks dropped. LINES below 10 keeps the body on one page.
test::Lines summaryBody(const std::string& source) {
  const auto r = test::runKsfort({"-lines(5)", test::sourceFile("summary.f", source)});
  EXPECT_EQ(r.status, 0);
  const test::Lines lines = r.lines();
  const std::string stars = " " + std::string(128, '*');
  const int first = test::findLine(lines, stars);
  test::Lines body;
  if (first < 0) return body;
  for (std::size_t i = static_cast<std::size_t>(first); i < lines.size(); ++i) {
    body.push_back(rtrim(lines[i]));
    if (body.size() > 3 && lines[i] == stars) break;
  }
  return body;
}

TEST(ClassificationSummary, EveryRowInTheLayoutOrder) {
  test::Lines expected;
  for (const std::string& line : test::splitLines(fixture("classification_summary_zero.txt")))
    expected.push_back(rtrim(line));
  ASSERT_EQ(expected.size(), 65u);  // 3 heading records, 47 + 14 rows, the closing frame
  EXPECT_EQ(summaryBody(""), expected);
}

// An entry as the layout builds it: two blanks, tag, ":", name (31), two
// blanks, count A (6) and, for the entries with a B count, "(" count B (6) ")".
std::string entry(const std::string& tag, const std::string& name, int a, int b = -1) {
  std::string e = "  " + tag + ":" + test::padded(name, 31) + "  " + test::rjust(a, 6);
  if (b >= 0) e += "(" + test::rjust(b, 6) + ")";
  return e;
}
std::string row(const std::string& left, const std::string& right) {
  return rtrim(" *" + test::padded(left, 62) + "*" + test::padded(right, 63) + "*");
}

TEST(ClassificationSummary, WriteFunctionAndGoToRowsCarryTheirCounts) {
  const std::string source =
      "      FUNCTION F(X)\n"
      "      WRITE (6, *) X\n"
      "      IF (X .GT. 0) WRITE (6, 100) X\n"
      "  100 FORMAT (F10.2)\n"
      "      GO TO 10\n"
      "   10 F = X\n"
      "      END\n"
      "      REAL FUNCTION G(Y)\n"
      "      WRITE (6) Y\n"
      "      WAIT (1)\n"
      "      END\n";
  const test::Lines body = summaryBody(source);
  ASSERT_EQ(body.size(), 65u);
  const auto at = [&](int rowNumber) { return body[static_cast<std::size_t>(rowNumber + 2)]; };
  EXPECT_EQ(at(41), row(entry("    ", "FORMAT", 1), entry("    ", "WRITE", 3, 1)));
  EXPECT_EQ(at(42),
            row(entry("    ", "FUNCTION", 2), entry("WR.1", "   SEQUENTIAL(UNFORMATED)", 1, 0)));
  EXPECT_EQ(at(43),
            row(entry("    ", "FIND", 0, 0), entry("WR.2", "   SEQUENTIAL(FORMATTED)", 2, 1)));
  EXPECT_EQ(at(44),
            row(entry("    ", "GO TO", 1, 0), entry("WR.3", "   DIRECT(UNFORMATTED)", 0, 0)));
  EXPECT_EQ(at(45), row(entry("GT.1", "   UNCONDITIONAL GO TO", 1, 0),
                        entry("WR.4", "   DIRECT(FORMATTED)", 0, 0)));
  EXPECT_EQ(at(46), row(entry("GT.2", "   ASSIGNED GO TO", 0, 0), entry("    ", "WAIT", 1, 0)));
  EXPECT_EQ(at(47), row(entry("GT.3", "   COMPUTED GO TO", 0, 0), ""));
  // 11 statements and 0 comment or continuation cards.
  EXPECT_NE(body[1].find(" ( TOTAL CARDS        11 )"), std::string::npos);
  // The logical IF and its sub class 2 count once; the WRITE it holds counts in A and B.
  EXPECT_EQ(at(1),
            row(entry("ERR ", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("    ", "IF", 1, 0)));
  EXPECT_EQ(at(3), row(entry("    ", "COMMENT CARDS(ASTERISK)", 0),
                       entry("IF.2", "   IF (....)  .....", 1)));
}

}  // namespace
}  // namespace ksfort
