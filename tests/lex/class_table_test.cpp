// Statement class names and sub-class codes as the STATEMENT option takes them.
#include "lex/class_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace ksfort {
namespace {

// Whole names only, in either case; class code x 100 as a STATEMENT selection,
// or the short codes of the sub classes and the ERR/STMF/ASTM classes.
TEST(ClassTable, StatementSelection) {
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
