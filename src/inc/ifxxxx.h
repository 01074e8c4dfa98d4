// IFXXXX: the sub classes of the IF statement.
#pragma once
#include <cstdint>

namespace ksfort {

struct IFXXXX {
  static constexpr std::int32_t kArithmetic = 1;  // IF (X) 10, 20, 30
  static constexpr std::int32_t kLogical =
      2;                                     // IF (X) statement: the statement is the second class
  static constexpr std::int32_t kBlock = 3;  // IF (X) THEN
  static constexpr int kCount = 3;
};

}  // namespace ksfort
