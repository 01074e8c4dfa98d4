// GOTOXX: the sub classes of the GO TO statement.
#pragma once
#include <cstdint>

namespace ksfort {

struct GOTOXX {
  static constexpr std::int32_t kUnconditional = 1;  // GO TO 10
  static constexpr std::int32_t kAssigned = 2;       // GO TO I (10, 20)
  static constexpr std::int32_t kComputed = 3;       // GO TO (10, 20), I
  static constexpr int kCount = 3;
};

}  // namespace ksfort
