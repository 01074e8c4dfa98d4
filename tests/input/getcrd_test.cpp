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
  return test::padded(std::move(s), 132);
}

// Every card of the source, whole 132-column cards.
std::vector<std::string> readAll(Run& run) {
  std::vector<std::string> cards;
  while (getcrd(run, run.crd.card, 0, 1) == 0) cards.push_back(cardText(run));
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
      // A CR before the newline (or at the end) is part of the record end.
      {"      X=1\r\n\r\nA\rB\n      Y=2\r", {"      X=1", "", "A\rB", "      Y=2"}},
      {std::string("  \0 \xff\x80X\n", 8), {std::string("  \0 \xff\x80X", 7)}},
      {"", {}},
  };
  for (const Row& r : rows) {
    test::TestRun t;
    openSourceText(*t.run, r.text);
    std::vector<std::string> want;
    for (const std::string& c : r.cards) want.push_back(pad(c));
    EXPECT_EQ(readAll(*t.run), want) << r.text.substr(0, 40);
    EXPECT_EQ(getcrd(*t.run, t.run->crd.card, 0, 1), -1);  // and again at every later read
    EXPECT_EQ(cardText(*t.run), pad(""));
  }
}

// A file is read through a 64 KiB buffer: a record end that straddles a
// refill, and a line of several megabytes, read as from memory.
TEST(CardReader, FileReadsAcrossBufferRefills) {
  std::string text(CardFile::kBufferSize - 3, 'A');
  text += "\nX\r\n";  // the CR ends the first block, the LF begins the next
  text += std::string(3 << 20, 'M') + "\n      END";
  const std::string path = test::writeTempFile("refill.f", text);
  test::TestRun t;
  ASSERT_TRUE(openSource(*t.run, path));
  const std::vector<std::string> want{std::string(132, 'A'), pad("X"), std::string(132, 'M'),
                                      pad("      END")};
  EXPECT_EQ(readAll(*t.run), want);
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
  pofind(run, rc, name, 11, path + "   ");  // trailing blanks of the name are dropped
  ASSERT_EQ(rc, 0);
  EXPECT_EQ(getcrd(run, run.crd.card, 1, 11), 0);
  EXPECT_EQ(cardText(run), pad("       A=1"));
  EXPECT_EQ(getcrd(run, run.crd.card, 1, 11), -2);
  EXPECT_EQ(getcrd(run, run.crd.card, 1, 11), -2);
  poclos(run, rc, name, 11);
  poread(run, rc, name, 11, run.crd.card);
  EXPECT_EQ(rc, -1);  // closed unit

  pofind(run, rc, name, 12, path + ".none");
  EXPECT_EQ(rc, 1);
  for (int unit : {1, 10, 27}) {  // unit 1 is the source's; others do not exist
    pofind(run, rc, name, unit, path);
    EXPECT_EQ(rc, 1) << unit;
  }
}

}  // namespace
}  // namespace ksfort
