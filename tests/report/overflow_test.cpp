// The table-overflow stop: message and limit records, run-status page, stop
// code; and how a stop reaches the user through the process entry.
#include "report/overflow.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "inc/run.h"
#include "main/entry.h"
#include "report/stop.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

const TableLimit kProgramTable{"ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)",
                               "MAXIMUM TABLE ENTRIES : MXPRO = ", TableLimit::kNewPage, 200};
const TableLimit kShortForm{"ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)",
                            "MAXIMUM TABLE ENTRIES : MXVNAM = ", TableLimit::kShort, 100};

// Runs overflowStop and returns the stop code it threw.
int stopCode(test::TestRun& t, const TableLimit& limit, std::int64_t maximum) {
  return test::stopCode([&] { overflowStop(*t.run, limit, maximum); });
}

TEST(OverflowStop, NewPageFormThenStatusPage) {
  test::TestRun t;
  EXPECT_EQ(stopCode(t, kProgramTable, 2000), 200);
  const auto lines = t.lines();
  EXPECT_EQ(test::slice(lines, 0, 6),
            (test::Lines{"1", "", "", " ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)",
                         " MAXIMUM TABLE ENTRIES : MXPRO =     2000", "1"}));
  // The run-status page follows with its own page header.
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[8].substr(42, 17), " ANALYZED  STATUS");
  EXPECT_GT(test::findLine(lines, "  SIZE PARAMETER        MAXIMUM        USED"), 8);
}

TEST(OverflowStop, ShortFormHasNoNewPage) {
  test::TestRun t;
  EXPECT_EQ(stopCode(t, kShortForm, 1000), 100);
  EXPECT_EQ(test::slice(t.lines(), 0, 3),
            (test::Lines{" ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)",
                         " MAXIMUM TABLE ENTRIES : MXVNAM =     1000",
                         "1"}));  // the status page's own eject
}

TEST(OverflowStop, VariantTextsAndWideMaximum) {
  const TableLimit level{"ERROR AT PRCPRO(INCLUDE LEVEL OVER)",
                         "MAXIMUM INCLUDE LEVEL : MXILVL = ", TableLimit::kNewPage, 200};
  test::TestRun t;
  stopCode(t, level, 16);
  EXPECT_EQ(test::slice(t.lines(), 3, 2),
            (test::Lines{" ERROR AT PRCPRO(INCLUDE LEVEL OVER)",
                         " MAXIMUM INCLUDE LEVEL : MXILVL =       16"}));
  test::TestRun u;
  stopCode(u, kProgramTable, 2147483647);
  EXPECT_EQ(u.lines()[4], " MAXIMUM TABLE ENTRIES : MXPRO = ********");
}

TEST(BoundedTable, AddBeyondCapacityStopsAndWritesNothing) {
  test::TestRun t;
  std::array<int, 4> store{0, 0, 0, -7};
  BoundedTable<int> table(*t.run, std::span<int>(store.data(), 3), kProgramTable, 3);
  EXPECT_EQ(table.add(1), 0u);
  EXPECT_EQ(table.add(2), 1u);
  EXPECT_EQ(table.add(3), 2u);
  EXPECT_EQ(t.out(), "");
  EXPECT_EQ(test::stopCode([&] { table.add(4); }), 200);
  EXPECT_EQ(table.size(), 3u);
  EXPECT_EQ(store[3], -7);
  EXPECT_EQ(t.lines()[4], " MAXIMUM TABLE ENTRIES : MXPRO =        3");
}

TEST(BoundedTable, EnsureRoomChecksSeveralEntries) {
  test::TestRun t;
  std::array<int, 5> store{};
  BoundedTable<int> table(*t.run, std::span<int>(store), kShortForm, 5);
  table.add(1);
  table.add(2);
  EXPECT_NO_THROW(table.ensureRoom(3));
  EXPECT_THROW(table.ensureRoom(4), RunStop);
}

// A host whose workspace allocation stops the run with a given code.
class StoppingHost final : public Host {
 public:
  explicit StoppingHost(int code) : code_{code} {}
  LocalTime now() override { return {2026, 12, 6, 0, 0, 0}; }
  std::int64_t userTicks() override { return 0; }
  void* allocate(std::size_t) override { throw RunStop{code_}; }
  void release(void*) override {}

 private:
  int code_;
};

TEST(RunStopNotice, ExitStatusAndNoticeOnStandardError) {
  struct Case {
    int code, status;
  };
  const std::string src = test::smallSource();
  for (const Case c : {Case{100, 2}, Case{200, 3}, Case{1000, 4}}) {
    StoppingHost host(c.code);
    StringSink out, err;
    const char* argv[] = {"ksfort", src.c_str()};
    int status = 0;
    {
      Listing listing(out);
      status = runCommand(2, argv, host, listing, err, nullptr);
    }
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(err.text, "ksfort: run stopped with stop code " + std::to_string(c.code) + "\n");
    // The listing written before the stop is kept.
    EXPECT_NE(out.text.find("   EXECUTION  PARAMETERS"), std::string::npos);
  }
}

}  // namespace
}  // namespace ksfort
