// The workspace: one integer array and one character array, each partitioned
// into fixed slices, one or more per table, whose lengths follow from the size
// limits. The memory lines of the listing print the totals.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "input/statement.h"
#include "listing/size_limits.h"

namespace ksfort {

// Fields per entry of the tables whose slices hold several words or characters.
namespace fields_per_entry {
inline constexpr int IX1NAM = 2, IX2NAM = 19, IX3NAM = 10, IX4NAM = 3, IX5NAM = 2, IX6NAM = 11,
                     IX7NAM = 3, IG1NAM = 23, IG2NAM = 6, IG3NAM = 9, IG4NAM = 5, IG5NAM = 3,
                     IG6NAM = 2, IC1NAM = 4, IC2NAM = 3, IC3NAM = 3, IC4NAM = 9, IC5NAM = 5,
                     IC6NAM = 2, IP1NAM = 4, IP2NAM = 3, IN1NAM = 7, IR1NAM = 2, IR2NAM = 2,
                     ID1NAM = 8, IM1NAM = 3;
}  // namespace fields_per_entry

inline constexpr int kIntSlices = 38;
inline constexpr int kCharSlices = 22;
inline constexpr int kCardImageSlice = 19;  // character slice of the MXCDBF card images

struct Workspace {
  std::array<std::int64_t, kIntSlices> intStart{};  // 1-based start of integer slice n at [n-1]
  std::array<std::int64_t, kCharSlices> charStart{};
  std::array<std::int64_t, kIntSlices> intLength{};
  std::array<std::int64_t, kCharSlices> charLength{};
  std::int64_t intWords = 0;   // integer array size in words
  std::int64_t charBytes = 0;  // character array size in characters
  std::int32_t* ints = nullptr;
  char* chars = nullptr;

  // The card images (132 characters each); valid once the arrays are allocated.
  std::span<Card> cardImages() const;

  // Integer slice n (1-based) or character slice n as entries of type T (the
  // arrays are fresh memory from the host: the entries begin their life there).
  template <class T>
  std::span<T> intSlice(int n) const {
    static_assert(sizeof(T) % sizeof(std::int32_t) == 0 && alignof(T) <= alignof(std::int32_t));
    const auto i = static_cast<std::size_t>(n - 1);
    return {reinterpret_cast<T*>(ints + intStart[i] - 1),
            static_cast<std::size_t>(intLength[i] * 4 / static_cast<std::int64_t>(sizeof(T)))};
  }
  template <class T>
  std::span<T> charSlice(int n) const {
    static_assert(alignof(T) == 1);
    const auto i = static_cast<std::size_t>(n - 1);
    return {reinterpret_cast<T*>(chars + charStart[i] - 1),
            static_cast<std::size_t>(charLength[i] / static_cast<std::int64_t>(sizeof(T)))};
  }
};

// Computes the slice lengths and starts from the size limits, in 64 bits.
Workspace partitionWorkspace(const SizeLimits& size);

}  // namespace ksfort
