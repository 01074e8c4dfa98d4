// PRCXXX: the analysis driver's run-wide state: the directories and path of
// the source being analysed, the wildcard flag and the include level.
#pragma once
#include <array>
#include <cstdint>

#include "inc/fixed_text.h"

namespace ksfort {

struct PRCXXX {
  static constexpr int kPathWidth = 512;
  std::array<char, kPathWidth> srcdir = blankField<kPathWidth>();  // directory of the source name
  std::array<char, kPathWidth> incdir = blankField<kPathWidth>();  // set by -I, blank until then
  std::array<char, kPathWidth> path = blankField<kPathWidth>();    // file being analysed
  std::int32_t wildcard = 0;        // 1 while a scan expands a source name
  std::int32_t incLevel = 0;        // INCLUDE nesting depth
  std::int32_t unitCards = 0;       // cards of the current program unit
  std::int32_t unitStatements = 0;  // statements of the current program unit
  std::int32_t unitFirstCard = 0;   // card-storage position of the unit's first card
};

}  // namespace ksfort
