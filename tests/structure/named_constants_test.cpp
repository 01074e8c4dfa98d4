// The run-wide table of named constants: one entry per name and value text,
// its users, the units' lists and the overflow stops. Units are analysed one
// at a time from sources in memory and registered as at their close.
#include "structure/named_constants.h"

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

using test::rjust;

struct Units {
  explicit Units(SizeParam param = MXPRM, std::int32_t limit = 0)
      : a{[=](Run& r) {
          if (limit > 0) r.status.limits[param] = limit;
        }},
        t{a.t},
        run{a.run} {
    constants = ConstantTable(run.stop, run.status.limits, run.status.usage);
  }
  // Analyses a subroutine NAME with the statements body (no END, so its names
  // stay in the table), registers its constants and returns its entry.
  int unit(const std::string& name, const std::string& body) {
    a.analyse("      SUBROUTINE " + name + "\n" + body);
    const int self = run.structure.programs.find(name);
    registerConstants(constants, run.structure, run.nameTable, run.declarations, self,
                      run.status.usage);
    return self;
  }
  // "NAME=value text" of each entry in name order, then the users of entry e
  // or the constants of a unit.
  std::vector<std::string> order() const {
    std::vector<std::string> v;
    const char* text = run.structure.lists.text.used().data();
    for (int p = 1; p <= constants.count(); ++p) {
      const int e = constants.sortedEntry(p);
      v.push_back(std::string(trimmed(constants.name(e))) + "=" +
                  std::string(text + constants.at(e, ConstantInt::kTextStart) - 1,
                              static_cast<std::size_t>(constants.at(e, ConstantInt::kTextLength))));
    }
    return v;
  }
  std::vector<int> users(int e) const {
    std::vector<int> v;
    run.structure.relations.forEach(constants.at(e, ConstantInt::kUsers),
                                    [&](int unit, int second) {
                                      v.insert(v.end(), {unit, second});
                                    });
    return v;
  }
  std::vector<int> list(int unit) const {
    const ProgramTable& p = run.structure.programs;
    const auto first =
        constants.references.used().begin() + p.at(unit, ProgramField::kParametersStart) - 1;
    return {first, first + p.at(unit, ProgramField::kParameterCount)};
  }
  test::AnalysisRun a;
  test::TestRun& t;
  Run& run;
  ConstantTable constants;
};

TEST(NamedConstants, OneEntryPerNameAndValueTextWithItsUsers) {
  Units u;
  const int a = u.unit("A", "      PARAMETER (N = 10, M = 20)\n");
  const int b = u.unit("B", "      PARAMETER (N = 10)\n");
  const int c = u.unit("C", "      REAL N\n      PARAMETER (N = 20)\n");
  const int e = u.unit("E", "      X = 1\n");
  const int d = u.unit("D", "      PARAMETER (N = 5 + 5)\n");  // the same value, another text
  // Entries numbered as created (M first in A's name order), listed by name, then value text.
  EXPECT_EQ(u.order(), (std::vector<std::string>{"M=20", "N=10", "N=20", "N=5+5"}));
  EXPECT_EQ(u.users(2), (std::vector<int>{a, -1, b, -1}));
  EXPECT_EQ(std::vector({u.list(a), u.list(b), u.list(c), u.list(d), u.list(e)}),
            (std::vector<std::vector<int>>{{1, 2}, {2}, {3}, {4}, {}}));
  EXPECT_EQ(u.run.structure.programs.at(e, ProgramField::kParametersStart), 5);
  EXPECT_EQ(u.constants.at(4, ConstantInt::kValue), 10);
  EXPECT_EQ(test::text(u.constants[3].type), std::string("R\0\4", 3));
  EXPECT_EQ(std::pair(u.run.status.usage[UsageSlot::kParameters],
                      u.run.status.usage[UsageSlot::kParameterReferences]),
            std::pair(4, 5));
  // A unit registered twice is listed twice.
  registerConstants(u.constants, u.run.structure, u.run.nameTable, u.run.declarations, d,
                    u.run.status.usage);
  EXPECT_EQ(u.users(4), (std::vector<int>{d, -1, d, -1}));
}

TEST(NamedConstants, ValueTextsCompareBlankPadded) {
  Units u;
  auto enter = [&](std::string_view name, std::string_view value) {
    return u.constants.enter(u.run.structure, name, value, 0, {'I', 0, 4}, 1);
  };
  const int first = enter("N", "10 ");
  EXPECT_EQ(enter("N", "10"), first);  // one value; its text as first entered
  // A character below the blank sorts before the padding blank, in names too.
  enter("N", "10\t");
  enter("N", "1");
  enter("N\t", "1");
  EXPECT_EQ(u.order(), (std::vector<std::string>{"N\t=1", "N=1", "N=10\t", "N=10 "}));
}

TEST(NamedConstants, FullTablesStopWithTheirMessages) {
  const struct {
    SizeParam param;
    std::int32_t limit;
    const char* message;
    int entries;  // in the table after the stop, the MXPRM row's USED
  } rows[] = {
      // Two entries fill MXPRM; J of B is found, K is a third.
      {MXPRM, 2, "ERROR AT PRCPRM(PARAMETER NAME TABLE OVER FLOW)", 2},
      // "10" and "20" fill the buffer exactly; "3" does not fit.
      {MXCBF, 4, "ERROR AT PRCPRM(CHARACTER BUFFER OVER FLOW)", 2},
      // K is entered, its place in C's list is a third.
      {MXRPRM, 2, "ERROR AT PRCPRO(PARAMETER REFERENCE TABLE OVER FLOW)", 3},
  };
  for (const auto& row : rows) {
    Units u(row.param, row.limit);
    const std::string name(kSizeParamNames[row.param]);
    if (row.param != MXRPRM) {
      u.unit("A", "      PARAMETER (I = 10, J = 20)\n");
      u.unit("B", "      PARAMETER (J = 20)\n");
    }
    EXPECT_EQ(test::stopCode([&] { u.unit("C", "      PARAMETER (I = 10, J = 20, K = 3)\n"); }),
              200)
        << name;
    EXPECT_EQ(u.constants.count(), row.entries) << name;
    const test::Lines lines = u.t.lines();
    const int at = test::findLine(lines, std::string(" ") + row.message);
    ASSERT_GE(at, 3) << name;
    EXPECT_EQ(test::slice(lines, static_cast<std::size_t>(at - 3), 5),
              (test::Lines{"1", "", "", std::string(" ") + row.message,
                           " MAXIMUM TABLE ENTRIES : " + name + " = " + rjust(row.limit, 8)}));
    // The status page's memory size check shows the table's use.
    const int check = test::findLine(lines, " ** MEMORY SIZE CHECK **", at);
    const std::int32_t used = row.param == MXPRM ? row.entries : row.limit;
    EXPECT_NE(test::findLine(lines,
                             "       " + test::padded(name, 14) + rjust(row.limit, 10) + "  " +
                                 rjust(used, 10),
                             check),
              -1)
        << name;
  }
}

}  // namespace
}  // namespace ksfort
