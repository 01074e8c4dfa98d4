// The limits of the name analysis: the name table's overflow stop, the
// one-record overflow of a declaration table, the nesting limit of the
// expression scan, and its messages for unbalanced parentheses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::Lines;

// The listing from the first record equal to `first` on, `count` records.
Lines from(const test::CommandResult& r, const std::string& first, std::size_t count) {
  const Lines lines = r.lines();
  const int at = test::findLine(lines, first);
  return at < 0 ? Lines{} : test::slice(lines, static_cast<std::size_t>(at), count);
}

TEST(NameStops, NameTableFullStopsWithCode200AndTheStatusPage) {
  const auto r =
      test::runKsfort({"-size(mxvnam=1)", test::sourceFile("vnam.f", "      X = A(1) + 2\n")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "ksfort: run stopped with stop code 200\n");
  // New page, two empty records, the message and the limit record.
  const Lines stop = from(r, " ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)", 2);
  EXPECT_EQ(stop, (Lines{" ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)",
                         " MAXIMUM TABLE ENTRIES : MXVNAM =        1"}));
  const Lines lines = r.lines();
  const int at = test::findLine(lines, stop.empty() ? "" : stop[0]);
  ASSERT_GE(at, 3);
  EXPECT_EQ(test::slice(lines, static_cast<std::size_t>(at - 3), 3), (Lines{"1", "", ""}));
  // The status page names the unit (no head yet: the main program) and the statement.
  EXPECT_GE(test::findLine(lines, "0** PROGRAM NAME : " + test::padded("", 32) +
                                      test::padded("(MAIN)", 20) + " **"),
            0);
  EXPECT_GE(test::findLine(lines, "  ISN :      1         X = A(1) + 2"), 0);
}

TEST(NameStops, DeclarationTableFullIsOneRecordAndStopCode100) {
  const auto r = test::runKsfort(
      {"-size(mxvcnt=1)",
       test::sourceFile("vcnt.f", "      SUBROUTINE S(A)\n      DIMENSION A(10), B(20)\n")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ksfort: run stopped with stop code 100\n");
  // The head took the one entry; the first declarator finds the table full.
  const Lines lines = r.lines();
  const int at = test::findLine(
      lines, " ERROR (DIMENSION). VCNTRL TABLE OVER FLOW. MAXIMUM SIZE : MXVCNT =        1");
  ASSERT_GE(at, 0);
  EXPECT_EQ(lines[static_cast<std::size_t>(at + 1)], "\f");  // the status page follows at once
  EXPECT_GE(test::findLine(lines, "0** PROGRAM NAME : " + test::padded("S", 32) +
                                      test::padded("(SUBROUTINE)", 20) + " **"),
            0);
}

TEST(NameStops, NestingBeyond6600LevelsStopsWithoutExhaustingTheStack) {
  // 200 cards of "(": 13 194 open parentheses in one expression.
  std::string source = "      X = " + std::string(62, '(') + "\n";
  for (int i = 1; i < 200; ++i) source += "     1" + std::string(66, '(') + "\n";
  const auto r = test::runKsfort({test::sourceFile("deep.f", source)});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ksfort: run stopped with stop code 100\n");
  EXPECT_GE(test::findLine(r.lines(), "0*ERROR AT SHIKI* (ILLEGAL TOKEN TYPE)"), 0);
}

TEST(NameStops, UnbalancedParenthesesAreReportedAndTheAnalysisGoesOn) {
  const struct {
    const char* statement;
    const char* message;
  } rows[] = {
      {"X = (A + B", "*ERROR AT SHIKI* (MISSING RIGHT PARENTHESIS BEFOR END OF TOKEN)"},
      {"CALL S(A))", "*ERROR AT SHIKI* (MISSING RIGHT PARENTHESIS FOR ASSUMED LENGTH)"},
      {"DIMENSION A(10", "*ERROR AT SCRIPT* (MISSING RIGHT PARENTHESIS BEFOR END OF TOKEN)"},
      {"CHARACTER*(8 C", "*ERROR AT VNLENG* (END OF TOKEN)"},
  };
  for (const auto& row : rows) {
    const std::string source = "      " + std::string(row.statement) + "\n      Y = 1\n";
    const Lines messages = test::analysisMessages(source);
    EXPECT_NE(std::find(messages.begin(), messages.end(), row.message), messages.end())
        << row.statement;
    // The next statement is analysed: Y is a variable given a value.
    EXPECT_EQ(test::nameAttributes(source, "Y").substr(0, 8), "R 4V   S") << row.statement;
  }
}

}  // namespace
}  // namespace ksfort
