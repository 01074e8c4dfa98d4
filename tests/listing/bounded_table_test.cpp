// The room a run-wide table takes once it outgrows its first 64 KB: up to
// its limit in one block, so that it is not copied again as it grows; and
// the ordinary growth when no block that large is to be had.
#include "listing/bounded_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <vector>

namespace ksfort {
namespace {

// Appends count entries as a run-wide table does; how many times the
// entries moved to a larger block once they filled 64 KB or more.
template <class Vector>
int appendCounting(Vector& v, std::int64_t limit, std::int64_t count) {
  int moves = 0;
  for (std::int64_t i = 0; i < count; ++i) {
    const auto* before = v.data();
    const bool large = v.size() * sizeof(v[0]) >= kFirstTableBytes;
    appendWithRoom(v, limit, static_cast<std::int32_t>(i));
    if (large && v.data() != before) ++moves;
  }
  return moves;
}

TEST(TableRoom, PastItsFirstBlockATableMovesOnceUpToItsLimit) {
  struct Row {
    std::int64_t limit;
    std::int64_t count;
    int moves;
  };
  constexpr std::int64_t kMost = kReservedTableBytes / sizeof(std::int32_t);
  const Row rows[] = {
      {100, 100, 0},                // never past the first block
      {1'000'000, 1'000'000, 1},    // room for the limit, taken once
      {100'000'000, kMost, 1},      // a limit past 16 MB: room for 16 MB, taken once
      {100'000'000, kMost + 1, 2},  // past that room it grows as any vector
  };
  for (const Row& r : rows) {
    std::vector<std::int32_t> v;
    EXPECT_EQ(appendCounting(v, r.limit, r.count), r.moves) << r.count;
    ASSERT_EQ(v.size(), static_cast<std::size_t>(r.count));
    for (std::int64_t i = 0; i < r.count; i += 4099)
      EXPECT_EQ(v[static_cast<std::size_t>(i)], i) << r.count;
  }
}

// Refuses any block larger than 1 MB, as a limit on the address space would.
template <class T>
struct SmallBlocks {
  using value_type = T;
  SmallBlocks() = default;
  template <class U>
  SmallBlocks(const SmallBlocks<U>&) {}
  T* allocate(std::size_t n) {
    if (n * sizeof(T) > (std::size_t{1} << 20)) throw std::bad_alloc();
    return std::allocator<T>().allocate(n);
  }
  void deallocate(T* p, std::size_t n) { std::allocator<T>().deallocate(p, n); }
  friend bool operator==(const SmallBlocks&, const SmallBlocks&) { return true; }
};

TEST(TableRoom, WithoutABlockThatLargeTheTableGrowsAsBefore) {
  std::vector<std::int32_t, SmallBlocks<std::int32_t>> v;
  appendCounting(v, 10'000'000, 200'000);  // the room would be 16 MB; blocks stop at 1 MB
  ASSERT_EQ(v.size(), 200'000u);
  for (std::int64_t i = 0; i < 200'000; i += 997) EXPECT_EQ(v[static_cast<std::size_t>(i)], i);
  EXPECT_LE(v.capacity() * sizeof(std::int32_t), std::size_t{1} << 20);
}

}  // namespace
}  // namespace ksfort
