// The program table, the relation store and the registration of closed
// units: entry numbering, definition markers, name order, callers' lists and
// the overflow stops.
#include "structure/program_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/analysis_driver.h"
#include "control/size_columns.h"
#include "control/workspace.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

struct Tables {
  explicit Tables(std::int64_t limit = 100, std::int64_t addresses = 100, std::int64_t pairs = 100)
      : programs(t.run->stop, limit, t.run->status.usage),
        relations(addresses, pairs, t.run->stop, t.run->status.usage) {}
  test::TestRun t;
  ProgramTable programs;
  RelationStore relations;
  std::string marker(int e) { return std::string(1, programs.at(e, ProgramChar::kDefinition)); }
  std::vector<std::string> order() {
    std::vector<std::string> v;
    for (int p = 1; p <= programs.count(); ++p) {
      const int e = programs.sortedEntry(p);
      v.push_back(std::string(trimmed(programs[e].name)) + "#" + std::to_string(e) + marker(e));
    }
    return v;
  }
};

TEST(ProgramTable, DefinitionsReferencesAndDuplicates) {
  Tables s;
  const int ref = s.programs.reference("SOLVE");  // called before it is read
  EXPECT_EQ(std::pair(ref, s.marker(ref)), std::pair(1, std::string("*")));
  EXPECT_EQ(s.programs.reference("SOLVE"), ref);  // a second reference: the same entry
  EXPECT_EQ(s.programs.define("SOLVE"), ref);     // the definition takes it over
  EXPECT_EQ(s.marker(ref), " ");
  EXPECT_EQ(s.programs.define("MAIN"), 2);
  const int dup = s.programs.define("SOLVE");  // a further definition
  EXPECT_EQ(std::pair(dup, s.marker(dup)), std::pair(3, std::string("+")));
  EXPECT_EQ(s.programs.define("SOLVE"), 4);
  EXPECT_EQ(s.programs.reference("SOLVE"), ref);  // a reference finds the first entry
  // Name order, entries of one name in order of creation; the owner is the entry itself.
  EXPECT_EQ(s.order(), (std::vector<std::string>{"MAIN#2 ", "SOLVE#1 ", "SOLVE#3+", "SOLVE#4+"}));
  EXPECT_EQ(s.programs.at(3, ProgramField::kOwner), 3);
  EXPECT_EQ(s.programs.at(3, ProgramField::kCallers), -1);
  EXPECT_EQ(s.t.run->status.usage[UsageSlot::kPrograms], 4);
  // Byte order: blank and digits before letters.
  s.programs.reference("A1");
  s.programs.reference("A");
  EXPECT_EQ(s.order()[0], "A#6*");
  EXPECT_EQ(s.order()[1], "A1#5*");
}

TEST(ProgramTable, FullTableStopsWithTheProgramTableMessage) {
  Tables s(2);
  s.programs.define("A");
  s.programs.reference("B");
  EXPECT_EQ(s.programs.reference("A"), 1);  // an existing name still succeeds
  EXPECT_EQ(test::stopCode([&] { s.programs.reference("C"); }), 200);
  const auto lines = s.t.lines();
  EXPECT_EQ(test::slice(lines, 0, 5),
            (test::Lines{"1", "", "", " ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)",
                         " MAXIMUM TABLE ENTRIES : MXPRO =        2"}));
}

TEST(RelationStore, ListsKeepTheirOrderAndTheLimitsStop) {
  Tables s(100, 2, 5);
  s.relations.append(10, 1, 100);
  s.relations.append(20, 2, 200);
  s.relations.append(11, 1, 101);  // index 2 already has pairs
  s.relations.append(21, 2, 201);
  std::vector<int> one, two;
  s.relations.forEach(1, [&](int a, int b) { one.insert(one.end(), {a, b}); });
  s.relations.forEach(2, [&](int a, int b) { two.insert(two.end(), {a, b}); });
  EXPECT_EQ(one, (std::vector<int>{10, 100, 11, 101}));
  EXPECT_EQ(two, (std::vector<int>{20, 200, 21, 201}));
  EXPECT_EQ(std::pair(s.t.run->status.usage[UsageSlot::kRelationAddresses],
                      s.t.run->status.usage[UsageSlot::kRelationPairs]),
            std::pair(2, 4));
  // An index two beyond the count, a third list, a sixth pair.
  EXPECT_EQ(test::stopCode([&] { s.relations.append(1, 4, 1); }), 200);
  EXPECT_NE(test::findLine(s.t.lines(), " RXA =        4"), -1);
  Tables a(100, 2, 5);
  a.relations.append(1, 1, 1);
  a.relations.append(1, 2, 1);
  EXPECT_EQ(test::stopCode([&] { a.relations.append(1, 3, 1); }), 200);
  EXPECT_NE(test::findLine(a.t.lines(), " ERROR AT TABRFX( RXAD TABLE OVER FLOW)"), -1);
  Tables b(100, 10, 2);
  b.relations.append(1, 1, 1);
  b.relations.append(1, 1, 2);
  EXPECT_EQ(test::stopCode([&] { b.relations.append(1, 1, 3); }), 200);
  EXPECT_NE(test::findLine(b.t.lines(), " MAXIMUM TABLE ENTRIES : MXRXBF =        2"), -1);
}

// The program structure after the analysis of a source in memory.
struct Analysed {
  explicit Analysed(const std::string& source) { a.analyse(source); }
  test::AnalysisRun a;
  test::TestRun& t = a.t;
  const ProgramStructure& s() { return t.run->structure; }
  int entry(const char* name) { return s().programs.find(name); }
  // Names of the call group of a unit.
  std::vector<std::string> group(int unit, ProgramField start, ProgramField count) {
    std::vector<std::string> v;
    const ProgramTable& p = s().programs;
    for (int i = 0; i < p.at(unit, count); ++i)
      v.push_back(std::string(
          trimmed(s().lists.calls[static_cast<std::size_t>(p.at(unit, start) - 1 + i)].name)));
    return v;
  }
};

TEST(UnitRegistration, UnitsEntriesArgumentsAndCallGroups) {
  Analysed a(
      "      SUBROUTINE SUB(X, N, *)\n"
      "      EXTERNAL P\n"
      "      DIMENSION X(N)\n"
      "      F(Y) = Y + 1\n"
      "      X(1) = F(2.0) + G(N)\n"
      "      CALL LIB(X)\n"
      "      CALL P(X)\n"
      "      ENTRY ALT(N)\n"
      "      CALL LIB(N)\n"
      "      END\n"
      "      PROGRAM MAIN\n"
      "      CALL SUB(A, 1, *9)\n"
      "      CALL ALT(2)\n"
      "    9 END\n");
  const ProgramTable& p = a.s().programs;
  const int sub = a.entry("SUB"), alt = a.entry("ALT"), lib = a.entry("LIB"), g = a.entry("G");
  const int main = a.entry("MAIN");
  ASSERT_GT(sub * alt * lib * g * main, 0);
  EXPECT_EQ(std::string(1, p.at(sub, ProgramChar::kKind)), "S");
  EXPECT_EQ(std::string(1, p.at(alt, ProgramChar::kEntryMark)), "E");
  EXPECT_EQ(p.at(alt, ProgramField::kOwner), sub);
  EXPECT_EQ(std::string(1, p.at(lib, ProgramChar::kDefinition)), "*");  // never defined
  EXPECT_EQ(std::string(1, p.at(sub, ProgramChar::kDefinition)), " ");
  EXPECT_EQ(p.at(sub, ProgramField::kStatements), 10);
  // Arguments: the alternate return is " *"; the array argument keeps its declarator.
  EXPECT_EQ(p.at(sub, ProgramField::kArgumentCount), 3);
  const ArgumentRecord& x =
      a.s().lists.arguments[static_cast<std::size_t>(p.at(sub, ProgramField::kArgumentsStart) - 1)];
  EXPECT_EQ(std::string(trimmed(x.name)), "X");
  EXPECT_EQ(std::string(a.s().lists.text.used().data() + x.textStart - 1,
                        static_cast<std::size_t>(x.textLength)),
            "(N)");
  EXPECT_EQ(
      std::string(trimmed(
          a.s()
              .lists
              .arguments[static_cast<std::size_t>(p.at(sub, ProgramField::kArgumentsStart) + 1)]
              .name)),
      " *");
  EXPECT_EQ(p.at(alt, ProgramField::kArgumentCount), 1);
  // One call record per called name, in three groups, each in name order.
  using F = ProgramField;
  EXPECT_EQ(a.group(sub, F::kStatementFunctionsStart, F::kStatementFunctionCount),
            (std::vector<std::string>{"F"}));
  EXPECT_EQ(a.group(sub, F::kDummyProceduresStart, F::kDummyProcedureCount),
            (std::vector<std::string>{}));  // P is EXTERNAL, not a dummy argument
  EXPECT_EQ(a.group(sub, F::kCallsStart, F::kCallCount),
            (std::vector<std::string>{"G", "LIB", "P"}));
  // The callers of LIB: SUB once (one record per name), MAIN's calls reach SUB and ALT.
  std::vector<int> callers;
  a.s().relations.forEach(p.at(lib, F::kCallers), [&](int unit, int) { callers.push_back(unit); });
  EXPECT_EQ(callers, (std::vector<int>{sub}));
  callers.clear();
  a.s().relations.forEach(p.at(alt, F::kCallers), [&](int unit, int) { callers.push_back(unit); });
  EXPECT_EQ(callers, (std::vector<int>{main}));
}

}  // namespace
}  // namespace ksfort
