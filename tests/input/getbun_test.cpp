#include "input/getbun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inc/run.h"
#include "input/getcrd.h"
#include "report/stop.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

std::string pad(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

// A run reading the source from memory.
struct Source {
  explicit Source(std::string s) : text{std::move(s)} { openSourceText(run, text); }
  int next(int store = 0) { return getbun(run, store, store_); }
  std::string stmt() const { return std::string(run.bun.textView()); }
  std::string label() const { return std::string(run.bun.label.data(), 5); }

  test::TestRun t;
  Run& run = *t.run;
  std::string text;
  std::vector<char> store_;
};

TEST(StatementAssembler, ContinuationAppendsColumns7To72) {
  Source s("      X = 1\n     1 + 2\n");
  EXPECT_EQ(s.next(), 132);
  EXPECT_EQ(s.stmt(), pad("X = 1", 66) + pad(" + 2", 66));
  EXPECT_EQ(s.run.bun.continuations, 1);
  EXPECT_EQ(s.run.bun.isn, 1);
  EXPECT_EQ(s.run.bun.firstCard, 1);
  EXPECT_EQ(std::string(s.run.bun.cards[1].data(), 132), pad("     1 + 2", 132));
  EXPECT_EQ(s.next(), -1);
  EXPECT_EQ(s.next(), -1);
}

TEST(StatementAssembler, CommentOnlyFileEndsAtOnceWithItsCounts) {
  Source s("C one\nc two\n! three\n   ! four\n\n      \t \n* star\n");
  EXPECT_EQ(s.next(), -1);
  EXPECT_EQ(s.run.bun.comments, 6);
  EXPECT_EQ(s.run.bun.starComments, 1);
  EXPECT_EQ(s.next(), -1);
  EXPECT_EQ(s.run.bun.comments, 0);
}

TEST(StatementAssembler, ColumnSixDecidesContinuation) {
  // '0' in column 6 starts a new statement; a continuation that opens a
  // statement is not tested for column 6.
  Source s("     1A=1\n     0B=1\n     xC=1\n");
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.stmt(), pad("A=1", 66));
  EXPECT_EQ(s.next(), 132);
  EXPECT_EQ(s.stmt(), pad("B=1", 66) + pad("C=1", 66));
  EXPECT_EQ(s.run.bun.isn, 2);
  EXPECT_EQ(s.run.bun.firstCard, 2);
}

TEST(StatementAssembler, CommentsBetweenInitialAndContinuationAreSkipped) {
  Source s("      X =\nC note\n*star\n     1 1\n      Y = 2\n");
  EXPECT_EQ(s.next(), 132);
  EXPECT_EQ(s.stmt(), pad("X =", 66) + pad(" 1", 66));
  EXPECT_EQ(s.run.bun.comments, 1);
  EXPECT_EQ(s.run.bun.starComments, 1);
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.run.bun.firstCard, 5);
}

TEST(StatementAssembler, LabelIsSqueezedAndRightJustified) {
  Source s(" 1 0  X=1\nD     Y=1\n10\tZ=1\n");
  s.next();
  EXPECT_EQ(s.label(), "   10");
  s.next();  // "D" in column 1 is part of the label field
  EXPECT_EQ(s.label(), "    D");
  EXPECT_EQ(s.stmt(), pad("Y=1", 66));
  s.next();
  EXPECT_EQ(s.label(), "   10");
  EXPECT_EQ(s.stmt(), pad(" Z=1", 66));
}

TEST(StatementAssembler, EndStatementEndsTheUnitWithoutReadingAhead) {
  struct Row {
    std::string cards;
    bool isEnd;
  } rows[] = {
      {"      END\n", true},     {"      E N D\n", true},         {"      e\n     1nd\n", true},
      {"   10 End\t\n", true},   {"      END ! done\n", true},    {"      ENDIF\n", false},
      {"      END DO\n", false}, {"      EN\n     1DX\n", false},
  };
  for (const Row& r : rows) {
    Source s(r.cards + "C next unit\n      X=1\n");
    s.next();
    if (r.isEnd) {
      EXPECT_EQ(s.run.crdy.lookAhead, -1) << r.cards;
      EXPECT_EQ(s.run.crdy.cardCount, s.run.bun.continuations + 1) << r.cards;
      EXPECT_EQ(s.next(), 66);
      EXPECT_EQ(s.run.bun.isn, 1) << r.cards;  // numbering restarts
      EXPECT_EQ(s.run.bun.firstCard, 2) << r.cards;
      EXPECT_EQ(s.run.bun.comments, 1) << r.cards;
    } else {
      EXPECT_EQ(s.run.crdy.lookAhead, 0) << r.cards;
      EXPECT_EQ(s.next(), 66);
      EXPECT_EQ(s.run.bun.isn, 2) << r.cards;
    }
  }
}

TEST(StatementAssembler, IncludeLineTest) {
  struct Row {
    const char* text;
    bool include;
  } rows[] = {
      {"INCLUDE 'abc.f'", true},  {"include \"x.h\"", true},  {"INCLUDE ABC", true},
      {"INCLUDE (ABC)", true},    {"INCLUDE (ABC) 12", true}, {"I N C L U D E\tA$B", true},
      {"INCLUDE (ABC) X", false}, {"INCLUDEX=1", false},      {"INCLUDE", false},
      {"INCLUDE abc", false},     {"INCLUDE ABC.F", false},   {"INCLUD", false},
  };
  for (const Row& r : rows) {
    const std::string card = pad("      " + std::string(r.text), 132);
    EXPECT_EQ(isIncludeLine(card), r.include) << r.text;
  }
}

TEST(StatementAssembler, IncludeAndDirectiveLinesStandAlone) {
  Source s("   10 INCLUDE 'a.f'\n     1X=1\n      Y=1\n*EJECT\n*INCLUDE ABC\n*INCLUDEX\n");
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.run.bun.kind, 1);
  EXPECT_EQ(s.label(), "     ");
  EXPECT_EQ(s.stmt(), pad("INCLUDE 'a.f'", 66));
  EXPECT_EQ(s.next(), 66);  // the continuation line opens a statement of its own
  EXPECT_EQ(s.stmt(), pad("X=1", 66));
  EXPECT_EQ(s.next(), 66);  // a directive line ends the statement
  EXPECT_EQ(s.next(), 71);
  EXPECT_EQ(s.run.bun.kind, 2);
  EXPECT_EQ(s.stmt(), pad("EJECT", 71));
  EXPECT_EQ(s.next(), 71);
  EXPECT_EQ(s.stmt(), pad("INCLUDE ABC", 71));
  EXPECT_EQ(s.next(), -1);
  EXPECT_EQ(s.run.bun.starComments, 1);
  EXPECT_EQ(s.run.bun.isn, 5);
}

TEST(StatementAssembler, UnusualBytesAndLongLines) {
  const std::string nul("      A='\0'\n", 12);
  Source s(nul + std::string("\0     X=1\n", 10) + "      B=1" + std::string(3 * 1024 * 1024, 'Q') +
           "\r\n      C=2");
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.stmt(), pad(std::string("A='\0'", 5), 66));
  EXPECT_EQ(s.next(), 66);  // a NUL in column 1 makes a statement line
  EXPECT_EQ(s.label(), "    " + std::string("\0", 1));
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.stmt(), "B=1" + std::string(63, 'Q'));
  EXPECT_EQ(s.next(), 66);  // no final newline
  EXPECT_EQ(s.stmt(), pad("C=2", 66));
  EXPECT_EQ(s.next(), -1);
}

TEST(StatementAssembler, StatusRecordsFollowTheStatement) {
  Source s("      A=1\n      B=\n     1 2\n     2 3\n");
  s.next();
  s.next();
  EXPECT_EQ(s.run.stati.isn, 2);
  EXPECT_EQ(s.run.stati.cards, 3);
  EXPECT_EQ(s.run.stati.status, 198);
  EXPECT_EQ(std::string(s.run.statc.cards[2].data(), 80), pad("     2 3", 80));
}

// Emulates the include-file operations around one member.
void enterLevel(Run& run, const std::string& path) {
  CRDYYY& y = run.crdy;
  y.incLevel += 1;
  y.savedAt(y.incLevel) = {y.endFlag, y.lookAhead, y.pendingKind};
  y.endFlag = 0;
  y.lookAhead = -2;
  y.pendingKind = 0;
  y.incUnit += 1;
  int rc = 0;
  PoName name;
  pofind(run, rc, name, y.incUnit, path);
  ASSERT_EQ(rc, 0);
}

void leaveLevel(Run& run) {
  CRDYYY& y = run.crdy;
  int rc = 0;
  PoName name;
  poclos(run, rc, name, y.incUnit);
  const CRDYYY::Saved& v = y.savedAt(y.incLevel);
  y.endFlag = v.endFlag;
  y.lookAhead = v.lookAhead;
  y.pendingKind = v.pendingKind;
  y.incUnit -= 1;
  y.incLevel -= 1;
}

TEST(StatementAssembler, IncludeEndComesOnceThenTheIncludingFileGoesOn) {
  const std::string member = test::writeTempFile("inc1.f", "      A=1\n     1+2\nC tail\n");
  Source s("      INCLUDE 'inc1.f'\n      Y=2\n      END\n");
  EXPECT_EQ(s.next(), 66);
  enterLevel(s.run, member);
  EXPECT_EQ(s.next(), 132);
  EXPECT_EQ(s.stmt(), pad("A=1", 66) + pad("+2", 66));
  EXPECT_EQ(s.run.bun.comments, 1);
  EXPECT_EQ(s.next(), -2);
  EXPECT_EQ(s.run.bun.comments, 0);
  leaveLevel(s.run);
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.stmt(), pad("Y=2", 66));
  EXPECT_EQ(s.run.bun.isn, 3);
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.next(), -1);
  closeSource(s.run);
  EXPECT_EQ(s.run.crdy.endFlag, 0);
  EXPECT_EQ(s.run.crdy.lookAhead, -1);
}

// An INCLUDE statement that is no INCLUDE line (unquoted lower-case name)
// has already read the next card; that card survives the member.
TEST(StatementAssembler, PendingCardSurvivesAnIncludeLevel) {
  const std::string member = test::writeTempFile("inc2.f", "      A=1\n");
  Source s("      include abc.f\n      Y=2\n");
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.run.crdy.lookAhead, 0);
  enterLevel(s.run, member);
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.next(), -2);
  leaveLevel(s.run);
  EXPECT_EQ(s.next(), 66);
  EXPECT_EQ(s.stmt(), pad("Y=2", 66));
}

TEST(StatementAssembler, CardStoreKeepsEveryCardOfTheUnit) {
  Source s("C c\n      X=1\n      END\n      Y=1\n");
  s.store_.assign(3 * 132, '#');
  s.next(1);
  s.next(1);
  EXPECT_EQ(std::string(s.store_.data(), 132), pad("C c", 132));
  EXPECT_EQ(std::string(s.store_.data() + 264, 132), pad("      END", 132));
  EXPECT_EQ(s.run.use[7], 3);
  s.next(1);  // the next unit starts again at entry 1
  EXPECT_EQ(std::string(s.store_.data(), 132), pad("      Y=1", 132));
}

// Runs getbun until the run stops; returns the stop code.
int stopCode(Source& s, int store) {
  try {
    while (s.next(store) > 0) {
    }
  } catch (const RunStop& stop) {
    return stop.code;
  }
  return 0;
}

TEST(StatementAssembler, CardStoreOverflowStops) {
  Source s("C c\n      X=1\n      Y=1\n      Z=1\n");
  s.store_.assign(3 * 132, ' ');
  EXPECT_EQ(stopCode(s, 1), 100);
  const auto lines = s.t.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], " ERROR AT GETBUN. CARD STORAGE BUFFER OVER FLOW.");
  EXPECT_EQ(lines[1], " MAXIMUM SIZE : MXCDBF =        3");
  EXPECT_EQ(lines[2], "1");  // then the status page
}

TEST(StatementAssembler, TwoHundredCardsFitAndTheNextOneStops) {
  std::string cards = "   10 A=\n";
  for (int i = 1; i < 200; ++i) cards += "     1+1\n";
  {
    Source s(cards + "      END\n");
    EXPECT_EQ(s.next(), 200 * 66);
    EXPECT_EQ(s.run.bun.continuations, 199);
  }
  Source s(cards + "     1+1\n");
  EXPECT_EQ(stopCode(s, 0), 100);
  const auto lines = s.t.lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], " ERROR AT GETBUN. TOO MANY CONTINUATION.");
  EXPECT_EQ(lines[1], " MAXIMUM CONTINUATION : MXCRD  =      200");
  EXPECT_EQ(lines[2], "1");
  // The status page shows the statement: its first card, then the other 199.
  int isn = 0;
  while (isn < static_cast<int>(lines.size()) &&
         lines[static_cast<std::size_t>(isn)] != "  ISN :      1      10 A=")
    ++isn;
  ASSERT_LT(isn + 200, static_cast<int>(lines.size()));
  for (int i = 1; i < 200; ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(isn + i)], std::string(14, ' ') + "     1+1");
  }
  EXPECT_EQ(lines[static_cast<std::size_t>(isn + 200)].rfind("  TOTAL NUMBER OF CARDS READ", 0),
            0u);
}

}  // namespace
}  // namespace ksfort
