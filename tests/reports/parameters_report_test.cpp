// The parameters report over a constant table built through its API: name
// and variant numbering, wrapping of long value texts and many users.
// Expected records are worked out from the layout.
#include "reports/parameters_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::padded;
using test::rjust;

const std::string kRule = " " + std::string(132, '-');
const std::string kDots = " " + std::string(26, ' ') + [] {
  std::string s;
  for (int i = 0; i < 53; ++i) s += ". ";
  return s.substr(0, s.size() - 1);
}();

// One record; a number or variant 0 prints blanks.
std::string record(int number, const std::string& name, int variant, const std::string& piece,
                   const std::vector<std::string>& users) {
  std::string r = "      " + (number > 0 ? rjust(number, 5) + "." : std::string(6, ' ')) + " " +
                  padded(name, 8) + "  " + (variant > 0 ? rjust(variant, 3) : "   ") + ": " +
                  padded(piece, 30) + " : ";
  for (const std::string& u : users) r += padded(u, 8) + " ";
  return r.substr(0, r.find_last_not_of(' ') + 1);
}

struct Constants {
  Constants() {
    StopPath& stop = t.run->stop;
    TableUsage& usage = t.run->status.usage;
    s.programs = ProgramTable(stop, 100, usage);
    s.relations = RelationStore(100, 100, stop, usage);
    s.lists.text = LimitedTable<char>(stop, kLimit, 1000);
    SizeLimits limits;
    limits[MXPRM] = limits[MXRPRM] = limits[MXCBF] = 1000;
    c = ConstantTable(stop, limits, usage);
  }
  void enter(std::string_view name, std::string_view value, const std::vector<int>& units) {
    for (int u : units) c.enter(s, name, value, 0, {'I', 0, 4}, u);
  }
  // The records after the page opening.
  test::Lines print() {
    printParametersReport(t.run->frame, c, s, {'T', 'E', 'S', 'T', 'P', 'R', 'O', 'G', ' ', ' '});
    const test::Lines lines = t.lines();
    if (lines.empty()) return lines;
    EXPECT_EQ(lines.at(3), " " + std::string(kBanner) + " : " +
                               padded("PARAMETERS ( CONSTANT  NAMES )  OF  TESTPROG", 60) +
                               " : DATE 2026-12-06  PAGE  00001");
    return test::slice(lines, 5, lines.size());
  }
  const TableLimit kLimit{"ERROR AT TEST(TABLE OVER FLOW)", "MAXIMUM TABLE ENTRIES : MXTEST = "};
  test::TestRun t;
  ProgramStructure s;
  ConstantTable c;
};

TEST(ParametersReport, NamesVariantsAndUsers) {
  Constants k;
  EXPECT_EQ(k.print(), test::Lines{});  // an empty table prints nothing
  const int alpha = k.s.programs.define("ALPHA"), beta = k.s.programs.define("BETAUNITNAME");
  k.enter("N", "10", {alpha, beta});
  k.enter("ZETA", "'ABC'", {beta});
  k.enter("N", "20", {beta});
  k.enter("M", "20", {alpha});
  k.enter("N", "5+5", {alpha});
  k.enter("LONGNAME2", "2", {beta});  // told apart after the 8th character: variants
  k.enter("LONGNAME1", "1", {alpha});
  EXPECT_EQ(k.print(), (test::Lines{
                           kRule,
                           record(1, "LONGNAME", 1, "1", {"ALPHA"}),
                           kDots,
                           record(0, "", 2, "2", {"BETAUNIT"}),
                           kRule,
                           record(2, "M", 0, "20", {"ALPHA"}),
                           kRule,
                           record(3, "N", 1, "10", {"ALPHA", "BETAUNIT"}),
                           kDots,
                           record(0, "", 2, "20", {"BETAUNIT"}),
                           kDots,
                           record(0, "", 3, "5+5", {"ALPHA"}),
                           kRule,
                           record(4, "ZETA", 0, "'ABC'", {"BETAUNIT"}),
                           kRule,
                       }));
  EXPECT_EQ(k.t.run->frame.linesUsed(), 4 + 14);  // every record after the opening rule counts
}

TEST(ParametersReport, LongTextsAndManyUsersWrap) {
  Constants k;
  std::vector<int> units;
  std::vector<std::string> shown;
  for (int i = 11; i <= 20; ++i) {
    units.push_back(k.s.programs.define("UNIT" + std::to_string(i) + "XYZ"));
    shown.push_back("UNIT" + std::to_string(i) + "XY");
  }
  const std::string text31 = "'" + std::string(29, 'A') + "'";
  const std::string text61 = "'" + std::string(58, 'B') + "'C";
  k.enter("K", "1", units);
  k.enter("L", text31, {units[0]});
  k.enter("P", text61, {units[0], units[1]});
  EXPECT_EQ(k.print(), (test::Lines{
                           kRule,
                           record(1, "K", 0, "1", {shown.begin(), shown.begin() + 8}),
                           record(0, "", 0, "", {shown[8], shown[9]}),
                           kRule,
                           record(2, "L", 0, text31.substr(0, 30), {shown[0]}),
                           record(0, "", 0, "'", {}),
                           kRule,
                           record(3, "P", 0, text61.substr(0, 30), {shown[0], shown[1]}),
                           record(0, "", 0, text61.substr(30, 30), {}),
                           record(0, "", 0, "C", {}),
                           kRule,
                       }));
}

}  // namespace
}  // namespace ksfort
