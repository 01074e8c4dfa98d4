// Statement class names: keyword look-up and the names and codes of the
// option language.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "inc/stmxxx.h"
#include "lex/stmedt.h"
#include "lex/stmkey.h"

namespace ksfort {
namespace {

using S = STMXXX;

TEST(ClassNames, KeywordMatchTakesTheLongestKeyword) {
  const struct {
    const char* token;
    std::int32_t cls;
  } cases[] = {{"CHARACTERFUNCTIONF", S::kCharacterFunction},
               {"CHARACTERX", S::kCharacter},
               {"ENDDO10", S::kEndDo},
               {"ENDX", S::kEnd},
               {"ELSEWHEREX", S::kElsewhere},
               {"ELSEX", S::kElse},
               {"goto10", S::kGoTo}};
  for (const auto& c : cases) EXPECT_EQ(stmkey(c.token), c.cls) << c.token;
  for (const char* none : {"HELLO", "1X", "", "GO"}) EXPECT_EQ(stmkey(none), -1) << none;
}

// Whole names only, in either case; class code x 100 as a STATEMENT selection,
// or the short codes of the sub classes and the ERR/STMF/ASTM classes.
TEST(ClassNames, StatementSelection) {
  const struct {
    const char* word;
    std::int32_t selection;
  } cases[] = {{"GOTO", 4500}, {"SELECTCASE", 8100}, {"ERR", -500},  {"STMF", -100},
               {"ASTM", 0},    {"DO.4", 1804},       {"gt.2", 4502}, {"RD.4", 7104},
               {"WR.1", 8401}, {"ASSIGN", 100}};
  for (const auto& c : cases) EXPECT_EQ(statementSelection(c.word), c.selection) << c.word;
  for (const char* none : {"GO TO", "GOTOX", "GT.4", "WH.1", "DO.0", "", "DO.10"})
    EXPECT_FALSE(statementSelection(none).has_value()) << none;
}

}  // namespace
}  // namespace ksfort
