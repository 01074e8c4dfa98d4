// The nest structure report through the whole command: levels and block
// roles, the nest column, the number fields of FORMAT and ASSIGN references,
// jump arrows in and out, deep nesting and the overflow stops. Every expected
// line is built column by column from the report's layout: carriage control,
// a 31-position nest column, the card's columns 1-72, two blanks and three
// 6-position number fields; arrow lines use the same area columns.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::padded;
using test::rtrim;

std::string field(int card) {
  if (card == 0) return std::string(6, ' ');
  // At least five digits with leading zeros; a wider number keeps every digit.
  std::string d = std::to_string(card);
  return " " + std::string(d.size() < 5 ? 5 - d.size() : 0, '0') + d;
}

// A card line: the nest column, the card text, F1, F2 and F3 (0 = blank).
std::string cardLine(const std::string& nest, const std::string& card, int f1, int f2 = 0,
                     int f3 = 0) {
  return rtrim(" " + padded(nest, 31) + padded(card, 72) + "  " + field(f1) + field(f2) +
               field(f3));
}

// An arrow line: texts placed at area columns (column 1 under the card's column 1).
std::string arrowLine(const std::string& nest, const std::map<int, std::string>& at) {
  std::string area(100, ' ');
  for (const auto& [col, text] : at)
    area.replace(static_cast<std::size_t>(col - 1), text.size(), text);
  return rtrim(" " + padded(nest, 31) + area);
}

std::string dashes(int from, int to) {
  return std::string(static_cast<std::size_t>(to - from + 1), '-');
}

// The lines of the nest structure page of the unit, after its title and blank record.
// A run that ended with another status than 0 fails the test here.
test::Lines nestPage(const test::CommandResult& r, const std::string& unit) {
  if (r.status != 0) ADD_FAILURE() << "exit status " << r.status << ": " << r.err;
  const test::Lines lines = r.lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("NEST  STRUCTURE  OF  " + unit) == std::string::npos) continue;
    test::Lines page;
    for (std::size_t j = i + 2;
         j < lines.size() && !lines[j].empty() && lines[j] != "1" && lines[j] != "\f"; ++j)
      page.push_back(lines[j]);
    return page;
  }
  return {};
}

test::CommandResult nestRun(const std::string& name, const std::string& source,
                            std::vector<std::string> extra = {}) {
  std::vector<std::string> args{"-nest", "-tree(off)", "-library(off)", "-class(off)"};
  args.insert(args.end(), extra.begin(), extra.end());
  args.push_back(test::sourceFile(name, source));
  return test::runKsfort(args);
}

TEST(NestReport, DoLoopBlockIfAndABackwardJump) {
  const auto r = nestRun("nesta.f",
                         "      PROGRAM NESTA\n"
                         "      DO 10 I = 1, 3\n"
                         "      X = I\n"
                         "   10 CONTINUE\n"
                         "      IF (X .GT. 1.0) THEN\n"
                         "        Y = 1.0\n"
                         "      ELSE IF (X .LT. 0.0) THEN\n"
                         "        Y = 2.0\n"
                         "      ELSE\n"
                         "        Y = 3.0\n"
                         "      END IF\n"
                         "   20 WRITE (6, 100) Y\n"
                         "  100 FORMAT (F8.2)\n"
                         "      GO TO 20\n"
                         "      END\n");
  const std::string l1 = "1" + dashes(2, 31);  // a level-1 mark with its dashes
  const std::string l2 = "  2" + dashes(4, 31);
  // The WRITE's text ends in column 22, the GO TO's in column 14.
  const test::Lines expected = {
      cardLine("", "      PROGRAM NESTA", 1),
      cardLine(l1, "------DO 10 I = 1, 3", 2),
      cardLine("|", "      X = I", 3),
      cardLine(l1, "---10-CONTINUE", 4),
      cardLine(l1, "------IF (X .GT. 1.0) THEN", 5),
      cardLine("|", "        Y = 1.0", 6),
      cardLine("+-2" + dashes(4, 31), "------ELSE IF (X .LT. 0.0) THEN", 7),
      cardLine("  |", "        Y = 2.0", 8),
      cardLine(l2, "------ELSE", 9),
      cardLine("  |", "        Y = 3.0", 10),
      cardLine(l2, "------END IF", 11),
      arrowLine("", {{23, "<" + dashes(24, 80) + "---<==" + field(14)}}),
      cardLine("", "   20 WRITE (6, 100) Y", 12, 13),
      cardLine("", "  100 FORMAT (F8.2)", 13, 0, 12),
      cardLine("", "      GO TO 20", 14),
      arrowLine("", {{15, "===>" + dashes(19, 77) + "-->" + field(12)}}),
      cardLine("", "      END", 15),
  };
  EXPECT_EQ(nestPage(r, "NESTA   (MAIN)        OF  PROGRAM"), expected);
}

TEST(NestReport, LoopsOnOneLabelJumpsInAndOutAndAssignedLabels) {
  const auto r = nestRun("jumps.f",
                         "      SUBROUTINE JUMPS(K)\n"
                         "      DO 10 I = 1, 2\n"
                         "      DO 10 J = 1, 2\n"
                         "   10 CONTINUE\n"
                         "      IF (K .EQ. 1) GO TO 30\n"
                         "      IF (K .EQ. 2) GO TO 30\n"
                         "      ASSIGN 40 TO L\n"
                         "      GO TO (30, 40), K\n"
                         "   30 WRITE (6, 50)\n"
                         "   40 WRITE (6, 050)\n"
                         "   50 FORMAT (1X)\n"
                         "      ASSIGN 70 TO L\n"
                         "      ASSIGN 70 TO M\n"
                         "   70 IF (K .GT. 0) GO TO 80\n"
                         "   80 RETURN\n"
                         "      END\n");
  const std::string out1 = "===>" + dashes(33, 72) + "-----" + "-->";  // from column 29
  const test::Lines expected = {
      cardLine("", "      SUBROUTINE JUMPS(K)", 1),
      cardLine("1" + dashes(2, 31), "------DO 10 I = 1, 2", 2),
      cardLine("| 2" + dashes(4, 31), "------DO 10 J = 1, 2", 3),
      // The CONTINUE ends both loops at the outer loop's level.
      cardLine("1" + dashes(2, 31), "---10-CONTINUE", 4),
      cardLine("", "      IF (K .EQ. 1) GO TO 30", 5),
      arrowLine("", {{29, out1 + field(9)}}),
      cardLine("", "      IF (K .EQ. 2) GO TO 30", 6),
      arrowLine("", {{29, out1 + field(9)}}),
      cardLine("", "      ASSIGN 40 TO L", 7, 10),
      cardLine("", "      GO TO (30, 40), K", 8),
      arrowLine("", {{24, "===>" + dashes(28, 72) + "----+" + "-->" + field(9)}}),
      arrowLine("", {{77, "+-->" + field(10)}}),
      // Three jumps come in to label 30; the text ends in column 19.
      arrowLine("", {{84, "+--" + field(5)}}),
      arrowLine("", {{84, "+--" + field(6)}}),
      arrowLine("", {{20, "<" + dashes(21, 80) + "<==+--" + field(8)}}),
      cardLine("", "   30 WRITE (6, 50)", 9, 11),
      // The ASSIGN shows as a number, the GO TO as an arrow; 050 and 50 are one label.
      arrowLine("", {{21, "<" + dashes(22, 80) + "---<==" + field(8)}}),
      cardLine("", "   40 WRITE (6, 050)", 10, 11, 7),
      cardLine("", "   50 FORMAT (1X)", 11, 0, 9),
      cardLine("", "", 0, 0, 10),
      cardLine("", "      ASSIGN 70 TO L", 12, 14),
      cardLine("", "      ASSIGN 70 TO M", 13, 14),
      // A number left over for a statement that jumps: a bar down to its arrow.
      cardLine("", "   70 IF (K .GT. 0) GO TO 80", 14, 0, 12),
      arrowLine("", {{29, "|"}, {87, field(13)}}),
      arrowLine("", {{29, "+==>" + dashes(33, 72) + "-----" + "-->" + field(15)}}),
      arrowLine("", {{13, "<" + dashes(14, 80) + "---<==" + field(14)}}),
      cardLine("", "   80 RETURN", 15),
      cardLine("", "      END", 16),
  };
  EXPECT_EQ(nestPage(r, "JUMPS   (SUBROUTINE)  OF  PROGRAM"), expected);
}

TEST(NestReport, SelectCaseWhereAndCommentCards) {
  const auto r = nestRun("blocks.f",
                         "C     A LEADING COMMENT\n"
                         "      SUBROUTINE BLOCKS(K, A)\n"
                         "      REAL A(5)\n"
                         "      SELECT CASE (K)\n"
                         "      CASE (1)\n"
                         "      WHERE (A .GT. 0.0)\n"
                         "      A = 1.0\n"
                         "      ELSEWHERE (A .LT. -1.0)\n"
                         "      A = 2.0\n"
                         "      ELSEWHERE\n"
                         "      A = 3.0\n"
                         "      END WHERE\n"
                         "      CASE DEFAULT\n"
                         "      A = 0.0\n"
                         "     +  + 1.0\n"
                         "C     A TRAILING COMMENT\n"
                         "      END SELECT\n"
                         "      END\n");
  const test::Lines expected = {
      cardLine("", "C     A LEADING COMMENT", 1),
      cardLine("", "      SUBROUTINE BLOCKS(K, A)", 2),
      cardLine("", "      REAL A(5)", 3),
      cardLine("1" + dashes(2, 31), "------SELECT CASE (K)", 4),
      cardLine("1" + dashes(2, 31), "------CASE (1)", 5),
      cardLine("| 2" + dashes(4, 31), "------WHERE (A .GT. 0.0)", 6),
      cardLine("| |", "      A = 1.0", 7),
      // The conditional ELSEWHERE branches off one level deeper.
      cardLine("| +-3" + dashes(6, 31), "------ELSEWHERE (A .LT. -1.0)", 8),
      // Its "+-" is cleared after its line, and the WHERE's bar with it.
      cardLine("|   |", "      A = 2.0", 9),
      cardLine("|   3" + dashes(6, 31), "------ELSEWHERE", 10),
      cardLine("|   |", "      A = 3.0", 11),
      cardLine("|   3" + dashes(6, 31), "------END WHERE", 12),
      cardLine("1" + dashes(2, 31), "------CASE DEFAULT", 13),
      cardLine("|", "      A = 0.0", 14),
      cardLine("|", "     +  + 1.0", 15),
      cardLine("|", "C     A TRAILING COMMENT", 16),
      cardLine("1" + dashes(2, 31), "------END SELECT", 17),
      cardLine("", "      END", 18),
  };
  EXPECT_EQ(nestPage(r, "BLOCKS  (SUBROUTINE)  OF  PROGRAM"), expected);
}

TEST(NestReport, DeeperThanFifteenLevelsTakesOnePositionPerLevel) {
  std::string source = "      SUBROUTINE DEEP\n";
  for (int k = 1; k <= 17; ++k) source += "      DO I" + std::to_string(k) + " = 1, 2\n";
  source += "      X = 1.0\n";
  for (int k = 1; k <= 17; ++k) source += "      END DO\n";
  source += "      END\n";
  const auto r = nestRun("deep.f", source);
  const test::Lines page = nestPage(r, "DEEP    (SUBROUTINE)  OF  PROGRAM");
  ASSERT_EQ(page.size(), 37u);
  EXPECT_EQ(page[1], cardLine("1" + dashes(2, 31), "------DO I1 = 1, 2", 2));
  EXPECT_EQ(page[10],
            cardLine(std::string(9, '|') + "A" + dashes(11, 31), "------DO I10 = 1, 2", 11));
  EXPECT_EQ(page[17],
            cardLine(std::string(16, '|') + "H" + dashes(18, 31), "------DO I17 = 1, 2", 18));
  EXPECT_EQ(page[18], cardLine(std::string(17, '|'), "      X = 1.0", 19));
  EXPECT_EQ(page[19], cardLine(std::string(16, '|') + "H" + dashes(18, 31), "------END DO", 20));
  EXPECT_EQ(page[20], cardLine(std::string(15, '|') + "G" + dashes(17, 31), "------END DO", 21));
  EXPECT_EQ(page[35], cardLine("1" + dashes(2, 31), "------END DO", 36));
  EXPECT_EQ(page[36], cardLine("", "      END", 37));
}

// Card numbers of five digits and more: the field widens past 100000, and
// the fields after it move right.
TEST(NestReport, CardNumbersOfSixDigitsWidenTheirField) {
  std::string source = "      SUBROUTINE WIDE\n";
  for (int card = 2; card <= 99998; ++card) source += "C\n";
  source += "   10 FORMAT (I5)\n      ASSIGN 10 TO K\n      END\n";
  const auto r = nestRun("wide.f", source, {"-header(off)", "-size(mxcdbf=200000)"});
  const test::Lines page = nestPage(r, "WIDE    (SUBROUTINE)  OF  PROGRAM");
  ASSERT_EQ(page.size(), 100001u);
  EXPECT_EQ(page[99997], cardLine("", "C", 99998));
  EXPECT_EQ(page[99998], cardLine("", "   10 FORMAT (I5)", 99999, 0, 100000));
  EXPECT_EQ(page[99999], cardLine("", "      ASSIGN 10 TO K", 100000, 99999));
  EXPECT_EQ(page[100000], cardLine("", "      END", 100001));
}

TEST(NestReport, StrayClosersAndUndefinedTargetsDrawNothingWrong) {
  const auto r = nestRun("stray.f",
                         "      SUBROUTINE STRAY\n"
                         "      END DO\n"
                         "      ELSE\n"
                         "      END IF\n"
                         "      DO 10 I = 1, 2\n"
                         "      GO TO 99\n"
                         "   10 CONTINUE\n"
                         "      END\n");
  // An END DO without DO leaves the level at 0, so the DO after it is level 1;
  // a jump to a label no statement carries has a blank target.
  const test::Lines expected = {
      cardLine("", "      SUBROUTINE STRAY", 1),
      cardLine("", "      END DO", 2),
      cardLine("", "      ELSE", 3),
      cardLine("", "      END IF", 4),
      cardLine("1" + dashes(2, 31), "------DO 10 I = 1, 2", 5),
      cardLine("|", "      GO TO 99", 6),
      arrowLine("|", {{15, "===>" + dashes(19, 77) + "-->"}}),
      cardLine("1" + dashes(2, 31), "---10-CONTINUE", 7),
      cardLine("", "      END", 8),
  };
  EXPECT_EQ(nestPage(r, "STRAY   (SUBROUTINE)  OF  PROGRAM"), expected);
}

TEST(NestReport, TheEndOfAnIncludedMemberShowsAsAPseudoCard) {
  test::sourceFile("nest.inc", "      INTEGER N\n      COMMON /B/ N\n");
  const auto r = nestRun("inc.f",
                         "      SUBROUTINE INC\n"
                         "      INCLUDE 'nest.inc'\n"
                         "      N = 1\n"
                         "      END\n");
  const test::Lines expected = {
      cardLine("", "      SUBROUTINE INC", 1),
      cardLine("", "      INCLUDE 'nest.inc'", 2),
      cardLine("", "      INTEGER N", 3),
      cardLine("", "      COMMON /B/ N", 4),
      cardLine("", "*<INCLUDE END :nest.inc", 5),
      cardLine("", "      N = 1", 6),
      cardLine("", "      END", 7),
  };
  EXPECT_EQ(nestPage(r, "INC     (SUBROUTINE)  OF  PROGRAM"), expected);
}

struct StopRow {
  const char* size;
  const char* message;
  const char* limit;
};

TEST(NestReport, FullTablesStopWithTheirMessagesAndStatusPage) {
  const StopRow rows[] = {
      {"-size(mxlbdr=2)", " ERROR AT PRCNES(LABEL REFERENCE TABLE OVER FLOW)",
       " MAXIMUM TABLE ENTRIES : MXLBDR =        2"},
      {"-size(mxcdbf=6)", " ERROR AT TABRFL(LABNAM LABNAM TABLE OVER FLOW)",
       " MAXIMUM TABLE ENTRIES : MXCDBF =        6"},
  };
  for (const StopRow& row : rows) {
    const auto r = nestRun("full.f",
                           "      SUBROUTINE FULL(K)\n"
                           "      GO TO (1, 2, 3, 4, 5, 6, 7), K\n"
                           "      END\n",
                           {row.size});
    EXPECT_EQ(r.status, 3) << row.size;
    EXPECT_NE(r.err.find("stop code 200"), std::string::npos) << r.err;
    const test::Lines lines = r.lines();
    const int at = test::findLine(lines, row.message);
    ASSERT_GE(at, 3) << row.size;
    EXPECT_EQ(lines[static_cast<std::size_t>(at) + 1], row.limit);
    EXPECT_EQ(lines[static_cast<std::size_t>(at) - 1], "");
    EXPECT_EQ(lines[static_cast<std::size_t>(at) - 3], "1");
    EXPECT_GE(test::findLine(
                  lines,
                  "0** PROGRAM NAME : FULL                            (SUBROUTINE)         **", at),
              0);
  }
}

}  // namespace
}  // namespace ksfort
