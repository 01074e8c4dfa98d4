// The run-status page and the memory size check; the table-overflow stop
// that prints them, and how a stop reaches the user through the process entry.
#include "listing/run_status_page.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "control/process_entry.h"
#include "control/size_columns.h"
#include "host/fixed_text.h"
#include "listing/bounded_table.h"
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
  printRunStatus(t.run->frame, t.run->status);
  const auto lines = t.lines();
  return {lines.begin() + 5, lines.end()};
}

TEST(RunStatusPage, ProgramLineShowsTheKindText) {
  for (auto [kind, text] : {std::pair{'S', "(SUBROUTINE)"},
                            {'F', "(FUNCTION)"},
                            {'B', "(BLOCK DATA)"},
                            {'P', "(MAIN)"},
                            {'x', "(MAIN)"}}) {
    test::TestRun t;
    setField(t.run->status.statement.unitName, "SUB1");
    t.run->status.statement.unitKind = kind;
    printRunStatus(t.run->frame, t.run->status);
    const auto lines = t.lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "1");  // a page of its own, titled, without heading lines
    EXPECT_EQ(lines[3].substr(42, 17), " ANALYZED  STATUS");
    EXPECT_EQ(lines[5], "0** PROGRAM NAME : " + padded("SUB1", 32) + padded(text, 20) + " **");
  }
}

TEST(RunStatusPage, StatementCardsAndTotal) {
  const std::string c1 = card("      CALL SUB(A,");
  const std::string c2 = card("     1         B,");
  const std::string c3 = card("     2         C)");
  const std::string isn = "  ISN : " + test::rjust(17, 6);
  const std::string total = "  TOTAL NUMBER OF CARDS READ : " + test::rjust(1234, 7);
  struct Case {
    int cards;
    test::Lines expected;  // records from the ISN line to the memory size check
  } const cases[] = {
      {3, {isn + "   " + c1, std::string(14, ' ') + c2, std::string(14, ' ') + c3, total, "", ""}},
      {-3, {isn, total, "", ""}},
  };
  for (const Case& c : cases) {
    test::TestRun t;
    StatementStatus& s = t.run->status.statement;
    // The page shows the first 80 of the 132 columns.
    std::array<std::array<char, StatementStatus::kCardImageWidth>, 3> images{};
    setField(images[0], c1 + std::string(80 - c1.size(), ' ') + "NOT SHOWN");
    setField(images[1], c2);
    setField(images[2], c3);
    s.cards = images;
    s.isn = 17;
    s.cardCount = c.cards;
    s.cardTotal = 1234;
    EXPECT_EQ(test::slice(statusBody(t), 1, c.expected.size()), c.expected) << c.cards;
  }
  test::TestRun t;  // a card count beyond the store prints only the stored cards
  t.run->status.statement.cardCount = 1 << 30;
  EXPECT_LT(statusBody(t).size(), 300u);
}

TEST(MemorySizeCheck, RowsInFixedOrderWithTheirUsage) {
  test::TestRun t;
  RunStatus& run = t.run->status;
  setSizeDefaults(run.limits);
  run.nestStorage = true;
  // Usage counters by their slot numbers 1-42.
  auto slot = [&](int n) -> std::int32_t& {
    return run.usage.slots[static_cast<std::size_t>(n - 1)];
  };
  for (int s = 12; s <= 42; ++s) slot(s) = 1000 + s;
  slot(1) = 5000;   // above its run maximum 1012: raises it
  slot(2) = 7;      // below 1013: leaves it
  slot(7) = 7777;   // nest counter: raises slot 18, shown for MXCDBF with NEST on
  slot(10) = 9999;  // label counter: raises slot 21
  slot(27) = 3027;  // the larger of 27 and 28
  struct Row {
    const char* name;
    std::int64_t maximum, used;
  } const rows[] = {{"MXCBUF", 20000, 5000}, {"MXSQBF", 2000, 1013}, {"MXVNAM", 2000, 1014},
                    {"MXVCNT", 2000, 1015},  {"MXPCNT", 1000, 1016}, {"MXXCNT", 1000, 1017},
                    {"MXCBF", 80000, 1024},  {"MXRXAD", 2000, 1025}, {"MXRXBF", 20000, 1026},
                    {"MXMBDR", 10000, 3027}, {"MXLBDR", 500, 9999},  {"MXPRO", 2000, 1029},
                    {"MXARG", 20000, 1030},  {"MXSFX", 10000, 1031}, {"MXRCOM", 6000, 1032},
                    {"MXRPRM", 2000, 1033},  {"MXRENT", 500, 1034},  {"MXRINC", 5000, 1035},
                    {"MXCOM", 200, 1036},    {"MXCOM1", 300, 1037},  {"MXCOM2", 4000, 1038},
                    {"MXCOM3", 20000, 1039}, {"MXPRM", 500, 1040},   {"MXINC", 500, 1041},
                    {"MXCDBF", 10000, 7777}, {"MXDXV", 200000, 1042}};
  test::Lines expected = {"", " ** MEMORY SIZE CHECK **",
                          "  SIZE PARAMETER        MAXIMUM        USED"};
  for (const Row& r : rows) {
    expected.push_back(std::string(7, ' ') + padded(r.name, 14) + test::rjust(r.maximum, 10) +
                       "  " + test::rjust(r.used, 10));
  }
  printMemorySizeCheck(t.listing, run);
  EXPECT_EQ(t.lines(), expected);
  EXPECT_EQ(std::pair(slot(12), slot(13)), std::pair(5000, 1013));
  run.nestStorage = false;  // NEST off: MXCDBF shows slot 23 alone
  printMemorySizeCheck(t.listing, run);
  EXPECT_EQ(t.lines()[29 + 27], std::string(7, ' ') + padded("MXCDBF", 14) +
                                    test::rjust(10000, 10) + "  " + test::rjust(1023, 10));
}

const TableLimit kProgramTable{"ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)",
                               "MAXIMUM TABLE ENTRIES : MXPRO = ", TableLimit::kNewPage,
                               StopCode::kTableOverflow};
const TableLimit kShortForm{"ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)",
                            "MAXIMUM TABLE ENTRIES : MXVNAM = ", TableLimit::kShort,
                            StopCode::kStatementAnalysis};

TEST(OverflowStop, NewPageFormFromAFullTableThenStatusPage) {
  test::TestRun t;
  std::array<int, 4> store{0, 0, 0, -7};
  BoundedTable<int> table(t.run->stop, std::span<int>(store.data(), 3), kProgramTable, 3);
  for (int v : {1, 2, 3}) table.add(v);
  EXPECT_EQ(t.out(), "");
  EXPECT_EQ(test::stopCode([&] { table.add(4); }), 200);
  EXPECT_EQ(std::pair(table.size(), store[3]), std::pair(std::size_t{3}, -7));  // nothing written
  const auto lines = t.lines();
  EXPECT_EQ(test::slice(lines, 0, 6),
            (test::Lines{"1", "", "", " ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)",
                         " MAXIMUM TABLE ENTRIES : MXPRO =        3", "1"}));
  // The run-status page follows with its own page header.
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[8].substr(42, 17), " ANALYZED  STATUS");
  EXPECT_GT(test::findLine(lines, "  SIZE PARAMETER        MAXIMUM        USED"), 8);
  EXPECT_THROW(table.ensureRoom(1), RunStop);
}

TEST(OverflowStop, ShortFormHasNoNewPage) {
  test::TestRun t;
  EXPECT_EQ(test::stopCode([&] { t.run->stop.overflow(kShortForm, 1000); }), 100);
  EXPECT_EQ(test::slice(t.lines(), 0, 3),
            (test::Lines{" ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)",
                         " MAXIMUM TABLE ENTRIES : MXVNAM =     1000",
                         "1"}));  // the status page's own eject
  test::TestRun u;
  test::stopCode([&] { u.run->stop.overflow(kShortForm, 123456789); });
  EXPECT_EQ(u.lines()[1], " MAXIMUM TABLE ENTRIES : MXVNAM = ********");
}

// A host whose workspace allocation stops the run with a given code.
struct StoppingHost final : Host {
  StopCode code = StopCode::kTableOverflow;
  LocalTime now() override { return {2026, 12, 6, 0, 0, 0}; }
  void* allocate(std::size_t) override { throw RunStop{code}; }
  void release(void*) override {}
  std::string environment(const char*) override { return {}; }
};

TEST(RunStopNotice, ExitStatusAndNoticeOnStandardError) {
  const std::string src = test::smallSource();
  for (const auto& [code, exitStatus] : {std::pair(100, 2), {200, 3}, {1000, 4}}) {
    StoppingHost host;
    host.code = static_cast<StopCode>(code);
    StringSink out, err;
    const char* argv[] = {"ksfort", src.c_str()};
    Listing listing(out);
    EXPECT_EQ(runCommand(2, argv, host, listing, err, nullptr), exitStatus);
    EXPECT_EQ(err.text, "ksfort: run stopped with stop code " + std::to_string(code) + "\n");
    listing.flush();  // the listing written before the stop is kept
    EXPECT_NE(out.text.find("   EXECUTION  PARAMETERS"), std::string::npos);
  }
}

}  // namespace
}  // namespace ksfort
