// The STATEMENT selection: which statements are kept, with all their cards,
// and the store's overflow stop.
#include "structure/selected_statements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/statement_assembler.h"
#include "lex/classifier.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

// Feeds source through the assembler, the classifier and the selection and
// returns the first 20 columns of every stored card, trailing blanks dropped.
struct Selection {
  explicit Selection(std::int32_t code, std::size_t capacity = 50)
      : selection{code}, store(capacity) {
    t.run->selected.cards = BoundedTable<Card>(t.run->stop, store, kSelectedCardsLimit,
                                               static_cast<std::int64_t>(capacity));
  }
  std::vector<std::string> feed(const std::string& source) {
    Run& run = *t.run;
    run.reader.openSourceText(source);
    AssemblyContext context{run.status, run.stop, nullptr};
    while (assembleStatement(run.reader, run.statement, context) > 0) {
      const Classification c = classifyStatement(run.statement.textView(), run.tokens, {}, run.out);
      keepSelectedStatement(run.selected, selection, c, run.statement, run.status.usage);
    }
    std::vector<std::string> cards;
    for (const Card& card : run.selected.cards.used()) {
      std::string c(card.data(), 20);
      c.erase(c.find_last_not_of(' ') + 1);
      cards.push_back(c);
    }
    return cards;
  }
  test::TestRun t;
  std::int32_t selection;
  std::vector<Card> store;
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
      {kSelectionIo,
       {"      READ (5, 100)", "     1             B", "      IF (A .GT. B)", "      READ (5) D",
        "  100 FORMAT (2F10.2", "      WRITE (6, 100)"}},
      {0, {"      X = A"}},
      {4501, {"      IF (X) GO TO 1"}},
      {kSelectionOff, {}},
  };
  for (const auto& r : rows) {
    Selection s(r.selection);
    EXPECT_EQ(s.feed(kSource), r.cards) << r.selection;
  }
}

TEST(StatementSelection, StoreOverflowStops) {
  Selection s(kSelectionIo, 2);
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
