// OPTNAM: the text-valued analysis options: program name, TREE entry name,
// INDEX bounds and the library archive type.
#pragma once
#include <array>
#include <cstdint>

#include "inc/fixed_text.h"

namespace ksfort {

struct OPTNAM {
  std::array<char, 10> PGNAME = programDefault();
  std::array<char, 32> ENTNAM = blankField<32>();  // TREE entry routine
  std::array<char, 32> LOWER = filled(0);          // INDEX lower bound
  std::array<char, 32> UPPER = filled(255);        // INDEX upper bound
  std::int32_t DATYPE = 0;                         // library archive format: 0 first, 1 second

  static constexpr std::array<char, 32> filled(int code) {
    std::array<char, 32> a{};
    a.fill(static_cast<char>(code));
    return a;
  }
  static constexpr std::array<char, 10> programDefault() {
    return {'P', 'R', 'O', 'G', 'R', 'A', 'M', ' ', ' ', ' '};
  }
};

}  // namespace ksfort
