#include <gtest/gtest.h>

#include <string>

#include "lex/classifier.h"
#include "lex/statement_class.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::cards;

test::Lines trace(const std::string& text, int debug) {
  test::TestRun tr;
  ClassifierSettings settings;
  settings.trace = debug == 2   ? TraceMode::kEveryStatement
                   : debug == 1 ? TraceMode::kUnclassified
                                : TraceMode::kOff;
  classifyStatement(text, tr.run->tokens, settings, tr.listing);
  return tr.lines();
}

// Blanks: 1 carriage control + n.
std::string pad(int n) {
  return std::string(static_cast<std::size_t>(n) + 1, ' ');
}

TEST(ClassifierTrace, OneStatementLayout) {
  const test::Lines want = {
      "",
      "",
      "",
      " STATEMENT",
      "   :GO TO 10",
      "      :NUMBER OF TOKENS IS     2",
      "      :STATEMENT CLASS",
      pad(10) + "   45:GO TO                          :",
      pad(15) + "SUB CLASS:    1",
      "      :TOKEN ANALYSIS PROCESS",
      pad(10) + "    1    1 1000    4" + "     GOTO",
      pad(10) + "    2    5 2000    2" + "     10",
  };
  EXPECT_EQ(trace(cards({"GO TO 10"}), 2), want);
}

TEST(ClassifierTrace, DebugOneTracesOnlyUnclassified) {
  EXPECT_TRUE(trace(cards({"CALL S"}), 1).empty());
  EXPECT_TRUE(trace(cards({"HELLO"}), 0).empty());
  const auto lines = trace(cards({"HELLO"}), 1);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[7], pad(10) + "   -5:UNCLASSIFIED STATEMENT(ERROR)  :");
  EXPECT_EQ(lines[9], pad(10) + "    1    1    8    5     HELLO");
  EXPECT_EQ(lines[10], " ERROR DETECTED AT THIS STATEMENT.");
}

TEST(ClassifierRobust, TextLongerThanTheTokenList) {
  std::string text;
  for (int k = 0; k < 12000; ++k) text += "A,";  // 24 000 characters, 24 000 tokens
  test::TestRun tr;
  const Classification r = classifyStatement(text, tr.run->tokens, {}, tr.listing);
  EXPECT_TRUE(r.error);
  EXPECT_LE(r.count, TokenList::kCapacity);
}

}  // namespace
}  // namespace ksfort
