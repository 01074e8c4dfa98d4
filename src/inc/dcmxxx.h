// DCMXXX: the switches of the two parts of the program document.
#pragma once
#include <cstdint>

namespace ksfort {

struct DCMXXX {
  std::int32_t DOCCOM = 0;  // common part
  std::int32_t DOCPGM = 0;  // program part
};

}  // namespace ksfort
