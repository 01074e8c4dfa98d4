// The name table of a unit: one entry per name whatever its case, entry
// numbers in order of first use, the sorted order, the lookup counter, and
// an empty table for the next unit, with more names than the first hash holds.
#include "names/name_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/ascii.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr int kCapacity = 3000;

struct Storage {
  std::vector<Name> n = std::vector<Name>(kCapacity);
  std::vector<Attributes> a = std::vector<Attributes>(kCapacity);
  std::vector<std::array<std::int32_t, kIntAttributeCount>> i =
      std::vector<std::array<std::int32_t, kIntAttributeCount>>(kCapacity);
  std::vector<std::int32_t> x = std::vector<std::int32_t>(kCapacity);
};

// Names that share long prefixes and differ late, in a scrambled order.
std::vector<std::string> someNames(int count, const std::string& prefix) {
  std::vector<std::string> names;
  for (int k = 0; k < count; ++k) {
    const int m = (k * 7919) % count;  // 7919 is prime: a permutation of 0..count-1
    names.push_back(prefix + std::string(20, 'Q') + std::to_string(m));
  }
  return names;
}

TEST(NameTable, OneEntryPerNameInOrderOfFirstUseOverSeveralUnits) {
  test::TestRun t;
  Storage s;
  NameTable table{s.n, s.a, s.i, s.x, t.run->stop, kCapacity};
  for (const int count : {2500, 40, 1000}) {  // the hash grows, then is emptied
    table.startUnit();
    const std::vector<std::string> names = someNames(count, count == 40 ? "b" : "Z");
    for (std::size_t k = 0; k < names.size(); ++k)
      ASSERT_EQ(table.lookup(names[k]), static_cast<int>(k) + 1) << names[k];
    ASSERT_EQ(table.count(), count);
    // Again, in upper case: the same entries, and the lookup counter counts.
    for (std::size_t k = 0; k < names.size(); ++k) {
      std::string upper = names[k];
      std::transform(upper.begin(), upper.end(), upper.begin(),
                     [](char c) { return upperAscii(c); });
      ASSERT_EQ(table.lookup(upper), static_cast<int>(k) + 1);
      ASSERT_EQ(table.find(names[k]), static_cast<int>(k) + 1);
      ASSERT_EQ(table.at(static_cast<int>(k) + 1, Attribute::kLookupCount), 2);
    }
    EXPECT_EQ(table.count(), count);
    EXPECT_EQ(table.find("NOTHERE"), 0);
    // The sorted order is byte order of the upper-case names.
    for (int p = 2; p <= count; ++p)
      ASSERT_LT(table.name(table.sortedEntry(p - 1)), table.name(table.sortedEntry(p))) << p;
  }
  // Names of the first unit are gone from the last one.
  EXPECT_EQ(table.find(someNames(2500, "Z")[1500]), 0);
}

TEST(NameTable, LookupCounterStopsAt255AndLongNamesAreCut) {
  test::TestRun t;
  Storage s;
  NameTable table{s.n, s.a, s.i, s.x, t.run->stop, kCapacity};
  table.startUnit();
  const int e = table.lookup("X");
  for (int k = 2; k <= 255; ++k) table.lookup("x");
  EXPECT_EQ(static_cast<unsigned char>(table.at(e, Attribute::kLookupCount)), 255);
  table.lookup("X");
  EXPECT_EQ(table.at(e, Attribute::kLookupCount), 0);
  table.lookup("X");
  EXPECT_EQ(table.at(e, Attribute::kLookupCount), 0);  // stays 0 after the overflow
  // Only the first 32 characters count.
  const std::string longName(32, 'L');
  EXPECT_EQ(table.lookup(longName + "A"), table.lookup(longName + "B"));
  EXPECT_EQ(table.count(), 2);
}

}  // namespace
}  // namespace ksfort
