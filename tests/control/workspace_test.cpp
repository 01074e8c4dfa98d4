// Workspace sizing: the option-dependent reductions, the partition into
// slices, the memory lines and the allocation failures.
#include "control/workspace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "control/option_parser.h"
#include "control/size_columns.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

std::string i8(std::int64_t v) {
  return test::rjust(v, 8);
}
std::string intLine(const std::string& field) {
  return " INTEGER   MEMORY SIZE : " + field + " WORD REQUIRED.";
}
std::string charLine(const std::string& field) {
  return " CHARACTER MEMORY SIZE : " + field + " BYTE REQUIRED.";
}

// "NAME=value ..." of the size parameters that names ("NAME=..." words) lists.
std::string sizesOf(const SizeLimits& size, const std::string& names) {
  std::istringstream words(names);
  std::string out;
  for (std::string w; words >> w;) {
    w.erase(w.find('='));
    for (int i = 0; i < kSizeParamCount; ++i) {
      const auto p = static_cast<SizeParam>(i);
      if (kSizeParamNames[p] == w)
        out += (out.empty() ? "" : " ") + w + "=" + std::to_string(size[p]);
    }
  }
  return out;
}

TEST(Workspace, ReductionsFollowTheOptions) {
  const struct {
    const char *text, *sizes;
  } cases[] = {
      {"", "MXNSTB=1 MXLBDR=1 MXDXV=1 MXCDBF=1 MXPRM=1 MXRPRM=1 MXCOM1=300 MXCOM2=1 MXCOM3=1"},
      {"NEST", "MXNSTB=10000 MXLBDR=500 MXCDBF=10000"},
      {"STATEMENT", "MXCDBF=10000"},
      {"INDEX", "MXDXV=200000"},
      {"SIZE(S) INDEX", "MXDXV=10000"},
      {"SIZE(MXPRM=800)", "MXPRM=1"},
      {"COMMON(OFF)", "MXCOM1=1 MXCOM3=1"},
      {"COMMON(DETAIL)", "MXCOM2=4000 MXCOM3=20000"},
  };
  for (const auto& c : cases) {
    test::TestRun t;
    setSizeDefaults(t.run->status.limits);
    parseOptions(c.text, t.run->optionSettings(), t.listing);
    reduceSizes(t.run->status.limits, t.run->options);
    EXPECT_EQ(sizesOf(t.run->status.limits, c.sizes), c.sizes) << c.text;
  }
}

TEST(Workspace, MemoryLinesForOptionSets) {
  // Totals worked out by hand from the slice tables: the sum of the 38 integer
  // slices and of the 22 character slices for the sizes after the reductions.
  struct Case {
    std::vector<std::string> args;
    std::int64_t words, chars;
  };
  const Case cases[] = {
      {{}, 264431, 1602742},
      {{"-size(m)"}, 43231, 297042},
      {{"-size(s)", "-index"}, 47549, 583002},
      {{"-common(detail)", "-parameter"}, 324919, 1884161},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back(test::smallSource());
    const auto r = test::runKsfort(args);
    const auto lines = r.lines();
    const int at = test::findLine(lines, intLine(i8(c.words)));
    // One blank record and three empty records come first.
    EXPECT_EQ(test::slice(lines, at - 4, 6),
              (test::Lines{"", "", "", "", intLine(i8(c.words)), charLine(i8(c.chars))}))
        << args[0];
    EXPECT_EQ(r.status, 0);
  }
}

TEST(Workspace, HugeSizeIsComputedIn64Bits) {
  test::TestRun t;
  setSizeDefaults(t.run->status.limits);
  parseOptions("INDEX SIZE(MXDXV=2000000000)", t.run->optionSettings(), t.listing);
  reduceSizes(t.run->status.limits, t.run->options);
  const Workspace w = partitionWorkspace(t.run->status.limits);
  EXPECT_EQ(w.intWords, 4000264429LL);    // 264429 + 2 x 2000000000
  EXPECT_EQ(w.charBytes, 80001602702LL);  // 1602702 + 40 x 2000000000
}

TEST(Workspace, AllocationFailureMessages) {
  const std::string src = test::smallSource();
  const std::string intMsg =
      "\nError at dcall : Failed to allocate memory block for integer array.\n";
  const std::string charMsg =
      "\nError at dcall : Failed to allocate memory block for character array.\n";
  // No memory at all: the integer array fails first.
  auto r = test::runKsfort({src}, "", 0);
  EXPECT_EQ(r.status, 1);
  ASSERT_GE(r.out.size(), intMsg.size());
  EXPECT_EQ(r.out.substr(r.out.size() - intMsg.size()), intMsg);
  EXPECT_NE(r.out.find(charLine(i8(1602742)) + "\n" + intMsg), std::string::npos);
  // Room for the 264431 x 4 bytes of integers but not for the characters.
  r = test::runKsfort({src}, "", 264431 * 4);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(charLine(i8(1602742)) + "\n" + charMsg), std::string::npos);
  EXPECT_EQ(r.out.find(intMsg), std::string::npos);
  // Sizes beyond 8 digits fill the field with asterisks.
  r = test::runKsfort({"-index", "-size(mxdxv=2000000000)", src}, "", std::size_t{1} << 30);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(intLine("********") + "\n" + charLine("********") + "\n" + intMsg),
            std::string::npos);
}

}  // namespace
}  // namespace ksfort
