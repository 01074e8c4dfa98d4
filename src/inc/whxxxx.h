// WHXXXX: the sub classes of the WHERE and ELSEWHERE statements.
#pragma once
#include <cstdint>

namespace ksfort {

struct WHXXXX {
  static constexpr std::int32_t kWhereBlock = 1;              // WHERE (mask) alone
  static constexpr std::int32_t kWhereStatement = 2;          // WHERE (mask) assignment
  static constexpr std::int32_t kElsewhereConditional = 1;    // ELSEWHERE (mask)
  static constexpr std::int32_t kElsewhereUnconditional = 2;  // ELSEWHERE
  static constexpr int kCount = 2;
};

}  // namespace ksfort
