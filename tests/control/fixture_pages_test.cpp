// Whole pages of a run compared with records worked out by hand from the
// layouts (fixture files): the execution parameters, the memory lines and the
// token trace.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

test::Lines fixture(const std::string& name) {
  std::ifstream f(std::string(KSFORT_SOURCE_DIR) + "/tests/fixtures/expected/" + name);
  std::stringstream s;
  s << f.rdbuf();
  test::Lines lines;
  for (std::string l : test::splitLines(s.str())) {
    l.erase(l.find_last_not_of(' ') + 1);
    lines.push_back(l);
  }
  return lines;
}

// Records of the run from the first one equal to `first` on, as many as the
// fixture holds, trailing blanks dropped.
test::Lines segment(const test::CommandResult& r, const std::string& first, std::size_t count) {
  test::Lines lines;
  for (std::string l : r.lines()) {
    l.erase(l.find_last_not_of(' ') + 1);
    lines.push_back(l);
  }
  const int at = test::findLine(lines, first);
  return at < 0 ? test::Lines{} : test::slice(lines, static_cast<std::size_t>(at), count);
}

TEST(FixturePages, ExecutionParametersAndMemoryLinesWithoutOptions) {
  const auto r = test::runKsfort({test::smallSource()});
  const test::Lines page = fixture("execution_parameters.txt");
  ASSERT_EQ(page.size(), 25u);
  // The page opens with the record holding the control blank alone.
  EXPECT_EQ(segment(r, "   EXECUTION  PARAMETERS", page.size() - 4), test::slice(page, 4, 21));
  const test::Lines memory = fixture("memory_lines.txt");
  EXPECT_EQ(segment(r, memory[4], 2), test::slice(memory, 4, 2));
}

TEST(FixturePages, MemoryLinesOfTheMiddleColumn) {
  const test::Lines memory = fixture("memory_lines_size_m.txt");
  const auto r = test::runKsfort({"-size(m)", test::smallSource()});
  EXPECT_EQ(segment(r, memory[4], 2), test::slice(memory, 4, 2));
}

TEST(FixturePages, TokenTraceOfOneAssignment) {
  const test::Lines trace = fixture("token_trace.txt");
  const auto r =
      test::runKsfort({"-debug(token)", test::sourceFile("trace.f", "      X = A(1) + 2\n")});
  EXPECT_EQ(segment(r, " STATEMENT", trace.size() - 3), test::slice(trace, 3, trace.size() - 3));
}

}  // namespace
}  // namespace ksfort
