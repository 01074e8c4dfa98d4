// Workspace sizing: the option-dependent reductions, the partition into
// slices, the memory lines and the allocation failures.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "inc/run.h"
#include "main/options.h"
#include "main/sizes.h"
#include "main/workspace.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

// Size parameters after the reductions, as a case states them.
struct P {
  std::int64_t cbuf, sqbf, vnam, vcnt, pcnt, xcnt, cbf, cdbf, nstb, rxad, rxbf, mbdr, lbdr, pro,
      arg, sfx, rcom, rprm, rent, rinc, com, com1, com2, com3, prm, inc, dxv;
};

// The integer slices 1-38 in array order, each length as the slice table
// gives it (multipliers are the enumeration counts).
std::int64_t words(const P& p) {
  return p.sqbf + p.vnam + 2 * p.vnam + 10 * p.vcnt + 3 * p.pcnt + 2 * p.xcnt  // 1-6
         + 11 * p.nstb + p.nstb + 3 * p.nstb + p.lbdr + p.lbdr                 // 7-11
         + 2 * p.rxad + 2 * p.rxbf + p.mbdr + p.mbdr                           // 12-15
         + 23 * p.pro + p.pro + p.pro + p.arg + 2 * p.arg + 3 * p.sfx + p.sfx  // 16-22
         + p.rcom + p.rprm + p.rent + p.rinc + 4 * p.com + p.com               // 23-28
         + 3 * p.com1 + 3 * p.com2 + p.com2 + 2 * p.com3                       // 29-32
         + 4 * p.prm + p.prm + 7 * p.inc + p.inc + p.dxv + p.dxv;              // 33-38
}

// The character slices 1-22 in array order; slice 22 is 3 x (MXCLSN + 1).
std::int64_t chars(const P& p) {
  return p.cbuf + p.cbf + 19 * p.vnam + 6 * p.pro + 9 * p.arg + 5 * p.sfx          // 1-6
         + 9 * p.com2 + 5 * p.com3 + 3 * p.prm + 8 * p.dxv                         // 7-10
         + 32 * (p.vnam + p.pro + p.arg + p.sfx + p.com + p.com2 + p.prm + p.dxv)  // 11-18
         + 132 * p.cdbf + 5 * p.nstb + 256 * p.inc + 3 * (27 + 1);                 // 19-22
}

// Default options: COMMON brief, PARAMETER, INDEX, NEST and STATEMENT off
// shrink MXNSTB, MXLBDR, MXDXV, MXCDBF, MXPRM, MXRPRM, MXCOM2, MXCOM3 to 1.
constexpr P kDefaults{20000, 2000,  2000,  2000, 1000, 1000,  80000, 1,    1,
                      2000,  20000, 10000, 1,    2000, 20000, 10000, 6000, 1,
                      500,   5000,  200,   300,  1,    1,     1,     500,  1};
// SIZE(S), INDEX on, the same reductions otherwise.
constexpr P kSmallIndex{5000, 1000, 1000, 500, 100, 50,  10000, 1,   1, 250, 500, 500, 1,    250,
                        1500, 500,  1000, 1,   20,  500, 50,    100, 1, 1,   1,   100, 10000};

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
std::string sizesOf(const SIZE& size, const std::string& names) {
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
    setSizeDefaults(t.run->size);
    parseOptions(*t.run, c.text);
    reduceSizes(*t.run);
    EXPECT_EQ(sizesOf(t.run->size, c.sizes), c.sizes) << c.text;
  }
}

TEST(Workspace, MemoryLinesForOptionSets) {
  struct Case {
    std::vector<std::string> args;
    P p;
    std::int64_t words, chars;  // totals worked out by hand
  };
  // The defaults with the changes an option makes.
  auto with = [](void (*change)(P&)) {
    P p = kDefaults;
    change(p);
    return p;
  };
  const P detail = with([](P& p) { p.com2 = 4000, p.com3 = 20000, p.prm = 500, p.rprm = 2000; });
  const Case cases[] = {
      {{}, kDefaults, 264431, 1602742},
      {{"-size(s)", "-index"}, kSmallIndex, 47549, 583002},
      {{"-common(detail)", "-parameter"}, detail, 324919, 1884161},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(words(c.p), c.words);
    ASSERT_EQ(chars(c.p), c.chars);
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
  setSizeDefaults(t.run->size);
  parseOptions(*t.run, "INDEX SIZE(MXDXV=2000000000)");
  reduceSizes(*t.run);
  P p = kDefaults;
  p.dxv = 2000000000;
  const Workspace w = partition(t.run->size);
  EXPECT_EQ(w.intWords, words(p));
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
  EXPECT_EQ(r.status, kExitNotFound);
  ASSERT_GE(r.out.size(), intMsg.size());
  EXPECT_EQ(r.out.substr(r.out.size() - intMsg.size()), intMsg);
  EXPECT_NE(r.out.find(charLine(i8(1602742)) + "\n" + intMsg), std::string::npos);
  // Room for the 264431 x 4 bytes of integers but not for the characters.
  r = test::runKsfort({src}, "", 264431 * 4);
  EXPECT_EQ(r.status, kExitNotFound);
  EXPECT_NE(r.out.find(charLine(i8(1602742)) + "\n" + charMsg), std::string::npos);
  EXPECT_EQ(r.out.find(intMsg), std::string::npos);
  // Sizes beyond 8 digits fill the field with asterisks.
  r = test::runKsfort({"-index", "-size(mxdxv=2000000000)", src}, "", std::size_t{1} << 30);
  EXPECT_EQ(r.status, kExitNotFound);
  EXPECT_NE(r.out.find(intLine("********") + "\n" + charLine("********") + "\n" + intMsg),
            std::string::npos);
}

}  // namespace
}  // namespace ksfort
