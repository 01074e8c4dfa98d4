#include "input/getcrd.h"

#include <gtest/gtest.h>

#include <string>

#include "inc/run.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

std::string cardText(const Run& run) {
  return std::string(run.crd.card.data(), 132);
}

std::string pad(std::string s) {
  s.resize(132, ' ');
  return s;
}

// Reads every card of the source text; each entry is a whole 132-column card.
std::vector<std::string> readAll(Run& run, const std::string& text) {
  openSourceText(run, text);
  std::vector<std::string> cards;
  while (getcrd(run, run.crd.card, 0, 1) == 0) cards.push_back(cardText(run));
  return cards;
}

TEST(CardReader, TabInColumnsOneToSixMovesTextToColumnEight) {
  struct Row {
    std::string line, card;
  } rows[] = {
      {"\t1 X=1", "       1 X=1"}, {"10\tX=1", "10     X=1"},
      {"     \tX", "       X"},    {"      \tX", "      \tX"},  // column 7: left alone
      {"\t\tX", "       \tX"},                                  // only the first TAB is expanded
      {"123456\tX", "123456\tX"},
  };
  for (const Row& r : rows) {
    test::TestRun t;
    const auto cards = readAll(*t.run, r.line + "\n");
    ASSERT_EQ(cards.size(), 1u) << r.line;
    EXPECT_EQ(cards[0], pad(r.card)) << r.line;
  }
}

TEST(CardReader, ExpandedCardIsCutAtColumn132) {
  test::TestRun t;
  const auto cards = readAll(*t.run, "\t" + std::string(200, 'A') + "\n");
  EXPECT_EQ(cards[0], std::string(7, ' ') + std::string(125, 'A'));
}

TEST(CardReader, RecordsAreBlankPaddedAndCut) {
  test::TestRun t;
  std::string longLine(200, 'B');
  longLine[131] = 'Z';
  const auto cards = readAll(*t.run, "\n" + longLine + "\nC last");
  ASSERT_EQ(cards.size(), 3u);
  EXPECT_EQ(cards[0], std::string(132, ' '));
  EXPECT_EQ(cards[1], longLine.substr(0, 132));
  EXPECT_EQ(cards[2], pad("C last"));  // a last line without a newline is a card
}

TEST(CardReader, CrLfEndsARecordLikeLf) {
  test::TestRun t;
  const auto cards = readAll(*t.run, "      X=1\r\n\r\nA\rB\n      Y=2\r");
  ASSERT_EQ(cards.size(), 4u);
  EXPECT_EQ(cards[0], pad("      X=1"));
  EXPECT_EQ(cards[1], pad(""));
  EXPECT_EQ(cards[2], pad("A\rB"));  // a CR inside the record is an ordinary character
  EXPECT_EQ(cards[3], pad("      Y=2"));
}

TEST(CardReader, NulAndHighBytesAreOrdinaryCharacters) {
  test::TestRun t;
  const std::string line("  \0 \xff\x80X", 7);
  const auto cards = readAll(*t.run, line + "\n");
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0], pad(line));
}

TEST(CardReader, EndOfSourceIsMinusOneEveryTime) {
  test::TestRun t;
  openSourceText(*t.run, "X\n");
  EXPECT_EQ(getcrd(*t.run, t.run->crd.card, 0, 1), 0);
  EXPECT_EQ(getcrd(*t.run, t.run->crd.card, 0, 1), -1);
  EXPECT_EQ(cardText(*t.run), pad(""));
  EXPECT_EQ(getcrd(*t.run, t.run->crd.card, 0, 1), -1);
}

// Reading a file goes through a 64 KiB buffer: records and record ends that
// straddle a refill, and a line of several megabytes, read as from memory.
TEST(CardReader, FileReadsAcrossBufferRefills) {
  const std::size_t block = CardFile::kBufferSize;
  std::string text(block - 3, 'A');
  text += "\nX\r\n";  // the CR is the last byte of the first block, the LF the first of the next
  text += std::string(3 * 1024 * 1024, 'M') + "\n      END";
  const std::string path = test::writeTempFile("refill.f", text);
  test::TestRun t;
  ASSERT_TRUE(openSource(*t.run, path));
  std::vector<std::string> cards;
  while (getcrd(*t.run, t.run->crd.card, 0, 1) == 0) cards.push_back(cardText(*t.run));
  ASSERT_EQ(cards.size(), 4u);
  EXPECT_EQ(cards[0], std::string(132, 'A'));
  EXPECT_EQ(cards[1], pad("X"));
  EXPECT_EQ(cards[2], std::string(132, 'M'));
  EXPECT_EQ(cards[3], pad("      END"));
  closeSource(*t.run);
  EXPECT_FALSE(openSource(*t.run, path + ".missing"));
}

TEST(IncludePrimitives, IncludeUnitEndsWithMinusTwo) {
  const std::string path = test::writeTempFile("member.f", "\tA=1\n");
  test::TestRun t;
  ksfort::Run& run = *t.run;
  int rc = 7;
  PoName name;
  name.fill('x');
  poopen(run, rc, name);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(name, blankField<60>());
  pofind(run, rc, name, 11, path + "   ");  // trailing blanks of the name field are dropped
  ASSERT_EQ(rc, 0);
  EXPECT_EQ(getcrd(run, run.crd.card, 1, 11), 0);
  EXPECT_EQ(cardText(run), pad("       A=1"));
  EXPECT_EQ(getcrd(run, run.crd.card, 1, 11), -2);
  EXPECT_EQ(getcrd(run, run.crd.card, 1, 11), -2);
  poclos(run, rc, name, 11);
  EXPECT_EQ(rc, 0);
  poread(run, rc, name, 11, run.crd.card);
  EXPECT_EQ(rc, -1);  // closed unit
}

TEST(IncludePrimitives, OpenFailuresReturnNonZero) {
  const std::string path = test::writeTempFile("member2.f", "X\n");
  test::TestRun t;
  int rc = 0;
  PoName name;
  pofind(*t.run, rc, name, 11, path + ".none");
  EXPECT_NE(rc, 0);
  pofind(*t.run, rc, name, 1, path);  // unit 1 belongs to the source
  EXPECT_NE(rc, 0);
  pofind(*t.run, rc, name, 27, path);
  EXPECT_NE(rc, 0);
  poread(*t.run, rc, name, 5, t.run->crd.card);
  EXPECT_EQ(rc, -1);
}

}  // namespace
}  // namespace ksfort
