// The card reader and the statement assembler.
#include "input/statement_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "input/card_reader.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

std::string trim(std::string_view s) {
  return std::string(s.substr(0, s.find_last_not_of(' ') + 1));
}

// A run reading the source from memory.
struct Source {
  explicit Source(std::string s) : text{std::move(s)} { reader.openSourceText(text); }
  // The unit's cards go to a store of n cards.
  void keepCards(std::size_t n) {
    Card filler;
    filler.fill('#');
    cardStore.assign(n, filler);
    store = BoundedTable<Card>(t.run->stop, cardStore, kUnitCardStoreLimit,
                               static_cast<std::int64_t>(n));
    context.unitCards = &store;
  }
  int next() { return assembleStatement(reader, statement, context); }

  // One call as "length:isn:label:text", the text's 66-column parts trimmed and
  // joined by "|", then " {comments,asterisk comments}" when there were any.
  std::string call() {
    const int length = next();
    const Statement& b = statement;
    std::string r = std::to_string(length);
    if (length > 0) {
      std::string_view label{b.label.data(), 5};
      label.remove_prefix(std::min(label.find_first_not_of(' '), label.size()));
      r += ":" + std::to_string(b.isn) + ":" + std::string(label) + ":";
      const std::size_t part = length == 71 ? 71 : 66;
      for (std::size_t i = 0; i < static_cast<std::size_t>(length); i += part) {
        r += (i ? "|" : "") + trim(b.textView().substr(i, part));
      }
    }
    if (b.comments || b.starComments) {
      r += " {" + std::to_string(b.comments) + "," + std::to_string(b.starComments) + "}";
    }
    return r;
  }

  test::TestRun t;
  CardReader& reader = t.run->reader;
  Statement& statement = t.run->statement;
  std::string text;
  std::vector<Card> cardStore;
  BoundedTable<Card> store;
  AssemblyContext context{t.run->status, t.run->stop, nullptr};
};

TEST(StatementAssembler, AssemblesStatements) {
  struct Row {
    std::string source;
    std::vector<std::string> calls;
  } rows[] = {
      {"      X = 1\n     1 + 2\n", {"132:1::X = 1| + 2", "-1", "-1"}},
      {"C one\nc two\n! three\n   ! four\n\n      \t \n* star\n", {"-1 {6,1}", "-1"}},
      // '0' in column 6 starts a statement; a continuation may open one.
      {"     1A=1\n     0B=1\n     xC=1\n", {"66:1::A=1", "132:2::B=1|C=1", "-1"}},
      {"      X =\nC note\n*star\n     1 1\n      Y = 2", {"132:1::X =| 1 {1,1}", "66:2::Y = 2"}},
      {" 1 0  X=1\nD     Y=1\n", {"66:1:10:X=1", "66:2:D:Y=1", "-1"}},
      // INCLUDE and directive lines are never continued and take no label.
      {"   10 INCLUDE 'a.f'\n     1X=1\n      Y=1\n*EJECT\n*INCLUDE ABC\n*INCLUDEX\n",
       {"66:1::INCLUDE 'a.f'", "66:2::X=1", "66:3::Y=1", "71:4::EJECT", "71:5::INCLUDE ABC",
        "-1 {0,1}"}},
      {std::string("      A='\0'\n\0     B=1\n", 22),
       {std::string("66:1::A='\0'", 11), std::string("66:2:\0:B=1", 10)}},
      // Blanks and TABs are passed over a word at a time: a card blank up to
      // column 72 is a comment whatever stands after it, and a "!" far out
      // starts one.
      {std::string(72, ' ') + "X=1\n" + std::string(29, ' ') + "\t ! far\n" + std::string(16, ' ') +
           "\tY=1\n",
       {"66:1::          \tY=1 {2,0}", "-1"}},
  };
  for (const Row& r : rows) {
    Source s(r.source);
    for (const std::string& want : r.calls) EXPECT_EQ(s.call(), want) << r.source.substr(0, 80);
  }
}

// The END statement is delivered without reading ahead and restarts the
// numbering, so the comment after it belongs to the next statement.
TEST(StatementAssembler, EndStatementEndsTheUnit) {
  struct Row {
    std::string cards;
    bool isEnd;
  } rows[] = {
      {"      END\n", true},
      {"      E N D\n", true},
      {"      e\n     1nd\n", true},
      {"      ENDIF\n", false},
      {"      END DO\n", false},
      // Blank runs longer than a word, TABs, a "!" ending a card's part, and
      // the last significant column.
      {"      " + std::string(20, ' ') + "E\t\t  N" + std::string(9, ' ') + "D\n", true},
      {"      END        ! done\n", true},
      {"      ! E\n     1END\n", true},
      {std::string(69, ' ') + "END\n", true},
      {std::string(70, ' ') + "END\n", false},
      {"      END" + std::string(62, ' ') + "X\n", false},
      {"      END" + std::string(63, ' ') + "X\n", true},
  };
  for (const Row& r : rows) {
    Source s(r.cards + "C next unit\n      X=1\n");
    s.call();
    EXPECT_EQ(s.call(), r.isEnd ? "66:1::X=1 {1,0}" : "66:2::X=1") << r.cards;
  }
}

// Inside an interface block END ends an interface body, not the unit: the
// numbering and the card store go on.
TEST(StatementAssembler, EndInsideAnInterfaceBlockLeavesTheUnitGoingOn) {
  Source s("      END\nC body\n      X=1\n      END\n      Y=1\n");
  s.keepCards(4);
  s.context.insideInterfaceBlock = true;
  EXPECT_EQ(s.call(), "66:1::END");
  EXPECT_EQ(s.call(), "66:2::X=1 {1,0}");
  s.context.insideInterfaceBlock = false;
  EXPECT_EQ(s.call(), "66:3::END");
  EXPECT_EQ(std::string(s.cardStore[3].data(), 132), test::padded("      END", 132));
  EXPECT_EQ(s.call(), "66:1::Y=1");
}

TEST(StatementAssembler, IncludeLineTest) {
  struct Row {
    const char* text;
    bool include;
  } rows[] = {
      {"include \"x.h\"", true},
      {"INCLUDE ABC", true},
      {"I N C L U D E (A$B) 12", true},
      {"INCLUDE (ABC) X", false},
      {"INCLUDEX=1", false},
      {"INCLUDE", false},
      {"INCLUDE abc", false},
      // Blank runs longer than a word and TABs before the word.
      {"           \t   \t INCLUDE 'x'", true},
      {"            \t  XINCLUDE 'x'", false},
      {"                                                            INC", false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(isIncludeLine(test::padded("      " + std::string(r.text), 132)), r.include)
        << r.text;
  }
}

// The member's end comes once, then the including file goes on.
TEST(StatementAssembler, IncludeEndComesOnceThenTheIncludingFileGoesOn) {
  Source s("      INCLUDE 'inc1.f'\n      Y=2\n");
  EXPECT_EQ(s.call(), "66:1::INCLUDE 'inc1.f'");
  ASSERT_TRUE(s.reader.pushInclude(test::writeTempFile("inc.f", "      A=1\n     1+2\nC tail\n"),
                                   "inc1.f"));
  EXPECT_EQ(s.reader.includeLevel(), 1);
  EXPECT_EQ(s.call(), "132:2::A=1|+2 {1,0}");
  EXPECT_EQ(s.call(), "-2");
  EXPECT_EQ(s.reader.popInclude(), "inc1.f");
  EXPECT_EQ(s.call(), "66:3::Y=2");
  EXPECT_EQ(s.statement.firstCard, 5);  // the member's three cards count
  EXPECT_EQ(s.call(), "-1");
}

// A source closed while a member is open (a stop, a member not found) leaves
// no level behind: the next source is read from its own first card.
TEST(StatementAssembler, ClosingASourceClosesItsOpenMembers) {
  Source s("      INCLUDE 'inc1.f'\n      Y=2\n");
  EXPECT_EQ(s.call(), "66:1::INCLUDE 'inc1.f'");
  s.reader.pushIncludeText("      A=1\n      INCLUDE 'inc2.f'\n", "inc1.f");
  EXPECT_EQ(s.call(), "66:2::A=1");
  EXPECT_EQ(s.call(), "66:3::INCLUDE 'inc2.f'");
  s.reader.pushIncludeText("      B=1\n", "inc2.f");
  EXPECT_EQ(s.reader.includeLevel(), 2);
  s.reader.closeSource();
  EXPECT_EQ(s.reader.includeLevel(), 0);
  const std::string next = "      Z=3\n";
  s.reader.openSourceText(next);
  EXPECT_EQ(s.call(), "66:1::Z=3");
  EXPECT_EQ(s.call(), "-1");
}

// An include level entered while a look-ahead card is held (a continued
// INCLUDE statement, which the card test does not see as an INCLUDE line):
// the member's cards overwrite the current card, and the held card still
// begins the next statement of the level below.
TEST(StatementAssembler, LookAheadCardSurvivesAMemberReadBetween) {
  Source s("      INCLUDE\n     1 'inc1.f'\n   20 Y=2\n");
  EXPECT_EQ(s.call(), "132:1::INCLUDE| 'inc1.f'");
  s.reader.pushIncludeText("      A=1\n      B=2\n", "inc1.f");
  EXPECT_EQ(s.call(), "66:2::A=1");
  EXPECT_EQ(s.call(), "66:3::B=2");
  EXPECT_EQ(s.call(), "-2");
  EXPECT_EQ(s.reader.popInclude(), "inc1.f");
  EXPECT_EQ(s.call(), "66:4:20:Y=2");
  EXPECT_EQ(s.statement.firstCard, 3);  // its number as it was read
  EXPECT_EQ(std::string(s.statement.cards[0].data(), 9), "   20 Y=2");
  EXPECT_EQ(s.call(), "-1");
}

// Assembles statements until the run stops; returns the stop code.
int runToStop(Source& s) {
  return test::stopCode([&] {
    while (s.next() > 0) {
    }
  });
}

TEST(StatementAssembler, CardStoreKeepsEveryCardOfTheUnitAndStopsWhenFull) {
  Source s("C c\n      X=1\n      END\n      Y=1\n      Z=1\n      W=1\n      V=1\n");
  s.keepCards(3);
  auto stored = [&](int i) {
    return std::string(s.cardStore[static_cast<std::size_t>(i)].data(), 132);
  };
  s.next();
  s.next();
  EXPECT_EQ(stored(0), test::padded("C c", 132));
  EXPECT_EQ(stored(2), test::padded("      END", 132));
  s.next();  // the next unit starts again at entry 1; three cards fit
  EXPECT_EQ(stored(0), test::padded("      Y=1", 132));
  EXPECT_EQ(runToStop(s), 100);
  EXPECT_EQ(test::slice(s.t.lines(), 0, 3),
            (test::Lines{" ERROR AT GETBUN. CARD STORAGE BUFFER OVER FLOW.",
                         " MAXIMUM SIZE : MXCDBF =        3", "1"}));  // then the status page
}

TEST(StatementAssembler, TwoHundredCardsFitAndTheNextOneStops) {
  std::string cards = "   10 A=\n";
  for (int i = 1; i < 200; ++i) cards += "     1+1\n";
  Source fits(cards + "      END\n");
  EXPECT_EQ(fits.next(), 200 * 66);
  EXPECT_EQ(fits.statement.continuations, 199);

  Source s(cards + "     1+1\n");
  EXPECT_EQ(runToStop(s), 100);
  const test::Lines lines = s.t.lines();
  EXPECT_EQ(test::slice(lines, 0, 3),
            (test::Lines{" ERROR AT GETBUN. TOO MANY CONTINUATION.",
                         " MAXIMUM CONTINUATION : MXCRD  =      200", "1"}));
  // The status page shows the statement's cards as the assembler kept them:
  // the first beside the statement number, then the other 199.
  const int isn = test::findLine(lines, "  ISN : " + std::string(5, ' ') + "1   " + "   10 A=");
  ASSERT_GE(isn, 0);
  EXPECT_EQ(lines[static_cast<std::size_t>(isn) + 199], std::string(14, ' ') + "     1+1");
  EXPECT_EQ(lines[static_cast<std::size_t>(isn) + 200].substr(0, 30),
            "  TOTAL NUMBER OF CARDS READ :");
}

std::string cardText(const CardReader& reader) {
  return std::string(reader.card.data(), 132);
}

std::string pad(std::string s) {
  return test::padded(std::move(s), 132);
}

// Every card of the source, whole 132-column cards.
std::vector<std::string> readAll(CardReader& reader) {
  std::vector<std::string> cards;
  while (reader.readCard() == ReadEnd::kCard) cards.push_back(cardText(reader));
  return cards;
}

TEST(CardReader, RecordsBecomeCards) {
  struct Row {
    std::string text;
    std::vector<std::string> cards;
  } rows[] = {
      {"\t1 X=1\n10\tX=1\n     \tX\n", {"       1 X=1", "10     X=1", "       X"}},
      // Only the first TAB, and only in columns 1-6, is expanded.
      {"      \tX\n\t\tX\n123456\tX\n", {"      \tX", "       \tX", "123456\tX"}},
      {"\t" + std::string(200, 'A'), {std::string(7, ' ') + std::string(125, 'A')}},
      {"\n" + std::string(131, 'B') + "Z" + std::string(68, 'C') + "\nC last",
       {"", std::string(131, 'B') + "Z", "C last"}},
      // A CR before the newline is part of the record end; a lone CR ends a record.
      {"      X=1\r\n\r\nA\rB\n      Y=2\r", {"      X=1", "", "A", "B", "      Y=2"}},
      {"A\r\rB\r", {"A", "", "B"}},
      {"", {}},
  };
  for (const Row& r : rows) {
    CardReader reader;
    reader.openSourceText(r.text);
    std::vector<std::string> want;
    for (const std::string& c : r.cards) want.push_back(pad(c));
    EXPECT_EQ(readAll(reader), want) << r.text.substr(0, 40);
    EXPECT_EQ(reader.readCard(), ReadEnd::kEndOfSource);  // and again at every later read
    EXPECT_EQ(cardText(reader), pad(""));
  }
}

// A file is read through a 64 KiB buffer: a record end that straddles a
// refill, and a line of several megabytes, read as from memory.
TEST(CardReader, FileReadsAcrossBufferRefills) {
  std::string text(RecordFile::kBufferSize - 3, 'A');
  text += "\nX\r\n";  // the CR ends the first block, the LF begins the next
  text += std::string(1 << 20, 'M') + "\n      END";
  const std::string path = test::writeTempFile("refill.f", text);
  CardReader reader;
  ASSERT_TRUE(reader.openSource(path));
  const std::vector<std::string> want{std::string(132, 'A'), pad("X"), std::string(132, 'M'),
                                      pad("      END")};
  EXPECT_EQ(readAll(reader), want);
  reader.closeSource();
  EXPECT_FALSE(reader.openSource(path + ".missing"));
}

}  // namespace
}  // namespace ksfort
