// Program structures that stress the run-wide tables and the reports: calls
// to itself, mutual recursion, long chains, many units, a routine called from
// many places, duplicate names and ENTRY names equal to unit names. Each run
// ends normally with every report on.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

std::string unit(const std::string& head, const std::string& body) {
  return "      " + head + "\n" + body + "      END\n";
}
std::string call(const std::string& name) {
  return "      CALL " + name + "\n";
}

test::CommandResult runAll(const std::string& name, const std::string& source) {
  return test::runKsfort({"-tree", "-program", "-library", "-statement(call)",
                          "-size(mxpro=20000,mxsfx=20000,mxrxad=20000,mxrxbf=20000)",
                          test::sourceFile(name, source)});
}

TEST(StructureInputs, RecursionChainsAndDuplicatesEndNormally) {
  std::string chain;
  for (int i = 0; i < 20; ++i)
    chain += unit("SUBROUTINE C" + std::to_string(i), call("C" + std::to_string(i + 1)));
  const struct {
    const char* name;
    std::string source;
  } rows[] = {
      {"self.f", unit("SUBROUTINE S", call("S"))},
      {"mutual.f", unit("SUBROUTINE A", call("B")) + unit("SUBROUTINE B", call("A"))},
      {"chain.f", unit("PROGRAM P", call("C0")) + chain},
      {"dup.f", unit("SUBROUTINE D", call("X")) + unit("SUBROUTINE D", call("Y"))},
      {"entry.f",
       unit("SUBROUTINE E", "      ENTRY E\n      ENTRY F\n") + unit("SUBROUTINE F", call("E"))},
  };
  for (const auto& row : rows) {
    const auto r = runAll(row.name, row.source);
    EXPECT_EQ(r.status, 0) << row.name << "\n" << r.err;
    EXPECT_EQ(r.err, "") << row.name;
  }
}

TEST(StructureInputs, ManyUnitsAndARoutineCalledFromManyPlaces) {
  std::string many;
  for (int i = 0; i < 5000; ++i)
    many += unit("SUBROUTINE U" + std::to_string(i),
                 call("SHARED") + call("U" + std::to_string(i / 2)));
  const auto r = runAll("many.f", many);
  EXPECT_EQ(r.status, 0) << r.err;
  // SHARED is never defined: a library routine with 5000 callers, 8 a record.
  EXPECT_NE(r.out.find("SHARED  (SUBROUTINE)  :  U0"), std::string::npos);
}

}  // namespace
}  // namespace ksfort
