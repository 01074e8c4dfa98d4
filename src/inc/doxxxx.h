// DOXXXX: the sub classes of the DO statement.
#pragma once
#include <cstdint>

namespace ksfort {

struct DOXXXX {
  static constexpr std::int32_t kIndexed = 1;   // DO ... X = M1,M2,M3
  static constexpr std::int32_t kUntil = 2;     // DO ... UNTIL(...)
  static constexpr std::int32_t kWhile = 3;     // DO ... WHILE(...)
  static constexpr std::int32_t kInfinite = 4;  // DO, or DO label, alone
  static constexpr int kCount = 4;
};

}  // namespace ksfort
