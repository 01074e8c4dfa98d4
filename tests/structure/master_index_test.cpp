// The master index's report order, checked against a plain stable sort: by
// name, then by the program's place in the program table's name order
// (programs outside the table first, in number order), then in the order
// the entries were added.
#include "structure/master_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr int kCapacity = 64;

// Units with duplicate names (further definitions), a program merged twice
// apart (its entries in two blocks), program numbers outside the table, and
// names that share their first 8 characters.
TEST(MasterIndexOrder, NameThenProgramNameThenOrderAdded) {
  std::mt19937 random(5);
  const std::vector<std::string> pool = {"X",  "Y", "ALPHA", "LONGNAME1", "LONGNAME2", "LONGNAME",
                                         "A1", "B", "Z9",    "COUNT",     "COUNTER",   "I"};
  const std::vector<std::string> unitNames = {"ZED", "ALPHA", "MID", "ALPHA", "BETA", "MID"};
  for (int round = 0; round < 40; ++round) {
    test::TestRun t;
    ProgramTable programs(t.run->stop, 100, t.run->status.usage);
    MasterIndex index(t.run->stop, 100000, t.run->status.usage);
    test::OwnNameTable unit(t.run->stop, kCapacity);
    std::vector<int> units;
    for (const std::string& name : unitNames) units.push_back(programs.define(name));
    const Name lower = blankField<kNameWidth>();
    Name upper;
    upper.fill('\xff');
    // The program numbers the entries are merged under: the units in random
    // order, one of them twice, and two numbers outside the table.
    std::vector<int> merged = units;
    merged.push_back(units[random() % units.size()]);
    merged.push_back(programs.count() + 7);
    merged.push_back(-3);
    std::shuffle(merged.begin(), merged.end(), random);
    std::vector<std::pair<std::string, int>> added;  // name and program, in the order added
    for (const int program : merged) {
      unit.names.startUnit();
      for (const std::string& name : pool)
        if (random() % 2 == 0) unit.names.lookup(name);
      const std::size_t before = added.size();
      for (int p = 1; p <= unit.names.count(); ++p)
        added.emplace_back(std::string(unit.names.name(unit.names.sortedEntry(p))), program);
      index.mergeUnit(unit.names, program, lower, upper);
      ASSERT_EQ(static_cast<std::size_t>(index.count()), added.size()) << before;
    }

    std::vector<int> outside;
    for (const auto& [name, program] : added)
      if (program < 1 || program > programs.count()) outside.push_back(program);
    std::sort(outside.begin(), outside.end());
    const auto programPlace = [&](int program) {
      if (program < 1 || program > programs.count())
        return static_cast<int>(std::lower_bound(outside.begin(), outside.end(), program) -
                                outside.begin());
      for (int p = 1; p <= programs.count(); ++p)
        if (programs.sortedEntry(p) == program) return 1000 + p;
      return -1;
    };
    std::vector<std::int32_t> want(added.size());
    for (std::size_t k = 0; k < want.size(); ++k) want[k] = static_cast<std::int32_t>(k);
    std::stable_sort(want.begin(), want.end(), [&](std::int32_t a, std::int32_t b) {
      const auto& [nameA, programA] = added[static_cast<std::size_t>(a)];
      const auto& [nameB, programB] = added[static_cast<std::size_t>(b)];
      if (nameA != nameB) return nameA < nameB;
      return programPlace(programA) < programPlace(programB);
    });
    EXPECT_EQ(index.sortedOrder(programs), want) << round;
  }
}

}  // namespace
}  // namespace ksfort
