// The workspace: one integer array and one character array, each partitioned
// into fixed slices, one or more per table. ADRESI and ADRESC hold the 1-based
// start index of every slice; lengths follow from the size parameters.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "inc/size.h"

namespace ksfort {

// Fields per entry of the tables whose slices hold several words or characters.
namespace enumcount {
inline constexpr int IX1NAM = 2, IX2NAM = 19, IX3NAM = 10, IX4NAM = 3, IX5NAM = 2, IX6NAM = 11,
                     IX7NAM = 3, IG1NAM = 23, IG2NAM = 6, IG3NAM = 9, IG4NAM = 5, IG5NAM = 3,
                     IG6NAM = 2, IC1NAM = 4, IC2NAM = 3, IC3NAM = 3, IC4NAM = 9, IC5NAM = 5,
                     IC6NAM = 2, IP1NAM = 4, IP2NAM = 3, IN1NAM = 7, IR1NAM = 2, IR2NAM = 2,
                     ID1NAM = 8, IM1NAM = 3;
}  // namespace enumcount

inline constexpr int kIntSlices = 38;
inline constexpr int kCharSlices = 22;

struct Workspace {
  std::array<std::int64_t, kIntSlices> ADRESI{};   // start of integer slice n at [n-1]
  std::array<std::int64_t, kCharSlices> ADRESC{};  // start of character slice n at [n-1]
  std::array<std::int64_t, kIntSlices> intLength{};
  std::array<std::int64_t, kCharSlices> charLength{};
  std::int64_t intWords = 0;   // integer array size in words
  std::int64_t charBytes = 0;  // character array size in characters
  std::int32_t* ints = nullptr;
  char* chars = nullptr;

  // Slice n (1-based) of each array; valid once the arrays are allocated.
  std::span<std::int32_t> islice(int n) const {
    return {ints + ADRESI[static_cast<std::size_t>(n - 1)] - 1,
            static_cast<std::size_t>(intLength[static_cast<std::size_t>(n - 1)])};
  }
  std::span<char> cslice(int n) const {
    return {chars + ADRESC[static_cast<std::size_t>(n - 1)] - 1,
            static_cast<std::size_t>(charLength[static_cast<std::size_t>(n - 1)])};
  }
};

// Computes the slice lengths and starts from the size parameters, in 64 bits.
Workspace partition(const SIZE& size);

}  // namespace ksfort
