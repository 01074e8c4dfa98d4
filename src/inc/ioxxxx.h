// IOXXXX: the sub classes of READ, WRITE and the other I/O statements, from
// the access (direct when a record number is given) and the formatting.
#pragma once
#include <cstdint>

namespace ksfort {

struct IOXXXX {
  static constexpr std::int32_t kSequentialUnformatted = 1;
  static constexpr std::int32_t kSequentialFormatted = 2;
  static constexpr std::int32_t kDirectUnformatted = 3;
  static constexpr std::int32_t kDirectFormatted = 4;
  static constexpr int kCount = 4;
};

}  // namespace ksfort
