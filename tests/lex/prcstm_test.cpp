// The STATEMENT selection: which statements prcstm keeps, with all their
// cards, and the store's overflow stop.
#include "lex/prcstm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/getbun.h"
#include "input/getcrd.h"
#include "lex/anabun.h"
#include "report/stop.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr std::size_t kCard = 132;

// Feeds source through getbun, anabun and prcstm with the given selection and
// returns the first 20 columns of every stored card, trailing blanks dropped.
struct Selection {
  explicit Selection(std::int32_t selection, int capacity = 50) : store(capacity * kCard, ' ') {
    t.run->opt.OPTSTM = selection;
  }
  std::vector<std::string> feed(const std::string& source) {
    Run& run = *t.run;
    openSourceText(run, source);
    while (getbun(run, 0, {}) > 0) {
      const BunResult r = anabun(run, run.bun.textView(), run.tknlst);
      prcstm(run, r.cls.data(), r.sub.data(), run.bun, store);
    }
    std::vector<std::string> cards;
    for (int i = 0; i < run.stmsel.stored; ++i) {
      std::string c = store.substr(static_cast<std::size_t>(i) * kCard, 20);
      c.erase(c.find_last_not_of(' ') + 1);
      cards.push_back(c);
    }
    return cards;
  }
  test::TestRun t;
  std::string store;
};

const std::string kSource =
    "      READ (5, 100) A,\n"
    "     1             B\n"
    "      IF (A .GT. B) READ (5, 100) C\n"
    "      READ (5) D\n"
    "  100 FORMAT (2F10.2)\n"
    "      WRITE (6, 100) A\n"
    "      X = A\n"
    "      IF (X) GO TO 10\n"
    "   10 CONTINUE\n";

TEST(StatementSelection, SelectionsKeepTheirStatementsWithAllCards) {
  const struct {
    std::int32_t selection;
    std::vector<std::string> cards;
  } rows[] = {
      // READ, every sub class: the two-card READ, the READ inside the IF, READ(5) D.
      {7100,
       {"      READ (5, 100)", "     1             B", "      IF (A .GT. B)", "      READ (5) D"}},
      // RD.1 (sequential unformatted) only.
      {7101, {"      READ (5) D"}},
      // The I/O statements include FORMAT; assignments and GO TO are not.
      {kStatementIo,
       {"      READ (5, 100)", "     1             B", "      IF (A .GT. B)", "      READ (5) D",
        "  100 FORMAT (2F10.2", "      WRITE (6, 100)"}},
      {0, {"      X = A"}},
      {4501, {"      IF (X) GO TO 1"}},
      {kStatementOff, {}},
  };
  for (const auto& r : rows) {
    Selection s(r.selection);
    EXPECT_EQ(s.feed(kSource), r.cards) << r.selection;
  }
}

TEST(StatementSelection, StoreOverflowStops) {
  Selection s(kStatementIo, 2);
  s.t.run->size[MXCDBF] = 2;
  EXPECT_EQ(test::stopCode([&] { s.feed(kSource); }), 200);
  const auto lines = s.t.lines();
  const int msg = test::findLine(lines, " ERROR AT PRCSTM(CARD BUFFER OVER FLOW)");
  ASSERT_GE(msg, 3);
  EXPECT_EQ(lines[msg - 3], "1");
  EXPECT_EQ(lines[msg + 1], " MAXIMUM CARD BUFFER SIZE : MXCDBF =       2");
  EXPECT_GE(test::findLine(lines, "0** PROGRAM NAME : " + test::padded("", 32) +
                                      test::padded("(MAIN)", 20) + " **"),
            0);
}

}  // namespace
}  // namespace ksfort
