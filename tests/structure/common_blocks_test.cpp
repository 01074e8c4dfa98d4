// The common tables after the analysis of small units: block numbering,
// layouts shared character for character, usage records with their merged
// letters, the COMMON option's three settings and every overflow stop.
#include "structure/common_blocks.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "control/analysis_driver.h"
#include "control/size_columns.h"
#include "control/workspace.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using Strings = std::vector<std::string>;

// Units analysed one at a time in one run, each registered in the common
// tables at its close. A unit's source has no END, so its names are still in
// the name table when the analysis returns. A line starting with "&" is a
// continuation card.
struct CommonRun {
  explicit CommonRun(int option, const std::vector<std::pair<SizeParam, int>>& limits = {})
      : option{option}, a{[&](Run& r) {
          for (auto [p, v] : limits) r.status.limits[p] = v;
          r.options.common = option;
        }} {}

  int unit(const Strings& lines) {
    std::string text;
    for (const std::string& l : lines)
      text += (l[0] == '&' ? "     1" + l.substr(1) : "      " + l) + "\n";
    a.analyse(text);
    Run& run = *t.run;
    const int e = run.structure.programs.find(trimmed(run.statements.unit.name));
    return e;
  }
  const ProgramStructure& s() const { return t.run->structure; }
  int block(const std::string& name) const {
    for (int b = 1; b <= commons.blockCount(); ++b)
      if (trimmed(commonBlockName(commons, b)) == name) return b;
    return 0;
  }
  std::string unitName(int e) const { return std::string(trimmed(s().programs.name(e))); }
  // Per layout of a block: its text, then "/", then its users.
  Strings layouts(const std::string& name) const {
    Strings r;
    for (std::int32_t l : commons.block(block(name)).layouts) {
      const CommonLayout& layout = commons.layout(l);
      std::string v(s().lists.text.used().data() + layout.textStart - 1,
                    static_cast<std::size_t>(layout.textLength));
      v += " /";
      s().relations.forEach(layout.users, [&](int unit, int) { v += " " + unitName(unit); });
      r.push_back(v);
    }
    return r;
  }
  // Per variable of a block in name order: "NAME(merged)" and "UNIT(letters)" per record.
  Strings variables(const std::string& name) const {
    Strings r;
    for (std::int32_t v : commons.variablesInNameOrder(block(name))) {
      const CommonVariable& var = commons.variable(v);
      std::string line = std::string(trimmed(var.name)) + "(" + test::text(var.usage) + ")" + ":";
      commons.forEachUsage(v, [&](int unit, const UsageLetters& l) {
        line += " " + unitName(unit) + "(" + test::text(l) + ")";
      });
      r.push_back(line);
    }
    return r;
  }
  std::vector<int> references(int unit) const {
    const auto r = unitCommonBlocks(commons, s().programs, unit);
    return {r.begin(), r.end()};
  }
  std::int32_t used(UsageSlot slot) const { return t.run->status.usage[slot]; }

  int option;
  test::AnalysisRun a;
  test::TestRun& t = a.t;
  CommonTables& commons = t.run->commons;  // the driver registers every unit's blocks
};

TEST(CommonBlocks, LayoutsAreSharedCharacterForCharacterOfTheMemberText) {
  CommonRun c(kCommonBrief);
  c.unit({"COMMON /XY/ A, B(10)", "COMMON X, Y"});
  // Blanks are not part of the member text, and a block named twice in one
  // unit has one text: both share the first layout.
  c.unit({"SUBROUTINE TWO", "COMMON /X Y/A,B( 10 ) // X, Y"});
  c.unit({"SUBROUTINE THREE", "COMMON /XY/ A, B(20)"});
  const int four = c.unit({"SUBROUTINE FOUR", "COMMON /XY/ A", "COMMON /XY/ B(10) /B/ Z // X,Y"});
  // Members continued over cards: one text from the first member to the last.
  c.unit({"SUBROUTINE FIVE", "COMMON /XY/ A,", "&B(10)"});
  EXPECT_EQ(c.layouts("XY"), (Strings{"A,B(10) / MAIN TWO FOUR FIVE", "A,B(20) / THREE"}));
  EXPECT_EQ(c.layouts("BLANKNAM"), (Strings{"X,Y / MAIN TWO FOUR"}));
  // Numbers in order of creation (MAIN: BLANKNAM 1, XY 2; FOUR: B 3), references
  // in the order of the unit's names.
  EXPECT_EQ(c.references(four), (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(c.commons.blocksInNameOrder(), (std::vector<std::int32_t>{3, 1, 2}));
  EXPECT_EQ(commonBlockName(c.commons, 4), "");
  EXPECT_EQ(c.used(UsageSlot::kCommonLayouts), 4);
  EXPECT_EQ(c.used(UsageSlot::kRunCharacters), 7 + 3 + 7 + 1);
  EXPECT_EQ(c.used(UsageSlot::kCommonReferences), 2 + 2 + 1 + 3 + 1);
}

TEST(CommonBlocks, DetailRecordsUsagePerUnitAndMergesReadAndWriteToB) {
  CommonRun c(kCommonDetail);
  c.unit({"SUBROUTINE ONE", "COMMON /IO/ A, B, C, E", "INTEGER C(10)", "READ (5, *) A", "B = 1.0"});
  c.unit({"SUBROUTINE TWO", "COMMON /IO/ A, B, C, E", "WRITE (6, *) A, B", "CALL S(C)"});
  c.unit({"SUBROUTINE THREE", "COMMON /IO/ A, B, C, E", "READ (5, *) B, A", "WRITE (6, *) B",
          "X = A"});
  // E is declared but never used: no record. C is used in TWO only.
  EXPECT_EQ(c.variables("IO"), (Strings{"A( R  B): ONE(    I) TWO(    O) THREE( R  I)",
                                        "B(  S B): ONE(  S  ) TWO(    O) THREE(    B)",
                                        "C(   X ): TWO(   X )", "E(     ):"}));
  const CommonVariable& cvar = c.commons.variable(c.commons.variablesInNameOrder(1)[2]);
  EXPECT_EQ(test::text(cvar.type), std::string("I\0\4", 3) + "1");  // from the first unit
  EXPECT_EQ(c.used(UsageSlot::kCommonVariables), 4);
  EXPECT_EQ(c.used(UsageSlot::kCommonUsages), 7);
  EXPECT_EQ(c.layouts("IO"), (Strings{"A,B,C,E / ONE TWO THREE"}));
}

TEST(CommonBlocks, TheOptionDecidesWhatIsRecordedButBlocksAreAlwaysNumbered) {
  struct Row {
    int option;
    int layouts, variables, addresses;
  };
  for (const Row& row :
       {Row{kCommonOff, 0, 0, 0}, Row{kCommonBrief, 3, 0, 3}, Row{kCommonDetail, 3, 3, 3}}) {
    SCOPED_TRACE(row.option);
    CommonRun c(row.option);
    const int one = c.unit({"SUBROUTINE ONE", "COMMON /B/ X /A/ Y", "X = Y"});
    const int two = c.unit({"SUBROUTINE TWO", "COMMON /A/ Z"});
    // A comes first in ONE's name order and gets number 1.
    EXPECT_EQ(c.references(one), (std::vector<int>{1, 2}));
    EXPECT_EQ(c.references(two), (std::vector<int>{1}));
    EXPECT_EQ(c.s().programs.at(two, ProgramField::kCommonsStart), 3);
    EXPECT_EQ(trimmed(commonBlockName(c.commons, 2)), "B");
    EXPECT_EQ(c.commons.layoutCount(), row.layouts);
    EXPECT_EQ(c.commons.variableCount(), row.variables);
    EXPECT_EQ(c.s().relations.addressCount(), row.addresses);
    EXPECT_EQ(c.used(UsageSlot::kCommons), 2);
    EXPECT_EQ(c.used(UsageSlot::kCommonReferences), 3);
  }
}

TEST(CommonBlocks, EveryFullTableStopsWithItsMessageLimitAndStatusPage) {
  struct Row {
    SizeParam param;
    int limit;
    int option;
    std::vector<Strings> units;
    std::string message;
    int used;  // the row of the memory size check
  };
  const std::vector<Row> rows = {
      {MXCOM,
       1,
       kCommonOff,
       {{"COMMON /A/ X /B/ Y"}},
       "ERROR AT TABRFC(COMMON NAME TABLE OVER FLOW)",
       1},
      {MXCOM1,
       1,
       kCommonBrief,
       {{"SUBROUTINE ONE", "COMMON /A/ X"}, {"COMMON /A/ Y"}},
       "ERROR AT PRCCOM(COMMON TABLE COMCNT OVER FLOW)",
       1},
      // A block's first members go in all together or not at all.
      {MXCOM2,
       2,
       kCommonDetail,
       {{"COMMON /A/ X, Y, Z"}},
       "ERROR AT PRCCOM(VAIABLE NAME TABLE OVER FLOW)",
       0},
      // Later members one at a time, in name order: W fits, Z does not.
      {MXCOM2,
       3,
       kCommonDetail,
       {{"SUBROUTINE ONE", "COMMON /A/ X, Y"}, {"COMMON /A/ X, Z, W"}},
       "ERROR AT PRCCOM(VAIABLE NAME TABLE OVER FLOW)",
       3},
      {MXCBF,
       9,
       kCommonBrief,
       {{"SUBROUTINE ONE", "COMMON /A/ ALPHA"}, {"COMMON /A/ BETA,GAMMA"}},
       "ERROR AT PRCCOM(CHARACTER BUFFER OVER FLOW)",
       5},
      {MXCOM3,
       1,
       kCommonDetail,
       {{"COMMON /A/ X, Y", "X = Y"}},
       "ERROR AT TABRS( COMRTB TABLE OVER FLOW)",
       1},
      {MXRCOM,
       1,
       kCommonOff,
       {{"COMMON /A/ X /B/ Y"}},
       "ERROR AT PRCPRO(COMMON REFERENCE TABLE OVER FLOW)",
       1},
  };
  for (const Row& row : rows) {
    const std::string name(kSizeParamNames[row.param]);
    SCOPED_TRACE(name);
    CommonRun c(row.option, {{row.param, row.limit}});
    EXPECT_EQ(test::stopCode([&] {
                for (const Strings& u : row.units) c.unit(u);
              }),
              200);
    const test::Lines lines = c.t.lines();
    const int at = test::findLine(lines, " " + row.message);
    ASSERT_GE(at, 3);
    EXPECT_EQ(
        test::slice(lines, static_cast<std::size_t>(at - 3), 5),
        (test::Lines{"1", "", "", " " + row.message,
                     " MAXIMUM TABLE ENTRIES : " + name + " = " + test::rjust(row.limit, 8)}));
    const int check = test::findLine(lines, " ** MEMORY SIZE CHECK **", at);
    ASSERT_GT(check, at);
    EXPECT_NE(test::findLine(lines,
                             "       " + test::padded(name, 14) + test::rjust(row.limit, 10) +
                                 "  " + test::rjust(row.used, 10),
                             check),
              -1);
  }
}

}  // namespace
}  // namespace ksfort
