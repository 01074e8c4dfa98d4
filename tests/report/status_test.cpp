// The run-status page and the memory size check.
#include "report/status.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "main/sizes.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::padded;
// An 80-column card whose last column is marked, so its full width shows.
std::string card(const std::string& text) {
  return padded(text, 79) + "|";
}

// Lines of the status page after the page header (5 records).
std::vector<std::string> statusBody(test::TestRun& t) {
  status(*t.run);
  const auto lines = t.lines();
  return {lines.begin() + 5, lines.end()};
}

TEST(Status, ProgramLineShowsTheKindText) {
  struct Case {
    char kind;
    std::string text;
  };
  const Case cases[] = {{'S', "(SUBROUTINE)"}, {'F', "(FUNCTION)"}, {'B', "(BLOCK DATA)"},
                        {'P', "(MAIN)"},       {' ', "(MAIN)"},     {'x', "(MAIN)"}};
  for (const Case& c : cases) {
    test::TestRun t;
    setField(t.run->statc.unitName, "SUB1");
    t.run->statc.kind = c.kind;
    status(*t.run);
    const auto lines = t.lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "1");  // a page of its own, titled, without heading lines
    EXPECT_EQ(lines[3].substr(42, 17), " ANALYZED  STATUS");
    EXPECT_EQ(t.run->page.HDMODE, 0);
    EXPECT_EQ(lines[5], "0** PROGRAM NAME : " + padded("SUB1", 32) + padded(c.text, 20) + " **");
  }
}

TEST(Status, StatementCardsAndTotal) {
  struct Case {
    int cards;
    std::vector<std::string> expected;  // records from the ISN line to the total
  };
  const std::string c1 = card("      CALL SUB(A,");
  const std::string c2 = card("     1         B,");
  const std::string c3 = card("     2         C)");
  const std::string isn = "  ISN : " + test::rjust(17, 6);
  const std::string total = "  TOTAL NUMBER OF CARDS READ : " + test::rjust(1234, 7);
  const Case cases[] = {
      {3,
       {isn + "   " + c1, " " + std::string(13, ' ') + c2, " " + std::string(13, ' ') + c3, total}},
      {1, {isn + "   " + c1, total}},
      {0, {isn, total}},
      {-3, {isn, total}},
  };
  for (const Case& c : cases) {
    test::TestRun t;
    setField(t.run->statc.cards[0], c1);
    setField(t.run->statc.cards[1], c2);
    setField(t.run->statc.cards[2], c3);
    t.run->stati.isn = 17;
    t.run->stati.cards = c.cards;
    t.run->stati.cardTotal = 1234;
    std::vector<std::string> want = c.expected;
    want.insert(want.end(), {"", ""});  // two empty records, then the memory size check
    EXPECT_EQ(test::slice(statusBody(t), 1, want.size()), want) << c.cards;
  }
}

TEST(Status, CardCountBeyondTheStoreIsBounded) {
  test::TestRun t;
  t.run->stati.cards = 1 << 30;
  const auto body = statusBody(t);
  EXPECT_LT(body.size(), 300u);
}

TEST(Prtsiz, RowsInFixedOrderWithTheirUsage) {
  struct Row {
    const char* name;
    std::int64_t maximum, used;
  };
  for (int nest : {0, 1}) {
    test::TestRun t;
    ksfort::Run& run = *t.run;
    setSizeDefaults(run.size);
    run.opt.OPTNES = nest;
    for (int s = 12; s <= 42; ++s) run.use[s] = 1000 + s;
    run.use[1] = 5000;   // above its run maximum 1012: raises it
    run.use[2] = 7;      // below 1013: leaves it
    run.use[7] = 7777;   // nest counter: raises slot 18
    run.use[10] = 9999;  // label counter: raises slot 21
    run.use[27] = 3027;  // the larger of 27 and 28
    const std::int64_t cdbf = nest ? 7777 : 1023;
    const Row rows[] = {{"MXCBUF", 20000, 5000}, {"MXSQBF", 2000, 1013}, {"MXVNAM", 2000, 1014},
                        {"MXVCNT", 2000, 1015},  {"MXPCNT", 1000, 1016}, {"MXXCNT", 1000, 1017},
                        {"MXCBF", 80000, 1024},  {"MXRXAD", 2000, 1025}, {"MXRXBF", 20000, 1026},
                        {"MXMBDR", 10000, 3027}, {"MXLBDR", 500, 9999},  {"MXPRO", 2000, 1029},
                        {"MXARG", 20000, 1030},  {"MXSFX", 10000, 1031}, {"MXRCOM", 6000, 1032},
                        {"MXRPRM", 2000, 1033},  {"MXRENT", 500, 1034},  {"MXRINC", 5000, 1035},
                        {"MXCOM", 200, 1036},    {"MXCOM1", 300, 1037},  {"MXCOM2", 4000, 1038},
                        {"MXCOM3", 20000, 1039}, {"MXPRM", 500, 1040},   {"MXINC", 500, 1041},
                        {"MXCDBF", 10000, cdbf}, {"MXDXV", 200000, 1042}};
    std::vector<std::string> expected = {
        "", " ** MEMORY SIZE CHECK **",
        " " + std::string(" SIZE PARAMETER     ") + "   MAXIMUM" + "  " + "      USED"};
    for (const Row& r : rows) {
      expected.push_back(" " + std::string(6, ' ') + padded(r.name, 14) +
                         test::rjust(r.maximum, 10) + "  " + test::rjust(r.used, 10));
    }
    prtsiz(run);
    EXPECT_EQ(t.lines(), expected) << "NEST " << nest;
    EXPECT_EQ(run.use[12], 5000);
    EXPECT_EQ(run.use[13], 1013);
    EXPECT_EQ(run.use[18], 7777);
  }
}

TEST(Prtsiz, LargerOfSlots27And28AndOf21And22) {
  test::TestRun t;
  t.run->use[28] = 55;
  t.run->use[27] = 44;
  t.run->use[22] = 66;
  t.run->use[11] = 77;  // raises slot 22 to 77
  prtsiz(*t.run);
  const auto lines = t.lines();
  ASSERT_EQ(lines.size(), 29u);
  // USED stands in columns 34-43 of rows 10 (MXMBDR) and 11 (MXLBDR).
  EXPECT_EQ(lines[3 + 9].substr(33), test::rjust(55, 10));
  EXPECT_EQ(lines[3 + 10].substr(33), test::rjust(77, 10));
}

}  // namespace
}  // namespace ksfort
