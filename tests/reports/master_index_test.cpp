// The master index: runs of one name with a slot per unit, five to a line,
// the 32-character runs of names that print alike, the LOWER/UPPER limits,
// the banner on an odd page, and the overflow stop.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::rtrim;

std::string units(int n, const std::string& body) {
  std::string s;
  for (int i = 1; i <= n; ++i)
    s += "      SUBROUTINE S" + std::to_string(i) + "\n" + body + "      END\n";
  return s;
}

// The list lines of the index: the records after the second heading line of
// the list pages, up to the next page.
test::Lines listLines(const test::CommandResult& r) {
  const test::Lines lines = r.lines();
  const std::string heading = std::string(36, ' ') + "I(READ) ,  O(WRITE) , B(READ/WRITE)";
  const int at = test::findLine(lines, heading);
  test::Lines list;
  if (at < 0) return list;
  for (std::size_t i = static_cast<std::size_t>(at) + 2; i < lines.size(); ++i) {
    if (lines[i] == "\f") break;
    list.push_back(lines[i]);
  }
  return list;
}

// A slot: program name (8), "(" class kind L ":" D R S X IO ")", two blanks.
std::string slot(const std::string& program, const std::string& code) {
  return test::padded(program, 8) + "(" + code + ")  ";
}
std::string first(int number, const std::string& name) {
  return "      " + test::rjust(number, 6) + ". " + test::padded(name, 8) + " : ";
}
std::string later() {
  return std::string(22, ' ') + " : ";
}

TEST(MasterIndex, RunsOfFiveSlotsAndNamesThatPrintAlike) {
  // X is read in six units; LONGNAME1 and LONGNAME2 print as LONGNAME.
  const std::string source =
      units(6, "      Y = X\n") +
      "      PROGRAM P\n      LONGNAME1 = 1\n      LONGNAME2 = 2\n      END\n";
  const auto r = test::runKsfort({"-index", "-tree(off)", test::sourceFile("index.f", source)});
  EXPECT_EQ(r.status, 0);
  test::Lines want = {
      rtrim(first(1, "LONGNAME") + slot("P", "V  :  S  ")),
      rtrim(first(2, "LONGNAME") + slot("P", "V  :  S  ")),
      rtrim(first(3, "P") + slot("P", "P  :     ")),
  };
  for (int i = 1; i <= 6; ++i) {
    const std::string s = "S" + std::to_string(i);
    want.push_back(rtrim(first(3 + i, s) + slot(s, "PS :     ")));
  }
  std::string line1 = first(10, "X"), line2 = later();
  for (int i = 1; i <= 6; ++i)
    (i <= 5 ? line1 : line2) += slot("S" + std::to_string(i), "V  : R   ");
  want.push_back(rtrim(line1));
  want.push_back(rtrim(line2));
  std::string y = first(11, "Y");
  for (int i = 1; i <= 5; ++i) y += slot("S" + std::to_string(i), "V  :  S  ");
  want.push_back(rtrim(y));
  want.push_back(rtrim(later() + slot("S6", "V  :  S  ")));
  EXPECT_EQ(listLines(r), want);
}

TEST(MasterIndex, SlotsOfANameFollowProgramNamesNotTheOrderOfTheUnits) {
  // ZED, ALPHA and MID, in that order in the source, each read X and set Y.
  std::string source;
  for (const char* unit : {"ZED", "ALPHA", "MID"})
    source += std::string("      SUBROUTINE ") + unit + "\n      Y = X\n      END\n";
  const auto r = test::runKsfort({"-index", "-tree(off)", test::sourceFile("order.f", source)});
  EXPECT_EQ(r.status, 0);
  std::string x = first(3, "X"), y = first(4, "Y");
  for (const char* unit : {"ALPHA", "MID", "ZED"}) {
    x += slot(unit, "V  : R   ");
    y += slot(unit, "V  :  S  ");
  }
  EXPECT_EQ(listLines(r),
            (test::Lines{rtrim(first(1, "ALPHA") + slot("ALPHA", "PS :     ")),
                         rtrim(first(2, "MID") + slot("MID", "PS :     ")), rtrim(x), rtrim(y),
                         rtrim(first(5, "ZED") + slot("ZED", "PS :     "))}));
}

TEST(MasterIndex, LimitsLeaveNamesOutAndOffPrintsNothing) {
  const std::string source = units(1, "      A = B + C + D\n");
  const auto r = test::runKsfort({"-index(lower=B,upper=C)", test::sourceFile("lim.f", source)});
  const test::Lines list = listLines(r);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].substr(0, 24), first(1, "B").substr(0, 24));
  EXPECT_EQ(list[1].substr(0, 24), first(2, "C").substr(0, 24));
  const auto off = test::runKsfort({test::sourceFile("lim.f", source)});
  EXPECT_EQ(off.out.find("MASTER  INDEX  OF"), std::string::npos);
}

TEST(MasterIndex, BannerFallsOnAnOddPage) {
  for (const char* tree : {"-tree(off)", "-tree(on)"}) {
    const auto r =
        test::runKsfort({"-index", tree, test::sourceFile("odd.f", units(1, "      A = 1\n"))});
    const test::Lines lines = r.lines();
    // The banner page is the page before the legend page.
    const int legend = test::findLine(lines, std::string(11, ' ') + " FOR  MASTER  INDEX  LIST");
    ASSERT_GT(legend, 0) << tree;
    int header = -1;
    for (int i = legend; i >= 0 && header < 0; --i)
      if (lines[static_cast<std::size_t>(i)].find("MASTER  INDEX  OF") != std::string::npos)
        header = i;
    int banner = -1;
    for (int i = header - 1; i >= 0 && banner < 0; --i)
      if (lines[static_cast<std::size_t>(i)].find(" STATIC  ANALYSIS  OF  PROGRAM") !=
          std::string::npos)
        banner = i;
    ASSERT_GT(banner, 0) << tree;
    const int page = std::stoi(lines[static_cast<std::size_t>(banner)].substr(128));
    EXPECT_EQ(page % 2, 1) << tree;
  }
}

TEST(MasterIndex, FullIndexStopsWithCode200) {
  const auto r = test::runKsfort(
      {"-index", "-size(mxdxv=3)", test::sourceFile("full.f", units(1, "      A = B + C\n"))});
  EXPECT_EQ(r.status, 3);
  const test::Lines lines = r.lines();
  const int at = test::findLine(lines, " ERROR AT PRCINX(VAIABLE NAME TABLE OVER FLOW)");
  ASSERT_GE(at, 3);
  EXPECT_EQ(lines[static_cast<std::size_t>(at + 1)], " MAXIMUM TABLE ENTRIES : MXDXV =        3");
}

}  // namespace
}  // namespace ksfort
